// The two keypads through the COGO form: the text handed over and back, keys, Back, Clear, "^", sin and
// cos, the expressions that have no value, the length the expression is held to, the gon mode's keys; and
// the round trip every field lives by: in every angle mode, at 0 and 6 decimals, a second Calc on what
// the first one showed shows the same texts.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "formats/angle_format.h"
#include "formats/display_settings.h"
#include "platform/text/text.h"
#include "resources/cogo_resources.h"
#include "tests/cogo/cogo_fixture.h"

namespace {

namespace res = resources;
using testing_support::CogoDialogTest;

const std::vector<testing_support::StoredPoint> kPoints
    = {{1, 1000, 5000}, {2, 1030, 5040}, {3, 1100, 5000}, {4, 1000, 5100}};

class Keypads : public CogoDialogTest {
protected:
    void calculate(const std::string& expression, const std::string& result)
    {
        ASSERT_OK(d().type(res::kEditKeypadExpression, expression));
        ASSERT_OK(d().click("Calculate"));
        SCOPED_TRACE(expression);
        EXPECT_OK(d().expect_text(res::kEditKeypadResult, result));
    }
    void keys(const std::vector<const char*>& captions)
    {
        for (const char* c : captions)
            ASSERT_OK(d().click(c));
    }
};

TEST_F(Keypads, DistanceKeypad)
{
    open_form(kPoints);
    ASSERT_OK(d().type(res::kEditCogoDistance1, "5"));
    ASSERT_OK(d().click(res::kButtonCogoDistance1Keypad));
    ASSERT_OK(d().expect_window("CALC_DIST"));
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "5"));
    keys({"x", "3"});
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "5x3"));
    ASSERT_OK(d().click("Calculate"));
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, "15.000"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    EXPECT_EQ(text(res::kEditCogoDistance1), "15.000");

    ASSERT_OK(d().click(res::kButtonCogoDistance1Keypad));
    calculate("1?2+2.5", "52.500");
    calculate("12 ? 15", "");  // not stored
    for (const char* none : {"", "5/0", "L5", "R", "1.2.3", "7-"})
        calculate(none, std::string(none) == "7-" ? "7.000" : "");
    // Typing is replaced by the stored expression at the next key; Back and Clear.
    ASSERT_OK(d().click("Clear"));
    keys({"7", "/", "2"});
    ASSERT_OK(d().click("Back"));
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "7/"));
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, ""));
    keys({"4", "Calculate"});
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, "1.750"));
    // sin and cos of an angle of the angle mode; "^" makes the result the expression.
    ASSERT_OK(d().type(res::kEditKeypadExpression, "30"));
    ASSERT_OK(d().click("sin"));
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, "0.4999999999999999"));
    ASSERT_OK(d().click("^"));
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "0.4999999999999999"));
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, ""));
    ASSERT_OK(d().type(res::kEditKeypadExpression, "90"));
    ASSERT_OK(d().click("cos"));
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, "0.0000000000000001"));
    // The expression holds what a field holds, and no key goes beyond.
    ASSERT_OK(d().type(res::kEditKeypadExpression, std::string(res::kKeypadTextLength - 1, '1')));
    ASSERT_OK(d().click("Calculate"));
    keys({"2", "3", "+"});
    EXPECT_EQ(text(res::kEditKeypadExpression), std::string(res::kKeypadTextLength - 1, '1') + "2");
    // Cancel leaves the field alone.
    ASSERT_OK(d().click("Cancel"));
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    EXPECT_EQ(text(res::kEditCogoDistance1), "15.000");
}

TEST_F(Keypads, AzimuthKeypadInDegreesAndGons)
{
    open_form(kPoints);
    ASSERT_OK(d().click(res::kButtonCogoAzimuth1Keypad));
    ASSERT_OK(d().expect_window("CALC_AZ"));
    calculate("1?2", "36º 52' 12\"");
    calculate("1?2.2", "216º 52' 12\"");
    calculate("1?2?3", "53º 07' 48\"");
    calculate("n45.3000w", "314º 30' 00\"");
    calculate("1?9", "");
    ASSERT_OK(d().click("Clear"));
    keys({"1", "?", "2", "+90"});
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "1?2+90"));
    keys({"Calculate", "OK"});
    ASSERT_OK(d().expect_window("COGO_INPUT"));
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "126º 52' 12\"");

    set_angle_mode(formats::kAngleGons, 4);
    ASSERT_OK(d().click(res::kButtonCogoAzimuth2Keypad));
    EXPECT_OK(d().expect_text(res::kButtonKeypadPlus90, "+100"));
    EXPECT_OK(d().expect_text(res::kButtonKeypadMinus90, "-100"));
    EXPECT_OK(d().expect_text(res::kButtonKeypadPlus180, "+200"));
    keys({"1", "?", "3", "N", "S", "E", "W", "-100"});
    EXPECT_OK(d().expect_text(res::kEditKeypadExpression, "1?3-100"));
    keys({"Calculate"});
    EXPECT_OK(d().expect_text(res::kEditKeypadResult, "0.0000"));
    calculate("1?3.3", "0.0000");  // 100 + 300 gons
    calculate("1?3.1", "200.0000");
    calculate("N10E", "");
}

