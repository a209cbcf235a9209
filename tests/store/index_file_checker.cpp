#include "index_file_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>

namespace {

using index_bytes::word;

constexpr size_t kRoot = 3072;
constexpr size_t kPage = 1024;

bool before(const CheckedEntry& a, const CheckedEntry& b)
{
    return EntryOrder()(a, b);
}

class Checker {
public:
    Checker(const std::string& bytes, int key_size)
        : m_bytes(bytes)
        , m_key_size(size_t(key_size))
        , m_entry_size(size_t(key_size) + 8)
        , m_capacity(int(1005 / m_entry_size))
    {
    }

    IndexShape run()
    {
        if (m_bytes.size() < kRoot || m_bytes.size() % kPage != 0)
            return fail("file size " + std::to_string(m_bytes.size()));
        std::optional<CheckedEntry> none;
        walk(0, 0, none, none);
        if (m_shape.problem.empty())
            check_chain();
        m_shape.depth = m_leaf_depth < 0 ? 0 : m_leaf_depth;
        return m_shape;
    }

private:
    IndexShape fail(const std::string& problem)
    {
        if (m_shape.problem.empty())
            m_shape.problem = problem;
        return m_shape;
    }

    CheckedEntry entry(size_t node, int j) const
    {
        size_t at = node + 16 + size_t(j) * m_entry_size;
        return {m_bytes.substr(at, m_key_size), word(m_bytes, at + m_key_size)};
    }

    uint32_t right(size_t node, int j) const
    {
        return word(m_bytes, node + 16 + size_t(j) * m_entry_size + m_key_size + 4);
    }

    void note_size(bool leaf, int count)
    {
        int& smallest = leaf ? m_shape.smallest_leaf : m_shape.smallest_internal;
        smallest = smallest == 0 ? count : std::min(smallest, count);
    }

    bool in_range(
        const CheckedEntry& e, const std::optional<CheckedEntry>& low, const std::optional<CheckedEntry>& high)
    {
        return (!low || !before(e, *low)) && (!high || before(e, *high));
    }

    // Walks the subtree at address, whose entries must lie in [low, high); returns its first entry.
    std::optional<CheckedEntry> walk(
        size_t address, int depth, const std::optional<CheckedEntry>& low, const std::optional<CheckedEntry>& high)
    {
        if (!m_shape.problem.empty())
            return std::nullopt;
        if (address != 0 && (address < kRoot || address % kPage != 0 || address + kPage > m_bytes.size()))
            return fail("bad address " + std::to_string(address)), std::nullopt;
        if (!m_seen.insert(address).second)
            return fail("node reached twice " + std::to_string(address)), std::nullopt;
        ++m_shape.nodes;
        uint32_t head = word(m_bytes, address);
        bool leaf = head & 1;
        int count = int((head >> 1) & 0x7FFF);
        if (head >> 16)
            return fail("high bits set"), std::nullopt;
        if (count > (address == 0 ? 3 * m_capacity : m_capacity))
            return fail("count over capacity at " + std::to_string(address)), std::nullopt;
        if (address != 0)
            note_size(leaf, count);
        for (int j = 0; j < count; ++j) {
            CheckedEntry e = entry(address, j);
            if (!in_range(e, low, high))
                return fail("entry out of its subtree's range at " + std::to_string(address)), std::nullopt;
            if (j > 0 && !before(entry(address, j - 1), e))
                return fail("entries out of order at " + std::to_string(address)), std::nullopt;
        }
        return leaf ? leaf_node(address, depth, count) : internal_node(address, depth, count, low, high);
    }

    std::optional<CheckedEntry> leaf_node(size_t address, int depth, int count)
    {
        if (m_leaf_depth >= 0 && depth != m_leaf_depth)
            return fail("leaves at different depths"), std::nullopt;
        m_leaf_depth = depth;
        if (word(m_bytes, address + 12) != 0)
            return fail("leaf with a child"), std::nullopt;
        for (int j = 0; j < count; ++j) {
            if (right(address, j) != 0)
                return fail("leaf entry with a child"), std::nullopt;
            m_shape.entries.push_back(entry(address, j));
        }
        m_leaves.push_back(address);
        if (count == 0)
            return std::nullopt;
        return entry(address, 0);
    }

    std::optional<CheckedEntry> internal_node(size_t address, int depth, int count,
        const std::optional<CheckedEntry>& low, const std::optional<CheckedEntry>& high)
    {
        if (count == 0)
            return fail("empty internal node"), std::nullopt;
        std::optional<CheckedEntry> first = walk(word(m_bytes, address + 12), depth + 1, low, entry(address, 0));
        for (int j = 0; j < count; ++j) {
            CheckedEntry separator = entry(address, j);
            std::optional<CheckedEntry> next_high = j + 1 < count ? std::optional(entry(address, j + 1)) : high;
            std::optional<CheckedEntry> right_first = walk(right(address, j), depth + 1, separator, next_high);
            if (!m_shape.problem.empty())
                return std::nullopt;
            if (!right_first || !(*right_first == separator))
                return fail("separator differs from its subtree's first entry at " + std::to_string(address)),
                       std::nullopt;
        }
        return first;
    }

    void check_chain()
    {
        if (m_leaves.size() == 1 && m_leaves[0] == 0)
            return;
        for (size_t i = 0; i < m_leaves.size(); ++i) {
            uint32_t prev = word(m_bytes, m_leaves[i] + 4);
            uint32_t next = word(m_bytes, m_leaves[i] + 8);
            uint32_t want_prev = i == 0 ? 0 : uint32_t(m_leaves[i - 1]);
            uint32_t want_next = i + 1 == m_leaves.size() ? 0 : uint32_t(m_leaves[i + 1]);
            if (prev != want_prev || next != want_next) {
                fail("leaf chain broken at " + std::to_string(m_leaves[i]));
                return;
            }
        }
    }

    const std::string& m_bytes;
    size_t m_key_size;
    size_t m_entry_size;
    int m_capacity;
    IndexShape m_shape;
    std::set<size_t> m_seen;
    std::vector<size_t> m_leaves;
    int m_leaf_depth = -1;
};

}  // namespace

IndexShape check_index_file(const std::string& bytes, int key_size)
{
    return Checker(bytes, key_size).run();
}

void expect_point_indexes_hold(const std::string& number_bytes, const std::string& name_bytes,
    const std::vector<CheckedEntry>& numbers, const std::vector<CheckedEntry>& names)
{
    IndexShape number_file = check_index_file(number_bytes, 12);
    IndexShape name_file = check_index_file(name_bytes, 16);
    EXPECT_EQ(number_file.problem, "");
    EXPECT_EQ(name_file.problem, "");
    EXPECT_EQ(number_file.entries, numbers);
    EXPECT_EQ(name_file.entries, names);
}
