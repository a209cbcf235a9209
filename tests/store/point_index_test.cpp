// The point-index layer on real files: keys, reading, nearest finds, steps, store, overwrite and delete,
// the name trimming, and indexes that disagree with their file.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "store/coord_file.h"
#include "store/point_index.h"
#include "store_fixture.h"
#include "point_files.h"

namespace {

using namespace store;

class PointIndexTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(coord_create(kLot));
    }

    void store_all(std::initializer_list<uint32_t> numbers)
    {
        for (uint32_t n : numbers)
            ASSERT_EQ(point_store(make_point(n, "P" + std::to_string(n)), false), 1) << n;
    }
};

TEST(PointKeys, NumberKeysArePaddedDecimalWhoseByteOrderIsNumericOrder)
{
    EXPECT_EQ(number_key(0), "           0");
    EXPECT_EQ(number_key(7), "           7");
    EXPECT_EQ(number_key(4294967295u), "  4294967295");
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        uint32_t a = random() >> (random() % 32);
        uint32_t b = random() >> (random() % 32);
        EXPECT_EQ(a < b, number_key(a) < number_key(b)) << a << " " << b;
    }
}

TEST(PointKeys, NameKeysArePaddedToFifteenWithANul)
{
    EXPECT_EQ(name_key("AB"), std::string("AB             ") + '\0');
    EXPECT_EQ(name_key(""), std::string(15, ' ') + '\0');
    EXPECT_EQ(name_key("FIFTEEN-CHARS-X"), std::string("FIFTEEN-CHARS-X") + '\0');
    // A name longer than the key keeps its first fifteen bytes: the key never runs past its sixteen.
    EXPECT_EQ(name_key("SIXTEEN-CHARS-XY"), std::string("SIXTEEN-CHARS-X") + '\0');
}

TEST(PointKeys, TrimmingRemovesSpacesAndCode25AtBothEndsOnly)
{
    EXPECT_EQ(point_trim_name("  AB C \x19 "), "AB C");
    EXPECT_EQ(point_trim_name("\x19"
                              "A\x19"
                              "B"),
        "A\x19"
        "B");
    EXPECT_EQ(point_trim_name("    "), "");
    char full[16];
    std::memset(full, 'Z', sizeof full);  // a field without its NUL stops at the field's end
    EXPECT_EQ(point_trim_name(full), std::string(16, 'Z'));
}

