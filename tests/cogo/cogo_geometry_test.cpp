// The COGO primitives and intersections: hand-worked figures, properties of random well-posed
// intersections (at UTM size too), the order of two solutions, and the degenerate inputs that must give
// no solution and never a NaN.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cogo/cogo_geometry.h"
#include "tests/support/plane_checks.h"

namespace {

using cogo::Position;
using testing_support::along_ray;
using testing_support::finite;
using testing_support::off_circle;
using testing_support::PlaneRandom;
using testing_support::right_of;
using testing_support::right_of_ray;

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
constexpr Position kUntouched {-1, -2};  // what an output holds before a call that must not write it

bool same(Position a, Position b)
{
    return a.e == b.e && a.n == b.n;
}

TEST(CogoPrimitives, PlainDistanceAndArcSide)
{
    EXPECT_DOUBLE_EQ(cogo::plain_distance({1, 2}, {4, 6}), 5);
    // Unlike the shared distance, no coincidence test: a sub-micrometre distance is still measured.
    EXPECT_DOUBLE_EQ(cogo::plain_distance({0, 0}, {3e-7, 4e-7}), 5e-7);
    EXPECT_EQ(formats::plane_distance(Position {0, 0}, Position {3e-7, 4e-7}), 0);

    Position p {100, 200}, q {100, 300};             // p -> q due north
    EXPECT_EQ(cogo::arc_side(p, q, {150, 250}), 1);  // east: right
    EXPECT_EQ(cogo::arc_side(p, q, {50, 250}), 0);   // west: left
    EXPECT_EQ(cogo::arc_side(p, q, {100, 400}), 1);  // on the line
    PlaneRandom random(11);
    for (int i = 0; i < 500; ++i) {
        Position a = random.position(i % 2), b = random.position(i % 2), c = random.position(i % 2);
        if (std::fabs(right_of(a, b, c)) > 1e-3) {
            EXPECT_EQ(cogo::arc_side(a, b, c), right_of(a, b, c) > 0 ? 1 : 0);
        }
    }
}

TEST(CogoAzimuthAzimuth, KnownCrossingsAndRandomRaysMeetOnBothLines)
{
    Position a = kUntouched;
    ASSERT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, 45 * kDegree, {10, 0}, 315 * kDegree, &a), 1);
    EXPECT_NEAR(a.e, 5, 1e-12);
    EXPECT_NEAR(a.n, 5, 1e-12);
    // A 3-4-5 triangle: from (0,0) towards (3,4), from (3,0) due north.
    ASSERT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, std::atan2(3.0, 4.0), {3, 0}, 0, &a), 1);
    EXPECT_NEAR(a.e, 3, 1e-12);
    EXPECT_NEAR(a.n, 4, 1e-12);

    PlaneRandom random(3);
    for (int i = 0; i < 2000; ++i) {
        bool utm = i % 2;
        Position x = random.position(utm);
        double az1 = random.azimuth();
        double crossing = random.uniform(10, 170) * kDegree * (i % 4 < 2 ? 1 : -1);
        double az2 = std::fmod(az1 + crossing + formats::k2Pi, formats::k2Pi);
        Position p1 = formats::point_from_bearing(x, az1, -random.uniform(1, 5000));
        Position p2 = formats::point_from_bearing(x, az2, -random.uniform(1, 5000));
        a = kUntouched;
        ASSERT_EQ(cogo::intersect_azimuth_azimuth(p1, az1, p2, az2, &a), 1) << i;
        EXPECT_NEAR(right_of_ray(p1, az1, a), 0, 1e-6) << i;
        EXPECT_NEAR(right_of_ray(p2, az2, a), 0, 1e-6) << i;
        EXPECT_GT(along_ray(p1, az1, a), 0) << i;
        EXPECT_GT(along_ray(p2, az2, a), 0) << i;
        // Turned round, the same rays meet behind both points: nothing.
        Position none = kUntouched;
        EXPECT_EQ(cogo::intersect_azimuth_azimuth(
                      p1, std::fmod(az1 + kPi, formats::k2Pi), p2, std::fmod(az2 + kPi, formats::k2Pi), &none),
            0)
            << i;
        EXPECT_TRUE(same(none, kUntouched));
    }
}

