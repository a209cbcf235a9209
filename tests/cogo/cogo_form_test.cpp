// The COGO input form as a surveyor uses it: an inverse, a forward point saved through the point editor,
// each intersection with both of its solutions and its construction, an offset line, the picked point on
// " OK ", the point plot's pick into the field that last had the focus, and the "menu error" box.

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/cogo_input_dialog.h"
#include "draw/view.h"
#include "platform/controls/controls.h"
#include "resources/cogo_resources.h"
#include "store/list_selection.h"
#include "tests/cogo/cogo_fixture.h"

namespace {

namespace res = resources;
using testing_support::CogoDialogTest;

// 1 the origin; 2 at 30 east, 40 north of it (50 away); 3 100 east; 4 100 north.
const std::vector<testing_support::StoredPoint> kPoints
    = {{1, 1000, 5000}, {2, 1030, 5040}, {3, 1100, 5000}, {4, 1000, 5100}};

class CogoForm : public CogoDialogTest {
protected:
    void fill(const std::vector<std::pair<int, std::string>>& fields)
    {
        ASSERT_OK(d().menu("Clear"));
        for (const auto& [id, value] : fields)
            ASSERT_OK(d().type(id, value));
        ASSERT_OK(d().menu("Calc"));
    }

    double distance_from(double e, double n)
    {
        return std::hypot(number(res::kEditCogoEast) - e, number(res::kEditCogoNorth) - n);
    }
};

TEST_F(CogoForm, InverseForwardSavePointAndTheToPointOnOk)
{
    open_form(kPoints);
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoTo, "2"}});
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "36º 52' 12\"");
    EXPECT_EQ(text(res::kEditCogoDistance1), "50.000");
    EXPECT_TRUE(bold(res::kEditCogoAzimuth1) && bold(res::kEditCogoDistance1));
    EXPECT_FALSE(bold(res::kEditCogoNorth));
    EXPECT_EQ(text(res::kEditCogoNorth), "");
    EXPECT_EQ(cogo_entities(), 1) << "the construction line";

    // A To number of 0, or none, poses nothing.
    for (const char* to : {"0", ""}) {
        fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoTo, to}});
        EXPECT_EQ(text(res::kEditCogoAzimuth1), "");
        EXPECT_EQ(text(res::kEditCogoDistance1), "");
    }

    // A forward point six digits out keeps every digit.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "90"}, {res::kEditCogoDistance1, "123456.789"},
        {res::kEditCogoTo, "77"}});
    EXPECT_EQ(text(res::kEditCogoNorth), "5000.000");
    EXPECT_EQ(text(res::kEditCogoEast), "124456.789");
    EXPECT_TRUE(bold(res::kEditCogoNorth) && bold(res::kEditCogoEast));
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "90º 00' 00\"");
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kButtonCogoSolution), "A") << "one solution: nothing to swap";

    ASSERT_OK(d().click("Save Pt"));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    EXPECT_OK(d().expect_text(1011, "77"));
    EXPECT_OK(d().expect_text(1014, "124456.789"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_box("Save pt", "Pt saved."));
    ASSERT_OK(d().answer("ok"));
    ASSERT_OK(d().menu("Cancel"));
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    EXPECT_EQ(stored(77).easting, 124456.789);

    // Seven decimals: fifteen characters of easting reach the file whole.
    d().inspect([] { formats::set_coordinate_decimals(7); });
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "90"}, {res::kEditCogoDistance1, "1234567.8912345"},
        {res::kEditCogoTo, "78"}});
    EXPECT_EQ(text(res::kEditCogoEast), "1235567.8912345");
    ASSERT_OK(d().click("Save Pt"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().answer("ok"));
    ASSERT_OK(d().menu("Cancel"));
    EXPECT_NEAR(stored(78).easting, 1235567.8912345, 1e-8);
    d().inspect([] { formats::set_coordinate_decimals(3); });
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "90"}, {res::kEditCogoDistance1, "123456.789"},
        {res::kEditCogoTo, "77"}});

    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("main"));
    store::PointRecord picked;
    d().inspect([&] { picked = store::list_selection(); });
    EXPECT_EQ(picked.number, 77u);
    EXPECT_EQ(picked.easting, 124456.789);
    EXPECT_EQ(cogo_entities(), -1) << "the drawing goes with the form";

    // Opened again: empty fields; " OK " without N and E clears the selection, an unnumbered point is
    // 999999999; Escape leaves the selection alone.
    ASSERT_OK(d().menu("Calc/COGO"));
    EXPECT_EQ(text(res::kEditCogoFrom1), "");
    ASSERT_OK(d().type(res::kEditCogoNorth, "12.5"));
    ASSERT_OK(d().menu("OK"));
    d().inspect([&] { picked = store::list_selection(); });
    EXPECT_EQ(picked.number, 0u);
    EXPECT_EQ(picked.easting, 0);
    ASSERT_OK(d().menu("Calc/COGO"));
    ASSERT_OK(d().type(res::kEditCogoNorth, "12.5"));
    ASSERT_OK(d().type(res::kEditCogoEast, "7"));
    ASSERT_OK(d().menu("OK"));
    d().inspect([&] { picked = store::list_selection(); });
    EXPECT_EQ(picked.number, cogo::kUnnumberedPoint);
    EXPECT_EQ(picked.northing, 12.5);
    ASSERT_OK(d().menu("Calc/COGO"));
    ASSERT_OK(d().key("escape"));
    ASSERT_OK(d().expect_window("main"));
    d().inspect([&] { EXPECT_EQ(store::list_selection().number, cogo::kUnnumberedPoint); });
}

