#pragma once
// Shared by the coordinate file's .cpp files: the open file and the record positions.

#include <cstdint>

#include "platform/files/files.h"

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

}  // namespace store
