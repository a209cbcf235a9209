#pragma once
// Internals of the index engine, shared by its .cpp files. The layout of nodes and entries is in index.h.

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/files/files.h"
#include "store/index.h"

namespace store {

constexpr int kNodeHeaderSize = 16;
constexpr int kNodeEntryBytes = 1005;  // entries a non-root node holds: M = floor(1005 / entry size)
constexpr int kCachePages = 7;
// A build or a bulk store may give an index more pages than the seven (index_set_cache_pages), up to this.
constexpr int kLargestCache = 65536;
constexpr uint32_t kFirstPageAddress = kIndexRootSize;
constexpr int kMaxDepth = 64;  // far beyond any real tree: 50^64 keys
constexpr int kMarkSize = 24;

// The bounds the layout rests on. A full node fits its page; a full root (3 * M entries) leaves room for the
// clean-close mark in its three pages; the scratch buffer (the root's size and two entries more) holds three
// full siblings and the two separators between them, since 3 * M + 2 entries <= 3 * 1005 + 2 entry sizes.
static_assert(kNodeHeaderSize + kNodeEntryBytes <= kIndexPageSize);
static_assert(kNodeHeaderSize + 3 * kNodeEntryBytes + kMarkSize <= kIndexRootSize);
// index.h promises seven cached pages, and a restructure keeps a parent and the three siblings it gathers
// in use at once: they must all still be cached when their bytes are copied.
static_assert(kCachePages == 7);
static_assert(kCachePages >= 4);

inline uint32_t load_u32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void store_u32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Byte order of two keys of size bytes: <0, 0, >0, as memcmp gives it. Keys are compared eight (then four)
// bytes at a time as big-endian words, so the common key sizes (12 and 16) cost two word comparisons.
inline int compare_keys(const uint8_t* a, const uint8_t* b, size_t size)
{
    static_assert(std::endian::native == std::endian::little, "words are turned big-endian by a byte swap");
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + at, 8);
        std::memcpy(&y, b + at, 8);
        if (x != y)
            return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
    }
    if (at + 4 <= size) {
        uint32_t x, y;
        std::memcpy(&x, a + at, 4);
        std::memcpy(&y, b + at, 4);
        if (x != y)
            return __builtin_bswap32(x) < __builtin_bswap32(y) ? -1 : 1;
        at += 4;
    }
    for (; at < size; ++at) {
        if (a[at] != b[at])
            return a[at] < b[at] ? -1 : 1;
    }
    return 0;
}

// A view of a node's bytes (a page buffer, the root buffer or the scratch buffer). It does not own them.
class Node {
public:
    Node(uint8_t* bytes, int entry_size)
        : m_bytes(bytes)
        , m_entry_size(entry_size)
    {
    }

    uint8_t* bytes() const { return m_bytes; }
    bool leaf() const { return load_u32(m_bytes) & 1; }
    int count() const { return int((load_u32(m_bytes) >> 1) & 0x7FFF); }
    void set_leaf(bool leaf) { store_u32(m_bytes, (load_u32(m_bytes) & ~1u) | (leaf ? 1u : 0u)); }
    void set_count(int count) { store_u32(m_bytes, (load_u32(m_bytes) & ~0xFFFEu) | (uint32_t(count) << 1)); }

    uint32_t prev() const { return load_u32(m_bytes + 4); }
    uint32_t next() const { return load_u32(m_bytes + 8); }
    uint32_t leftmost() const { return load_u32(m_bytes + 12); }
    void set_prev(uint32_t a) { store_u32(m_bytes + 4, a); }
    void set_next(uint32_t a) { store_u32(m_bytes + 8, a); }
    void set_leftmost(uint32_t a) { store_u32(m_bytes + 12, a); }

    uint8_t* entry(int j) const { return m_bytes + kNodeHeaderSize + j * m_entry_size; }
    uint32_t record(int j) const { return load_u32(entry(j) + m_entry_size - 8); }
    uint32_t right(int j) const { return load_u32(entry(j) + m_entry_size - 4); }
    void set_record(int j, uint32_t r) { store_u32(entry(j) + m_entry_size - 8, r); }
    void set_right(int j, uint32_t a) { store_u32(entry(j) + m_entry_size - 4, a); }

