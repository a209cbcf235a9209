#include "store/point_list_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/display_settings.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/store/point_files.h"
#include "tests/store/store_fixture.h"

namespace {

using store::ListOrder;
using store::ListPage;
using Numbers = std::vector<uint32_t>;

std::string utf8(const std::u16string& s)
{
    return platform::text::to_utf8(s);
}

Numbers numbers_of(int layout, const ListPage& page)
{
    Numbers out;
    for (const std::u16string& line : page.lines)
        out.push_back(store::point_list_line_number(layout, line));
    return out;
}

Numbers range(uint32_t from, uint32_t to)
{
    Numbers out;
    if (from <= to)
        for (uint32_t n = from; n <= to; ++n)
            out.push_back(n);
    else
        for (uint32_t n = from; n >= to; --n)
            out.push_back(n);
    return out;
}

constexpr ListOrder kByNumber {false, false};
constexpr ListOrder kByNumberDown {false, true};
constexpr ListOrder kByName {true, false};

class PointListPageTest : public StoreTest {
protected:
    void create_points(uint32_t count) { ASSERT_TRUE(point_files::create_with_reversed_names(count)); }
};

using PointListLine = testing_support::ProgramStateTest;

TEST_F(PointListLine, EachLayoutPadsItsColumnsToTheirWidths)
{
    store::PointRecord p = point_files::point(7, "TREE", "OAK", "by the gate");
    EXPECT_EQ(utf8(store::point_list_line(0, p)), "     7    5007.000    1007.000     17.000");
    EXPECT_EQ(utf8(store::point_list_line(1, p)), "     7 TREE            OAK     by the gate            ");
    EXPECT_EQ(utf8(store::point_list_line(2, p)), "TREE                 7    5007.000    1007.000");
    formats::set_coordinate_decimals(1);
    EXPECT_EQ(utf8(store::point_list_line(0, p)), "     7      5007.0      1007.0       17.0");
}

TEST_F(PointListLine, WideValuesPushTheColumnsAndTooLongLinesAreCut)
{
    store::PointRecord p = point_files::point(1234567);
    EXPECT_EQ(utf8(store::point_list_line(0, p)), "1234567 1239567.000 1235567.000 1234577.000");
    p.northing = 1e60;
    bool too_long = false;
    std::u16string line = store::point_list_line(0, p, &too_long);
    EXPECT_TRUE(too_long);
    EXPECT_EQ(line.size(), size_t(store::kMaxListLineLength));
    store::point_list_line(0, point_files::point(1), &too_long);
    EXPECT_FALSE(too_long);
}

TEST_F(PointListLine, TheNumberIsReadFromItsColumnInEveryLayout)
{
    // A name that looks like a number must not be taken for the point number in layout 2.
    store::PointRecord p = point_files::point(4021, "12 34", "C", "N");
    for (int layout = 0; layout < store::kListLayouts; ++layout)
        EXPECT_EQ(store::point_list_line_number(layout, store::point_list_line(layout, p)), 4021u) << layout;
    store::PointRecord long_name = point_files::point(88, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(store::point_list_line_number(2, store::point_list_line(2, long_name)), 88u);
    EXPECT_EQ(store::point_list_line_number(2, u"SHORT"), 0u);
    EXPECT_EQ(store::point_list_line_number(0, u""), 0u);
}

TEST_F(PointListLine, HeadersShowTheOrderOnTheFirstColumn)
{
    using H = std::vector<std::u16string>;
    EXPECT_EQ(store::point_list_headers(0, false), (H {u"Pt <", u"N", u"E", u"El"}));
    EXPECT_EQ(store::point_list_headers(1, true), (H {u"Pt >", u"Name", u"Code", u"Note"}));
    EXPECT_EQ(store::point_list_headers(2, false), (H {u"Name <", u"Pt", u"N", u"E"}));
}

TEST_F(PointListLine, TheOffsetHidesLeadingCharacters)
{
    EXPECT_EQ(store::shifted_line(u"abcdef", 0), u"abcdef");
    EXPECT_EQ(store::shifted_line(u"abcdef", 2), u"cdef");
    EXPECT_EQ(store::shifted_line(u"abcdef", 6), u"");
    EXPECT_EQ(store::shifted_line(u"abcdef", 60), u"");
    EXPECT_EQ(store::shifted_line(u"abcdef", -3), u"abcdef");
}

TEST_F(PointListPageTest, PagesOverlapByOneLineGoingDownAndBackUp)
{
    create_points(120);
    ListPage first = store::list_page_from_start(0, kByNumber);
    EXPECT_EQ(numbers_of(0, first), range(1, 50));
    bool found = false;
    ListPage second = store::list_page_down(0, kByNumber, first.lines.back(), &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(numbers_of(0, second), range(50, 99));
    ListPage third = store::list_page_down(0, kByNumber, second.lines.back(), &found);
    EXPECT_EQ(numbers_of(0, third), range(99, 120));
    ListPage back = store::list_page_up(0, kByNumber, third.lines.front(), &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(numbers_of(0, back), range(50, 99));
}

TEST_F(PointListPageTest, UpFromTheFirstPageStaysAFullFirstPage)
{
    create_points(120);
    ListPage first = store::list_page_from_start(1, kByNumber);
    bool found = false;
    ListPage up = store::list_page_up(1, kByNumber, first.lines.front(), &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(numbers_of(1, up), range(1, 50));
    ListPage near_top = store::list_page_go_to(1, kByNumber, u"20", &found);
    EXPECT_EQ(numbers_of(1, store::list_page_up(1, kByNumber, near_top.lines.front(), &found)), range(1, 50));
}

TEST_F(PointListPageTest, DescendingOrderStartsWithTheHighestAndPagesDownwards)
{
    create_points(120);
    ListPage first = store::list_page_from_start(0, kByNumberDown);
    EXPECT_EQ(numbers_of(0, first), range(120, 71));
    bool found = false;
    ListPage down = store::list_page_down(0, kByNumberDown, first.lines.back(), &found);
    EXPECT_EQ(numbers_of(0, down), range(71, 22));
    ListPage up = store::list_page_up(0, kByNumberDown, down.lines.front(), &found);
    EXPECT_EQ(numbers_of(0, up), range(120, 71));
}

TEST_F(PointListPageTest, NameOrderFollowsTheNames)
{
    create_points(120);
    // "N001" belongs to point 120, so ascending name order is descending number order.
    ListPage first = store::list_page_from_start(2, kByName);
    EXPECT_EQ(numbers_of(2, first), range(120, 71));
    EXPECT_EQ(utf8(first.lines[0]).substr(0, 16), "N001            ");
    bool found = false;
    ListPage down = store::list_page_down(2, kByName, first.lines.back(), &found);
    EXPECT_EQ(numbers_of(2, down), range(71, 22));
    ListPage reversed = store::list_page_from_start(2, ListOrder {true, true});
    EXPECT_EQ(numbers_of(2, reversed), range(1, 50));
}

TEST_F(PointListPageTest, GoToStartsAtTheNearestPoint)
{
    std::vector<uint32_t> numbers;
    for (uint32_t n = 10; n <= 1000; n += 10)
        numbers.push_back(n);
    ASSERT_TRUE(point_files::create_with_numbers(numbers));
    bool found = false;
    ListPage exact = store::list_page_go_to(0, kByNumber, u"200", &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(numbers_of(0, exact).front(), 200u);
    EXPECT_EQ(exact.lines.size(), 50u);
    EXPECT_EQ(numbers_of(0, store::list_page_go_to(0, kByNumber, u"205", &found)).front(), 210u);
    // Beyond every point: the greatest, and nothing after it.
    EXPECT_EQ(numbers_of(0, store::list_page_go_to(0, kByNumber, u"5000", &found)), Numbers {1000});
    // Descending from 500: 500, 490, ...
    ListPage down = store::list_page_go_to(0, kByNumberDown, u"500", &found);
    EXPECT_EQ(numbers_of(0, down),
        (Numbers {500, 490, 480, 470, 460, 450, 440, 430, 420, 410, 400, 390, 380, 370, 360, 350, 340, 330, 320, 310,
            300, 290, 280, 270, 260, 250, 240, 230, 220, 210, 200, 190, 180, 170, 160, 150, 140, 130, 120, 110, 100, 90,
            80, 70, 60, 50, 40, 30, 20, 10}));
}

TEST_F(PointListPageTest, GoToByNameFindsTheNearestName)
{
    ASSERT_TRUE(point_files::create_with({point_files::point(1, "OAK"), point_files::point(2, "ASH"),
        point_files::point(3, "PINE"), point_files::point(4, "ELM")}));
    bool found = false;
    ListPage page = store::list_page_go_to(2, kByName, u"ELM", &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(numbers_of(2, page), (Numbers {4, 1, 3}));
    EXPECT_EQ(numbers_of(2, store::list_page_go_to(2, kByName, u"BIRCH", &found)), (Numbers {4, 1, 3}));
    // In a number layout the lines still step in name order when the search is by name.
    EXPECT_EQ(numbers_of(0, store::list_page_go_to(0, kByName, u"ASH", &found)), (Numbers {2, 4, 1, 3}));
}

TEST_F(PointListPageTest, PagingThroughEqualNamesContinuesFromTheLinesOwnPoint)
{
    // Sixty points named alike: the nearest find lands on the first of them, yet Down must start at the
    // point of the last line, not at the first of the name.
    std::vector<store::PointRecord> points;
    for (uint32_t n = 1; n <= 60; ++n)
        points.push_back(point_files::point(n, "SAME"));
    ASSERT_TRUE(point_files::create_with(points));
    ListPage first = store::list_page_from_start(2, kByName);
    ASSERT_EQ(first.lines.size(), 50u);
    Numbers shown = numbers_of(2, first);
    bool found = false;
    ListPage down = store::list_page_down(2, kByName, first.lines.back(), &found);
    ASSERT_TRUE(found);
    Numbers next = numbers_of(2, down);
    ASSERT_EQ(next.size(), 11u);
    EXPECT_EQ(next.front(), shown.back());
    Numbers all = shown;
    all.insert(all.end(), next.begin() + 1, next.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, range(1, 60));
}

TEST_F(PointListPageTest, AnEmptyOrClosedFileGivesNoPage)
{
    bool found = true;
    EXPECT_TRUE(store::list_page_from_start(0, kByNumber).lines.empty());
    EXPECT_TRUE(store::list_page_go_to(0, kByNumber, u"1", &found).lines.empty());
    EXPECT_FALSE(found);
    ASSERT_TRUE(point_files::create_with_numbers({}));
    EXPECT_TRUE(store::list_page_from_start(2, kByName).lines.empty());
    store::list_page_go_to(2, kByName, u"A", &found);
    EXPECT_FALSE(found);
    store::list_page_down(0, kByNumber, u"     5", &found);
    EXPECT_FALSE(found);
}

TEST_F(PointListPageTest, AFileWithHugeCoordinatesReportsCutLines)
{
    store::PointRecord p = point_files::point(3);
    p.easting = 1e70;
    ASSERT_TRUE(point_files::create_with({point_files::point(1), p}));
    ListPage page = store::list_page_from_start(0, kByNumber);
    EXPECT_TRUE(page.too_long);
    EXPECT_EQ(page.lines[1].size(), size_t(store::kMaxListLineLength));
    bool found = false;
    ListPage from_one = store::list_page_go_to(0, kByNumber, u"1", &found);
    EXPECT_TRUE(from_one.too_long);
    EXPECT_FALSE(store::list_page_go_to(0, kByNumber, u"0", &found).lines.empty());
}

}  // namespace