TEST(CogoAzimuthAzimuth, ParallelOpposedAndBarelyDivergingRaysHaveNoCrossing)
{
    Position a = kUntouched;
    // Parallel.
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, 0.3, {10, 0}, 0.3, &a), 0);
    // One line, facing each other: they share a segment, and p1 is no more the crossing than any other.
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, kPi / 2, {100, 0}, 3 * kPi / 2, &a), 0);
    // One line, facing the same way.
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, kPi / 2, {100, 0}, kPi / 2, &a), 0);
    // Two rays 2 microradians apart whose lines cross 400 m behind p1: the closure test alone passes them.
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, kPi / 2, {100, 0.001}, kPi / 2 - 2e-6, &a), 0);
    // One ray ahead of the crossing, the other behind it.
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, 0, {10, 10}, kPi / 2, &a), 0);
    EXPECT_TRUE(same(a, kUntouched));
    // The same two rays 2 microradians apart, turned to meet ahead: found, on both lines.
    ASSERT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, kPi / 2, {100, -0.001}, kPi / 2 - 2e-6, &a), 1);
    EXPECT_NEAR(a.e, 600, 1e-3);
    EXPECT_NEAR(a.n, 0, 1e-9);
    // Two rays from one point, whichever turns first, have no triangle to close.
    a = kUntouched;
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({7, 8}, 1, {7, 8}, 2, &a), 0);
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({7, 8}, 2, {7, 8 + 1e-7}, 1, &a), 0);
    EXPECT_TRUE(same(a, kUntouched));
}

TEST(CogoCircleCircle, ThreeFourFiveAndRandomCirclesGiveLeftThenRight)
{
    Position a = kUntouched, b = kUntouched;
    ASSERT_EQ(cogo::intersect_circle_circle({0, 0}, 5, {6, 0}, 5, &a, &b), 2);
    // p1 -> p2 runs east: A to its left (north), B to its right.
    EXPECT_NEAR(a.e, 3, 1e-12);
    EXPECT_NEAR(a.n, 4, 1e-12);
    EXPECT_NEAR(b.e, 3, 1e-12);
    EXPECT_NEAR(b.n, -4, 1e-12);

    PlaneRandom random(5);
    for (int i = 0; i < 2000; ++i) {
        bool utm = i % 2;
        Position x = random.position(utm);
        // Centres seen from x 10 to 170 degrees apart, so the circles cross at an angle.
        double az = random.azimuth();
        Position p1 = formats::point_from_bearing(x, az, random.uniform(1, 5000));
        Position p2 = formats::point_from_bearing(
            x, az + random.uniform(10, 170) * kDegree * (i % 4 < 2 ? 1 : -1), random.uniform(1, 5000));
        double r1 = std::hypot(x.e - p1.e, x.n - p1.n), r2 = std::hypot(x.e - p2.e, x.n - p2.n);
        ASSERT_EQ(cogo::intersect_circle_circle(p1, r1, p2, r2, &a, &b), 2) << i;
        for (Position s : {a, b}) {
            EXPECT_NEAR(off_circle(p1, r1, s), 0, 1e-6) << i;
            EXPECT_NEAR(off_circle(p2, r2, s), 0, 1e-6) << i;
        }
        EXPECT_LT(right_of(p1, p2, a), 0) << i;
        EXPECT_GT(right_of(p1, p2, b), 0) << i;
        Position given = right_of(p1, p2, x) < 0 ? a : b;
        EXPECT_NEAR(given.e, x.e, 1e-6) << i;
        EXPECT_NEAR(given.n, x.n, 1e-6) << i;
    }
}

