// The map check computation on hand-worked figures: the 100 m square, a figure open by 0.01 in N, a half
// disc and a quarter disc whose areas are known in closed form, the naming entry, the results list line by
// line, and every leg the computation must refuse rather than show a wrong or undefined number.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/curve_types.h"
#include "calc/figure_plot.h"
#include "calc/mapcheck.h"
#include "calc/mapcheck_results.h"
#include "formats/display_settings.h"
#include "tests/support/program_state.h"

namespace {

using namespace calc;
constexpr double kPi = std::numbers::pi;

class MapCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        formats::set_angle_mode(formats::kAngleDegrees);
    }

    // Appends a leg (or, with empty texts, the naming entry).
    void leg(uint32_t to, std::u16string azimuth, std::u16string distance, int32_t type = kCorner)
    {
        m_job.entries[m_next++] = {1, to, std::move(azimuth), std::move(distance), type};
    }

    MapCheckResult computed()
    {
        MapCheckOutcome outcome = compute_map_check(m_job);
        EXPECT_TRUE(outcome.result) << platform_text(outcome.refusal);
        return outcome.result.value_or(MapCheckResult {});
    }

    std::u16string refusal()
    {
        MapCheckOutcome outcome = compute_map_check(m_job);
        EXPECT_FALSE(outcome.result);
        return outcome.refusal;
    }

    static std::string platform_text(const std::u16string& s) { return std::string(s.begin(), s.end()); }

    MapCheckJob m_job;
    size_t m_next = 0;
};

TEST_F(MapCheckTest, TheSquareClosesWithNoPrecisionLineFromRoundingNoise)
{
    leg(1, u"", u"");
    leg(2, u"0", u"100");
    leg(3, u"90", u"100");
    leg(4, u"180", u"100");
    leg(1, u"270", u"100");
    const MapCheckResult r = computed();
    ASSERT_EQ(r.legs.size(), 4u);
    EXPECT_EQ(r.start_number, 1u);
    EXPECT_NEAR(r.area, 10000, 1e-9);
    EXPECT_NEAR(r.total_distance, 400, 1e-12);
    EXPECT_LT(std::hypot(r.misclosure_n, r.misclosure_e), 1e-9);
    EXPECT_FALSE(r.precision);
    const std::vector<std::u16string> expected = {
        u"   Pt     N                      E",
        u"        1 0.000 0.000",
        u"        2     100.000       0.000",
        u"        3     100.000     100.000",
        u"        4       0.000     100.000",
        u"        1      -0.000       0.000",
        u"",
        u"Misclosure:",
        u"   North = -0.000",
        u"   East  = 0.000",
        u"",
        u"Area = 10000.000",
    };
    // The formats show rounding noise below zero as "-0.000".
    EXPECT_EQ(map_check_result_lines(r), expected);
}

TEST_F(MapCheckTest, AFigureOpenByOneHundredthInNorthReportsItAndItsPrecision)
{
    m_job.settings.start_n_text = u"5000";
    m_job.settings.start_e_text = u"2000";
    leg(2, u"0", u"100.01");
    leg(3, u"90", u"100");
    leg(4, u"180", u"100");
    leg(1, u"270", u"100");
    const MapCheckResult r = computed();
    EXPECT_NEAR(r.misclosure_n, 0.01, 1e-9);
    EXPECT_NEAR(r.misclosure_e, 0, 1e-9);
    ASSERT_TRUE(r.precision);
    EXPECT_NEAR(*r.precision, 400.01 / 0.01, 1e-3);
    const std::vector<std::u16string> lines = map_check_result_lines(r);
    EXPECT_EQ(lines[1], u"        1 5000.000 2000.000");
    EXPECT_EQ(lines[8], u"   North = 0.010");
    EXPECT_EQ(lines[11], u"Relative Precision = 1 : 40001");
    EXPECT_EQ(lines[12], u"");
    // The area is that of the figure closed at the start: the last leg ends there.
    EXPECT_NEAR(r.area, 10000.5, 1e-6);
}

