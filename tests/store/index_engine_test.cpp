// The index engine's exact behaviour: file layout byte by byte, the root split, results of every call,
// duplicate order, the cursor, separators kept up by deletes, and page faults turned into a damaged handle.

#include <cstdio>
#include <cstring>
#include <string>

#include "index_file_checker.h"
#include "store/index.h"
#include "store_fixture.h"

using namespace store;
using namespace index_bytes;
namespace pf = platform::files;

namespace {

const std::u16string kPath = u"\\My Documents\\Lot7.PPC_.PtNDX";

class IndexEngineTest : public StoreTest {
protected:
    void TearDown() override
    {
        index_close(m_index);
        StoreTest::TearDown();
    }

    void open_numbers()
    {
        m_index = index_open(kPath, 12, false);
        ASSERT_NE(m_index, nullptr);
    }

    void reopen()
    {
        ASSERT_TRUE(index_close(m_index));
        open_numbers();
    }

    void insert_numbers(uint32_t from, uint32_t to)
    {
        for (uint32_t n = from; n <= to; ++n)
            ASSERT_EQ(index_insert(m_index, number_key(n).data(), n * 10), kIndexOk) << n;
    }

    Index* m_index = nullptr;
};

TEST_F(IndexEngineTest, NewFileIsOneEmptyLeafRoot)
{
    open_numbers();
    ASSERT_TRUE(index_close(m_index));
    m_index = nullptr;
    std::string bytes = read_bytes(kPath);
    ASSERT_EQ(bytes.size(), 3072u);
    EXPECT_EQ(bytes[0], '\x01');
    EXPECT_EQ(bytes.substr(1), std::string(3071, '\0'));
}

TEST_F(IndexEngineTest, LeafEntriesAreLaidOutByteByByte)
{
    open_numbers();
    ASSERT_EQ(index_insert(m_index, number_key(5).data(), 77), kIndexOk);
    ASSERT_EQ(index_insert(m_index, number_key(3).data(), 0x01020304), kIndexOk);
    ASSERT_TRUE(index_close(m_index));
    m_index = nullptr;
    std::string bytes = read_bytes(kPath);
    EXPECT_EQ(word(bytes, 0), 1u | 2u << 1);
    EXPECT_EQ(bytes.substr(16, 12), number_key(3));
    EXPECT_EQ(word(bytes, 28), 0x01020304u);
    EXPECT_EQ(word(bytes, 32), 0u);
    EXPECT_EQ(bytes.substr(36, 12), number_key(5));
    EXPECT_EQ(word(bytes, 48), 77u);
}

TEST_F(IndexEngineTest, RootSplitsOnThe151stInsertIntoFourLeaves)
{
    open_numbers();
    insert_numbers(1, 150);
    reopen();
    EXPECT_EQ(file_size(kPath), 3072);
    insert_numbers(151, 151);
    ASSERT_TRUE(index_close(m_index));
    m_index = nullptr;

    std::string bytes = read_bytes(kPath);
    ASSERT_EQ(bytes.size(), 3072u + 4096u);
    // Root: internal, three separators; leaves of 37, 38, 38 and 37 (+1 for 151) entries in address order.
    EXPECT_EQ(word(bytes, 0), 3u << 1);
    EXPECT_EQ(word(bytes, 12), 3072u);
    const uint32_t first_of_leaf[] = {1, 38, 76, 114};
    const int leaf_count[] = {37, 38, 38, 38};
    for (int i = 0; i < 4; ++i) {
        size_t leaf = 3072 + 1024 * size_t(i);
        EXPECT_EQ(word(bytes, leaf), 1u | uint32_t(leaf_count[i]) << 1) << i;
        EXPECT_EQ(word(bytes, leaf + 4), i == 0 ? 0u : uint32_t(leaf - 1024)) << i;
        EXPECT_EQ(word(bytes, leaf + 8), i == 3 ? 0u : uint32_t(leaf + 1024)) << i;
        EXPECT_EQ(bytes.substr(leaf + 16, 12), number_key(first_of_leaf[i])) << i;
        if (i == 0)
            continue;
        size_t separator = 16 + 20 * size_t(i - 1);
        EXPECT_EQ(bytes.substr(separator, 12), number_key(first_of_leaf[i])) << i;
        EXPECT_EQ(word(bytes, separator + 12), first_of_leaf[i] * 10) << "separators carry the record";
        EXPECT_EQ(word(bytes, separator + 16), uint32_t(leaf)) << i;
    }
    IndexShape shape = check_index_file(bytes, 12);
    EXPECT_EQ(shape.problem, "");
    EXPECT_EQ(shape.entries.size(), 151u);
}

TEST_F(IndexEngineTest, ExistingKeyIsRefusedWithoutDuplicates)
{
    open_numbers();
    insert_numbers(1, 3);
    EXPECT_EQ(index_insert(m_index, number_key(2).data(), 20), kIndexExists);
    EXPECT_EQ(index_insert(m_index, number_key(2).data(), 999), kIndexExists);
    EXPECT_EQ(index_insert(m_index, number_key(2).data(), 1), kIndexExists);
    uint32_t record = 0;
    std::string key = number_key(2);
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexOk);
    EXPECT_EQ(record, 20u);
    EXPECT_EQ(index_next(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(key, number_key(3));
}

TEST_F(IndexEngineTest, DuplicatesStepInDescendingRecordOrder)
{
    m_index = index_open(u"\\My Documents\\names.ndx", 16, true);
    ASSERT_NE(m_index, nullptr);
    std::string same = name_key("FENCE");
    for (uint32_t r : {7u, 3u, 9u})
        ASSERT_EQ(index_insert(m_index, same.data(), r), kIndexOk);
    ASSERT_EQ(index_insert(m_index, name_key("ALPHA").data(), 1), kIndexOk);
    EXPECT_EQ(index_insert(m_index, same.data(), 3), kIndexExists);

    std::string key(16, '\0');
    uint32_t record = 0;
    ASSERT_EQ(index_first(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(key, name_key("ALPHA"));
    for (uint32_t expected : {9u, 7u, 3u}) {
        ASSERT_EQ(index_next(m_index, key.data(), &record), kIndexOk);
        EXPECT_EQ(key, same);
        EXPECT_EQ(record, expected);
    }
    EXPECT_EQ(index_next(m_index, key.data(), &record), kIndexEnd);

    // Matching the record: 5 lies between 7 and 3, so the search stops at 3.
    key = same;
    EXPECT_EQ(index_find(m_index, key.data(), 5, true, &record), kIndexNotFound);
    EXPECT_EQ(record, 3u);
    EXPECT_EQ(index_find(m_index, key.data(), 7, true, &record), kIndexOk);
    EXPECT_EQ(record, 7u);
    EXPECT_EQ(index_delete(m_index, same.data(), 5), kIndexNotFound);
    EXPECT_EQ(index_delete(m_index, same.data(), 7), kIndexOk);
    EXPECT_EQ(index_find(m_index, key.data(), 7, true, &record), kIndexNotFound);
    EXPECT_EQ(record, 3u);
}

TEST_F(IndexEngineTest, EmptyIndexFindsNothing)
{
    open_numbers();
    std::string key = number_key(5);
    uint32_t record = 99;
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexEnd);
    EXPECT_EQ(record, 0u);
    EXPECT_EQ(key, number_key(5));
    EXPECT_EQ(index_first(m_index, key.data(), &record), kIndexEnd);
    EXPECT_EQ(index_last(m_index, nullptr, nullptr), kIndexEnd);
    EXPECT_EQ(index_delete(m_index, key.data(), 1), kIndexNotFound);
}

TEST_F(IndexEngineTest, CursorNeedsAStartAndStopsAtTheEnds)
{
    open_numbers();
    insert_numbers(1, 300);
    reopen();
    EXPECT_EQ(index_next(m_index, nullptr, nullptr), kIndexNotFound);
    EXPECT_EQ(index_previous(m_index, nullptr, nullptr), kIndexNotFound);

    std::string key(12, '\0');
    uint32_t record = 0;
    ASSERT_EQ(index_last(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(key, number_key(300));
    EXPECT_EQ(index_next(m_index, key.data(), &record), kIndexEnd);
    EXPECT_EQ(index_previous(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(key, number_key(299));
    ASSERT_EQ(index_first(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(index_previous(m_index, key.data(), &record), kIndexEnd);
    EXPECT_EQ(index_next(m_index, key.data(), &record), kIndexOk);
    EXPECT_EQ(key, number_key(2));
    EXPECT_EQ(record, 20u);
}

TEST_F(IndexEngineTest, FindReportsWhereItStopped)
{
    open_numbers();
    for (uint32_t n = 10; n <= 4000; n += 10)
        ASSERT_EQ(index_insert(m_index, number_key(n).data(), n), kIndexOk);
    reopen();
    std::string key = number_key(1234);
    uint32_t record = 0;
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexNextGreater);
    EXPECT_EQ(key, number_key(1240));
    EXPECT_EQ(record, 1240u);
    key = number_key(1234);
    EXPECT_EQ(index_find(m_index, key.data(), 1234, true, &record), kIndexNotFound);
    EXPECT_EQ(key, number_key(1240));
    key = number_key(4001);
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexEnd);
    EXPECT_EQ(key, number_key(4000));
    EXPECT_EQ(record, 4000u);
    key = number_key(2000);
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, nullptr), kIndexOk);
    EXPECT_EQ(index_find(m_index, key.data(), 1999, true, &record), kIndexNotFound)
        << "the same key with another record is not a match";
}

TEST_F(IndexEngineTest, DeletingTheFirstKeyOfALeafUpdatesItsSeparator)
{
    open_numbers();
    insert_numbers(1, 151);  // leaves start at 1, 38, 76, 114
    ASSERT_EQ(index_delete(m_index, number_key(76).data(), 760), kIndexOk);
    std::string key = number_key(76);
    uint32_t record = 0;
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexNextGreater);
    EXPECT_EQ(key, number_key(77));
    key = number_key(77);
    EXPECT_EQ(index_find(m_index, key.data(), 770, true, &record), kIndexOk);
    ASSERT_TRUE(index_close(m_index));
    m_index = nullptr;
    std::string bytes = read_bytes(kPath);
    EXPECT_EQ(bytes.substr(16 + 20, 12), number_key(77));
    EXPECT_EQ(word(bytes, 16 + 20 + 12), 770u);
    EXPECT_EQ(check_index_file(bytes, 12).problem, "");
}

TEST_F(IndexEngineTest, KeySizesBeyondSixKeysPerNodeCannotBeOpened)
{
    EXPECT_EQ(index_capacity(12), 50);
    EXPECT_EQ(index_capacity(16), 41);
    EXPECT_EQ(index_open(u"\\Temp\\a.ndx", 160, false), nullptr);
    EXPECT_EQ(index_open(u"\\Temp\\a.ndx", 0, false), nullptr);
    EXPECT_EQ(file_size(u"\\Temp\\a.ndx"), -1);
    Index* widest = index_open(u"\\Temp\\a.ndx", 159, false);
    EXPECT_NE(widest, nullptr);
    index_close(widest);
}

TEST_F(IndexEngineTest, SeveralIndexesLiveSideBySideAndOneFileOpensOnce)
{
    open_numbers();
    Index* names = index_open(u"\\My Documents\\Lot7.PPC_.NamNDX", 16, true);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(index_open(kPath, 12, false), nullptr) << "the file is held unshared";
    insert_numbers(1, 500);
    for (uint32_t n = 1; n <= 500; ++n)
        ASSERT_EQ(index_insert(names, name_key(("P" + std::to_string(n % 7)).c_str()).data(), n), kIndexOk);
    ASSERT_TRUE(index_close(names));
    reopen();
    IndexShape numbers = check_index_file(read_bytes(kPath), 12);
    EXPECT_EQ(numbers.problem, "");
    EXPECT_EQ(numbers.entries.size(), 500u);
    IndexShape named = check_index_file(read_bytes(u"\\My Documents\\Lot7.PPC_.NamNDX"), 16);
    EXPECT_EQ(named.problem, "");
    EXPECT_EQ(named.entries.size(), 500u);
}

TEST_F(IndexEngineTest, FailedPageWritesAreReportedByClose)
{
    open_numbers();
    insert_numbers(1, 1000);
    pf::arm_write_fault({0, -1, 100});
    EXPECT_FALSE(index_close(m_index));
    m_index = nullptr;
}

TEST_F(IndexEngineTest, PageLostOnEvictionFailsTheOperationThatEvictedIt)
{
    open_numbers();
    for (uint32_t n = 2; n <= 4000; n += 2)
        ASSERT_EQ(index_insert(m_index, number_key(n).data(), n), kIndexOk);
    reopen();
    pf::arm_write_fault({0, -1, 0});
    // Odd keys far apart land in different leaves, so the changed ones are soon evicted. The insert that
    // loses a page already reports it.
    bool damaged = false;
    for (uint32_t n = 1; n <= 40 && !damaged; ++n) {
        int result = index_insert(m_index, number_key(n * 98 + 1).data(), n);
        damaged = index_damaged(m_index);
        EXPECT_EQ(result, damaged ? kIndexDamaged : kIndexOk) << n;
    }
    EXPECT_TRUE(damaged);
    ASSERT_TRUE(index_damage(m_index));
    EXPECT_STREQ(index_damage(m_index)->check, "write");
    EXPECT_GE(index_damage(m_index)->page, 3072u) << "an evicted page";
    EXPECT_FALSE(index_close(m_index));
    m_index = nullptr;
}

TEST_F(IndexEngineTest, FailedPageReadDamagesTheHandle)
{
    open_numbers();
    insert_numbers(1, 1000);
    reopen();
    pf::arm_read_fault({0, 1, 1000});
    std::string key = number_key(500);
    uint32_t record = 1;
    EXPECT_EQ(index_find(m_index, key.data(), 0, false, &record), kIndexDamaged);
    EXPECT_EQ(record, 0u);
    EXPECT_TRUE(index_damaged(m_index));
    ASSERT_TRUE(index_damage(m_index));
    EXPECT_STREQ(index_damage(m_index)->check, "read");
    EXPECT_EQ(index_damage(m_index)->page % 1024, 0u);
    EXPECT_GE(index_damage(m_index)->page, 3072u) << "a page below the root, which stays in memory";
    EXPECT_EQ(index_first(m_index, nullptr, nullptr), kIndexDamaged);
    EXPECT_EQ(index_insert(m_index, number_key(5000).data(), 1), kIndexDamaged);
    EXPECT_TRUE(index_damaged(nullptr));
    EXPECT_FALSE(index_damage(nullptr));
    EXPECT_EQ(index_find(nullptr, key.data(), 0, false, &record), kIndexDamaged);
    EXPECT_TRUE(index_close(nullptr));
}

}  // namespace
