// Gathering three sibling nodes into the scratch buffer and distributing the scratch back over as many
// nodes as its entries need. Insert gathers a full child before entering it, delete a child at half its
// capacity; a root split distributes the whole root into new nodes below it.

#include <algorithm>

#include "store/index_internal.h"

namespace store {

namespace {

constexpr int kMaxNodes = 8;  // a distribution never needs more than five

struct Sibling {
    uint32_t address = 0;
    int count = 0;
    bool leaf = false;
    uint32_t prev = 0;
    uint32_t next = 0;
    uint32_t leftmost = 0;
};

bool read_sibling(Index& index, uint32_t address, Sibling* out)
{
    uint8_t* bytes = node_bytes(index, address);
    if (!bytes)
        return false;
    Node node = index.node(bytes);
    *out = {address, node.count(), node.leaf(), node.prev(), node.next(), node.leftmost()};
    return true;
}

// The three siblings must be distinct nodes of one kind; leaves must be chained to each other.
bool siblings_consistent(const std::array<Sibling, 3>& s)
{
    if (s[0].address == s[1].address || s[1].address == s[2].address || s[0].address == s[2].address)
        return false;
    if (s[0].leaf != s[1].leaf || s[1].leaf != s[2].leaf)
        return false;
    if (!s[0].leaf)
        return true;
    return s[0].next == s[1].address && s[1].prev == s[0].address && s[1].next == s[2].address
        && s[2].prev == s[1].address;
}

// The scratch receives the first node's leftmost child and the three nodes' entries in order; between
// internal nodes the parent entry comes down, carrying the next node's leftmost child as its right child.
void fill_scratch(Index& index, const std::array<Sibling, 3>& s, const std::vector<uint8_t>& separators, int total)
{
    bool leaf = s[0].leaf;
    Node scratch = index.scratch_node();
    std::fill(scratch.bytes(), scratch.bytes() + kNodeHeaderSize, 0);
    scratch.set_leaf(leaf);
    scratch.set_count(total);
    scratch.set_leftmost(s[0].leftmost);
    int at = 0;
    for (int i = 0; i < 3; ++i) {
        uint8_t* bytes = node_bytes(index, s[i].address);
        assert(bytes);  // read by gather just before, and still cached: a cache holds at least four pages
        Node from = index.node(bytes);
        std::memcpy(scratch.entry(at), from.entry(0), size_t(s[i].count) * index.entry_size);
        at += s[i].count;
        if (leaf || i == 2)
            continue;
        std::memcpy(scratch.entry(at), separators.data() + i * index.entry_size, size_t(index.entry_size));
        scratch.set_right(at, s[i + 1].leftmost);
        ++at;
    }
}

// Each gathered node was checked alone when it was read; together, with the parent's separators brought
// down between them, their entries must ascend as well. Nodes that overlap are damage the page checks
// cannot see, and spreading them over new nodes would leave disorder in pages trusted from memory.
bool scratch_ascends(Index& index, int total)
{
    Node scratch = index.scratch_node();
    for (int j = 1; j < total; ++j) {
        if (compare_entries(index, scratch.entry(j - 1), scratch.entry(j)) >= 0)
            return false;
    }
    return true;
}

}  // namespace

bool gather(Index& index, uint32_t parent, int position, Gathered* out)
{
    uint8_t* parent_bytes = node_bytes(index, parent);
    if (!parent_bytes)
        return false;
    Node p = index.node(parent_bytes);
    int g = std::min(position, p.count() - 2);
    if (p.leaf() || g < 0) {
        index_fail(index, parent, "parent");
        return false;
    }
    std::vector<uint8_t> separators(p.entry(g), p.entry(g + 2));
    std::array<uint32_t, 3> addresses {p.child_left_of(g), p.right(g), p.right(g + 1)};

    std::array<Sibling, 3> s;
    for (int i = 0; i < 3; ++i) {
        if (!read_sibling(index, addresses[i], &s[i]))
            return false;
    }
    int total = s[0].count + s[1].count + s[2].count + (s[0].leaf ? 0 : 2);
    if (!siblings_consistent(s) || kNodeHeaderSize + size_t(total) * index.entry_size > index.scratch.size()) {
        index_fail(index, addresses[0], "siblings");
        return false;
    }
    // The three nodes were just read and the cache holds seven, so their pages are all still there.
    fill_scratch(index, s, separators, total);
    if (!scratch_ascends(index, total)) {
        index_fail(index, addresses[0], "siblings");
        return false;
    }
    out->position = g;
    out->nodes = addresses;
    return true;
}

namespace {

struct Plan {
    bool leaf = false;
    int entries = 0;
    int per_node = 0;      // s: entries each node after the first can take
    int minimum_step = 0;  // t: entries each node after the first must take

