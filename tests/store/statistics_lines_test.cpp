#include "store/statistics_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/display_settings.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/store/point_files.h"
#include "tests/store/store_fixture.h"

namespace {

using Lines = std::vector<std::string>;

Lines utf8(const std::vector<std::u16string>& wide)
{
    Lines out;
    for (const std::u16string& line : wide)
        out.push_back(platform::text::to_utf8(line));
    return out;
}

// The lines between two headings (exclusive), or up to the end.
Lines section(const Lines& all, const std::string& from, const std::string& to)
{
    auto begin = std::find(all.begin(), all.end(), from);
    if (begin == all.end())
        return {"<no " + from + ">"};
    auto end = std::find(begin + 1, all.end(), to);
    return Lines(begin + 1, end);
}

Lines used(const Lines& all)
{
    return section(all, "Pt. numbers used:", "");
}
Lines free_ranges(const Lines& all)
{
    return section(all, "Pt. numbers not used:", "");
}

store::StatisticsInput with_numbers(std::vector<uint32_t> numbers)
{
    store::StatisticsInput in;
    in.file_open = true;
    in.full_path = u"\\My Documents\\Lot9.dat";
    in.point_count = int(numbers.size());
    in.numbers = std::move(numbers);
    return in;
}

class StatisticsFileTest : public StoreTest {
protected:
    Lines gathered() { return utf8(store::statistics_lines(store::gather_statistics(u"Lot9.dat"))); }
};

TEST_F(StatisticsFileTest, AFileWithGapsListsEveryLineInOrder)
{
    ASSERT_TRUE(point_files::create_with_numbers({9, 2, 7, 1, 3}));
    Lines expected = {
        "Statistics:   Lot9.dat",
        "File: \\My Documents\\Lot9.dat",
        "Number of points = 5",
        "",
        "First point = 1",
        "Last point = 9",
        "",
        "Pt. numbers used:",
        "    From 1 to 3",
        "    7",
        "    9",
        "",
        "Pt. numbers not used:",
        "    From 4 to 6",
        "    8",
        "    From 10 to ...",
        "",
        "Coordinate bounds:",
        "    N 5009.000",
        "    S 5001.000",
        "    E 1009.000",
        "    W 1001.000",
    };
    EXPECT_EQ(gathered(), expected);
}

TEST_F(StatisticsFileTest, ASinglePointShowsItselfUsedAndEverythingAroundItFree)
{
    ASSERT_TRUE(point_files::create_with_numbers({1}));
    Lines one = gathered();
    EXPECT_EQ(used(one), (Lines {"    1"}));
    EXPECT_EQ(free_ranges(one), (Lines {"    From 2 to ..."}));

    ASSERT_TRUE(point_files::create_with_numbers({5}));
    Lines five = gathered();
    EXPECT_EQ(used(five), (Lines {"    5"}));
    EXPECT_EQ(free_ranges(five), (Lines {"    From 1 to 4", "    From 6 to ..."}));

    ASSERT_TRUE(point_files::create_with_numbers({2}));
    EXPECT_EQ(free_ranges(gathered()), (Lines {"    1", "    From 3 to ..."}));
}

TEST_F(StatisticsFileTest, FreeNumbersBelowTheFirstPointComeFirst)
{
    ASSERT_TRUE(point_files::create_with_numbers({2, 3, 10}));
    EXPECT_EQ(free_ranges(gathered()), (Lines {"    1", "    From 4 to 9", "    From 11 to ..."}));
    ASSERT_TRUE(point_files::create_with_numbers({5, 6}));
    EXPECT_EQ(free_ranges(gathered()), (Lines {"    From 1 to 4", "    From 7 to ..."}));
}

TEST_F(StatisticsFileTest, ADeletedPointIsNeitherCountedNorUsed)
{
    ASSERT_TRUE(point_files::create_with_numbers({1, 2, 3}));
    ASSERT_EQ(store::point_delete(2), 1);
    Lines lines = gathered();
    EXPECT_EQ(lines[2], "Number of points = 2");
    EXPECT_EQ(used(lines), (Lines {"    1", "    3"}));
    EXPECT_EQ(free_ranges(lines), (Lines {"    2", "    From 4 to ..."}));
}

TEST_F(StatisticsFileTest, AFileWithoutPointsShowsEveryNumberFreeAndNoBounds)
{
    ASSERT_TRUE(point_files::create_with_numbers({}));
    Lines lines = gathered();
    EXPECT_EQ(lines[2], "Number of points = 0");
    EXPECT_EQ(lines[4], "First point = 0");
    EXPECT_EQ(lines[5], "Last point = 0");
    EXPECT_EQ(used(lines), Lines {});
    EXPECT_EQ(free_ranges(lines), (Lines {"    From 1 to ..."}));
    EXPECT_EQ(lines.back(), "Coordinate bounds:");
}

TEST_F(StatisticsFileTest, NoOpenFileShowsZerosAndEmptyRanges)
{
    Lines lines = gathered();
    EXPECT_EQ(lines[1], "File: ----");
    EXPECT_EQ(lines[2], "Number of points = 0");
    EXPECT_EQ(used(lines), Lines {});
    EXPECT_EQ(free_ranges(lines), Lines {});
    EXPECT_EQ(lines.back(), "Coordinate bounds:");
}

TEST_F(StatisticsFileTest, BoundsFollowTheCoordinateDecimals)
{
    store::PointRecord a = point_files::point(1), b = point_files::point(2);
    a.easting = -12.5;
    a.northing = 3.25;
    b.easting = 7.125;
    b.northing = -4.0;
    ASSERT_TRUE(point_files::create_with({a, b}));
    formats::set_coordinate_decimals(1);
    Lines lines = gathered();
    Lines bounds(lines.end() - 4, lines.end());
    EXPECT_EQ(bounds, (Lines {"    N 3.2", "    S -4.0", "    E 7.1", "    W -12.5"}));
}

TEST_F(StatisticsFileTest, BoundsBeyondTenMillionAreThePointsOwn)
{
    store::PointRecord a = point_files::point(1), b = point_files::point(2);
    a.northing = 12000000.0;
    b.northing = 12000500.0;
    a.easting = -20000000.0;
    b.easting = -19999000.0;
    ASSERT_TRUE(point_files::create_with({a, b}));
    Lines lines = gathered();
    Lines bounds(lines.end() - 4, lines.end());
    EXPECT_EQ(
        bounds, (Lines {"    N 12000500.000", "    S 12000000.000", "    E -19999000.000", "    W -20000000.000"}));
}

// ---- The line limits, on numbers handed in ---------------------------------------------------------

// Every other number from 1: n numbers make n runs of one and n - 1 gaps between them.
std::vector<uint32_t> odd_numbers(int n)
{
    std::vector<uint32_t> out;
    for (int i = 0; i < n; ++i)
        out.push_back(uint32_t(2 * i + 1));
    return out;
}

TEST(StatisticsLimits, UsedRangesStopOnceTheLineCounterPasses200)
{
    // The counter starts at 7 and counts each run closed by a gap: 194 runs are written, then the walk
    // stops with numbers left.
    Lines lines = utf8(store::statistics_lines(with_numbers(odd_numbers(300))));
    Lines u = used(lines);
    ASSERT_EQ(u.size(), 196u);
    EXPECT_EQ(u[0], "    1");
    EXPECT_EQ(u[193], "    387");
    EXPECT_EQ(u[194], "List aborted.");
    EXPECT_EQ(u[195], "Not all used points shown.");
}

TEST(StatisticsLimits, RangesThatEndExactlyAtTheLimitAreAllShown)
{
    // 195 runs: the last gap brings the counter to 201 with no number left, so nothing is missing.
    Lines u = used(utf8(store::statistics_lines(with_numbers(odd_numbers(195)))));
    ASSERT_EQ(u.size(), 195u);
    EXPECT_EQ(u.back(), "    389");
    Lines longer = used(utf8(store::statistics_lines(with_numbers(odd_numbers(196)))));
    EXPECT_EQ(longer.back(), "Not all used points shown.");
}

TEST(StatisticsLimits, FreeRangesStopOnceTheLineCounterPasses370)
{
    // After the aborted used ranges the counter is 201; the first number is 1, so it goes to 203, and
    // 168 gaps bring it past 370.
    Lines f = free_ranges(utf8(store::statistics_lines(with_numbers(odd_numbers(400)))));
    ASSERT_EQ(f.size(), 170u);
    EXPECT_EQ(f[0], "    2");
    EXPECT_EQ(f[167], "    336");
    EXPECT_EQ(f[168], "List aborted.");
    EXPECT_EQ(f[169], "Not all unused points shown.");
}

TEST(StatisticsLimits, ManyNumbersInOneRunNeedOneLine)
{
    std::vector<uint32_t> numbers;
    for (uint32_t n = 1; n <= 5000; ++n)
        numbers.push_back(n);
    Lines lines = utf8(store::statistics_lines(with_numbers(numbers)));
    EXPECT_EQ(used(lines), (Lines {"    From 1 to 5000"}));
    EXPECT_EQ(free_ranges(lines), (Lines {"    From 5001 to ..."}));
}

TEST(StatisticsLimits, TheHighestNumberLeavesNoOpenEnd)
{
    Lines lines = utf8(store::statistics_lines(with_numbers({4294967294u, 4294967295u})));
    EXPECT_EQ(used(lines), (Lines {"    From 4294967294 to 4294967295"}));
    EXPECT_EQ(free_ranges(lines), (Lines {"    From 1 to 4294967293"}));
    Lines single = utf8(store::statistics_lines(with_numbers({4294967295u})));
    EXPECT_EQ(free_ranges(single), (Lines {"    From 1 to 4294967294"}));
}

}  // namespace