// A half disc of radius 10 (chord equal to the diameter: theta is pi) and a quarter disc, each entered
// clockwise and counter-clockwise.
TEST_F(MapCheckTest, CurvesAddTheirSegments)
{
    for (int32_t centre : {kCentre, kCentreCounter}) {
        m_job = {};
        m_next = 0;
        leg(2, u"90", u"10", centre);
        leg(3, u"90", u"10", kEndCurve);
        leg(1, u"270", u"20");
        EXPECT_NEAR(computed().area, 50 * kPi, 1e-9) << centre;
    }
    m_job = {};
    m_next = 0;
    leg(2, u"0", u"10", kBeginCurve);  // O -> P, north
    leg(9, u"180", u"10", kCentre);    // back to the centre O
    leg(3, u"90", u"10", kEndCurve);   // out to Q, east: P to Q runs clockwise
    leg(1, u"270", u"10");
    const MapCheckResult r = computed();
    EXPECT_NEAR(r.area, 25 * kPi, 1e-9);
    const FigurePlot plot = map_check_plot(r);
    ASSERT_EQ(plot.arcs.size(), 1u);
    EXPECT_NEAR(plot.arcs[0].start.n, 10, 1e-9);
    EXPECT_NEAR(plot.arcs[0].end.e, 10, 1e-9);
    EXPECT_EQ(plot.marks.size(), 5u);
    EXPECT_EQ(plot.lines.size(), 4u);
    EXPECT_TRUE(plot.lines[1].dashed);
    EXPECT_EQ(plot.lines[1].colour, kPlotRadialColour);
    EXPECT_FALSE(plot.lines[0].dashed);
    // Counter-clockwise, the drawing's clockwise arc runs from the end to the start.
    m_job.entries[1].type = kCentreCounter;
    const FigurePlot swapped = map_check_plot(computed());
    EXPECT_NEAR(swapped.arcs[0].start.e, 10, 1e-9);
    EXPECT_NEAR(swapped.arcs[0].end.n, 10, 1e-9);
}

TEST_F(MapCheckTest, NoLegGivesTheStartLineAndAZeroMisclosure)
{
    leg(5, u"", u"");
    const MapCheckResult r = computed();
    EXPECT_TRUE(r.legs.empty());
    EXPECT_EQ(r.misclosure_n, 0);
    EXPECT_FALSE(r.precision);
    const std::vector<std::u16string> lines = map_check_result_lines(r);
    EXPECT_EQ(lines[1], u"        5 0.000 0.000");
    EXPECT_EQ(lines.back(), u"Area = 0.000");
    m_job = {};
    EXPECT_TRUE(compute_map_check(m_job).result) << "an empty table";
}

// Each refusal names the leg; none of them gives a number.
TEST_F(MapCheckTest, LegsThatCannotBeComputedAreRefusedByName)
{
    leg(2, u"90", u"10", kEndCurve);
    EXPECT_EQ(refusal(), u"Leg 1 (Pt 2): a curve end needs the leg to its centre before it.");
    m_job.entries[0].type = kPointOnCurve;
    EXPECT_FALSE(compute_map_check(m_job).result);

    // The half disc, closed along its diameter.
    m_job = {};
    m_next = 0;
    leg(2, u"90", u"10", kCentre);
    leg(3, u"90", u"0", kEndCurve);
    leg(1, u"270", u"20");
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the radius is not above 0.");
    m_job.entries[1].distance = u"-5";
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the radius is not above 0.");
    // A chord of 20.1 on a radius of 10.
    m_job.entries[0].distance = u"10.1";
    m_job.entries[1].distance = u"10";
    m_job.entries[2].distance = u"20.1";
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the chord is longer than the diameter.");
    // Longer than the diameter by rounding only: a half circle.
    m_job.entries[0].distance = u"10.000001";
    m_job.entries[2].distance = u"20.000001";
    EXPECT_NEAR(computed().area, 50 * kPi, 1e-3);

    m_job.entries[0].distance = u"10";
    m_job.entries[2].distance = u"20";
    m_job.entries[1].azimuth = u"12a";
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the azimuth does not read as an angle.");
    m_job.entries[1].azimuth = u"90";
    m_job.entries[1].distance = u"1..2";
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the distance does not read as a number.");
    m_job.entries[1].distance = u"10";
    m_job.entries[1].type = 17;
    EXPECT_EQ(refusal(), u"Leg 2 (Pt 3): the leg type is unknown.");
    m_job.entries[1].type = kEndCurve;
    m_job.settings.start_n_text = u"x";
    EXPECT_EQ(refusal(), u"The start position does not read as a number.");
    m_job.settings.start_n_text = u"0";
    m_job.entries[0].distance = u"1e308";
    m_job.entries[1].distance = u"1e308";
    m_job.entries[1].type = kCorner;
    EXPECT_FALSE(compute_map_check(m_job).result) << "numbers that overflow";
}

// Quadrant bearings and gons read as the options say.
TEST_F(MapCheckTest, AzimuthsReadInTheAngleModeOfTheOptions)
{
    leg(2, u"N90E", u"10");
    EXPECT_NEAR(computed().legs[0].to_point.e, 10, 1e-12);
    formats::set_angle_mode(formats::kAngleGons);
    m_job.entries[0].azimuth = u"100";
    EXPECT_NEAR(computed().legs[0].to_point.e, 10, 1e-12);
}

}  // namespace
