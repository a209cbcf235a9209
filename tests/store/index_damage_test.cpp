// Damaged index files: truncated, random bytes, counts over capacity, looping chains and descents. Open or
// the first operation that meets the damage fails with kIndexDamaged; nothing crashes, nothing loops.

#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "index_file_checker.h"
#include "store/index.h"
#include "store_fixture.h"

using namespace store;
using namespace index_bytes;

namespace {

const std::u16string kPath = u"\\My Documents\\damaged.ndx";

// The first leaf: leftmost children from the root down.
uint32_t first_leaf(const std::string& bytes)
{
    uint32_t node = 0;
    while (!(word(bytes, node) & 1))
        node = word(bytes, node + 12);
    return node;
}

const std::set<std::string> kChecks = {"address", "read", "count", "order", "siblings", "children", "bounds", "depth",
    "loop", "chain", "parent", "separator", "full", "write"};

bool valid_result(int r)
{
    return r >= kIndexDamaged && r <= kIndexNextGreater;
}

class IndexDamageTest : public StoreTest {
protected:
    void TearDown() override
    {
        index_close(m_index);
        StoreTest::TearDown();
    }

    // Builds an index of `count` numbers with key size 12 (or 159, for a deep tree) and returns its bytes.
    std::string build(uint32_t count, int key_size = 12)
    {
        Index* index = index_open(kPath, key_size, false);
        EXPECT_NE(index, nullptr);
        for (uint32_t n = 1; n <= count; ++n) {
            std::string key = number_key(n);
            key.resize(size_t(key_size), ' ');
            EXPECT_EQ(index_insert(index, key.data(), n), kIndexOk);
        }
        EXPECT_TRUE(index_close(index));
        return read_bytes(kPath);
    }

    // Every call on a damaged handle keeps failing the same way.
    void expect_stays_damaged()
    {
        EXPECT_TRUE(index_damaged(m_index));
        std::string key = number_key(1);
        EXPECT_EQ(index_find(m_index, key.data(), 0, false, nullptr), kIndexDamaged);
        EXPECT_EQ(index_insert(m_index, key.data(), 1), kIndexDamaged);
        EXPECT_EQ(index_delete(m_index, key.data(), 1), kIndexDamaged);
        EXPECT_EQ(index_last(m_index, nullptr, nullptr), kIndexDamaged);
        EXPECT_EQ(index_next(m_index, nullptr, nullptr), kIndexDamaged);
    }

    // The first damage the handle found was at that node and failed that check; healthy handles have none.
    void expect_damage(uint32_t page, const std::string& check)
    {
        std::optional<IndexDamage> damage = index_damage(m_index);
        ASSERT_TRUE(damage) << "no damage recorded";
        EXPECT_EQ(damage->page, page);
        EXPECT_EQ(damage->check, check);
    }

    // Walks the whole cursor; returns the last result. Fails the test when the walk does not end.
    int walk(int limit)
    {
        int result = index_first(m_index, nullptr, nullptr);
        for (int steps = 0; result == kIndexOk; ++steps) {
            if (steps > limit) {
                ADD_FAILURE() << "the cursor walk does not end";
                break;
            }
            result = index_next(m_index, nullptr, nullptr);
        }
        return result;
    }