TEST(CogoCircleCircle, ContactContainmentAndEqualCentres)
{
    Position a = kUntouched, b = kUntouched;
    // External contact: one point on the line of the centres.
    ASSERT_EQ(cogo::intersect_circle_circle({0, 0}, 3, {5, 0}, 2, &a, &b), 1);
    EXPECT_NEAR(a.e, 3, 1e-12);
    EXPECT_NEAR(a.n, 0, 1e-12);
    EXPECT_TRUE(same(b, kUntouched));
    a = kUntouched;
    EXPECT_EQ(cogo::intersect_circle_circle({0, 0}, 10, {1, 0}, 2, &a, &b), 0);  // one inside the other
    EXPECT_EQ(cogo::intersect_circle_circle({0, 0}, 1, {10, 0}, 2, &a, &b), 0);  // apart
    EXPECT_EQ(cogo::intersect_circle_circle({4, 4}, 5, {4, 4}, 5, &a, &b), 0);   // equal centres, equal radii
    EXPECT_EQ(cogo::intersect_circle_circle({4, 4}, 5, {4, 4 + 1e-7}, 5, &a, &b), 0);
    EXPECT_EQ(cogo::intersect_circle_circle({4, 4}, -5, {10, 4}, 5, &a, &b), 0);
    EXPECT_TRUE(same(a, kUntouched));

    // Internal contact where the cosine of the angle at p1 rounds to 1 + 2e-16 and to -1 - 2e-16: one
    // point, where the smaller circle touches the larger, not a NaN.
    ASSERT_EQ(cogo::intersect_circle_circle({0, 0}, 0.2, {0.1, 0}, 0.1, &a, &b), 1);
    EXPECT_NEAR(a.e, 0.2, 1e-12);
    EXPECT_NEAR(a.n, 0, 1e-12);
    ASSERT_EQ(cogo::intersect_circle_circle({0, 0}, 0.1, {0.1, 0}, 0.2, &a, &b), 1);
    EXPECT_NEAR(a.e, -0.1, 1e-12);
    EXPECT_NEAR(a.n, 0, 1e-12);

    // Near internal and external tangency at UTM size, where the cosine rounds past +-1: a finite point
    // on both circles, never a NaN.
    PlaneRandom random(9);
    for (int i = 0; i < 4000; ++i) {
        Position p1 = random.position(true);
        double d = random.uniform(1, 3000);
        Position p2 = formats::point_from_bearing(p1, random.azimuth(), d);
        double dd = std::hypot(p2.e - p1.e, p2.n - p1.n);
        double r1 = random.uniform(0.5, 2) * dd;
        double r2 = (i % 2 ? dd - r1 : r1 - dd);
        r2 = std::fabs(r2) * (1 + random.uniform(-4, 4) * 1e-16);
        int count = cogo::intersect_circle_circle(p1, r1, p2, r2, &a, &b);
        if (count >= 1) {
            ASSERT_TRUE(finite(a)) << i;
            EXPECT_NEAR(off_circle(p1, r1, a), 0, 1e-6) << i;
            EXPECT_NEAR(off_circle(p2, r2, a), 0, 1e-5) << i;
        }
        if (count == 2) {
            ASSERT_TRUE(finite(b)) << i;
        }
    }
}

TEST(CogoLineCircle, FarThenNearFromOutsideAndRandomLines)
{
    Position a = kUntouched, b = kUntouched;
    // Due east from the origin, circle about (10, 3) of radius 5: the foot is (10, 0), 3 from the centre,
    // so the crossings are 4 either side of it.
    ASSERT_EQ(cogo::intersect_line_circle({0, 0}, kPi / 2, {10, 3}, 5, &a, &b), 2);
    EXPECT_NEAR(a.e, 14, 1e-12);
    EXPECT_NEAR(a.n, 0, 1e-12);
    EXPECT_NEAR(b.e, 6, 1e-12);
    EXPECT_NEAR(b.n, 0, 1e-12);

    PlaneRandom random(13);
    for (int i = 0; i < 2000; ++i) {
        bool utm = i % 2;
        Position c = random.position(utm);
        double r = random.uniform(1, 3000);
        // A chord through the circle, crossing its radius at 10 to 170 degrees, and p outside on its line.
        Position x = formats::point_from_bearing(c, random.azimuth(), r);
        double az = formats::azimuth(c, x) + random.uniform(10, 170) * kDegree;
        Position p = formats::point_from_bearing(x, az, -random.uniform(2 * r + 1, 3 * r + 10));
        ASSERT_EQ(cogo::intersect_line_circle(p, az, c, r, &a, &b), 2) << i;
        for (Position s : {a, b}) {
            EXPECT_NEAR(off_circle(c, r, s), 0, 1e-6) << i;
            EXPECT_NEAR(right_of_ray(p, az, s), 0, 1e-6) << i;
        }
        EXPECT_GT(along_ray(p, az, a), along_ray(p, az, b)) << i;
        EXPECT_GT(along_ray(p, az, b), 0) << i;
        // From inside the circle: one crossing, ahead.
        Position inside = formats::point_from_bearing(c, random.azimuth(), random.uniform(0, 0.99) * r);
        ASSERT_EQ(cogo::intersect_line_circle(inside, az, c, r, &a, &b), 1) << i;
        EXPECT_NEAR(off_circle(c, r, a), 0, 1e-6) << i;
        EXPECT_NEAR(right_of_ray(inside, az, a), 0, 1e-6) << i;
        EXPECT_GT(along_ray(inside, az, a), 0) << i;
    }
}

