// Opening a coordinate file with its indexes and reindexing it, on real files: missing, empty, damaged and
// stale index files; and the index build with its progress steps.

#include <gtest/gtest.h>

#include <vector>

#include "formats/messages.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "store/view_extents.h"
#include "store_fixture.h"
#include "point_files.h"

namespace {

using namespace store;
namespace pf = platform::files;

class CoordOpenTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        set_index_build_runner([this](IndexBuild& build) {
            m_builds.push_back(build.kind());
            m_reasons.push_back(build.reason());
            while (!build.finished())
                m_steps.push_back(build.advance(100));
        });
    }

    // A closed coordinate file with points 1..count named by their parity, and no index files.
    void make_file(int count)
    {
        ASSERT_TRUE(create_unindexed(count, [](int i) { return i % 2 ? "ODD" : "EVEN"; }));
    }

    void remove_indexes()
    {
        pf::remove(kLotNumbers);
        pf::remove(kLotNames);
    }

    // Every point 1..count can be read by number and is found under its name.
    void expect_indexed(int count)
    {
        PointRecord got;
        for (int i = 1; i <= count; ++i) {
            ASSERT_EQ(point_read_by_number(uint32_t(i), &got), 1) << i;
            ASSERT_TRUE(index_holds(coord_name_index(), name_key(i % 2 ? "ODD" : "EVEN"), uint32_t(i))) << i;
        }
        EXPECT_EQ(point_read_by_number(uint32_t(count + 1), &got), 0);
    }

    std::vector<IndexKind> m_builds;
    std::vector<std::u16string> m_reasons;
    std::vector<int> m_steps;
};

const Messages kInitFailure = {
    {u"indexCoordFile()", u"init_b() error"},
    {u"OpenMorventFile(): index", u"error"},
    {u"indexCoordFile()", u"init_b() error"},
    {u"OpenMorventFile(): index", u"error"},
};

TEST_F(CoordOpenTest, MissingIndexFilesAreCreatedAndBuiltNumbersFirst)
{
    make_file(250);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(m_builds, (std::vector<IndexKind> {IndexKind::Number, IndexKind::Name}));
    EXPECT_EQ(coord_full_path(), kLot);
    expect_indexed(250);
    EXPECT_TRUE(m_messages.empty());

    // The built indexes are kept: opening again builds nothing.
    coord_close();
    m_builds.clear();
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_TRUE(m_builds.empty());
    expect_indexed(250);
}

TEST_F(CoordOpenTest, AnEmptyFileBuildsNothingAndGetsEmptyIndexFiles)
{
    make_file(0);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_TRUE(m_builds.empty());
    coord_close();
    EXPECT_EQ(file_size(kLotNumbers), 3072);
    EXPECT_EQ(file_size(kLotNames), 3072);
}

TEST_F(CoordOpenTest, OnlyTheMissingIndexIsBuilt)
{
    make_file(30);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    coord_close();
    pf::remove(kLotNames);
    m_builds.clear();
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(m_builds, (std::vector<IndexKind> {IndexKind::Name}));
    expect_indexed(30);
}