    Index* m_index = nullptr;
};

TEST_F(IndexDamageTest, TruncatedFilesDoNotOpen)
{
    std::string bytes = build(2000);
    ASSERT_GT(bytes.size(), 8192u);
    for (size_t size : {size_t(0), size_t(100), size_t(3071), size_t(5000), bytes.size() - 1}) {
        write_bytes(kPath, bytes.substr(0, size));
        EXPECT_EQ(index_open(kPath, 12, false), nullptr) << size;
    }
}

TEST_F(IndexDamageTest, FileCutAtAPageBoundaryFailsWhereItIsMissing)
{
    std::string bytes = build(200);  // root and five leaves
    write_bytes(kPath, bytes.substr(0, 3072 + 2048));
    m_index = index_open(kPath, 12, false);
    EXPECT_EQ(m_index, nullptr) << "the root names leaves the file does not hold";
}

TEST_F(IndexDamageTest, LeafCountOverCapacityIsCaughtWhenRead)
{
    std::string bytes = build(2000);
    uint32_t leaf = first_leaf(bytes);
    ASSERT_NE(leaf, 0u);
    put_word(bytes, leaf, 1u | 60u << 1);
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 12, false);
    ASSERT_NE(m_index, nullptr);
    std::string key = number_key(5000);
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, nullptr), kIndexEnd) << "other leaves are fine";
    EXPECT_FALSE(index_damage(m_index));
    EXPECT_EQ(index_first(m_index, nullptr, nullptr), kIndexDamaged);
    expect_damage(leaf, "count");
    expect_stays_damaged();
    expect_damage(leaf, "count");  // the first damage stays the one recorded
}

TEST_F(IndexDamageTest, RootCountOverCapacityDoesNotOpen)
{
    std::string bytes = build(10);
    put_word(bytes, 0, 1u | 151u << 1);
    write_bytes(kPath, bytes);
    EXPECT_EQ(index_open(kPath, 12, false), nullptr);
}

TEST_F(IndexDamageTest, ChildAddressesOutsideTheFileOrOffPagesAreRefused)
{
    std::string bytes = build(1000, 159);  // M = 6: nodes below the root that have children
    for (uint32_t bad : {3072u + 100u, 0x7FFFFC00u, 1024u}) {
        std::string copy = bytes;
        uint32_t level1 = word(copy, 12);
        ASSERT_FALSE(word(copy, level1) & 1);
        put_word(copy, level1 + 12, bad);
        write_bytes(kPath, copy);
        m_index = index_open(kPath, 159, false);
        ASSERT_NE(m_index, nullptr);
        EXPECT_EQ(index_first(m_index, nullptr, nullptr), kIndexDamaged) << bad;
        expect_damage(level1, "children");  // the node that names the child
        std::string low = number_key(0);
        low.resize(159, ' ');
        EXPECT_EQ(index_insert(m_index, low.data(), 1), kIndexDamaged);
        index_close(m_index);
        m_index = nullptr;
    }
}

TEST_F(IndexDamageTest, LoopingLeafChainEndsTheWalk)
{
    std::string bytes = build(300);  // a root over leaves
    uint32_t first = word(bytes, 12);
    uint32_t last = word(bytes, 16 + 20 * ((word(bytes, 0) >> 1) - 1) + 16);
    put_word(bytes, last + 8, first);
    put_word(bytes, first + 4, last);
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 12, false);
    ASSERT_NE(m_index, nullptr);
    EXPECT_EQ(walk(1000), kIndexDamaged);
    expect_damage(first, "chain");

    index_close(m_index);
    m_index = index_open(kPath, 12, false);
    std::string beyond = number_key(999999);
    EXPECT_EQ(index_find(m_index, beyond.data(), 0, false, nullptr), kIndexDamaged)
        << "passing the last leaf must not come round to the first";
    EXPECT_EQ(index_last(m_index, nullptr, nullptr), kIndexDamaged);
}

TEST_F(IndexDamageTest, LeafChainPointingIntoAnInternalNodeIsRefused)
{
    std::string bytes = build(3000, 159);  // M = 6: many levels
    uint32_t level1 = word(bytes, 12);
    put_word(bytes, first_leaf(bytes) + 8, level1);
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 159, false);
    ASSERT_NE(m_index, nullptr);
    EXPECT_EQ(walk(10000), kIndexDamaged);
    expect_damage(level1, "chain");
}

