// Filling an empty index from entries already in index order, bottom-up: the leaves written once, in
// order, at the end of the file, then each level of internal nodes above them, and the root last. Nodes
// hold as many entries as the engine lets any node hold (M; the root 3 * M), except the last two of a level,
// which share what is left so that neither is under half full. The pages go to the file in runs of
// neighbouring pages, one write each, past the page cache.

#include <algorithm>
#include <functional>

#include "store/index_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr size_t kRunPages = 64;  // pages gathered for one write

// Consecutive new nodes at the end of the file, written a run at a time.
class PageRun {
public:
    explicit PageRun(Index& index)
        : m_index(index)
    {
    }

    // A zeroed page for the next node; nullptr when the file has no room for it (the handle is damaged).
    uint8_t* take(uint32_t* address)
    {
        if (uint64_t(m_index.next_free) + kIndexPageSize > 0xFFFFF000u) {
            index_fail(m_index, m_index.next_free, "full");
            return nullptr;
        }
        if (m_pages == kRunPages && !write())
            return nullptr;
        if (m_pages == 0)
            m_first = m_index.next_free;
        *address = m_index.next_free;
        m_index.next_free += kIndexPageSize;
        uint8_t* page = m_bytes.data() + m_pages * kIndexPageSize;
        std::memset(page, 0, kIndexPageSize);
        ++m_pages;
        return page;
    }

    // Writes the pages taken since the last write; false, with the handle damaged, when it came up short.
    bool write()
    {
        uint32_t size = uint32_t(m_pages * kIndexPageSize);
        m_pages = 0;
        if (size == 0 || files::write_at(m_index.file, m_first, m_bytes.data(), size) == size)
            return true;
        m_index.write_failed = true;
        index_fail(m_index, m_first, "write");
        return false;
    }

private:
    Index& m_index;
    std::vector<uint8_t> m_bytes = std::vector<uint8_t>(kRunPages * kIndexPageSize);
    size_t m_pages = 0;
    uint32_t m_first = 0;
};

// How many items each node of a level takes: per_node each, the last two sharing the rest evenly when the
// last would hold fewer than minimum.
std::vector<int> shares(size_t items, int per_node, int minimum)
{
    size_t nodes = (items + size_t(per_node) - 1) / size_t(per_node);
    std::vector<int> out(nodes, per_node);
    out.back() = int(items - (nodes - 1) * size_t(per_node));
    if (nodes >= 2 && out.back() < minimum) {
        int both = per_node + out.back();
        out[nodes - 2] = both - both / 2;
        out[nodes - 1] = both / 2;
    }
    return out;
}

// The entries, each made whole (key, record, child 0), checked to ascend strictly in index order.
bool gather_entries(const Index& index, size_t count, const IndexEntryAt& entry_at, std::vector<uint8_t>* out)
{
    const size_t size = size_t(index.entry_size);
    out->assign(count * size, 0);
    for (size_t i = 0; i < count; ++i) {
        const char* key = nullptr;
        uint32_t record = 0;
        entry_at(i, &key, &record);
        uint8_t* entry = out->data() + i * size;
        std::memcpy(entry, key, size_t(index.key_size));
        store_u32(entry + index.key_size, record);
        if (i == 0)
            continue;
        const uint8_t* before = entry - size;
        int order = compare_entries(index, before, entry);
        if (order >= 0 || (!index.duplicates && std::memcmp(before, entry, size_t(index.key_size)) == 0))
            return false;
    }
    return true;
}

// Writes the leaves; *level receives one entry per leaf: its first entry with the leaf as right child.
bool write_leaves(Index& index, PageRun& run, const std::vector<uint8_t>& entries, std::vector<uint8_t>* level)
{
    const size_t size = size_t(index.entry_size);
    std::vector<int> counts = shares(entries.size() / size, index.capacity, index.capacity / 2 + 1);
    level->assign(counts.size() * size, 0);
    size_t from = 0;
    uint32_t previous = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        uint32_t address = 0;
        uint8_t* bytes = run.take(&address);
        if (!bytes)
            return false;
        Node leaf = index.node(bytes);
        leaf.set_leaf(true);
        index.set_count(leaf, address, counts[i]);
        leaf.set_prev(previous);
        // Leaves are taken one after another, so the next one lies on the next page.
        leaf.set_next(i + 1 < counts.size() ? address + kIndexPageSize : 0);
        std::memcpy(leaf.entry(0), entries.data() + from * size, size_t(counts[i]) * size);
        uint8_t* separator = level->data() + i * size;
        std::memcpy(separator, entries.data() + from * size, size);
        store_u32(separator + size - 4, address);
        from += size_t(counts[i]);
        previous = address;
    }
    return run.write();
}

// Builds one internal node over children[first .. first + children): the first child leftmost, the others'
// entries after it.
void fill_internal(Index& index, Node node, uint32_t address, const uint8_t* children, int count)
{
    const size_t size = size_t(index.entry_size);
    node.set_leaf(false);
    node.set_leftmost(load_u32(children + size - 4));
    index.set_count(node, address, count - 1);
    std::memcpy(node.entry(0), children + size, size_t(count - 1) * size);
}

// Writes one level of internal nodes over the level below; *level becomes this level's entries.
bool write_internal_level(Index& index, PageRun& run, std::vector<uint8_t>* level)
{
    const size_t size = size_t(index.entry_size);
    std::vector<int> counts = shares(level->size() / size, index.capacity + 1, index.capacity / 2 + 2);
    std::vector<uint8_t> above(counts.size() * size, 0);
    size_t from = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        uint32_t address = 0;
        uint8_t* bytes = run.take(&address);
        if (!bytes)
            return false;
        const uint8_t* children = level->data() + from * size;
        fill_internal(index, index.node(bytes), address, children, counts[i]);
        std::memcpy(above.data() + i * size, children, size);
        store_u32(above.data() + i * size + size - 4, address);
        from += size_t(counts[i]);
    }
    *level = std::move(above);
    return run.write();
}

int fill(Index& index, size_t count, const IndexEntryAt& entry_at)
{
    Node root = index.node(index.root.data());
    if (!root.leaf() || root.count() != 0)
        return kIndexExists;
    std::vector<uint8_t> entries;
    if (!gather_entries(index, count, entry_at, &entries))
        return kIndexExists;
    if (!index_begin_change(&index))
        return kIndexDamaged;
    index.has_cursor = false;
    const size_t size = size_t(index.entry_size);
    std::memset(index.root.data() + kNodeHeaderSize, 0, size_t(mark_offset(index) - kNodeHeaderSize));
    if (count <= size_t(3 * index.capacity)) {
        if (!entries.empty())
            std::memcpy(root.entry(0), entries.data(), entries.size());
        index.set_count(root, 0, int(count));
    } else {
        PageRun run(index);
        std::vector<uint8_t> level;
        if (!write_leaves(index, run, entries, &level))
            return kIndexDamaged;
        while (level.size() / size > size_t(3 * index.capacity + 1)) {
            if (!write_internal_level(index, run, &level))
                return kIndexDamaged;
        }
        fill_internal(index, root, 0, level.data(), int(level.size() / size));
    }
    index.root_modified = true;
    index.entries = int64_t(count);
    return kIndexOk;
}

}  // namespace

int index_fill_sorted(Index* index, size_t count, const IndexEntryAt& entry_at)
{
    if (index_damaged(index))
        return kIndexDamaged;
    return settle(index, fill(*index, count, entry_at));
}

}  // namespace store
