// The index engine against an ordered-set model: long random runs of inserts, deletes and finds, with and
// without duplicates, for several key sizes, the whole cursor walked both ways and the file checked on its
// own (index_file_checker) after every phase, with a close and reopen between phases.

#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <set>

#include "index_file_checker.h"
#include "store/index.h"
#include "store_fixture.h"

using namespace store;

namespace {

const std::u16string kPath = u"\\My Documents\\model.ndx";

using Model = std::set<CheckedEntry, EntryOrder>;

struct Config {
    int key_size;
    bool duplicates;
    int distinct_keys;  // keys are drawn from this many
    uint32_t records;   // records are drawn from 1 .. records
    int percent;        // of the operations of each phase: small nodes need fewer for many levels
};

struct Phase {
    int operations;
    int insert_percent;
    int delete_percent;  // the rest are finds
};

class IndexModelTest : public StoreTest, public ::testing::WithParamInterface<Config> {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        m_config = GetParam();
        m_index = index_open(kPath, m_config.key_size, m_config.duplicates);
        ASSERT_NE(m_index, nullptr);
    }

    void TearDown() override
    {
        index_close(m_index);
        StoreTest::TearDown();
    }

    // Keys right-aligned like point numbers, padded to the key size with a byte that sorts low.
    std::string make_key(uint32_t n) const
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%12u", n);
        std::string key(digits);
        key.resize(size_t(m_config.key_size), '!');
        return key;
    }

    CheckedEntry random_entry()
    {
        uint32_t n = std::uniform_int_distribution<uint32_t>(1, uint32_t(m_config.distinct_keys))(m_random);
        uint32_t r = std::uniform_int_distribution<uint32_t>(1, m_config.records)(m_random);
        return {make_key(n), r};
    }

    bool key_present(const std::string& key) const
    {
        auto it = m_model.lower_bound({key, UINT32_MAX});
        return it != m_model.end() && it->key == key;
    }

    void do_insert()
    {
        CheckedEntry e = random_entry();
        int expected = (m_config.duplicates ? m_model.count(e) > 0 : key_present(e.key)) ? kIndexExists : kIndexOk;
        ASSERT_EQ(index_insert(m_index, e.key.data(), e.record), expected) << e.key << " " << e.record;
        if (expected == kIndexOk)
            m_model.insert(e);
    }

    void do_delete()
    {
        CheckedEntry e = random_entry();
        if (!m_model.empty() && m_random() % 4 != 0) {
            // Mostly an entry that exists.
            auto it = m_model.lower_bound(e);
            e = it == m_model.end() ? *m_model.begin() : *it;
        }
        int expected = m_model.count(e) ? kIndexOk : kIndexNotFound;
        ASSERT_EQ(index_delete(m_index, e.key.data(), e.record), expected) << e.key << " " << e.record;
        m_model.erase(e);
    }

    // Find with the record matched: the stop is the first entry not before (key, record).
    void find_matching(const CheckedEntry& e)
    {
        std::string key = e.key;
        uint32_t record = 12345;
        int result = index_find(m_index, key.data(), e.record, true, &record);
        auto it = m_model.lower_bound(e);
        expect_stop(result, it, key, record, it != m_model.end() && *it == e ? kIndexOk : kIndexNotFound, e.key);
    }

    // Find by key alone: any entry of that key, else the first entry of the next greater key.
    void find_key(const std::string& wanted)
    {
        std::string key = wanted;
        uint32_t record = 12345;
        int result = index_find(m_index, key.data(), 0, false, &record);
        if (key_present(wanted)) {
            ASSERT_EQ(result, kIndexOk);
            ASSERT_EQ(key, wanted);
            ASSERT_EQ(m_model.count({wanted, record}), 1u) << "a record the key does not have";
            expect_cursor_after({wanted, record});
            return;
        }
        auto it = m_model.lower_bound({wanted, 0});
        expect_stop(result, it, key, record, kIndexNextGreater, wanted);
    }

    void expect_stop(int result, Model::iterator it, const std::string& key, uint32_t record, int found_code,
        const std::string& asked)
    {
        if (m_model.empty()) {
            ASSERT_EQ(result, kIndexEnd);
            ASSERT_EQ(record, 0u);
            ASSERT_EQ(key, asked) << "an empty index leaves the key alone";
            return;
        }
        CheckedEntry stop = it == m_model.end() ? *m_model.rbegin() : *it;
        ASSERT_EQ(result, it == m_model.end() ? kIndexEnd : found_code);
        ASSERT_EQ(key, stop.key);
        ASSERT_EQ(record, stop.record);
        expect_cursor_after(stop);
    }

    // Next continues from where a find stopped.
    void expect_cursor_after(const CheckedEntry& stop)
    {
        if (m_random() % 3 != 0)
            return;
        auto next = std::next(m_model.find(stop));
        std::string key(size_t(m_config.key_size), '\0');
        uint32_t record = 0;
        int result = index_next(m_index, key.data(), &record);
        if (next == m_model.end()) {
            ASSERT_EQ(result, kIndexEnd);
            return;
        }
        ASSERT_EQ(result, kIndexOk);
        ASSERT_EQ(CheckedEntry({key, record}), *next);
    }

    void do_find()
    {
        CheckedEntry e = random_entry();
        if (m_random() % 2)
            find_matching(e);
        else
            find_key(e.key);
    }

    void run(const Phase& phase)
    {
        int operations = phase.operations * m_config.percent / 100;
        for (int i = 0; i < operations && !HasFatalFailure(); ++i) {
            int roll = int(m_random() % 100);
            if (roll < phase.insert_percent)
                do_insert();
            else if (roll < phase.insert_percent + phase.delete_percent)
                do_delete();
            else
                do_find();
        }
    }

    void walk_cursor()
    {
        std::vector<CheckedEntry> forward, backward;
        std::string key(size_t(m_config.key_size), '\0');
        uint32_t record = 0;
        for (int r = index_first(m_index, key.data(), &record); r == kIndexOk;
             r = index_next(m_index, key.data(), &record))
            forward.push_back({key, record});
        EXPECT_EQ(index_next(m_index, nullptr, nullptr), kIndexEnd);
        for (int r = index_last(m_index, key.data(), &record); r == kIndexOk;
             r = index_previous(m_index, key.data(), &record))
            backward.push_back({key, record});
        EXPECT_EQ(index_previous(m_index, nullptr, nullptr), kIndexEnd);
        std::vector<CheckedEntry> model(m_model.begin(), m_model.end());
        ASSERT_EQ(forward, model);
        ASSERT_EQ(std::vector<CheckedEntry>(backward.rbegin(), backward.rend()), model);
    }

    // Closes, checks the file on its own, reopens.
    IndexShape check_file()
    {
        EXPECT_TRUE(index_close(m_index));
        m_index = nullptr;
        IndexShape shape = check_index_file(read_bytes(kPath), m_config.key_size);
        EXPECT_EQ(shape.problem, "");
        EXPECT_EQ(shape.entries, std::vector<CheckedEntry>(m_model.begin(), m_model.end()));
        int m = index_capacity(m_config.key_size);
        // Restructuring keeps every node but the root about half full or more.
        int half = std::max(1, m / 2 - 1);
        if (shape.smallest_leaf != 0) {
            EXPECT_GE(shape.smallest_leaf, half);
        }
        if (shape.smallest_internal != 0) {
            EXPECT_GE(shape.smallest_internal, half);
        }
        m_index = index_open(kPath, m_config.key_size, m_config.duplicates);
        EXPECT_NE(m_index, nullptr);
        return shape;
    }

    Config m_config {};
    Index* m_index = nullptr;
    Model m_model;
    std::mt19937 m_random {20240611};
};