    int capacity(const Index& index, int k) const { return (index.capacity - 1) + (k - 1) * per_node; }
    int minimum(const Index& index, int k) const { return (index.capacity / 2 + 1) + (k - 1) * minimum_step; }
};

// A new node after the current last one; leaves are chained in after it.
bool add_node(Index& index, const Plan& plan, std::vector<uint32_t>& nodes)
{
    uint32_t address = 0;
    if (!node_create(index, &address))
        return false;
    if (plan.leaf && !nodes.empty()) {
        uint32_t last = nodes.back();
        uint8_t* last_bytes = node_bytes(index, last);
        if (!last_bytes)
            return false;
        Node l = index.node(last_bytes);
        uint32_t after = l.next();
        l.set_next(address);
        node_touch(index, last);
        uint8_t* added_bytes = node_bytes(index, address);
        assert(added_bytes);  // made just before, and still cached
        Node added = index.node(added_bytes);
        added.set_prev(last);
        added.set_next(after);
    }
    nodes.push_back(address);
    return true;
}

// Drops the last node; the node before it takes over its next-leaf link. The dropped node is abandoned.
bool drop_node(Index& index, const Plan& plan, std::vector<uint32_t>& nodes)
{
    uint32_t dropped = nodes.back();
    nodes.pop_back();
    if (!plan.leaf)
        return true;
    uint8_t* dropped_bytes = node_bytes(index, dropped);
    if (!dropped_bytes)
        return false;
    uint32_t after = index.node(dropped_bytes).next();
    uint8_t* last_bytes = node_bytes(index, nodes.back());
    if (!last_bytes)
        return false;
    index.node(last_bytes).set_next(after);
    node_touch(index, nodes.back());
    return true;
}

// Adds nodes while the entries do not fit and drops the last while they are too few for the nodes (never
// dropping below what the rest could hold, so the adjustment always ends).
bool fit_nodes(Index& index, const Plan& plan, std::vector<uint32_t>& nodes)
{
    for (;;) {
        int k = int(nodes.size());
        if (k >= kMaxNodes)
            return false;
        if (k == 0 || plan.entries > plan.capacity(index, k)) {
            if (!add_node(index, plan, nodes))
                return false;
            continue;
        }
        if (k >= 2 && plan.entries < plan.minimum(index, k) && plan.entries <= plan.capacity(index, k - 1)) {
            if (!drop_node(index, plan, nodes))
                return false;
            continue;
        }
        return true;
    }
}

// When the number of nodes changed: the leaf after the last node points back to it, and the parent's
// entries after the separators move to make room for one separator per node but the first.
bool adjust_parent(
    Index& index, const Plan& plan, uint32_t parent, int position, int old_nodes, const std::vector<uint32_t>& nodes)
{
    int new_nodes = int(nodes.size());
    if (plan.leaf) {
        uint8_t* last_bytes = node_bytes(index, nodes.back());
        if (!last_bytes)
            return false;
        uint32_t after = index.node(last_bytes).next();
        if (after != 0) {
            uint8_t* after_bytes = node_bytes(index, after);
            if (!after_bytes)
                return false;
            index.node(after_bytes).set_prev(nodes.back());
            node_touch(index, after);
        }
    }
    uint8_t* parent_bytes = node_bytes(index, parent);
    if (!parent_bytes)
        return false;
    Node p = index.node(parent_bytes);
    int old_separators = std::max(old_nodes - 1, 0);
    int new_separators = new_nodes - 1;
    int count = p.count();
    int moved = count - position - old_separators;
    if (moved < 0 || count + new_separators - old_separators > index.node_capacity(parent))
        return false;
    std::memmove(
        p.entry(position + new_separators), p.entry(position + old_separators), size_t(moved) * index.entry_size);
    index.set_count(p, parent, count + new_separators - old_separators);
    node_touch(index, parent);
    return true;
}

// Writes node i's share of the scratch, starting at scratch entry `from`, and its separator in the parent.
bool fill_node(
    Index& index, const Plan& plan, uint32_t parent, int position, uint32_t address, int i, int from, int share)
{
    Node scratch = index.scratch_node();
    const uint8_t* first = scratch.entry(from);
    if (i > 0) {
        uint8_t* parent_bytes = node_bytes(index, parent);
        if (!parent_bytes)
            return false;
        Node p = index.node(parent_bytes);
        std::memcpy(p.entry(position + i - 1), first, size_t(index.entry_size));
        p.set_right(position + i - 1, address);
        node_touch(index, parent);
    }
    uint8_t* bytes = node_bytes(index, address);
    if (!bytes)
        return false;
    Node d = index.node(bytes);
    uint32_t leftmost = 0;
    if (!plan.leaf)
        leftmost = i == 0 ? scratch.leftmost() : scratch.right(from);
    // An internal node after the first gives its first entry up to the parent.
    int skip = (!plan.leaf && i > 0) ? 1 : 0;
    std::memcpy(d.entry(0), scratch.entry(from + skip), size_t(share - skip) * index.entry_size);
    d.set_leftmost(leftmost);
    index.set_count(d, address, share - skip);
    d.set_leaf(plan.leaf);
    node_touch(index, address);
    return true;
}

}  // namespace

bool distribute(Index& index, uint32_t parent, int position, const uint32_t* existing, int existing_count)
{
    Node scratch = index.scratch_node();
    int m = index.capacity;
    Plan plan;
    plan.leaf = scratch.leaf();
    plan.entries = scratch.count();
    plan.per_node = plan.leaf ? m - 1 : m;
    plan.minimum_step = plan.leaf ? m / 2 + 1 : (m + 1) / 2 + 1;

    std::vector<uint32_t> nodes(existing, existing + existing_count);
    if (!fit_nodes(index, plan, nodes)) {
        index_fail(index, parent, "parent");
        return false;
    }
    int k = int(nodes.size());
    int q = plan.entries / k;
    int r = plan.entries % k;
    if (q < (plan.leaf ? 1 : 2)
        || (int(nodes.size()) != existing_count
            && !adjust_parent(index, plan, parent, position, existing_count, nodes))) {
        index_fail(index, parent, "parent");
        return false;
    }

    int from = 0;
    for (int i = 0; i < k; ++i) {
        int share = (i > 0 && i <= r) ? q + 1 : q;
        if (!fill_node(index, plan, parent, position, nodes[i], i, from, share))
            return false;
        from += share;
    }
    uint8_t* parent_bytes = node_bytes(index, parent);
    if (!parent_bytes)
        return false;
    Node p = index.node(parent_bytes);
    p.set_child_left_of(position, nodes[0]);
    p.set_leaf(false);
    node_touch(index, parent);
    return true;
}

}  // namespace store