TEST_F(PointIndexTest, NothingOpenFindsNothingAndStoresNothing)
{
    coord_close();
    PointRecord p = make_point(99);
    EXPECT_EQ(point_store(make_point(5), true), 0);
    EXPECT_EQ(point_delete(5), 0);
    EXPECT_EQ(point_read_by_number(5, &p), 0);
    EXPECT_EQ(point_find_nearest_by_number(5, &p), -1);
    EXPECT_EQ(point_find_nearest_by_name(u"A", &p), -1);
    EXPECT_EQ(point_first_by_number(&p), 0u);
    std::u16string name = u"x";
    EXPECT_EQ(point_last_by_name(&name, &p), 0u);
    EXPECT_EQ(name, u"");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PointIndexTest, AStoredPointIsAppendedAndEnteredInBothIndexes)
{
    PointRecord p = make_point(5, "CORNER", 1234.5, 6789.25);
    std::strcpy(p.note, "iron pin");
    ASSERT_EQ(point_store(p, false), 1);
    EXPECT_EQ(coord_record_count(), 1);
    EXPECT_TRUE(index_holds(coord_number_index(), number_key(5), 1));
    EXPECT_TRUE(index_holds(coord_name_index(), name_key("CORNER"), 1));

    PointRecord got;
    got.flags = 0x1234;  // a read leaves the caller's flags word alone
    ASSERT_EQ(point_read_by_number(5, &got), 1);
    EXPECT_EQ(got.flags, 0x1234u);
    EXPECT_EQ(got.number, 5u);
    EXPECT_STREQ(got.name, "CORNER");
    EXPECT_STREQ(got.note, "iron pin");
    EXPECT_EQ(got.easting, 1234.5);
    EXPECT_EQ(got.northing, 6789.25);
    EXPECT_EQ(point_read_by_number(6, &got), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PointIndexTest, StoringAnExistingNumberWithoutOverwriteChangesNothing)
{
    store_all({5});
    std::string before = read_bytes(kLot);
    EXPECT_EQ(point_store(make_point(5, "OTHER", 1.0, 2.0), false), 0);
    EXPECT_EQ(read_bytes(kLot), before);
    PointRecord got;
    ASSERT_EQ(point_read_by_number(5, &got), 1);
    EXPECT_STREQ(got.name, "P5");
}

TEST_F(PointIndexTest, OverwritingRewritesInPlaceAndMovesTheNameEntry)
{
    store_all({3, 5, 8});
    ASSERT_EQ(point_store(make_point(5, "NEWNAME", 11.0, 22.0), true), 1);
    EXPECT_EQ(coord_record_count(), 3);  // rewritten in place, not appended

    PointRecord got;
    EXPECT_EQ(point_find_nearest_by_name(u"NEWNAME", &got), 1);
    EXPECT_EQ(got.number, 5u);
    EXPECT_EQ(got.easting, 11.0);
    // The old name is gone: the nearest find now lands on the next greater name.
    EXPECT_EQ(point_find_nearest_by_name(u"P5", &got), 0);
    EXPECT_EQ(got.number, 8u);
    EXPECT_FALSE(index_holds(coord_name_index(), name_key("P5"), 2));
}

TEST_F(PointIndexTest, OverwritingWithTheSameNameKeepsOneNameEntry)
{
    store_all({5});
    ASSERT_EQ(point_store(make_point(5, " P5 ", 7.0, 8.0), true), 1);
    std::u16string name;
    PointRecord got;
    EXPECT_EQ(point_first_by_name(&name, &got), 5u);
    EXPECT_EQ(point_next_by_name(&name, &got), 0u);
}

TEST_F(PointIndexTest, DeletingRemovesThePointAndNearestFindsTheNextGreater)
{
    store_all({3, 5, 8});
    int live = coord_live_count();
    ASSERT_EQ(point_delete(5), 1);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(5, &got), 0);
    EXPECT_EQ(point_find_nearest_by_number(5, &got), 0);
    EXPECT_EQ(got.number, 8u);
    EXPECT_EQ(coord_record_count(), 3);
    EXPECT_EQ(coord_live_count(), live - 1);
    EXPECT_FALSE(index_holds(coord_number_index(), number_key(5), 2));
    EXPECT_FALSE(index_holds(coord_name_index(), name_key("P5"), 2));
    EXPECT_EQ(point_delete(5), 0);
    EXPECT_EQ(point_delete(4), 0);
    // The number can be used again.
    EXPECT_EQ(point_store(make_point(5, "AGAIN"), false), 1);
    ASSERT_EQ(point_read_by_number(5, &got), 1);
    EXPECT_STREQ(got.name, "AGAIN");
}

TEST_F(PointIndexTest, NearestFindByNumberFollowsTheRule)
{
    PointRecord got = make_point(77);
    EXPECT_EQ(point_find_nearest_by_number(5, &got), -1);  // empty file
    EXPECT_EQ(got.number, 77u);                            // untouched
    store_all({10, 20, 30});
    EXPECT_EQ(point_find_nearest_by_number(20, &got), 1);
    EXPECT_EQ(got.number, 20u);
    EXPECT_EQ(point_find_nearest_by_number(1, &got), 0);
    EXPECT_EQ(got.number, 10u);
    EXPECT_EQ(point_find_nearest_by_number(21, &got), 0);
    EXPECT_EQ(got.number, 30u);
    EXPECT_EQ(point_find_nearest_by_number(31, &got), 0);  // beyond all: the greatest
    EXPECT_EQ(got.number, 30u);
    // The cursor is left where the find stopped.
    EXPECT_EQ(point_previous_by_number(&got), 20u);
}