// A quadrant bearing with six decimals is longer than any read the form once made: it comes back whole
// from the keypad, and a second Calc keeps its letters.
TEST_F(Keypads, ALongBearingFromTheKeypadSurvivesCalc)
{
    open_form(kPoints);
    set_angle_mode(formats::kAngleQuadrant, 6);
    ASSERT_OK(d().click(res::kButtonCogoAzimuth1Keypad));
    calculate("1?2.2", "S36º 52' 11.631525\"W");
    ASSERT_OK(d().click("OK"));
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "S36º 52' 11.631525\"W");
    ASSERT_OK(d().type(res::kEditCogoFrom1, "2"));
    ASSERT_OK(d().type(res::kEditCogoDistance1, "50"));
    ASSERT_OK(d().type(res::kEditCogoTo, "9"));
    ASSERT_OK(d().menu("Calc"));
    EXPECT_EQ(text(res::kEditCogoAzimuth1), "S36º 52' 11.631525\"W");
    EXPECT_EQ(text(res::kEditCogoNorth), "5000.000");
    EXPECT_EQ(text(res::kEditCogoEast), "1000.000");
}

// Calc, then Calc again on what it showed: the same nine texts, in every angle mode at 0 and 6 decimals,
// for forward points in every quadrant out to six-digit distances and for each intersection.
TEST_F(Keypads, ASecondCalcShowsWhatTheFirstShowed)
{
    open_form(kPoints);
    std::mt19937 random(4);
    std::uniform_real_distribution<double> turn(0, 2 * M_PI);
    std::uniform_int_distribution<int> millimetres(1, 999999999);
    const int fields[] = {res::kEditCogoFrom1, res::kEditCogoAzimuth1, res::kEditCogoDistance1, res::kEditCogoTo,
        res::kEditCogoNorth, res::kEditCogoEast, res::kEditCogoFrom2, res::kEditCogoAzimuth2, res::kEditCogoDistance2};
    auto texts = [&] {
        std::vector<std::string> out;
        for (int id : fields)
            out.push_back(text(id));
        return out;
    };
    auto twice = [&](const std::vector<std::pair<int, std::string>>& typed) {
        ASSERT_OK(d().menu("Clear"));
        for (const auto& [id, value] : typed)
            ASSERT_OK(d().type(id, value));
        ASSERT_OK(d().menu("Calc"));
        const std::vector<std::string> first = texts();
        ASSERT_NE(first[4], "") << "solved";
        ASSERT_OK(d().menu("Calc"));
        EXPECT_EQ(texts(), first);
    };
    for (int mode : {formats::kAngleDegrees, formats::kAngleGons, formats::kAngleQuadrant}) {
        for (int decimals : {0, 6}) {
            SCOPED_TRACE(std::to_string(mode) + " " + std::to_string(decimals));
            set_angle_mode(mode, decimals);
            for (int i = 0; i < 6; ++i) {
                const double azimuth = i < 4 ? (i + 0.5) * M_PI / 2 : turn(random);
                std::string typed = platform::text::to_utf8(formats::format_azimuth(azimuth));
                if (mode == formats::kAngleDegrees && i % 2 == 1)
                    typed = platform::text::to_utf8(formats::format_dot_ms(azimuth * 180 / M_PI));  // D.MS
                const std::string distance = std::to_string(millimetres(random) / 1000) + "."
                    + std::to_string(100 + millimetres(random) % 900);
                twice({{res::kEditCogoFrom1, "1"}, {res::kEditCogoAzimuth1, typed}, {res::kEditCogoDistance1, distance},
                    {res::kEditCogoTo, "9"}});
            }
            twice({{res::kEditCogoFrom1, "1"}, {res::kEditCogoDistance1, "80.5"}, {res::kEditCogoFrom2, "3"},
                {res::kEditCogoDistance2, "60.25"}, {res::kEditCogoTo, "9"}});
            twice({{res::kEditCogoFrom1, "1"},
                {res::kEditCogoAzimuth1, platform::text::to_utf8(formats::format_azimuth(std::atan2(30.0, 40.0)))},
                {res::kEditCogoFrom2, "3"}, {res::kEditCogoDistance2, "90"}, {res::kEditCogoTo, "9"}});
        }
    }
}

}  // namespace
