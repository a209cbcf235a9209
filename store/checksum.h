#pragma once
// The checksum of the store's small marks and journals (FNV-1a, 32 bits): it tells a whole block from one a
// crash cut short, not a block from a forged one.

#include <cstddef>
#include <cstdint>

namespace store {

inline uint32_t fnv1a(const uint8_t* bytes, size_t size)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

}  // namespace store