TEST_F(PointIndexTest, NearestFindByNameKeysTheNameUntrimmed)
{
    store_all({1});
    ASSERT_EQ(point_store(make_point(2, "BETA"), false), 1);
    PointRecord got;
    EXPECT_EQ(point_find_nearest_by_name(u"BETA", &got), 1);
    EXPECT_EQ(got.number, 2u);
    EXPECT_EQ(point_find_nearest_by_name(u" BETA", &got), 0);  // the space sorts before every letter
    EXPECT_EQ(got.number, 2u);
    EXPECT_EQ(point_find_nearest_by_name(u"ZZZ", &got), 0);
    EXPECT_EQ(got.number, 1u);  // "P1" is the greatest name
}

TEST_F(PointIndexTest, NamesWithSpacesAroundThemKeyAsTheBareName)
{
    ASSERT_EQ(point_store(make_point(4, "  FENCE \x19"), false), 1);
    EXPECT_TRUE(index_holds(coord_name_index(), name_key("FENCE"), 1));
    PointRecord got;
    EXPECT_EQ(point_find_nearest_by_name(u"FENCE", &got), 1);
    EXPECT_EQ(got.number, 4u);
    EXPECT_STREQ(got.name, "  FENCE \x19");  // the record keeps what was given
    ASSERT_EQ(point_delete(4), 1);
    EXPECT_EQ(point_find_nearest_by_name(u"FENCE", &got), -1);
}

TEST_F(PointIndexTest, StepsWalkBothOrdersAndStopAtTheEnds)
{
    ASSERT_EQ(point_store(make_point(30, "ALPHA"), false), 1);
    ASSERT_EQ(point_store(make_point(10, "CHARLIE"), false), 1);
    ASSERT_EQ(point_store(make_point(20, "BRAVO"), false), 1);
    PointRecord got;
    EXPECT_EQ(point_next_by_number(&got), 30u);  // the store of 20 left the cursor on it
    EXPECT_EQ(point_first_by_number(&got), 10u);
    EXPECT_EQ(point_next_by_number(&got), 20u);
    EXPECT_EQ(point_next_by_number(&got), 30u);
    EXPECT_EQ(point_next_by_number(&got), 0u);
    EXPECT_EQ(got.number, 0u);
    EXPECT_EQ(point_last_by_number(&got), 30u);
    EXPECT_EQ(point_previous_by_number(&got), 20u);
    EXPECT_EQ(point_previous_by_number(&got), 10u);
    EXPECT_EQ(point_previous_by_number(&got), 0u);

    std::u16string name;
    EXPECT_EQ(point_first_by_name(&name, &got), 30u);
    EXPECT_EQ(name, u"ALPHA");
    EXPECT_EQ(point_next_by_name(&name, &got), 20u);
    EXPECT_EQ(name, u"BRAVO");
    EXPECT_EQ(point_last_by_name(&name, &got), 10u);
    EXPECT_EQ(name, u"CHARLIE");
    EXPECT_EQ(point_next_by_name(&name, &got), 0u);
    EXPECT_EQ(name, u"");
}

TEST_F(PointIndexTest, EqualNamesStepByDescendingRecordAndADeleteRemovesOnlyItsOwnEntry)
{
    ASSERT_EQ(point_store(make_point(1, "TREE"), false), 1);
    ASSERT_EQ(point_store(make_point(2, "TREE"), false), 1);
    ASSERT_EQ(point_store(make_point(3, "TREE"), false), 1);
    PointRecord got;
    std::u16string name;
    EXPECT_EQ(point_first_by_name(&name, &got), 3u);
    EXPECT_EQ(point_next_by_name(&name, &got), 2u);
    EXPECT_EQ(point_next_by_name(&name, &got), 1u);

    // Point 1's entry is not the first "TREE" entry, yet it is the one that goes.
    ASSERT_EQ(point_delete(1), 1);
    ASSERT_EQ(point_store(make_point(2, "ROCK"), true), 1);
    EXPECT_FALSE(index_holds(coord_name_index(), name_key("TREE"), 1));
    EXPECT_FALSE(index_holds(coord_name_index(), name_key("TREE"), 2));
    EXPECT_TRUE(index_holds(coord_name_index(), name_key("TREE"), 3));
    EXPECT_EQ(point_first_by_name(&name, &got), 2u);
    EXPECT_EQ(name, u"ROCK");
    EXPECT_EQ(point_next_by_name(&name, &got), 3u);
    EXPECT_EQ(point_next_by_name(&name, &got), 0u);
}