TEST_P(IndexModelTest, RandomRunsAgreeWithTheModel)
{
    const Phase phases[] = {
        {15000, 90, 5},  // grow until the root splits more than once
        {6000, 45, 45},  // churn
        {9000, 10, 80},  // shrink: gatherings, dropped nodes, the root collapsing
        {5000, 70, 20},  // grow again
        {12000, 5, 90},  // down to (nearly) nothing
    };
    int deepest = 0;
    for (const Phase& phase : phases) {
        run(phase);
        ASSERT_FALSE(HasFatalFailure());
        walk_cursor();
        ASSERT_FALSE(HasFatalFailure());
        IndexShape shape = check_file();
        ASSERT_NE(m_index, nullptr);
        deepest = std::max(deepest, shape.depth);
        ASSERT_FALSE(index_damaged(m_index));
    }
    EXPECT_GE(deepest, 2) << "the run should build several levels";
}

INSTANTIATE_TEST_SUITE_P(KeyKinds, IndexModelTest,
    ::testing::Values(Config {12, false, 20000, 100000, 100},  // point numbers
        Config {16, true, 400, 5000, 100},                     // names: long runs of duplicates
        Config {159, false, 3000, 100000, 60},                 // M = 6: deep trees from few keys
        Config {100, true, 60, 300, 50}),                      // M = 9 with duplicates
    [](const ::testing::TestParamInfo<Config>& info) {
        return "Key" + std::to_string(info.param.key_size) + (info.param.duplicates ? "Duplicates" : "Unique");
    });

}  // namespace
