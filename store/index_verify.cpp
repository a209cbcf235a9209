// Checking a whole index tree: every node read once, from the root down, against the range its separators
// give it, and the leaves against their chain.

#include "store/index_internal.h"

namespace store {

namespace {

struct Walk {
    int leaf_depth = -1;         // depth of the first leaf reached; every leaf must lie there
    uint32_t previous_leaf = 0;  // the leaf before in tree order (0: none yet)
    int64_t entries = 0;
    int64_t nodes = 0;  // nodes visited: more than the file has pages means a loop
};

// Marks the handle damaged at a node that failed a check; false, to end the walk.
bool fail(Index& index, uint32_t address, const char* check)
{
    index_fail(index, address, check);
    return false;
}

// False, with the handle damaged, at the first node that fails a check.
bool visit(Index& index, uint32_t address, const Bounds& bounds, int depth, Walk& walk)
{
    if (depth > depth_limit(index))
        return fail(index, address, "depth");
    if (++walk.nodes > int64_t(index.next_free / kIndexPageSize) + 1)
        return fail(index, address, "loop");
    uint8_t* bytes = node_bytes(index, address);
    if (!bytes || !child_within(index, address, bytes, bounds))
        return false;
    Node node = index.node(bytes);
    if (node.leaf()) {
        if (walk.leaf_depth < 0)
            walk.leaf_depth = depth;
        if (depth != walk.leaf_depth)
            return fail(index, address, "depth");
        // The chain must link the leaves in the order the tree holds them.
        if (address != 0 && node.prev() != walk.previous_leaf)
            return fail(index, address, "chain");
        walk.previous_leaf = address;
        walk.entries += node.count();
        return true;
    }
    // Copied out: the node's buffer may be reused while its children are read.
    std::vector<uint8_t> copy(bytes, bytes + (address == 0 ? kIndexRootSize : kIndexPageSize));
    Node own = index.node(copy.data());
    for (int j = -1; j < own.count(); ++j) {
        Stop stop = j < 0 ? Stop {0, Compare::Less} : Stop {j, Compare::Equal};
        Bounds inner = bounds;
        narrow_bounds(index, own, stop, &inner);
        if (!visit(index, child_after(own, stop), inner, depth + 1, walk))
            return false;
    }
    return true;
}

// The last leaf in tree order must end the chain.
bool chain_ends(Index& index, uint32_t last_leaf)
{
    if (last_leaf == 0)
        return true;
    uint8_t* bytes = node_bytes(index, last_leaf);
    if (!bytes)
        return false;
    return index.node(bytes).next() == 0 || fail(index, last_leaf, "chain");
}

}  // namespace

int64_t index_verify(Index* index)
{
    if (index_damaged(index))
        return -1;
    Walk walk;
    if (!visit(*index, 0, Bounds(), 0, walk) || !chain_ends(*index, walk.previous_leaf))
        return -1;  // the handle is damaged, and says where
    index->entries = walk.entries;
    return walk.entries;
}

}  // namespace store