TEST_F(PointIndexTest, NameTextIsWindows1252)
{
    ASSERT_EQ(point_store(make_point(9, "ESQUINA \xD1"), false), 1);  // N with tilde
    std::u16string name;
    PointRecord got;
    EXPECT_EQ(point_first_by_name(&name, &got), 9u);
    EXPECT_EQ(name, u"ESQUINA \u00D1");
    EXPECT_EQ(point_find_nearest_by_name(u"ESQUINA \u00D1", &got), 1);
}

TEST_F(PointIndexTest, AFailedAppendIsReportedAndEntersNothing)
{
    store_all({1});
    platform::files::arm_write_fault({0, -1, 0});
    EXPECT_EQ(point_store(make_point(2, "LOST"), false), 0);
    platform::files::clear_faults();
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back(), (std::pair<std::u16string, std::u16string>(u"Write Point error", u"2")));
    PointRecord got;
    EXPECT_EQ(point_read_by_number(2, &got), 0);
    EXPECT_EQ(point_find_nearest_by_name(u"LOST", &got), 0);
    EXPECT_EQ(got.number, 1u);
}

TEST_F(PointIndexTest, ARecordThatReadsShortInsideTheFileIsReported)
{
    store_all({1, 2});
    platform::files::arm_read_fault({0, 2, 10});
    PointRecord got;
    EXPECT_EQ(point_read_by_number(2, &got), 0);
    platform::files::clear_faults();
    EXPECT_EQ(m_messages, (Messages {{u"Error: number of bytes read", u"6"}, {u"recLen", u"80"}, {u"record", u"2"}}));
    EXPECT_EQ(point_read_by_number(2, &got), 1);
}

// ---- Indexes that disagree with the file ----------------------------------------------------------------

TEST_F(PointIndexTest, EntriesNamingRecordsThatDoNotHoldThemArePassedOver)
{
    store_all({1, 2, 3, 4});
    // Records deleted behind the indexes' back, and entries naming records past the end of the file.
    ASSERT_EQ(coord_delete(2), 1);
    char key[kNumberKeySize];
    point_number_key(9, key);
    ASSERT_EQ(index_insert(coord_number_index(), key, 40), kIndexOk);
    point_number_key(0, key);
    ASSERT_EQ(index_insert(coord_number_index(), key, 3), kIndexOk);  // record 3 holds point 3, not 0

    PointRecord got;
    EXPECT_EQ(point_first_by_number(&got), 1u);
    EXPECT_EQ(point_next_by_number(&got), 3u);
    EXPECT_EQ(point_next_by_number(&got), 4u);
    EXPECT_EQ(point_next_by_number(&got), 0u);
    EXPECT_EQ(point_last_by_number(&got), 4u);
    EXPECT_EQ(point_read_by_number(2, &got), 0);
    EXPECT_EQ(point_read_by_number(9, &got), 0);
    EXPECT_EQ(point_find_nearest_by_number(2, &got), 0);
    EXPECT_EQ(got.number, 3u);
    EXPECT_EQ(point_find_nearest_by_number(9, &got), 0);
    EXPECT_EQ(got.number, 4u);
    std::u16string name;
    EXPECT_EQ(point_first_by_name(&name, &got), 1u);
    EXPECT_EQ(point_next_by_name(&name, &got), 3u);
    EXPECT_TRUE(m_messages.empty());  // no read past the end was attempted
}