TEST_F(IndexDamageTest, DescentThatComesBackToItsOwnNodeStops)
{
    std::string bytes = build(3000, 159);
    uint32_t level1 = word(bytes, 12);
    put_word(bytes, level1 + 12, level1);  // its leftmost child is itself
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 159, false);
    ASSERT_NE(m_index, nullptr);
    EXPECT_EQ(index_first(m_index, nullptr, nullptr), kIndexDamaged);
    expect_damage(level1, "depth");
    expect_stays_damaged();
}

TEST_F(IndexDamageTest, SiblingsThatAreOneNodeCannotBeGathered)
{
    std::string bytes = build(300);
    // Two separators of the root name the same leaf.
    put_word(bytes, 16 + 20 * 1 + 16, word(bytes, 16 + 20 * 0 + 16));
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 12, false);
    ASSERT_NE(m_index, nullptr);
    int result = kIndexOk;
    for (uint32_t n = 1; n <= 300 && result != kIndexDamaged; ++n)
        result = index_delete(m_index, number_key(n).data(), n);
    EXPECT_EQ(result, kIndexDamaged);
    expect_damage(word(bytes, 12), "siblings");  // gathered from the root's first child
}

TEST_F(IndexDamageTest, SiblingsWhoseEntriesOverlapCannotBeGathered)
{
    std::string bytes = build(300);  // a root over leaves
    // The first leaf's last key goes beyond the second leaf's first: each leaf still ascends on its own.
    uint32_t leaf = first_leaf(bytes);
    uint32_t count = (word(bytes, leaf) >> 1) & 0x7FFF;
    bytes.replace(leaf + 16 + 20 * (count - 1), 12, number_key(999));
    write_bytes(kPath, bytes);
    m_index = index_open(kPath, 12, false);
    ASSERT_NE(m_index, nullptr);
    // Deleting from the first leaf soon gathers it with its neighbours, which must not spread the overlap.
    int result = kIndexOk;
    for (uint32_t n = 1; n < count && result != kIndexDamaged; ++n)
        result = index_delete(m_index, number_key(n).data(), n);
    EXPECT_EQ(result, kIndexDamaged);
    expect_stays_damaged();
}

TEST_F(IndexDamageTest, RandomBytesNeverCrashOrLoop)
{
    std::mt19937 random(7);
    int opened = 0;
    for (int round = 0; round < 300; ++round) {
        size_t pages = 3 + random() % 8;
        std::string bytes(pages * 1024, '\0');
        for (char& c : bytes)
            c = char(random());
        if (round % 2) {
            // Plausible headers make it further in: small counts, addresses inside the file.
            for (size_t page = 0; page < pages; page += (page == 0 ? 3 : 1)) {
                put_word(bytes, page * 1024, uint32_t(random() % 2) | uint32_t(random() % 8) << 1);
                for (size_t at = page * 1024 + 4; at < page * 1024 + 200; at += 4) {
                    if (random() % 3 == 0)
                        put_word(bytes, at, uint32_t(3072 + 1024 * (random() % (pages - 2))));
                }
            }
        }
        write_bytes(kPath, bytes);
        m_index = index_open(kPath, 12, round % 4 == 1);
        if (!m_index)
            continue;
        ++opened;
        std::string key = number_key(uint32_t(random()));
        EXPECT_TRUE(valid_result(index_find(m_index, key.data(), 0, false, nullptr)));
        EXPECT_TRUE(valid_result(index_insert(m_index, key.data(), 5)));
        EXPECT_TRUE(valid_result(index_delete(m_index, key.data(), 5)));
        walk(100000);
        EXPECT_TRUE(valid_result(index_last(m_index, nullptr, nullptr)));
        // Whatever was found is recorded under one of the checks index.h names.
        EXPECT_EQ(index_damage(m_index).has_value(), index_damaged(m_index));
        if (std::optional<IndexDamage> damage = index_damage(m_index))
            EXPECT_TRUE(kChecks.count(damage->check)) << damage->check;
        index_close(m_index);
        m_index = nullptr;
    }
    EXPECT_GT(opened, 0) << "some files should get past open, or the operations go untested";
}

}  // namespace
