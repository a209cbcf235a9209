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

inline void store_le32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Byte offset of record index i (1-based): 200 + 87 * i.
inline int64_t record_offset(int index)
{
    return 200 + 87 * int64_t(index);
}

// Bytes of one record as it lies in the file that a read fetches: its type and its point data.
constexpr uint32_t kRecordReadSize = 4 + sizeof(PointRecord);

// What the bytes of one record hold, of which `moved` arrived.
enum class RecordBytes { Point, NoPoint, Short };

// The type an append writes first: the record is no point until its type becomes 4, written on its own
// once the rest of it is on the disk. A crash in between leaves no half point.
constexpr uint32_t kRecordTypePending = 0;

// True for a record appended during a bulk store that has not ended: its type is still pending, but it is
// a point for this program until the store ends (store/coord_file.h).
bool coord_record_pending(int index);
// The bytes of record index (its type and point data, kRecordReadSize bytes) that a bulk store under way
// holds back from the file: a record it appended and has not written yet, or one it rewrote; nullptr when
// the file has them. Readers take these over the file's bytes.
const uint8_t* coord_unwritten_record(int index);
// The size of the file with the records a bulk store holds back.
int64_t coord_size();
// At close: ends a bulk store still under way as its end would. False when that failed.
bool coord_bulk_close();

// The one decoding of record index's bytes, for the single reads and the scans alike: NoPoint as soon as
// the type has arrived and is not a point's (6, or a crash's leftovers: any type but 4, and but a pending
// record of a bulk store); Short when fewer than kRecordReadSize bytes arrived; else Point, with every field
// of *out but the flags filled (text copied up to its NUL and always NUL-terminated within its field).
// Looks at no more than kRecordReadSize bytes.
RecordBytes decode_record(const uint8_t* bytes, uint32_t moved, int index, PointRecord* out);

}  // namespace store