TEST(CogoLineCircle, RaysAwayPassingTouchingAndLeavingFromTheCircle)
{
    Position a = kUntouched, b = kUntouched;
    EXPECT_EQ(cogo::intersect_line_circle({0, 0}, 3 * kPi / 2, {10, 3}, 5, &a, &b), 0);  // runs away
    EXPECT_EQ(cogo::intersect_line_circle({0, 0}, kPi / 2, {10, 7}, 5, &a, &b), 0);      // passes by
    EXPECT_EQ(cogo::intersect_line_circle({0, 0}, kPi / 2, {10, 7}, -5, &a, &b), 0);
    EXPECT_TRUE(same(a, kUntouched));
    // From the centre: one, the radius ahead.
    ASSERT_EQ(cogo::intersect_line_circle({10, 3}, kPi, {10, 3}, 5, &a, &b), 1);
    EXPECT_NEAR(a.e, 10, 1e-12);
    EXPECT_NEAR(a.n, -2, 1e-12);
    // On the circle (D = r exactly, a 3-4-5 triangle) heading away from the centre: p itself is the only
    // crossing ahead; the far one along z + q would lie off the circle.
    b = kUntouched;
    ASSERT_EQ(cogo::intersect_line_circle({0, 0}, 0, {3, -4}, 5, &a, &b), 1);
    EXPECT_NEAR(a.e, 0, 1e-12);
    EXPECT_NEAR(a.n, 0, 1e-12);
    EXPECT_TRUE(same(b, kUntouched));
    // On the circle heading in (due south): the far crossing (0, -8), then p itself.
    ASSERT_EQ(cogo::intersect_line_circle({0, 0}, kPi, {3, -4}, 5, &a, &b), 2);
    EXPECT_NEAR(a.e, 0, 1e-9);
    EXPECT_NEAR(a.n, -8, 1e-9);
    EXPECT_NEAR(b.e, 0, 1e-9);
    EXPECT_NEAR(b.n, 0, 1e-9);

    // Near tangency and near-degenerate rays: finite points on the circle or nothing.
    PlaneRandom random(17);
    for (int i = 0; i < 4000; ++i) {
        Position c = random.position(true);
        double r = random.uniform(1, 3000);
        double az = random.azimuth();
        Position foot = formats::point_from_bearing(c, az + kPi / 2, r * (1 + random.uniform(-3, 3) * 1e-16));
        Position p = formats::point_from_bearing(foot, az, -random.uniform(0, 5000));
        int count = cogo::intersect_line_circle(p, az, c, r, &a, &b);
        if (count >= 1) {
            ASSERT_TRUE(finite(a)) << i;
            EXPECT_NEAR(off_circle(c, r, a), 0, 1e-6) << i;
        }
        if (count == 2) {
            ASSERT_TRUE(finite(b)) << i;
        }
    }
}

TEST(CogoIntersections, NonFiniteInputGivesNoSolution)
{
    double nan = std::nan(""), inf = INFINITY;
    Position a = kUntouched, b = kUntouched;
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({nan, 0}, 0, {1, 0}, 1, &a), 0);
    EXPECT_EQ(cogo::intersect_azimuth_azimuth({0, 0}, inf, {1, 0}, 1, &a), 0);
    EXPECT_EQ(cogo::intersect_circle_circle({0, 0}, inf, {1, 0}, 1, &a, &b), 0);
    EXPECT_EQ(cogo::intersect_circle_circle({0, 0}, 1, {1, nan}, 1, &a, &b), 0);
    EXPECT_EQ(cogo::intersect_line_circle({0, 0}, nan, {1, 0}, 1, &a, &b), 0);
    EXPECT_EQ(cogo::intersect_line_circle({0, 0}, 0, {1, 0}, inf, &a, &b), 0);
    EXPECT_TRUE(same(a, kUntouched));
    EXPECT_TRUE(same(b, kUntouched));
}

}  // namespace
