// Searching a node and the bookkeeping of a descent from the root.

#include "store/index_internal.h"

namespace store {

// Scan rules. An empty node stops at the first slot with Less. Otherwise the entries are compared with the
// key byte by byte from the first: a key greater than the entry goes on, a smaller one stops with Less. An
// equal key stops with Equal, unless records are matched: then the same record is Equal, a smaller searched
// record goes on (equal keys hold descending records) and a larger one stops with Less. Passing every entry
// stops at the last one with Greater.
//
// The entries a scan goes on past are exactly those before the searched key (and record) in index order,
// and a node's entries are in index order (every page read is checked for it), so they form a prefix: the
// stop is found by halving the node instead of comparing every entry before it, with the same result.
Stop search_node(const Index& index, const Node& node, const uint8_t* key, uint32_t record, bool match_record)
{
    int count = node.count();
    if (count == 0)
        return {0, Compare::Less};
    bool by_record = match_record && record != 0;
    const size_t size = size_t(index.key_size);
    auto goes_on = [&](int j) {
        int c = compare_keys(key, node.entry(j), size);
        return c > 0 || (c == 0 && by_record && record < node.record(j));
    };
    int low = 0;
    int high = count;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (goes_on(middle))
            low = middle + 1;
        else
            high = middle;
    }
    if (low == count)
        return {count - 1, Compare::Greater};
    int c = compare_keys(key, node.entry(low), size);
    if (c < 0 || (by_record && record != node.record(low)))
        return {low, Compare::Less};
    return {low, Compare::Equal};
}

uint32_t child_after(const Node& node, const Stop& stop)
{
    if (stop.result == Compare::Less)
        return node.child_left_of(stop.position);
    return node.right(stop.position);
}

int depth_limit(const Index& index)
{
    uint32_t pages = (index.next_free - kFirstPageAddress) / kIndexPageSize;
    return pages + 1 < uint32_t(kMaxDepth) ? int(pages) + 1 : kMaxDepth;
}

// A step into the leftmost child (Less at the first entry) keeps the separator already remembered: the leaf
// finally reached is the leftmost leaf below it. Any other step goes through some entry's right child, and
// that entry becomes the separator.
void Separator::step(uint32_t address, const Stop& stop)
{
    if (stop.result == Compare::Less && stop.position == 0)
        return;
    marked = true;
    node = address;
    position = stop.result == Compare::Less ? stop.position - 1 : stop.position;
}

}  // namespace store

namespace store {

void narrow_bounds(const Index& index, const Node& parent, const Stop& stop, Bounds* bounds)
{
    // The child right of entry p lies between entry p and entry p + 1; the child left of entry p between
    // entry p - 1 and entry p. A side without a separator in this node keeps the ancestors' bound.
    int left = stop.result == Compare::Less ? stop.position - 1 : stop.position;
    const size_t size = size_t(index.key_size) + 4;
    if (left >= 0 && left < parent.count()) {
        std::memcpy(bounds->lower.data(), parent.entry(left), size);
        bounds->has_lower = true;
    }
    if (left + 1 < parent.count()) {
        std::memcpy(bounds->upper.data(), parent.entry(left + 1), size);
        bounds->has_upper = true;
    }
}

bool child_within(Index& index, uint32_t address, const uint8_t* child, const Bounds& bounds)
{
    Node node = index.node(const_cast<uint8_t*>(child));
    int count = node.count();
    if (count == 0)
        return true;
    bool inside = (!bounds.has_lower || compare_entries(index, node.entry(0), bounds.lower.data()) >= 0)
        && (!bounds.has_upper || compare_entries(index, node.entry(count - 1), bounds.upper.data()) < 0);
    if (!inside)
        index_fail(index, address, "bounds");
    return inside;
}

}  // namespace store