    // The child left of entry j lives in the four bytes just before the entry.
    uint32_t child_left_of(int j) const { return load_u32(entry(j) - 4); }
    void set_child_left_of(int j, uint32_t a) { store_u32(entry(j) - 4, a); }

private:
    uint8_t* m_bytes;
    int m_entry_size;
};

struct PageBuffer {
    uint32_t address = 0;
    bool valid = false;
    bool modified = false;
    int slot = 0;    // its place in the cache
    int newer = -1;  // the buffer used just after this one (-1: this is the most recently used)
    int older = -1;  // the buffer used just before (-1: the least recently used)
    std::array<uint8_t, kIndexPageSize> bytes {};
};

// One open index file.
struct Index {
    platform::files::Handle file = nullptr;
    int key_size = 0;
    int entry_size = 0;
    int capacity = 0;  // M
    bool duplicates = false;

    std::vector<uint8_t> root;  // kIndexRootSize bytes, always valid
    bool root_modified = false;

    // The page buffers: up to cache_limit of them (kCachePages, more while a bulk store asked for more),
    // made as they are first needed; a deque, so that making one moves none of the others. Their order of
    // use is a list linked through the buffers; `cached` finds the buffer holding a valid node.
    std::deque<PageBuffer> pages;
    int cache_limit = kCachePages;
    int most_recent = -1;
    int least_recent = -1;
    std::unordered_map<uint32_t, int> cached;  // node address -> its valid buffer

    std::vector<uint8_t> scratch;  // kIndexRootSize + 2 * entry size: up to three gathered nodes
    uint32_t next_free = kFirstPageAddress;

    bool has_cursor = false;
    uint32_t cursor_node = 0;  // address of the cursor's leaf
    int cursor_entry = 0;

    bool damaged = false;
    bool write_failed = false;
    IndexDamage damage;  // where damage was found first; meaningful once damaged

    std::optional<IndexMark> open_mark;  // the clean-close mark found at open
    bool mark_on_disk = false;           // the file still carries it
    int64_t entries = -1;                // entries in the index, when known

    Node node(uint8_t* bytes) const { return Node(bytes, entry_size); }
    Node scratch_node() { return Node(scratch.data(), entry_size); }
    int node_capacity(uint32_t address) const { return address == 0 ? 3 * capacity : capacity; }
    // Sets the key count of the node at address. REQUIRES: within its capacity: pages read from the file
    // are checked against it, and inserts and restructures make room before they add.
    void set_count(Node node, uint32_t address, int count) const
    {
        assert(count >= 0 && count <= node_capacity(address));
        node.set_count(count);
    }
};

// ---- Page cache (index_cache.cpp) -------------------------------------------------------------------

// The bytes of the node at address, read (and checked) when not cached; nullptr after marking the handle
// damaged. The pointer stays good while fewer than seven other pages are fetched.
uint8_t* node_bytes(Index& index, uint32_t address);
// Takes a new node at the end of the file, zeroed, valid and modified; nullptr when the file is full.
uint8_t* node_create(Index& index, uint32_t* address);
// Marks a cached node (or the root) modified.
void node_touch(Index& index, uint32_t address);
// Writes the root and every modified page, neighbouring pages together in one write; false when a write came
// up short.
bool cache_write_all(Index& index);
// Makes the cache hold up to count page buffers, all of them empty (what they held written first when
// changed).
void cache_reset(Index& index, int count);
// Marks the handle damaged, recording the node and the check (see index.h) unless damage was found before;
// returns kIndexDamaged for convenience.
int index_fail(Index& index, uint32_t page, const char* check);
// An operation's result, unless the handle was damaged on the way (a page write that came up short while
// evicting, say): then kIndexDamaged, whatever the operation found.
inline int settle(const Index* index, int result)
{
    return !index || index->damaged ? kIndexDamaged : result;
}
// Where the clean-close mark lives in the root: past the largest key area.
inline int mark_offset(const Index& index)
{
    return kNodeHeaderSize + 3 * index.capacity * index.entry_size;
}
// The entry count after a successful insert (+1) or delete (-1), while it is known.
inline void count_entries(Index& index, int change)
{
    if (index.entries >= 0)
        index.entries += change;
}

