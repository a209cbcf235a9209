#pragma once
// Reads an index file's bytes on its own, without the engine, and checks the tree: node key counts within
// capacity, entries ascending in every node, all leaves at one depth, every separator equal to the first
// entry of the subtree to its right and every subtree inside its separators' range, the leaves chained both
// ways in key order, no node reached twice.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

struct CheckedEntry {
    std::string key;
    uint32_t record = 0;
    bool operator==(const CheckedEntry&) const = default;
};

struct IndexShape {
    std::string problem;                // empty when the tree is sound
    std::vector<CheckedEntry> entries;  // every leaf entry, in order
    int depth = 0;                      // 0: the root is a leaf
    int nodes = 0;                      // reachable nodes, the root included
    int smallest_leaf = 0;              // fewest keys in a non-root leaf (0 when there is none)
    int smallest_internal = 0;          // fewest keys in a non-root internal node (0 when none)
};

IndexShape check_index_file(const std::string& bytes, int key_size);

// The bytes of a coordinate file's number index (12-byte keys) and name index (16-byte keys), checked on their
// own: both trees sound, and holding exactly these entries in this order (gtest expectations).
void expect_point_indexes_hold(const std::string& number_bytes, const std::string& name_bytes,
    const std::vector<CheckedEntry>& numbers, const std::vector<CheckedEntry>& names);

// Index order: keys by unsigned bytes, equal keys by descending record.
struct EntryOrder {
    bool operator()(const CheckedEntry& a, const CheckedEntry& b) const
    {
        int c = std::memcmp(a.key.data(), b.key.data(), a.key.size());
        if (c != 0)
            return c < 0;
        return a.record > b.record;
    }
};

// An index file's bytes read and written, and its keys made, without the store's own code.
namespace index_bytes {

// The little-endian word at a byte offset of an index file, read and written.
inline uint32_t word(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint32_t(uint8_t(bytes[at + 2])) << 16
        | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

inline void put_word(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char(uint8_t(value >> (8 * i)));
}

// A 12-byte key of the point-number index ("%12u") and a 16-byte key of the name index ("%-15.15s" and its
// NUL), made here without the store's own key code.
inline std::string number_key(uint32_t n)
{
    char key[16];
    std::snprintf(key, sizeof key, "%12u", n);
    return std::string(key, 12);
}

inline std::string name_key(const std::string& name)
{
    char key[17];
    std::snprintf(key, sizeof key, "%-15.15s", name.c_str());
    return std::string(key, 16);
}

}  // namespace index_bytes
