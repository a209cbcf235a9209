// The navigation rules apart from the screen: distances and azimuths, the texts of both views, the
// speed and arrival time (including fixes in one second, midnight and a clock that jumps back), the fix
// filter, the plan window, the scale bar and the compass figure.

#include "gps/compass_figure.h"
#include "gps/fix_filter.h"
#include "gps/navigation_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using gps::GridPoint;
using gps::NavView;

TEST(NavigationRules, DistanceAzimuthAndTheirTexts)
{
    const GridPoint o {1000, 2000};
    EXPECT_DOUBLE_EQ(gps::NavDistance(o, {1003, 2004}), 5.0);
    EXPECT_EQ(gps::NavDistance(o, {1000 + 5e-7, 2000 - 5e-7}), 0.0);
    EXPECT_DOUBLE_EQ(gps::NavAzimuth(o, {1010, 2000}), 90.0);
    EXPECT_DOUBLE_EQ(gps::NavAzimuth(o, {990, 2000}), 270.0);
    EXPECT_DOUBLE_EQ(gps::NavAzimuth(o, {1000, 1990}), 180.0);
    EXPECT_EQ(gps::NavAzimuth(o, o), 0.0);

    EXPECT_EQ(gps::NavDistanceText(12345.6, NavView::Compass), u"12.3km");
    EXPECT_EQ(gps::NavDistanceText(12345.6, NavView::Plan), u"12.3 km");
    EXPECT_EQ(gps::NavDistanceText(604.04, NavView::Compass), u"604.0m");
    EXPECT_EQ(gps::NavDistanceText(604.04, NavView::Plan), u"604.0 m");
    EXPECT_EQ(gps::NavArrivalText(0.5, NavView::Compass), u"30sec.");
    EXPECT_EQ(gps::NavArrivalText(0.5, NavView::Plan), u"30 sec.");
    EXPECT_EQ(gps::NavArrivalText(125, NavView::Compass), u"2:5");
    EXPECT_EQ(gps::NavArrivalText(125, NavView::Plan), u"2:5");
    EXPECT_EQ(gps::NavArrivalText(2.0, NavView::Compass), u"2.0min.");
    EXPECT_EQ(gps::NavArrivalText(2.0, NavView::Plan), u"2.0 min.");
    EXPECT_EQ(gps::NavArrivalText(std::numeric_limits<double>::infinity(), NavView::Plan), u"");
    EXPECT_EQ(gps::NavArrivalText(1e300, NavView::Plan), u"") << "hours beyond an int";
    EXPECT_EQ(gps::NavSpeedText(18, NavView::Compass), u"18.0 km/h");
    EXPECT_EQ(gps::NavSpeedText(18, NavView::Plan), u"18.0 km/h.");
}

TEST(NavigationRules, SpeedAndArrivalTimeAndTheTimesThatCannotGiveThem)
{
    gps::SpeedTracker s;
    // 10 m in 2 s from rest: 18 km/h now, 9 km/h shown (the mean with the previous 0).
    auto u = s.update(10, 2, std::nullopt);
    ASSERT_TRUE(u);
    EXPECT_DOUBLE_EQ(u->shown_kmh, 9.0);
    EXPECT_FALSE(u->arrival_minutes) << "no target, no arrival time";
    EXPECT_NEAR(s.previous_kmh(), 18.0, 1e-12);
    // Again 10 m in 2 s towards a target 600 m away: v = 5 m/s, a = 5 m/s, T = 2.0 minutes, 18.0 shown.
    u = s.update(10, 2, 600.0);
    ASSERT_TRUE(u);
    EXPECT_NEAR(*u->arrival_minutes, 2.0, 1e-12);
    EXPECT_EQ(gps::NavArrivalText(*u->arrival_minutes, NavView::Compass), u"2.0min.");
    EXPECT_EQ(gps::NavSpeedText(u->shown_kmh, NavView::Compass), u"18.0 km/h");

    // Two fixes in one second, midnight (86399 -> 0) and a receiver clock that jumps back: nothing to
    // show, and the previous speed is kept.
    for (int32_t dt : {0, 0 - 86399, 51186 - 55505}) {
        EXPECT_FALSE(s.update(6.3, dt, 600.0)) << dt;
        EXPECT_NEAR(s.previous_kmh(), 18.0, 1e-12) << dt;
    }
    EXPECT_FALSE(s.update(std::numeric_limits<double>::quiet_NaN(), 1, 600.0));
    s.reset();
    EXPECT_EQ(s.previous_kmh(), 0.0);
    // From rest, a zero move gives a mean speed of 0: nothing to divide by.
    EXPECT_FALSE(s.update(0.0, 1, 600.0));
}

