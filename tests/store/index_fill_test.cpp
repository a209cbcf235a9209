// An index filled bottom-up from sorted entries against one filled key by key: over random key sets of
// every size from an empty root to several levels, for several key sizes, with and without duplicates, both
// hold the same entries in the same order, pass the engine's checks and the reader written from the format,
// and keep agreeing through inserts and deletes afterwards. And the index build of a coordinate file,
// which fills that way, against a model of the records: the later of two records carrying one number wins
// and the earlier is retired; names keep every duplicate, and a name finds its highest record first.

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "index_file_checker.h"
#include "point_files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index.h"
#include "store_fixture.h"

using namespace store;

namespace {

const std::u16string kFilled = u"\\My Documents\\filled.ndx";
const std::u16string kInserted = u"\\My Documents\\inserted.ndx";

using Entries = std::vector<CheckedEntry>;

struct Kind {
    int key_size;
    bool duplicates;
    int distinct_keys;  // keys drawn from this many: few give long runs of duplicates
};

class IndexFillTest : public StoreTest {
protected:
    std::string key_of(const Kind& kind, uint32_t n) const
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%12u", n);
        std::string key(digits);
        key.resize(size_t(kind.key_size), '!');
        return key;
    }

    // count distinct entries in index order: keys drawn at random, records distinct.
    Entries random_entries(const Kind& kind, int count)
    {
        std::set<CheckedEntry, EntryOrder> set;
        std::set<std::string> keys;
        uint32_t record = 1;
        while (int(set.size()) < count) {
            std::string key = key_of(kind, 1 + m_random() % uint32_t(kind.distinct_keys));
            if (!kind.duplicates && !keys.insert(key).second)
                continue;
            set.insert({key, record++ * 7 % 1000003});
        }
        return Entries(set.begin(), set.end());
    }

    static Entries walk(Index* index, int key_size)
    {
        Entries out;
        std::string key(size_t(key_size), '\0');
        uint32_t record = 0;
        for (int r = index_first(index, key.data(), &record); r == kIndexOk; r = index_next(index, key.data(), &record))
            out.push_back({key, record});
        return out;
    }

    static int fill(Index* index, const Entries& entries)
    {
        return index_fill_sorted(index, entries.size(), [&entries](size_t i, const char** key, uint32_t* record) {
            *key = entries[i].key.data();
            *record = entries[i].record;
        });
    }

    // Both files closed and read on their own: sound, and holding exactly the entries.
    static void expect_files_hold(const Entries& entries, int key_size)
    {
        for (const std::u16string& path : {kFilled, kInserted}) {
            IndexShape shape = check_index_file(read_bytes(path), key_size);
            EXPECT_EQ(shape.problem, "");
            EXPECT_EQ(shape.entries, entries);
        }
    }

    std::mt19937 m_random {4711};
};

TEST_F(IndexFillTest, FilledAndInsertedIndexesHoldTheSameEntriesAndPassTheSameChecks)
{
    const Kind kinds[] = {{12, false, 1000000}, {16, true, 300}, {159, false, 100000}, {100, true, 40}};
    for (const Kind& kind : kinds) {
        int m = index_capacity(kind.key_size);
        // Empty, one, a full root, one past it, and sizes that make two and three levels and odd remainders.
        for (int count : {0, 1, 3 * m, 3 * m + 1, 4 * m + 1, m * (m + 1) * 3 + 5, 2500 + int(m_random() % 500)}) {
            SCOPED_TRACE(testing::Message() << "key size " << kind.key_size << ", " << count << " entries");
            Entries entries = random_entries(kind, count);
            platform::files::remove(kFilled);
            platform::files::remove(kInserted);
            Index* filled = index_open(kFilled, kind.key_size, kind.duplicates);
            Index* inserted = index_open(kInserted, kind.key_size, kind.duplicates);
            ASSERT_EQ(fill(filled, entries), kIndexOk);
            Entries shuffled = entries;
            std::shuffle(shuffled.begin(), shuffled.end(), m_random);
            for (const CheckedEntry& e : shuffled)
                ASSERT_EQ(index_insert(inserted, e.key.data(), e.record), kIndexOk);
            EXPECT_EQ(walk(filled, kind.key_size), entries);
            EXPECT_EQ(index_verify(filled), int64_t(count));
            EXPECT_EQ(index_verify(inserted), int64_t(count));
            ASSERT_TRUE(index_close(filled));
            ASSERT_TRUE(index_close(inserted));
            expect_files_hold(entries, kind.key_size);

            // Reopened, both take the same changes and still agree: the filled tree restructures as any.
            filled = index_open(kFilled, kind.key_size, kind.duplicates);
            inserted = index_open(kInserted, kind.key_size, kind.duplicates);
            std::set<CheckedEntry, EntryOrder> model(entries.begin(), entries.end());
            for (int i = 0; i < 600; ++i) {
                CheckedEntry e {key_of(kind, 1 + m_random() % uint32_t(kind.distinct_keys)), 1 + m_random() % 50};
                if (i % 3 == 0 && !model.empty()) {
                    auto it = model.lower_bound(e);
                    e = it == model.end() ? *model.begin() : *it;
                    EXPECT_EQ(index_delete(filled, e.key.data(), e.record), kIndexOk);
                    EXPECT_EQ(index_delete(inserted, e.key.data(), e.record), kIndexOk);
                    model.erase(e);
                    continue;
                }
                int got = index_insert(filled, e.key.data(), e.record);
                EXPECT_EQ(index_insert(inserted, e.key.data(), e.record), got);
                if (got == kIndexOk)
                    model.insert(e);
            }
            Entries changed(model.begin(), model.end());
            EXPECT_EQ(walk(filled, kind.key_size), changed);
            EXPECT_EQ(index_verify(filled), int64_t(changed.size()));
            ASSERT_TRUE(index_close(filled));
            ASSERT_TRUE(index_close(inserted));
            expect_files_hold(changed, kind.key_size);
            if (HasFailure())
                return;
        }
    }
}

