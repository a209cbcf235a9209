#pragma once
// Reads an index file's bytes on its own, without the engine, and checks the tree: node key counts within
// capacity, entries ascending in every node, all leaves at one depth, every separator equal to the first
// entry of the subtree to its right and every subtree inside its separators' range, the leaves chained both
// ways in key order, no node reached twice.

#include <cstdint>
#include <string>
#include <vector>

struct CheckedEntry {
    std::string key;
    uint32_t record = 0;
    bool operator==(const CheckedEntry&) const = default;
};

struct IndexShape {
    std::string problem;                 // empty when the tree is sound
    std::vector<CheckedEntry> entries;   // every leaf entry, in order
    int depth = 0;                       // 0: the root is a leaf
    int nodes = 0;                       // reachable nodes, the root included
    int smallest_leaf = 0;               // fewest keys in a non-root leaf (0 when there is none)
    int smallest_internal = 0;           // fewest keys in a non-root internal node (0 when none)
};

IndexShape check_index_file(const std::string& bytes, int key_size);