// True for an address that may hold a non-root node of this file.
bool address_plausible(const Index& index, uint32_t address);
// Checks a node's header and child addresses (the same checks as for a page read from disk): nullptr when
// they hold, else the name of the check that failed.
const char* node_check(const Index& index, uint32_t address, const uint8_t* bytes);
inline bool node_plausible(const Index& index, uint32_t address, const uint8_t* bytes)
{
    return node_check(index, address, bytes) == nullptr;
}

// ---- Searching (index_search.cpp) -------------------------------------------------------------------

enum class Compare { Less, Equal, Greater };

struct Stop {
    int position = 0;
    Compare result = Compare::Less;
};

// Scans a node's entries from the first (see search rules in index_search.cpp). With match_record set and a
// record other than 0, equal keys are told apart by record number.
Stop search_node(const Index& index, const Node& node, const uint8_t* key, uint32_t record, bool match_record);
// The child a descent takes after stopping at stop.
uint32_t child_after(const Node& node, const Stop& stop);
// <0, 0, >0: entry a before, equal to, after entry b in index order (keys, then descending records).
inline int compare_entries(const Index& index, const uint8_t* a, const uint8_t* b)
{
    int c = compare_keys(a, b, size_t(index.key_size));
    if (c != 0)
        return c;
    uint32_t ra = load_u32(a + index.key_size);
    uint32_t rb = load_u32(b + index.key_size);
    if (ra == rb)
        return 0;
    return ra > rb ? -1 : 1;  // equal keys: the larger record comes first
}
// Depth beyond which a descent must be going round in circles.
int depth_limit(const Index& index);

// The range a child's entries must lie in: at or after lower, before upper, each from a separator of an
// ancestor (none at the tree's edges).
struct Bounds {
    static constexpr size_t kLargestEntry = 1005 / 6;  // an index with M >= 6 has entries no larger
    std::array<uint8_t, kLargestEntry> lower;
    std::array<uint8_t, kLargestEntry> upper;
    bool has_lower = false;
    bool has_upper = false;
};
// Narrows bounds to the child a search stopped at (stop) in parent: the separators on its two sides.
void narrow_bounds(const Index& index, const Node& parent, const Stop& stop, Bounds* bounds);
// True when the child (at address) has its entries inside bounds; otherwise marks the handle damaged.
bool child_within(Index& index, uint32_t address, const uint8_t* child, const Bounds& bounds);

// The separator entry of the leaf a descent reached: the last entry through which it went to a right child.
struct Separator {
    bool marked = false;
    uint32_t node = 0;
    int position = 0;

    void step(uint32_t address, const Stop& stop);
};

// ---- Restructuring (index_distribute.cpp) -----------------------------------------------------------

struct Gathered {
    int position = 0;  // parent entry whose left child is the first of the three nodes
    std::array<uint32_t, 3> nodes {};
};

// Copies the child left of the entry at position, its right child and the next entry's right child (the
// entry before is used when position is the last) into the scratch buffer. False on damage.
bool gather(Index& index, uint32_t parent, int position, Gathered* out);
// Spreads the scratch over the existing nodes (none for a root split) plus as many new ones as needed,
// below parent at position. False on damage.
bool distribute(Index& index, uint32_t parent, int position, const uint32_t* existing, int existing_count);

// ---- Cursor (index_cursor.cpp) ----------------------------------------------------------------------

void set_cursor(Index& index, uint32_t node, int entry);
void copy_out(const Index& index, const Node& node, int entry, char* out_key, uint32_t* out_record);

}  // namespace store