TEST_F(IndexFillTest, AFillRefusesEntriesOutOfOrderAndAnIndexThatHoldsEntries)
{
    Kind numbers {12, false, 1000};
    Entries entries = random_entries(numbers, 400);
    Index* index = index_open(kFilled, 12, false);
    Entries swapped = entries;
    std::swap(swapped[100], swapped[101]);
    EXPECT_EQ(fill(index, swapped), kIndexExists);
    Entries same_key = entries;
    same_key[101].key = same_key[100].key;  // one key twice, in an index without duplicates
    same_key[101].record = same_key[100].record - 1;
    EXPECT_EQ(fill(index, same_key), kIndexExists);
    EXPECT_EQ(index_first(index, nullptr, nullptr), kIndexEnd) << "a refused fill changes nothing";
    ASSERT_EQ(fill(index, entries), kIndexOk);
    EXPECT_EQ(fill(index, entries), kIndexExists);
    EXPECT_EQ(walk(index, 12), entries);
    EXPECT_TRUE(index_close(index));
}

// A file whose records repeat numbers and names, some deleted: the build keeps the later record of each
// number and retires the earlier, and names every live record, duplicates and all.
TEST_F(IndexFillTest, TheBuildOfACoordinateFileKeepsTheLaterRecordOfANumberAndEveryName)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const int records = 1500 + round * 1700;
        ASSERT_TRUE(coord_create(kLot));
        coord_begin_bulk();  // one flush for the lot
        std::vector<PointRecord> points;
        for (int r = 1; r <= records; ++r) {
            PointRecord p = make_point(1 + m_random() % uint32_t(records / 2), "N" + std::to_string(m_random() % 97));
            ASSERT_TRUE(coord_append(p, nullptr));
            points.push_back(p);
        }
        std::set<int> deleted;
        for (int i = 0; i < records / 10; ++i) {
            int r = 1 + int(m_random() % uint32_t(records));
            ASSERT_EQ(coord_delete(r), 1);
            deleted.insert(r);
        }
        ASSERT_TRUE(coord_end_bulk());
        coord_close();
        ASSERT_TRUE(platform::files::remove(kLotNumbers));
        ASSERT_TRUE(platform::files::remove(kLotNames));

        // The model: of the live records of a number, the last one stays.
        std::map<uint32_t, int> last_of;
        for (int r = 1; r <= records; ++r) {
            if (!deleted.count(r))
                last_of[points[size_t(r - 1)].number] = r;
        }
        Entries numbers, names;
        for (const auto& [number, r] : last_of) {
            numbers.push_back({number_key(number), uint32_t(r)});
            names.push_back({name_key(points[size_t(r - 1)].name), uint32_t(r)});
        }
        std::sort(numbers.begin(), numbers.end(), EntryOrder());
        std::sort(names.begin(), names.end(), EntryOrder());

        ASSERT_EQ(coord_open_with_indexes(kLot), 1);
        EXPECT_EQ(coord_live_count(), int(last_of.size())) << "every earlier record of a number is retired";
        for (int r = 1; r <= records; ++r) {
            PointRecord got;
            bool kept = !deleted.count(r) && last_of[points[size_t(r - 1)].number] == r;
            EXPECT_EQ(coord_read(r, &got), kept ? 1 : 0) << "record " << r;
        }
        // A name finds its highest live record first, however its run of entries crosses the leaves.
        std::map<std::string, uint32_t> highest;
        for (const auto& [number, r] : last_of)
            highest[points[size_t(r - 1)].name] = std::max(highest[points[size_t(r - 1)].name], uint32_t(r));
        for (const auto& [name, r] : highest) {
            PointRecord got;
            EXPECT_EQ(point_find_nearest_by_name(std::u16string(name.begin(), name.end()), &got), 1);
            EXPECT_EQ(got.number, points[r - 1].number) << name;
        }
        EXPECT_EQ(index_verify(coord_number_index()), int64_t(numbers.size()));
        EXPECT_EQ(index_verify(coord_name_index()), int64_t(names.size()));
        coord_close();
        expect_point_indexes_hold(read_bytes(kLotNumbers), read_bytes(kLotNames), numbers, names);
        if (HasFailure())
            return;
    }
}

}  // namespace