TEST_F(CogoForm, IntersectionsShowBothSolutionsAndDrawTheirConstructions)
{
    open_form(kPoints);
    // Two circles: A left of 1 -> 3 (north of it), B right.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoDistance1, "80"}, {res::kEditCogoFrom2, "3"},
        {res::kEditCogoDistance2, "60"}, {res::kEditCogoTo, "9"}});
    EXPECT_NEAR(distance_from(1000, 5000), 80, 1e-3);
    EXPECT_NEAR(distance_from(1100, 5000), 60, 1e-3);
    EXPECT_GT(number(res::kEditCogoNorth), 5000);
    EXPECT_TRUE(bold(res::kEditCogoAzimuth1) && bold(res::kEditCogoAzimuth2) && bold(res::kEditCogoEast));
    const std::string azimuth_a = text(res::kEditCogoAzimuth1);
    EXPECT_EQ(cogo_entities(), 4) << "two circles, labels A and B";
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kButtonCogoSolution), "B");
    EXPECT_LT(number(res::kEditCogoNorth), 5000);
    EXPECT_NEAR(distance_from(1000, 5000), 80, 1e-3);
    EXPECT_NE(text(res::kEditCogoAzimuth1), azimuth_a);
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kEditCogoAzimuth1), azimuth_a);

    // Circles apart: nothing written, the circles drawn, and A/B has nothing to swap.
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoDistance1, "10"}, {res::kEditCogoFrom2, "3"},
        {res::kEditCogoDistance2, "60"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kButtonCogoSolution), "A");
    EXPECT_EQ(text(res::kEditCogoNorth), "");
    EXPECT_EQ(cogo_entities(), 6);
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kButtonCogoSolution), "A");
    EXPECT_EQ(text(res::kEditCogoNorth), "");

    // Two azimuths: the point plain, the distances bold.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "45"}, {res::kEditCogoFrom2, "3"},
        {res::kEditCogoAzimuth2, "315"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kEditCogoNorth), "5050.000");
    EXPECT_EQ(text(res::kEditCogoEast), "1050.000");
    EXPECT_EQ(text(res::kEditCogoDistance1), "70.711");
    EXPECT_EQ(text(res::kEditCogoDistance2), "70.711");

    // An azimuth and a circle: A the far crossing, B the near one.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "90"}, {res::kEditCogoFrom2, "3"},
        {res::kEditCogoDistance2, "30"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kEditCogoEast), "1130.000");
    EXPECT_EQ(text(res::kEditCogoDistance1), "130.000");
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kEditCogoEast), "1070.000");
    EXPECT_EQ(text(res::kEditCogoDistance1), "70.000");

    // A circle and an azimuth: from 3 due west, A the crossing farther from 3.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoDistance1, "30"}, {res::kEditCogoFrom2, "3"},
        {res::kEditCogoAzimuth2, "270"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kEditCogoEast), "970.000");
    EXPECT_EQ(text(res::kEditCogoDistance2), "130.000");
    ASSERT_OK(d().click(res::kButtonCogoSolution));
    EXPECT_EQ(text(res::kEditCogoEast), "1030.000");
    EXPECT_EQ(text(res::kEditCogoDistance2), "70.000");
}

