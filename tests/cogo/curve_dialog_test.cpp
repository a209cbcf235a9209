// The curve calculator through the COGO form: a curve from two elements (and the search), combinations
// that compute nothing and leave the form as typed, a curve from three points and one from a PI with its
// tangents drawn into the COGO drawing, the labels and values kept between openings, Save Pt of the
// remembered row and a point picked in the plot.

#include <gtest/gtest.h>

#include "draw/view.h"
#include "resources/cogo_resources.h"
#include "tests/cogo/cogo_fixture.h"

namespace {

namespace res = resources;
using testing_support::CogoDialogTest;

constexpr int kRowStep = res::kCurveRowStep;

// 1 the PI, 6 on the back tangent south of it, 3 on the forward tangent east of it; 5 on the half circle
// over 1 -> 3.
const std::vector<testing_support::StoredPoint> kPoints
    = {{1, 1000, 5000}, {3, 1100, 5000}, {5, 1050, 5050}, {6, 1000, 4900}};

class CurveDialog : public CogoDialogTest {
protected:
    void open_curve()
    {
        open_form(kPoints);
        ASSERT_OK(d().menu("Curve"));
        ASSERT_OK(d().expect_window("CALC_CURVE"));
    }
    void calc(const std::vector<std::pair<int, std::string>>& fields)
    {
        ASSERT_OK(d().menu("Clear"));
        for (const auto& [id, value] : fields)
            ASSERT_OK(d().type(id, value));
        ASSERT_OK(d().menu("Calc"));
    }
    std::vector<std::string> elements()
    {
        std::vector<std::string> out;
        for (int id = res::kEditCurveRadius; id <= res::kEditCurveDelta; ++id)
            out.push_back(text(id));
        return out;
    }
};

TEST_F(CurveDialog, FromTwoElementsOrNothing)
{
    open_curve();
    // A number that is not stored makes its row unknown and brings no coordinates.
    calc({{res::kEditCurveNumber, "99"}, {res::kEditCurveNorth, "5000"}, {res::kEditCurveEast, "1000"},
        {res::kEditCurveRadius, "100"}, {res::kEditCurveDelta, "90"}});
    EXPECT_EQ(elements(),
        (std::vector<std::string> {"100.000", "157.080", "100.000", "141.421", "29.289", "41.421", "90º 00' 00\""}));
    EXPECT_EQ(text(res::kEditCurveNumber), "99");
    EXPECT_EQ(text(res::kEditCurveNorth), "");
    calc({{res::kEditCurveArc, "157.0796"}, {res::kEditCurveChord, "141.4214"}});
    EXPECT_NEAR(number(res::kEditCurveRadius), 100, 1e-3);
    EXPECT_EQ(text(res::kEditCurveArc), "157.080");
    const std::string delta = text(res::kEditCurveDelta);  // within a second of a right angle
    EXPECT_TRUE(delta == "90º 00' 00\"" || delta == "89º 59' 59\"") << delta;

    // No route, or outside the domain: the form stays as typed.
    const std::vector<std::vector<std::pair<int, std::string>>> nothing = {
        {{res::kEditCurveTangent, "10"}, {res::kEditCurveMiddleOrdinate, "2"}},
        {{res::kEditCurveRadius, "10"}, {res::kEditCurveChord, "30"}},
        {{res::kEditCurveRadius, "10"}, {res::kEditCurveMiddleOrdinate, "25"}},
        {{res::kEditCurveTangent, "10"}, {res::kEditCurveChord, "20"}},
        {{res::kEditCurveRadius, "100"}, {res::kEditCurveDelta, "0"}},
        {{res::kEditCurveRadius, "-100"}, {res::kEditCurveArc, "50"}},
        {{res::kEditCurveArc, "10"}, {res::kEditCurveMiddleOrdinate, "9"}},  // beyond any delta
    };
    for (const auto& typed : nothing) {
        calc(typed);
        for (const auto& [id, value] : typed)
            EXPECT_EQ(text(id), value);
        EXPECT_EQ(text(res::kEditCurveExternal), "");
    }
}

TEST_F(CurveDialog, FromThreePointsAndFromAPiDrawnAndKept)
{
    open_curve();
    const int entities = cogo_entities();
    // A half circle: the centre is the chord's middle; the centre row's old number goes.
    calc({{res::kEditCurveNumber, "1"}, {res::kEditCurveNumber + kRowStep, "5"},
        {res::kEditCurveNumber + 2 * kRowStep, "3"}, {res::kEditCurveNumber + 3 * kRowStep, "6"}});
    EXPECT_EQ(text(res::kEditCurveNorth + 3 * kRowStep), "5000.000");
    EXPECT_EQ(text(res::kEditCurveEast + 3 * kRowStep), "1050.000");
    EXPECT_EQ(text(res::kEditCurveNumber + 3 * kRowStep), "");
    EXPECT_EQ(text(res::kEditCurveRadius), "50.000");
    EXPECT_EQ(text(res::kEditCurveDelta), "180º 00' 00\"");
    EXPECT_EQ(text(res::kEditCurveTangent), "") << "no tangent to a half circle";
    EXPECT_EQ(cogo_entities(), entities + 3) << "two radii and the arc";

    // Three PIs turning right with T 20: BC and EC on the tangents, relabelled; the centre right of the
    // back tangent.
    for (int row = 0; row < 3; ++row)
        ASSERT_OK(d().click(res::kButtonCurveLabel + row * kRowStep));
    EXPECT_EQ(text(res::kButtonCurveLabel), "PI");
    EXPECT_EQ(text(res::kButtonCurveLabel + kRowStep), "PI");
    calc({{res::kEditCurveNumber, "6"}, {res::kEditCurveNumber + kRowStep, "1"},
        {res::kEditCurveNumber + 2 * kRowStep, "3"}, {res::kEditCurveTangent, "20"}});
    EXPECT_EQ(text(res::kButtonCurveLabel), "BC");
    EXPECT_EQ(text(res::kButtonCurveLabel + 2 * kRowStep), "EC");
    EXPECT_EQ(text(res::kEditCurveNumber), "");
    EXPECT_EQ(text(res::kEditCurveNorth), "4980.000");
    EXPECT_EQ(text(res::kEditCurveEast + 2 * kRowStep), "1020.000");
    EXPECT_EQ(text(res::kEditCurveNorth + 3 * kRowStep), "4980.000");
    EXPECT_EQ(text(res::kEditCurveEast + 3 * kRowStep), "1020.000");
    EXPECT_EQ(text(res::kEditCurveRadius), "20.000");
    EXPECT_EQ(cogo_entities(), entities + 6);

    // Save Pt hands the row of the field that last had the focus to the point editor.
    ASSERT_OK(d().type(res::kEditCurveEast + 3 * kRowStep, "1020.000"));
    ASSERT_OK(d().menu("Save Pt"));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    EXPECT_OK(d().expect_text(1013, "4980.000"));
    EXPECT_OK(d().expect_text(1014, "1020.000"));
    ASSERT_OK(d().menu("Cancel"));

    // Closed and opened again: labels and values as they were.
    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    ASSERT_OK(d().menu("Curve"));
    EXPECT_EQ(text(res::kButtonCurveLabel + kRowStep), "PI");
    EXPECT_EQ(text(res::kEditCurveRadius), "20.000");
    EXPECT_EQ(text(res::kEditCurveNorth), "4980.000");

    // A point picked in the plot goes to the row that last had the focus.
    ASSERT_OK(d().type(res::kEditCurveNorth + kRowStep, ""));
    ASSERT_OK(d().menu("Show"));
    ASSERT_OK(d().expect_window("PT_GRAPHICS"));
    draw::DevicePoint p;
    d().inspect([&] { draw::world_to_device(1050, 5050, &p); });
    ASSERT_OK(d().tap(p.x, p.y));
    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("CALC_CURVE"));
    EXPECT_EQ(text(res::kEditCurveNumber + kRowStep), "5");
}

}  // namespace