TEST(NavigationRules, FixFilterJumpsSpeedsAndClockTrouble)
{
    gps::FixFilter f;
    int32_t t = 1000;
    EXPECT_TRUE(f.accept({0, 0}, 0, t));
    EXPECT_TRUE(f.accept({0, 1}, 0, ++t)) << "1 m in 1 s: e = 1 m/s";
    EXPECT_DOUBLE_EQ(f.speed_estimate(), 1.0);
    EXPECT_FALSE(f.accept({0, 7}, 0, t + 1)) << "6 m in 1 s at e = 1: rejected";
    EXPECT_EQ(f.held(), 2) << "nothing stored for a rejected fix";
    EXPECT_TRUE(f.accept({0, 6}, 0, ++t)) << "5 m in 1 s: accepted";
    EXPECT_DOUBLE_EQ(f.speed_estimate(), 5.0);
    EXPECT_TRUE(f.accept({0, 6.3}, 0, t)) << "0.3 m is accepted at any speed";
    EXPECT_EQ(f.speed_estimate(), 0.0);
    // Fast travel: e >= 4 m/s allows twice the speed only.
    EXPECT_TRUE(f.accept({0, 16.3}, 0, ++t));
    EXPECT_DOUBLE_EQ(f.speed_estimate(), 10.0);
    EXPECT_FALSE(f.accept({0, 37}, 0, t + 1)) << "20.7 m/s against e = 10";
    EXPECT_TRUE(f.accept({0, 36}, 0, ++t));
    EXPECT_DOUBLE_EQ(f.speed_estimate(), 19.7);
    // Two fixes in one second: rejected while moving...
    EXPECT_FALSE(f.accept({0, 46}, 0, t));
    // ...a clock gone back (midnight, a jump): accepted, e kept, the distance counted.
    const double travelled = f.travelled();
    EXPECT_TRUE(f.accept({0, 46}, 0, t - 3000));
    EXPECT_DOUBLE_EQ(f.speed_estimate(), 19.7);
    EXPECT_DOUBLE_EQ(f.travelled(), travelled + 10);
    // Two seconds or more since the last accepted fix: no rejection.
    EXPECT_TRUE(f.accept({0, 500}, 0, t - 3000 + 2));

    // At rest (e = 0) a second fix in the same second is accepted and e stays 0.
    gps::FixFilter g;
    EXPECT_TRUE(g.accept({0, 0}, 0, 5));
    EXPECT_TRUE(g.accept({0, 0.1}, 0, 6));
    EXPECT_TRUE(g.accept({0, 3}, 0, 6));
    EXPECT_EQ(g.speed_estimate(), 0.0);
    EXPECT_TRUE(std::isfinite(g.travelled()));

    // Nine held: the three most recent are kept before the next is examined.
    gps::FixFilter h;
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(h.accept({0, 0.1 * i}, 0, i));
    EXPECT_EQ(h.held(), 9);
    EXPECT_TRUE(h.accept({0, 0.85}, 0, 9));
    EXPECT_EQ(h.held(), 4);
}

TEST(NavigationRules, PlanWindowAndScaleBar)
{
    EXPECT_EQ(gps::PlanHalfSize(0), 20.0);
    EXPECT_EQ(gps::PlanHalfSize(5), 20.0);
    EXPECT_DOUBLE_EQ(gps::PlanHalfSize(6), 50.0) << "30 seconds of travel at 6 km/h";
    EXPECT_DOUBLE_EQ(gps::PlanHalfSize(36), 300.0);
    EXPECT_EQ(gps::PlanHalfSize(std::numeric_limits<double>::quiet_NaN()), 20.0);

    const gps::PlanWindow w = gps::PlanWindowAround({100, 200}, 20);
    EXPECT_EQ(w.min_e, 80);
    EXPECT_EQ(w.max_n, 220);
    EXPECT_TRUE(gps::PlanKeepsWindow(w, {95, 205}));
    EXPECT_TRUE(gps::PlanKeepsWindow(w, {105, 195})) << "15 m from an edge: inside";
    EXPECT_FALSE(gps::PlanKeepsWindow(w, {105.01, 200}));
    EXPECT_FALSE(gps::PlanKeepsWindow(w, {100, 184.9}));

    auto at_scale = [](double pixels_per_metre) {
        return gps::ChooseScaleBar([=](double metres) { return metres * pixels_per_metre; });
    };
    gps::ScaleBar b = at_scale(0.5);
    EXPECT_EQ(b.metres, 100);
    EXPECT_EQ(b.pixels, 50);
    EXPECT_EQ(b.left, 150);
    EXPECT_EQ(b.label, u"100 m");
    EXPECT_EQ(b.label_column, 216 - 50 - 4 * 5);
    b = at_scale(20);
    EXPECT_EQ(b.metres, 1);
    EXPECT_EQ(b.label, u"1 m");
    b = at_scale(0.001);
    EXPECT_EQ(b.metres, 100000);
    EXPECT_EQ(b.label, u"100 km");
    EXPECT_EQ(b.label_column, 100);
    b = at_scale(1e-12);
    EXPECT_EQ(b.metres, 1e9) << "ten tries";
    EXPECT_EQ(b.label, u"");
    EXPECT_EQ(b.pixels, 0);
}

TEST(NavigationRules, CompassFigure)
{
    auto tip = [](double delta) { return gps::CompassArrow(delta)[3]; };
    EXPECT_EQ(tip(0).x, 0);
    EXPECT_EQ(tip(0).y, -20) << "straight ahead: (65, 58)";
    EXPECT_EQ(tip(180).y, 20) << "straight behind: (65, 98)";
    EXPECT_EQ(tip(180).x, 0);
    EXPECT_EQ(tip(90).x, 20) << "to the right of the heading it points right";
    EXPECT_EQ(tip(-90).x, -20);
    EXPECT_EQ(gps::CompassArrow(37).front().x, gps::CompassArrow(37).back().x) << "closed";

    // Track-up letters: heading north puts N at the top (centred 37 above the centre), east at the left.
    const auto north = gps::CompassLetters(0);
    EXPECT_EQ(north[0].x, 0);
    EXPECT_EQ(north[0].y, 16 - 37);
    const auto east = gps::CompassLetters(90);
    EXPECT_EQ(east[0].x, -37);
    EXPECT_EQ(east[0].y, 16);
    // Ticks on the diagonals between the circles (26 to 48 from the centre).
    for (const gps::Tick& t : gps::CompassTicks(30)) {
        EXPECT_NEAR(std::hypot(t.from.x, t.from.y), 26, 1.5);
        EXPECT_NEAR(std::hypot(t.to.x, t.to.y), 48, 1.5);
    }
}

}  // namespace
