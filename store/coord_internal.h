#pragma once
// Shared by the coordinate file's .cpp files: the open file and the record positions.

#include <cstdint>

#include "platform/files/files.h"
#include "store/point_record.h"

namespace store {

// The open coordinate file, or nullptr.
platform::files::Handle coord_handle();

inline uint32_t load_le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Byte offset of record index i (1-based): 200 + 87 * i.
inline int64_t record_offset(int index)
{
    return 200 + 87 * int64_t(index);
}

// Bytes of one record as it lies in the file that a read fetches: its type and its point data.
constexpr uint32_t kRecordReadSize = 4 + sizeof(PointRecord);

// What the bytes of one record hold, of which `moved` arrived.
enum class RecordBytes { Point, Deleted, Short };

// The one decoding of a record's bytes, for the single reads and the scans alike: Deleted as soon as the
// type has arrived and reads 6 (whatever else is missing); Short when fewer than kRecordReadSize bytes
// arrived; else Point, with every field of *out but the flags filled (text copied up to its NUL and always
// NUL-terminated within its field). Looks at no more than kRecordReadSize bytes.
RecordBytes decode_record(const uint8_t* bytes, uint32_t moved, PointRecord* out);

}  // namespace store
