#pragma once
// The index engine: an ordered set of fixed-length keys, each with a 32-bit record number, kept in a file of
// 1024-byte pages organised as a B+-tree. All keys live in the leaves, the leaves are chained both ways and
// internal nodes hold separator keys. Keys are compared as raw unsigned bytes, so callers format them so
// that byte order is the order they want (the point-number index right-aligns decimal numbers).
//
// ---- The file ---------------------------------------------------------------------------------------
//
// A sequence of 1024-byte pages. The root node occupies the first three pages (offsets 0..3071) and is read
// and written as one 3072-byte block; every other node is one page at a page-aligned offset of 3072 or
// more. A node's address is its byte offset; 0 means "none" everywhere except as the root's own address.
// Nodes are never freed: a new node is always taken at the end of the file.
//
// Node (all words 32-bit little-endian):
//
//   offset  size  content
//   0       4     bit 0: leaf flag (1 = leaf); bits 1..15: key count; bits 16..31: zero, preserved
//   4       4     previous leaf (leaves; 0 = first leaf)
//   8       4     next leaf (leaves; 0 = last leaf)
//   12      4     child holding every key less than the first key (internal nodes; 0 in leaves)
//   16      ...   key count entries, ascending
//
// Entry (entry size = key size + 8):
//
//   offset        size      content
//   0             key size  key bytes
//   key size      4         record number (leaf: the caller's record; internal: copied with the separator)
//   key size + 4  4         child holding the keys >= this key (internal nodes; 0 in leaves)
//
// The word at offset 12 sits directly before the first entry, so the child left of entry j is always the
// four bytes just before entry j.
//
// Capacity: M = floor(1005 / entry size) keys in a non-root node (50 for 12-byte keys, 41 for 16-byte
// keys); the root holds up to 3 * M. Keys ascend by byte comparison; in an index with duplicates, equal keys
// are ordered by descending record number. Every separator equals the first entry (key and record) of the
// subtree to its right.
//
// ---- The clean-close mark ----------------------------------------------------------------------------
//
// The root's tail past its largest key area (from 16 + 3 * M * entry size: byte 3016 of an index of 12-byte
// keys, 2968 of one of 16-byte keys) is free and zero, except between a clean close and the first change
// after the next open, when it holds the mark:
//
//   offset  size  content
//   T       8     "VrnClean"
//   T + 8   8     stamp: what the owner says the index was built from (the coordinate file's size)
//   T + 16  4     entries in the index
//   T + 20  4     checksum (FNV-1a) of the 20 bytes before
//
// A clean close writes every page, flushes, and only then writes the mark and flushes again, so a file that
// carries the mark is whole. The first change after an open clears the mark on disk (written and flushed)
// before anything else is written, so an index that a crash left half-written never carries it.
//
// ---- Memory -----------------------------------------------------------------------------------------
//
// Each handle keeps the root in memory and a write-back cache of seven pages. Changed pages reach the file
// when they are evicted or when the index is closed; a program that ends without closing loses them, and the
// index must then be rebuilt from the coordinate file.
//
// The seven pages are what a handheld could spare, and all that finds and single saves need. A bulk store
// departs from them on purpose: it gives each index a cache sized for the work (index_set_cache_pages),
// since a few thousand keys in no order would otherwise fetch and write back a page for nearly every key;
// its end gives the seven back. A larger cache holds more changed pages back from the file, which changes
// nothing for a crash: the first change clears the clean-close mark, so an index a crash interrupted is
// rebuilt from the records whatever pages reached it.
//
// ---- Damage -----------------------------------------------------------------------------------------
//
// Every page read from the file is checked before use: its key count within capacity, child and sibling
// addresses page-aligned and inside the file, the leaf chain linked both ways and ascending, the descent no
// deeper than the file has pages. A check that fails, a page that cannot be read in full and a page write
// that comes up short mark the handle damaged: that operation and every later one return kIndexDamaged
// and their out arguments are not to be used (the handle must still be closed). Rebuilding the index from
// the coordinate file is the cure.
//
// The handle records where the damage was found first: the address of the node (0 for the root) and the
// name of the check, one of
//   "address"    a child, sibling or cursor address not page-aligned inside the file
//   "read"       a page that could not be read in full
//   "count"      a key count over the node's capacity (a page read, or a leaf with no room left to insert)
//   "order"      a node's entries not ascending
//   "siblings"   a leaf's previous or next address not page-aligned inside the file, or three gathered
//                siblings that are not distinct leaves chained in order or internal nodes alike
//   "children"   an internal node with no entries, or a child address not page-aligned inside the file
//   "bounds"     a node's entries outside the range its parent's separators give it
//   "depth"      a descent deeper than the file has pages, or leaves at different depths
//   "loop"       a walk of the tree meeting more nodes than the file has pages
//   "chain"      the leaf chain not linking the leaves both ways in order
//   "parent"     a parent that cannot hold the separators a restructure gives it
//   "separator"  a separator above a leaf that is not where the descent left it
//   "full"       no room in the file for another node (32-bit addresses)
//   "write"      a page write (or the clearing of the clean-close mark) that came up short

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace store {

struct Index;  // one open index file; opaque

// Results. Where a call names only some of them, the others cannot occur (except kIndexDamaged).
constexpr int kIndexOk = 0;           // found exactly / done
constexpr int kIndexNextGreater = 1;  // find: stopped at the next greater entry (no match-record flag)
constexpr int kIndexNotFound = -1;    // find with match-record flag: stopped at the next greater entry;
                                      // delete: no such entry; next/previous: no cursor yet
constexpr int kIndexExists = -2;      // insert: the key (or, with duplicates, key and record) exists
constexpr int kIndexEnd = -3;         // past the last entry / before the first / empty index
constexpr int kIndexDamaged = -4;     // the file is damaged, a page could not be read or written, or the
                                      // handle is null; nothing more can be trusted until it is rebuilt

constexpr int kIndexPageSize = 1024;
constexpr int kIndexRootSize = 3072;

// Capacity M of a non-root node for a key size: floor(1005 / (key size + 8)).
int index_capacity(int key_size);

// Opens the index file at a device path, or creates it empty when it does not exist (a new file is 3072
// bytes after close: the root with only the leaf flag set). The file is held open unshared until close.
// Returns nullptr when M < 6 (key size above 159) or the key size is below 1, when the file can neither be
// opened nor created, when its size cannot be found, or when an existing file is damaged: shorter than the
// root, not a whole number of pages, or a root that fails the checks above.
Index* index_open(const std::u16string& path, int key_size, bool duplicates);

// Writes the root if it changed and every changed page, flushes and closes the file and frees the handle.
// Returns false when a write came up short (the file is then incomplete). A null handle is harmless (true).
// The file is left without the clean-close mark.
bool index_close(Index* index);

// Owns an open index and closes it (index_close) when it goes. get() is the handle for the calls here;
// release() gives it up to a caller that closes it another way (index_close_clean, say).
struct IndexCloser {
    void operator()(Index* index) const { index_close(index); }
};
using IndexHandle = std::unique_ptr<Index, IndexCloser>;

struct IndexMark {
    uint64_t stamp = 0;
    uint32_t entries = 0;
};

// Closes as index_close; then, when every page reached the disk and the handle found no damage, writes the
// clean-close mark with this stamp and the number of entries. False when the mark was not written.
bool index_close_clean(Index* index, uint64_t stamp);

// The clean-close mark the file carried when it was opened; none for a new file, one not closed cleanly, or
// a null handle.
std::optional<IndexMark> index_open_mark(const Index* index);

// Clears the clean-close mark on disk (written and flushed) when the file still carries it. Insert and
// delete do this themselves; an owner calls it before it changes what the stamp describes. False, with the
// handle damaged, when the mark could not be cleared; true for a null handle.
bool index_begin_change(Index* index);

// Gives the index a cache of `pages` page buffers (at least seven, at most 65536): the changed pages it holds
// are written first, neighbouring ones together, and the new cache starts empty. A null handle is harmless.
void index_set_cache_pages(Index* index, int pages);

// The entry at position i of a sorted run: its key (key size bytes) and record.
using IndexEntryAt = std::function<void(size_t i, const char** key, uint32_t* record)>;

// Fills an empty index with count entries given in index order (keys ascending, equal keys by descending
// record; equal keys only in an index with duplicates), bottom-up: the leaves written once, full (M entries,
// the most any node may hold, the root 3 * M), at the end of the file in order, then each level of
// internal nodes above them, full too, and the root last; only the last two nodes of a level share what is
// left, so that neither is under half full. The index then holds the same entries, in the same order, as
// one filled by inserting them one by one, and passes the same checks; later inserts and deletes
// restructure it as any other tree. Returns kIndexOk; kIndexExists, with nothing changed, when the index is
// not empty or the entries are not strictly in index order; kIndexDamaged.
int index_fill_sorted(Index* index, size_t count, const IndexEntryAt& entry_at);

// Reads every node of the tree and checks it: the page checks above, every node's entries inside the range
// its parent's separators give it, all leaves at one depth, and the leaf chain linking the leaves in tree
// order. The number of entries, or -1 with the handle damaged.
int64_t index_verify(Index* index);

// Finds key (key size bytes) and, when match_record is set and record is not 0, that record too.
// Returns kIndexOk when such an entry exists; otherwise kIndexNextGreater (kIndexNotFound with match_record)
// when the search stopped at the next greater entry, and kIndexEnd when the key is greater than every entry
// or the index is empty. Unless the index is empty, key receives the key of the entry where the search
// stopped (the last entry for kIndexEnd) and *out_record its record number; an empty index leaves key as
// it is and gives record 0. The cursor is left at that entry. out_record may be null.
int index_find(Index* index, char* key, uint32_t record, bool match_record, uint32_t* out_record);

// Inserts key with record. Returns kIndexOk, or kIndexExists when the key is present (index without
// duplicates) or the same key with the same record is present (with duplicates); nothing changes then.
int index_insert(Index* index, const char* key, uint32_t record);

// Removes the entry with key and record. Returns kIndexOk, or kIndexNotFound when there is none.
int index_delete(Index* index, const char* key, uint32_t record);

// The smallest / largest entry: kIndexOk, or kIndexEnd when the index is empty. Sets the cursor.
int index_first(Index* index, char* out_key, uint32_t* out_record);
int index_last(Index* index, char* out_key, uint32_t* out_record);

// The entry after / before the cursor, which moves there: kIndexOk, kIndexEnd past the end or before the
// start (the cursor stays), kIndexNotFound when no find, insert, delete, first or last has set a cursor.
int index_next(Index* index, char* out_key, uint32_t* out_record);
int index_previous(Index* index, char* out_key, uint32_t* out_record);

// Every out argument above may be null. Keys are key size bytes, not NUL-terminated.

// True once damage was found (see above); false for a healthy handle. A null handle counts as damaged.
bool index_damaged(const Index* index);

// Where damage was found first: the node's address (0: the root) and the name of the check that failed
// (see "Damage" above; a string literal that lives for the program).
struct IndexDamage {
    uint32_t page = 0;
    const char* check = "";
};
// The first damage the handle found; none while it is healthy, and none for a null handle.
std::optional<IndexDamage> index_damage(const Index* index);
int index_key_size(const Index* index);  // 0 for a null handle

}  // namespace store