// The store shows nothing by itself: without a runner, or behind one that gives up half way (a dialog
// closed early), every index is whole when the open returns.
TEST_F(CoordOpenTest, BuildsAreFinishedWithoutARunnerAndAfterOneThatStopsShort)
{
    make_file(120);
    set_index_build_runner({});
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    expect_indexed(120);

    int slices = 0;
    set_index_build_runner([&](IndexBuild& build) {
        build.advance(10);
        ++slices;
    });
    ASSERT_EQ(coord_reindex(kLot), 1);
    EXPECT_EQ(slices, 2);
    expect_indexed(120);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordOpenTest, AFileThatCannotBeOpenedLeavesNothingOpen)
{
    make_file(3);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(coord_open_with_indexes(u"\\My Documents\\Missing.dat"), 0);
    EXPECT_FALSE(coord_is_open());
    EXPECT_EQ(coord_full_path(), u"----");
    EXPECT_EQ(coord_base_path(), u"----");
    EXPECT_EQ(coord_reindex(u"\\My Documents\\Missing.dat"), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordOpenTest, OpeningMakesTheViewExtentsInvalid)
{
    make_file(3);
    view_extents_set(0, 0, 10, 10);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_FALSE(view_extents_valid());
}

TEST_F(CoordOpenTest, DamagedIndexFilesAreRebuiltAtOpen)
{
    make_file(60);
    write_bytes(kLotNumbers, std::string(1500, '\x5A'));  // not whole pages
    std::string garbage(4096, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = char(i * 131 + 7);  // whole pages, nonsense counts
    write_bytes(kLotNames, garbage);

    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_TRUE(m_messages.empty()) << "an index is never refused and left broken";
    EXPECT_EQ(m_builds, (std::vector<IndexKind> {IndexKind::Number, IndexKind::Name}));
    EXPECT_EQ(m_reasons, (std::vector<std::u16string> {u"(index damaged)", u"(index damaged)"}));
    expect_indexed(60);
    EXPECT_EQ(point_store(make_point(61), false), 1);
}

TEST_F(CoordOpenTest, AnIndexThatCannotBeCreatedIsReportedWithTheReindexCaption)
{
    make_file(5);
    // A folder where the index file should be: it can be neither removed nor created.
    ASSERT_TRUE(pf::create_directory(kLotNames));
    ASSERT_EQ(coord_reindex(kLot), 1);
    EXPECT_EQ(
        m_messages, (Messages {{u"indexCoordFile()", u"init_b() error"}, {u"ReindexVarnoFile(): index", u"error"}}));
    EXPECT_EQ(m_builds, (std::vector<IndexKind> {IndexKind::Number}));
    PointRecord got;
    EXPECT_EQ(point_read_by_number(5, &got), 1);
    EXPECT_EQ(coord_name_index(), nullptr);
    EXPECT_EQ(point_first_by_name(nullptr, &got), 0u);
}

TEST_F(CoordOpenTest, ReindexRebuildsIndexesThatMissPoints)
{
    make_file(40);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    // Points appended behind the indexes' back, as by a program that ended without closing them.
    for (uint32_t n = 41; n <= 45; ++n)
        ASSERT_TRUE(coord_append(make_point(n, n % 2 ? "ODD" : "EVEN"), nullptr));
    PointRecord got;
    EXPECT_EQ(point_read_by_number(43, &got), 0);
    m_builds.clear();
    ASSERT_EQ(coord_reindex(kLot), 1);
    EXPECT_EQ(m_builds.size(), 2u);
    expect_indexed(45);
}

TEST_F(CoordOpenTest, IndexesLeftByAnotherFileAreRebuilt)
{
    // Index files of a 50-point file beside a 10-point file of the same name.
    make_file(50);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    coord_close();
    std::string numbers = read_bytes(kLotNumbers), names = read_bytes(kLotNames);
    make_file(10);
    write_bytes(kLotNumbers, numbers);
    write_bytes(kLotNames, names);
    m_builds.clear();
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(m_builds, (std::vector<IndexKind> {IndexKind::Number, IndexKind::Name}));
    expect_indexed(10);
    PointRecord got;
    EXPECT_EQ(point_last_by_number(&got), 10u);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordOpenTest, AnIndexThatIsEmptyIsBuiltEvenWhenItsFileExists)
{
    make_file(12);
    ASSERT_TRUE(coord_open_file(kLot));  // opens no indexes
    coord_close();
    Index* empty = index_open(kLotNumbers, kNumberKeySize, false);
    ASSERT_NE(empty, nullptr);
    index_close(empty);
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(m_builds.size(), 2u);
    expect_indexed(12);
}

// ---- The build ------------------------------------------------------------------------------------------

class IndexBuildTest : public CoordOpenTest { };

TEST_F(IndexBuildTest, ProgressComesInTwentyStepsOfTheRecordCountOverTwenty)
{
    make_file(1000);
    ASSERT_TRUE(coord_open_file(kLot));
    Index* index = index_open(kLotNumbers, kNumberKeySize, false);
    IndexBuild build(index, IndexKind::Number);
    EXPECT_EQ(build.record_count(), 1000);
    EXPECT_EQ(build.step_interval(), 50);
    int slices = 0, steps = 0;
    while (!build.finished()) {
        steps += build.advance(100);
        ++slices;
        if (!build.finished()) {
            EXPECT_EQ(steps, slices * 2);
        }
    }
    EXPECT_EQ(slices, 10);
    EXPECT_EQ(steps, 20);
    EXPECT_EQ(build.advance(100), 0);
    EXPECT_EQ(build.refused(), 0);
    coord_set_indexes(index, nullptr);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(1000, &got), 1);
}

TEST_F(IndexBuildTest, FewRecordsMakeAStepEachAndDeletedRecordsNone)
{
    make_file(25);
    ASSERT_TRUE(coord_open_file(kLot));
    ASSERT_EQ(coord_delete(3), 1);
    ASSERT_EQ(coord_delete(4), 1);
    Index* index = index_open(kLotNames, kNameKeySize, true);
    IndexBuild build(index, IndexKind::Name);
    EXPECT_EQ(build.step_interval(), 1);
    EXPECT_EQ(build.advance(10), 8);
    EXPECT_FALSE(build.finished());
    EXPECT_EQ(build.advance(1000), 15);
    EXPECT_TRUE(build.finished());
    coord_set_indexes(nullptr, index);
    EXPECT_FALSE(index_holds(index, name_key("ODD"), 3));
    EXPECT_TRUE(index_holds(index, name_key("ODD"), 5));
}

TEST_F(IndexBuildTest, TheBuildKeysStoredNamesUntrimmed)
{
    ASSERT_TRUE(coord_create(kLot));
    ASSERT_TRUE(coord_append(make_point(1, " PADDED "), nullptr));
    ASSERT_TRUE(coord_append(make_point(2, "FULL-FIFTEEN-CH"), nullptr));
    coord_close();
    remove_indexes();
    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_TRUE(index_holds(coord_name_index(), name_key(" PADDED "), 1));
    EXPECT_TRUE(index_holds(coord_name_index(), name_key("FULL-FIFTEEN-CH"), 2));
    // A delete finds the untrimmed entry too.
    ASSERT_EQ(point_delete(1), 1);
    EXPECT_FALSE(index_holds(coord_name_index(), name_key(" PADDED "), 1));
}

TEST_F(IndexBuildTest, ANumberCarriedByTwoRecordsKeepsTheLaterAndRetiresTheEarlier)
{
    ASSERT_TRUE(coord_create(kLot));
    ASSERT_TRUE(coord_append(make_point(8, "FIRST"), nullptr));
    ASSERT_TRUE(coord_append(make_point(9, "OTHER"), nullptr));
    ASSERT_TRUE(coord_append(make_point(8, "SECOND"), nullptr));
    coord_close();
    remove_indexes();
    ASSERT_TRUE(coord_open_file(kLot));
    Index* index = index_open(kLotNumbers, kNumberKeySize, false);
    IndexBuild build(index, IndexKind::Number);
    build.run_to_end();
    EXPECT_EQ(build.refused(), 1);
    coord_set_indexes(index, nullptr);
    PointRecord got;
    ASSERT_EQ(point_read_by_number(8, &got), 1);
    EXPECT_STREQ(got.name, "SECOND") << "the later save is the surveyor's last word";
    EXPECT_EQ(coord_read(1, &got), 0) << "the earlier record is retired, so file and index agree";
    EXPECT_EQ(coord_live_count(), 2);
}

TEST_F(IndexBuildTest, ARecordCutShortAtTheTailIsLeftOut)
{
    make_file(5);
    // Record 5 loses its pads and the last bytes of its code: the record count leaves it out, and the build
    // neither keys it nor reads past the end (which would show the short-read messages).
    std::string bytes = read_bytes(kLot);
    write_bytes(kLot, bytes.substr(0, bytes.size() - 3 - 5));
    ASSERT_TRUE(coord_open_file(kLot));
    EXPECT_EQ(coord_record_count(), 4);
    Index* index = index_open(kLotNumbers, kNumberKeySize, false);
    IndexBuild build(index, IndexKind::Number);
    build.run_to_end();
    coord_set_indexes(index, nullptr);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(4, &got), 1);
    EXPECT_EQ(point_read_by_number(5, &got), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(IndexBuildTest, AShortReadFallsBackToTheRecordsOwnReadWithItsMessages)
{
    make_file(3);
    ASSERT_TRUE(coord_open_file(kLot));
    Index* index = index_open(kLotNumbers, kNumberKeySize, false);
    IndexBuild build(index, IndexKind::Number);
    // The block read stops inside record 1, and so does record 1's own read after it.
    pf::arm_read_fault({0, 2, 60});
    build.run_to_end();
    pf::clear_faults();
    coord_set_indexes(index, nullptr);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(1, &got), 0);
    EXPECT_EQ(point_read_by_number(2, &got), 1);
    EXPECT_EQ(point_read_by_number(3, &got), 1);
    ASSERT_EQ(m_messages.size(), 3u);
    EXPECT_EQ(m_messages[0], (std::pair<std::u16string, std::u16string>(u"Error: number of bytes read", u"56")));
    EXPECT_EQ(m_messages[1], (std::pair<std::u16string, std::u16string>(u"recLen", u"80")));
    EXPECT_EQ(m_messages[2], (std::pair<std::u16string, std::u16string>(u"record", u"1")));
}

TEST_F(IndexBuildTest, ASliceAskedForWhileAMessageIsShownWaitsForTheOneUnderWay)
{
    make_file(300);
    ASSERT_TRUE(coord_open_file(kLot));
    Index* index = index_open(kLotNumbers, kNumberKeySize, false);
    IndexBuild build(index, IndexKind::Number);
    // The message boxes of a short read run their own loops, in which the dialog's timer goes on ticking.
    int nested = -1;
    formats::set_message_sink([&](const std::u16string&, const std::u16string&) { nested = build.advance(100); });
    pf::arm_read_fault({0, 2, 60});
    int steps = build.advance(100);
    pf::clear_faults();
    EXPECT_EQ(nested, 0);
    build.run_to_end();
    coord_set_indexes(index, nullptr);
    PointRecord got;
    EXPECT_EQ(point_read_by_number(1, &got), 0);
    for (uint32_t n = 2; n <= 300; ++n)
        ASSERT_EQ(point_read_by_number(n, &got), 1) << n;
    EXPECT_EQ(steps, 6);  // 99 records keyed in the first slice, a step every 15
}

}  // namespace
