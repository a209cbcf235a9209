// Insert and delete. Both descend from the root and restructure on the way down, so the leaf they reach
// always has room for one more entry (insert) or one fewer (delete), and no split or merge has to travel
// back up: insert gathers a full child with two neighbours before entering it, delete a child at half its
// capacity.

#include "store/index_internal.h"

namespace store {

namespace {

enum class Mode { Insert, Delete };

// The root holds 3 * M keys: it moves, whole, into new nodes below it and the tree grows by one level.
bool split_root(Index& index)
{
    std::memcpy(index.scratch.data(), index.root.data(), kIndexRootSize);
    index.set_count(index.node(index.root.data()), 0, 0);
    return distribute(index, 0, 0, nullptr, 0);
}

// The root's three children fit in the root itself: they are copied up and abandoned; the tree shrinks by
// one level (and the root may become a leaf).
void collapse_root(Index& index)
{
    Node scratch = index.scratch_node();
    Node root = index.node(index.root.data());
    std::memcpy(root.entry(0), scratch.entry(0), size_t(scratch.count()) * index.entry_size);
    root.set_leftmost(scratch.leftmost());
    index.set_count(root, 0, scratch.count());
    root.set_leaf(scratch.leaf());
    index.root_modified = true;
}

bool needs_gathering(const Index& index, Mode mode, int child_count)
{
    if (mode == Mode::Insert)
        return child_count >= index.capacity;
    return child_count <= index.capacity / 2;
}

bool root_should_collapse(Index& index)
{
    return index.node(index.root.data()).count() == 2 && index.scratch_node().count() < 9 * index.capacity / 4;
}

struct Descent {
    uint32_t leaf = 0;
    Separator separator;
};

enum class Restructured { Nothing, Redistributed, Collapsed, Failed };

// Gathers the child a descent is about to enter with two neighbours when it is full (insert) or at half
// capacity (delete), and distributes them again, or, when the root's three children fit in it, lifts them
// into the root.
Restructured restructure(Index& index, Mode mode, uint32_t parent, const Stop& stop, uint32_t child)
{
    uint8_t* child_bytes = node_bytes(index, child);
    if (!child_bytes)
        return Restructured::Failed;
    if (!needs_gathering(index, mode, index.node(child_bytes).count()))
        return Restructured::Nothing;
    Gathered gathered;
    if (!gather(index, parent, stop.position, &gathered))
        return Restructured::Failed;
    if (mode == Mode::Delete && parent == 0 && root_should_collapse(index)) {
        collapse_root(index);
        return Restructured::Collapsed;
    }
    if (!distribute(index, parent, gathered.position, gathered.nodes.data(), 3))
        return Restructured::Failed;
    return Restructured::Redistributed;
}

// Walks from the root to the leaf for key, restructuring each child before entering it when it needs it.
// After a redistribution the parent is searched again, since the key's child may now be another node; after
// the root took its children in, the walk starts again from the root.
bool descend(Index& index, Mode mode, const uint8_t* key, uint32_t record, bool match_record, Descent* out)
{
    uint32_t address = 0;
    Separator separator;
    Bounds bounds;
    int steps = 0;
    for (int depth = 0; depth <= depth_limit(index) && steps <= 2 * kMaxDepth; ++depth, ++steps) {
        uint8_t* bytes = node_bytes(index, address);
        if (!bytes || !child_within(index, address, bytes, bounds))
            return false;
        Node node = index.node(bytes);
        if (node.leaf()) {
            *out = {address, separator};
            return true;
        }
        Stop stop = search_node(index, node, key, record, match_record);
        Restructured done = restructure(index, mode, address, stop, child_after(node, stop));
        if (done == Restructured::Failed)
            return false;
        if (done == Restructured::Collapsed) {
            separator = Separator();
            bounds = Bounds();
            depth = -1;
            continue;
        }
        if (done == Restructured::Redistributed) {
            bytes = node_bytes(index, address);
            if (!bytes)
                return false;
            node = index.node(bytes);
            stop = search_node(index, node, key, record, match_record);
        }
        separator.step(address, stop);
        narrow_bounds(index, node, stop, &bounds);
        address = child_after(node, stop);
    }
    index_fail(index, address, "depth");
    return false;
}

// Copies an entry's key and record into the separator above the leaf (its right child stays).
bool update_separator(Index& index, const Separator& separator, const uint8_t* entry)
{
    uint8_t* bytes = node_bytes(index, separator.node);
    if (!bytes)
        return false;
    Node node = index.node(bytes);
    if (separator.position < 0 || separator.position >= node.count())
        return false;
    std::memcpy(node.entry(separator.position), entry, size_t(index.key_size) + 4);
    node_touch(index, separator.node);
    return true;
}

int insert_entry(Index* index, const char* key, uint32_t record)
{
    if (index_damaged(index) || !index_begin_change(index))
        return kIndexDamaged;
    Index& ix = *index;
    const uint8_t* wanted = reinterpret_cast<const uint8_t*>(key);
    // Without duplicates the key alone decides, so a key present with another record is found too.
    bool match_record = ix.duplicates;
    if (ix.node(ix.root.data()).count() >= 3 * ix.capacity && !split_root(ix))
        return kIndexDamaged;
    Descent descent;
    if (!descend(ix, Mode::Insert, wanted, record, match_record, &descent))
        return kIndexDamaged;

    uint8_t* bytes = node_bytes(ix, descent.leaf);
    if (!bytes || ix.node(bytes).count() >= ix.node_capacity(descent.leaf))
        return index_fail(ix, descent.leaf, "count");
    Node leaf = ix.node(bytes);
    int count = leaf.count();
    Stop stop = search_node(ix, leaf, wanted, record, match_record);
    set_cursor(ix, descent.leaf, stop.position);
    if (stop.result == Compare::Equal)
        return kIndexExists;
    int slot = stop.result == Compare::Less ? stop.position : stop.position + 1;
    std::memmove(leaf.entry(slot + 1), leaf.entry(slot), size_t(count - slot) * ix.entry_size);
    std::memcpy(leaf.entry(slot), wanted, size_t(ix.key_size));
    leaf.set_record(slot, record);
    leaf.set_right(slot, 0);
    ix.set_count(leaf, descent.leaf, count + 1);
    node_touch(ix, descent.leaf);
    count_entries(ix, +1);
    if (slot == 0 && descent.separator.marked && !update_separator(ix, descent.separator, leaf.entry(0)))
        return index_fail(ix, descent.separator.node, "separator");
    return kIndexOk;
}

int delete_entry(Index* index, const char* key, uint32_t record)
{
    if (index_damaged(index) || !index_begin_change(index))
        return kIndexDamaged;
    Index& ix = *index;
    const uint8_t* wanted = reinterpret_cast<const uint8_t*>(key);
    Descent descent;
    if (!descend(ix, Mode::Delete, wanted, record, true, &descent))
        return kIndexDamaged;

    uint8_t* bytes = node_bytes(ix, descent.leaf);
    if (!bytes)
        return kIndexDamaged;  // node_bytes recorded why
    Node leaf = ix.node(bytes);
    Stop stop = search_node(ix, leaf, wanted, record, true);
    set_cursor(ix, descent.leaf, stop.position);
    if (stop.result != Compare::Equal)
        return kIndexNotFound;
    int count = leaf.count();
    std::memmove(
        leaf.entry(stop.position), leaf.entry(stop.position + 1), size_t(count - stop.position - 1) * ix.entry_size);
    ix.set_count(leaf, descent.leaf, count - 1);
    node_touch(ix, descent.leaf);
    count_entries(ix, -1);
    if (stop.position == 0 && count > 1 && descent.separator.marked
        && !update_separator(ix, descent.separator, leaf.entry(0)))
        return index_fail(ix, descent.separator.node, "separator");
    return kIndexOk;
}

}  // namespace

int index_insert(Index* index, const char* key, uint32_t record)
{
    return settle(index, insert_entry(index, key, record));
}

int index_delete(Index* index, const char* key, uint32_t record)
{
    return settle(index, delete_entry(index, key, record));
}

}  // namespace store