TEST_F(PointIndexTest, AStaleNumberEntryGivesWayToANewPoint)
{
    store_all({1, 2});
    ASSERT_EQ(coord_delete(2), 1);  // point 2's entry now names a deleted record
    EXPECT_EQ(point_delete(2), 0);
    ASSERT_EQ(point_store(make_point(2, "FRESH"), false), 1);
    EXPECT_EQ(coord_record_count(), 3);
    PointRecord got;
    ASSERT_EQ(point_read_by_number(2, &got), 1);
    EXPECT_STREQ(got.name, "FRESH");
    EXPECT_TRUE(index_holds(coord_number_index(), number_key(2), 3));
    EXPECT_FALSE(index_holds(coord_number_index(), number_key(2), 2));
}

TEST_F(PointIndexTest, AFileWithoutIndexesFindsNothingAndRefusesToStore)
{
    store_all({1});
    coord_set_indexes(nullptr, nullptr);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(1, &got), 0);
    EXPECT_EQ(point_find_nearest_by_number(1, &got), -1);
    EXPECT_EQ(point_first_by_number(&got), 0u);
    EXPECT_EQ(point_delete(1), 0);
    EXPECT_EQ(point_store(make_point(2), false), 0);
    EXPECT_EQ(coord_record_count(), 1);  // numbers could not be kept unique, so nothing was appended
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].first, u"Index error");
}

// ---- A random run against a model --------------------------------------------------------------------

struct ModelPoint {
    std::string name;
    double easting;
};

void check_against_model(const std::map<uint32_t, ModelPoint>& model)
{
    PointRecord got;
    auto it = model.begin();
    for (uint32_t n = point_first_by_number(&got); n != 0; n = point_next_by_number(&got), ++it) {
        ASSERT_NE(it, model.end()) << "index has more points than the model, at " << n;
        ASSERT_EQ(n, it->first);
        ASSERT_EQ(got.name, it->second.name);
        ASSERT_EQ(got.easting, it->second.easting);
    }
    ASSERT_EQ(it, model.end()) << "index misses points from " << it->first;

    // Name order: every point once, names ascending, equal names by descending record.
    std::multiset<std::pair<std::string, uint32_t>> expected, seen;
    for (const auto& [number, point] : model)
        expected.emplace(name_key(point.name), number);
    std::u16string name;
    std::string last_key;
    for (uint32_t n = point_first_by_name(&name, &got); n != 0; n = point_next_by_name(&name, &got)) {
        std::string key = name_key(got.name);
        ASSERT_LE(last_key, key);
        last_key = key;
        seen.emplace(key, n);
    }
    ASSERT_EQ(seen, expected);
    ASSERT_EQ(coord_live_count(), int(model.size()));
}

void random_run(std::map<uint32_t, ModelPoint>& model, std::mt19937& random, int operations)
{
    const char* names[] = {"A", "B", "TREE", "FENCE", "POST", "CORNER", "Z9"};
    for (int i = 0; i < operations; ++i) {
        uint32_t number = 1 + random() % 300;
        int what = int(random() % 10);
        bool exists = model.count(number) != 0;
        if (what < 3) {
            ASSERT_EQ(point_delete(number), exists ? 1 : 0) << number;
            model.erase(number);
            continue;
        }
        std::string name = names[random() % 7];
        double e = double(random() % 100000) / 8;
        bool overwrite = what < 8;
        ASSERT_EQ(point_store(make_point(number, name, e + 1, 1), overwrite), !exists || overwrite ? 1 : 0);
        if (!exists || overwrite)
            model[number] = {name, e + 1};
    }
}

TEST_F(PointIndexTest, ARandomRunKeepsBothIndexesInStepWithAModel)
{
    std::mt19937 random(1234);
    std::map<uint32_t, ModelPoint> model;
    for (int round = 0; round < 4; ++round) {
        random_run(model, random, 500);
        check_against_model(model);
        // Reopen through the indexes written at close: the same picture.
        coord_close();
        ASSERT_TRUE(coord_open_file(kLot));
        coord_set_indexes(index_open(kLotNumbers, kNumberKeySize, false), index_open(kLotNames, kNameKeySize, true));
        check_against_model(model);
        PointRecord got;
        for (uint32_t n = 0; n < 300; n += 7)
            ASSERT_EQ(point_read_by_number(n, &got), model.count(n) ? 1 : 0) << n;
    }
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
