// Find and the cursor: first, last, next and previous.

#include <algorithm>

#include "store/index_internal.h"

namespace store {

void set_cursor(Index& index, uint32_t node, int entry)
{
    index.has_cursor = true;
    index.cursor_node = node;
    index.cursor_entry = entry;
}

void copy_out(const Index& index, const Node& node, int entry, char* out_key, uint32_t* out_record)
{
    if (out_key)
        std::memcpy(out_key, node.entry(entry), size_t(index.key_size));
    if (out_record)
        *out_record = node.record(entry);
}

namespace {

enum class Step { Moved, End, Damaged };

// Moves address to the next (or previous) leaf of the chain. The leaf reached must be a non-empty leaf that
// links back and continues the order, so a damaged chain can neither loop nor lead out of the leaves.
Step step_leaf(Index& index, uint32_t& address, bool forward)
{
    uint8_t* bytes = node_bytes(index, address);
    if (!bytes)
        return Step::Damaged;
    Node from = index.node(bytes);
    uint32_t to = forward ? from.next() : from.prev();
    if (to == 0)
        return Step::End;
    std::vector<uint8_t> edge;
    if (from.count() > 0) {
        const uint8_t* e = from.entry(forward ? from.count() - 1 : 0);
        edge.assign(e, e + index.entry_size);
    }
    uint8_t* to_bytes = node_bytes(index, to);
    if (!to_bytes)
        return Step::Damaged;
    Node next = index.node(to_bytes);
    bool linked = (forward ? next.prev() : next.next()) == address;
    bool usable = next.leaf() && next.count() > 0 && linked;
    if (usable && !edge.empty()) {
        const uint8_t* other = next.entry(forward ? 0 : next.count() - 1);
        int order = compare_entries(index, edge.data(), other);
        usable = forward ? order < 0 : order > 0;
    }
    if (!usable) {
        index_fail(index, to, "chain");
        return Step::Damaged;
    }
    address = to;
    return Step::Moved;
}

// The leaf a search for key reaches from the root; false on damage.
bool descend(Index& index, const uint8_t* key, uint32_t record, bool match_record, uint32_t* leaf)
{
    uint32_t address = 0;
    Bounds bounds;
    for (int depth = 0; depth <= depth_limit(index); ++depth) {
        uint8_t* bytes = node_bytes(index, address);
        if (!bytes || !child_within(index, address, bytes, bounds))
            return false;
        Node node = index.node(bytes);
        if (node.leaf()) {
            *leaf = address;
            return true;
        }
        Stop stop = search_node(index, node, key, record, match_record);
        narrow_bounds(index, node, stop, &bounds);
        address = child_after(node, stop);
    }
    index_fail(index, address, "depth");
    return false;
}

// The first (or last) leaf, through leftmost children (or the right child of every last entry).
bool descend_to_edge(Index& index, bool last, uint32_t* leaf)
{
    uint32_t address = 0;
    for (int depth = 0; depth <= depth_limit(index); ++depth) {
        uint8_t* bytes = node_bytes(index, address);
        if (!bytes)
            return false;
        Node node = index.node(bytes);
        if (node.leaf()) {
            *leaf = address;
            return true;
        }
        address = last ? node.right(node.count() - 1) : node.leftmost();
    }
    index_fail(index, address, "depth");
    return false;
}

int edge_entry(Index* index, bool last, char* out_key, uint32_t* out_record)
{
    if (out_record)
        *out_record = 0;
    if (index_damaged(index))
        return kIndexDamaged;
    uint32_t leaf = 0;
    if (!descend_to_edge(*index, last, &leaf))
        return kIndexDamaged;
    Node node = index->node(node_bytes(*index, leaf));
    if (node.count() == 0) {
        set_cursor(*index, leaf, 0);
        return kIndexEnd;
    }
    int entry = last ? node.count() - 1 : 0;
    set_cursor(*index, leaf, entry);
    copy_out(*index, node, entry, out_key, out_record);
    return kIndexOk;
}

int cursor_step(Index* index, bool forward, char* out_key, uint32_t* out_record)
{
    if (out_record)
        *out_record = 0;
    if (index_damaged(index))
        return kIndexDamaged;
    if (!index->has_cursor)
        return kIndexNotFound;
    uint8_t* bytes = node_bytes(*index, index->cursor_node);
    if (!bytes || !index->node(bytes).leaf())
        return index_fail(*index, index->cursor_node, "chain");
    Node node = index->node(bytes);
    int entry = forward ? index->cursor_entry + 1 : std::min(index->cursor_entry, node.count()) - 1;
    uint32_t leaf = index->cursor_node;
    if (entry < 0 || entry >= node.count()) {
        Step step = step_leaf(*index, leaf, forward);
        if (step != Step::Moved)
            return step == Step::End ? kIndexEnd : kIndexDamaged;
        node = index->node(node_bytes(*index, leaf));
        entry = forward ? 0 : node.count() - 1;
    }
    set_cursor(*index, leaf, entry);
    copy_out(*index, node, entry, out_key, out_record);
    return kIndexOk;
}

int find_entry(Index* index, char* key, uint32_t record, bool match_record, uint32_t* out_record)
{
    if (out_record)
        *out_record = 0;
    if (index_damaged(index))
        return kIndexDamaged;
    const uint8_t* wanted = reinterpret_cast<const uint8_t*>(key);
    uint32_t leaf = 0;
    if (!descend(*index, wanted, record, match_record, &leaf))
        return kIndexDamaged;
    // Passing every entry of a leaf continues in the next one, so a search that lands one leaf early (a key
    // between two leaves) still stops at the next greater entry.
    Stop stop;
    for (;;) {
        uint8_t* bytes = node_bytes(*index, leaf);
        if (!bytes)
            return kIndexDamaged;
        Node node = index->node(bytes);
        stop = search_node(*index, node, wanted, record, match_record);
        if (stop.result != Compare::Greater)
            break;
        uint32_t next = leaf;
        Step step = step_leaf(*index, next, true);
        if (step == Step::Damaged)
            return kIndexDamaged;
        if (step == Step::End)
            break;
        leaf = next;
    }
    Node node = index->node(node_bytes(*index, leaf));
    set_cursor(*index, leaf, stop.position);
    if (node.count() == 0)
        return kIndexEnd;
    copy_out(*index, node, stop.position, key, out_record);
    if (stop.result == Compare::Equal)
        return kIndexOk;
    if (stop.result == Compare::Greater)
        return kIndexEnd;
    return match_record ? kIndexNotFound : kIndexNextGreater;
}

}  // namespace

int index_find(Index* index, char* key, uint32_t record, bool match_record, uint32_t* out_record)
{
    return settle(index, find_entry(index, key, record, match_record, out_record));
}

int index_first(Index* index, char* out_key, uint32_t* out_record)
{
    return settle(index, edge_entry(index, false, out_key, out_record));
}

int index_last(Index* index, char* out_key, uint32_t* out_record)
{
    return settle(index, edge_entry(index, true, out_key, out_record));
}

int index_next(Index* index, char* out_key, uint32_t* out_record)
{
    return settle(index, cursor_step(index, true, out_key, out_record));
}

int index_previous(Index* index, char* out_key, uint32_t* out_record)
{
    return settle(index, cursor_step(index, false, out_key, out_record));
}

}  // namespace store