TEST_F(CogoForm, OffsetLinesAndTheModesKeptForTheRun)
{
    open_form(kPoints);
    ASSERT_OK(d().click(res::kButtonCogoMode1));
    EXPECT_EQ(text(res::kButtonCogoMode1), "Offset L");
    ASSERT_OK(d().click(res::kButtonCogoMode1));
    EXPECT_EQ(text(res::kButtonCogoMode1), "Offset R");
    // The parallel 10 right of north through 1 meets the line east from 4.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, "0"}, {res::kEditCogoDistance1, "10"},
        {res::kEditCogoFrom2, "4"}, {res::kEditCogoAzimuth2, "90"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kEditCogoNorth), "5100.000");
    EXPECT_EQ(text(res::kEditCogoEast), "1010.000");
    // An offset without its azimuth is no line.
    fill({{res::kEditCogoFrom1, "1"}, {res::kEditCogoDistance1, "10"}, {res::kEditCogoFrom2, "4"},
        {res::kEditCogoAzimuth2, "90"}, {res::kEditCogoTo, "9"}});
    EXPECT_EQ(text(res::kEditCogoNorth), "");

    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().menu("Calc/COGO"));
    EXPECT_EQ(text(res::kButtonCogoMode1), "Offset R");
    EXPECT_EQ(text(res::kButtonCogoMode2), "Distance");
    ASSERT_OK(d().click(res::kButtonCogoMode1));
    EXPECT_EQ(text(res::kButtonCogoMode1), "Distance");
}

// A point tapped in the plot goes to the point field that last had the focus; the To point brings its
// coordinates.
TEST_F(CogoForm, ShowPicksIntoTheRememberedField)
{
    // Points inside the box of the file, which is the plot's view.
    std::vector<testing_support::StoredPoint> points = kPoints;
    points.push_back({5, 1060, 5030});
    points.push_back({6, 1020, 5070});
    open_form(points);
    auto pick = [&](double e, double n) {
        ASSERT_OK(d().menu("Show"));
        ASSERT_OK(d().expect_window("PT_GRAPHICS"));
        draw::DevicePoint p;
        d().inspect([&] { draw::world_to_device(e, n, &p); });
        ASSERT_OK(d().tap(p.x, p.y));
        ASSERT_OK(d().menu("OK"));
        ASSERT_OK(d().expect_window("COGO_INPUT"));
    };
    pick(1060, 5030);
    EXPECT_EQ(text(res::kEditCogoFrom1), "5") << "the first field is remembered at opening";
    ASSERT_OK(d().type(res::kEditCogoTo, ""));
    pick(1030, 5040);
    EXPECT_EQ(text(res::kEditCogoTo), "2");
    EXPECT_EQ(text(res::kEditCogoNorth), "5040.000");
    // "From" and "To" open the point list: a point picked there fills that row.
    ASSERT_OK(d().click(res::kButtonCogoFrom2));
    ASSERT_OK(d().expect_window("PT_LIST"));
    ASSERT_OK(d().select(1190, 3));
    ASSERT_OK(d().menu("OK"));
    EXPECT_EQ(text(res::kEditCogoFrom2), "4");
    ASSERT_OK(d().click(res::kButtonCogoTo));
    ASSERT_OK(d().select(1190, 5));
    ASSERT_OK(d().menu("OK"));
    EXPECT_EQ(text(res::kEditCogoTo), "6");
    EXPECT_EQ(text(res::kEditCogoEast), "1020.000");
    ASSERT_OK(d().type(res::kEditCogoAzimuth1, ""));
    pick(1020, 5070);
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "") << "an azimuth takes no point";
    EXPECT_EQ(text(res::kEditCogoTo), "6");
}

TEST_F(CogoForm, AMenuBarThatCannotBeMadeSaysSoAndTheFormStaysUsable)
{
    open_form(kPoints);
    ASSERT_OK(d().menu("OK"));
    d().inspect([] { platform::controls::set_menu_bar_failure(true); });
    ASSERT_OK(d().menu("Calc/COGO"));
    ASSERT_OK(d().expect_box("COGO", "menu error"));
    ASSERT_OK(d().answer("ok"));
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    ASSERT_OK(d().type(res::kEditCogoFrom1, "1"));
    ASSERT_OK(d().type(res::kEditCogoTo, "3"));
    ASSERT_OK(d().command(res::kCmdCogoCalc));
    EXPECT_EQ(text(res::kEditCogoDistance1), "100.000");
    ASSERT_OK(d().command(res::kCmdCogoCurve));
    ASSERT_OK(d().expect_box("Curve", "menu error"));
    ASSERT_OK(d().answer("ok"));
    ASSERT_OK(d().expect_window("CALC_CURVE"));
    d().inspect([] { platform::controls::set_menu_bar_failure(false); });
}

}  // namespace
