#include "formats/plane_geometry.h"

#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using formats::azimuth;
using formats::k2Pi;
using formats::Position;

constexpr double kPi = 3.141592653589793;

TEST(PlaneGeometry, AzimuthOfTheFourAxesAndOfCoincidentPoints)
{
    Position origin {0, 0};
    EXPECT_EQ(azimuth(origin, {0, 1}), 0);
    EXPECT_DOUBLE_EQ(azimuth(origin, {1, 0}), kPi / 2);
    EXPECT_DOUBLE_EQ(azimuth(origin, {0, -1}), kPi);
    EXPECT_DOUBLE_EQ(azimuth(origin, {-1, 0}), 3 * kPi / 2);
    EXPECT_EQ(azimuth(origin, origin), 0);
    EXPECT_EQ(azimuth(5, 5, 5 + 1e-7, 5 - 1e-7), 0);
    EXPECT_DOUBLE_EQ(azimuth(10, 20, 11, 21), kPi / 4);
}

TEST(PlaneGeometry, AzimuthStaysBelowTwoPiJustWestOfNorth)
{
    // dE too small to change the distance: acos gives 0, and 2*pi - 0 would leave the range.
    double az = azimuth(0, 0, -1e-5, 1e6);
    EXPECT_GE(az, 0);
    EXPECT_LT(az, k2Pi);
}

TEST(PlaneGeometry, DistanceBelowTheToleranceIsExactlyZero)
{
    EXPECT_EQ(formats::plane_distance(Position {100, 200}, Position {100 + 9e-7, 200 - 9e-7}), 0);
    EXPECT_EQ(formats::plane_distance(0, 0, 0, 0), 0);
    // At the tolerance in one axis the distance is real.
    EXPECT_EQ(formats::plane_distance(0, 0, 0, 1e-06), 1e-06);
    EXPECT_DOUBLE_EQ(formats::plane_distance(0, 0, 2e-6, 1e-7), std::sqrt(4e-12 + 1e-14));
    EXPECT_DOUBLE_EQ(formats::plane_distance(Position {1, 2}, Position {4, 6}), 5);
}

// A point set out by bearing and distance is found again by the inverse, all round the compass.
TEST(PlaneGeometry, InverseAfterSettingOutReturnsBearingAndDistance)
{
    std::mt19937 random(31);
    std::uniform_real_distribution<double> coordinate(-1e5, 1e5);
    std::uniform_real_distribution<double> direction(0, k2Pi);
    std::uniform_real_distribution<double> length(0.01, 5000);
    for (int i = 0; i < 5000; ++i) {
        Position a {coordinate(random), coordinate(random)};
        double az = direction(random);
        double d = length(random);
        Position b = formats::point_from_bearing(a, az, d);
        EXPECT_NEAR(formats::plane_distance(a, b), d, 1e-8);
        double back = azimuth(a, b);
        ASSERT_GE(back, 0);
        ASSERT_LT(back, k2Pi);
        EXPECT_NEAR(formats::angle_between(back, az), 0, 1e-6) << az;
    }
}

TEST(PlaneGeometry, PointFromBearingOnTheAxes)
{
    Position p = formats::point_from_bearing({10, 20}, kPi / 2, 5);
    EXPECT_DOUBLE_EQ(p.e, 15);
    EXPECT_NEAR(p.n, 20, 1e-12);
    p = formats::point_from_bearing({10, 20}, kPi, 5);
    EXPECT_NEAR(p.e, 10, 1e-12);
    EXPECT_DOUBLE_EQ(p.n, 15);
}

TEST(PlaneGeometry, RotateTurnsAnticlockwiseAndBack)
{
    double x = 1, y = 0;
    formats::rotate(&x, &y, kPi / 2);
    EXPECT_NEAR(x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(y, 1);
    x = 3, y = -4;
    formats::rotate(&x, &y, 0.7);
    EXPECT_DOUBLE_EQ(std::hypot(x, y), 5);
    formats::rotate(&x, &y, -0.7);
    EXPECT_NEAR(x, 3, 1e-14);
    EXPECT_NEAR(y, -4, 1e-14);
}

TEST(PlaneGeometry, AngleBetweenDirections)
{
    EXPECT_EQ(formats::angle_between(1.25, 1.25), 0);
    EXPECT_NEAR(formats::angle_between(0, kPi), kPi, 1e-7);
    EXPECT_NEAR(formats::angle_between(0.1, k2Pi - 0.1), 0.2, 1e-12);
    EXPECT_DOUBLE_EQ(formats::angle_between(kPi / 2, 0), kPi / 2);
}

TEST(PlaneGeometry, AngleBetweenNearlyEqualDirectionsIsANumber)
{
    // cos a cos b + sin a sin b can round past 1 for neighbouring doubles; acos of that has no value.
    for (double a = 0; a < k2Pi; a += 0.001) {
        double b = std::nextafter(a, 10.0);
        double angle = formats::angle_between(a, b);
        ASSERT_FALSE(std::isnan(angle)) << a;
        EXPECT_LT(angle, 1e-7);
    }
}

TEST(PlaneGeometry, TurnSignTellsTheSide)
{
    EXPECT_LT(formats::turn_sign(0, kPi / 2), 0);  // east lies clockwise of north
    EXPECT_GT(formats::turn_sign(kPi / 2, 0), 0);
    EXPECT_EQ(formats::turn_sign(0.8, 0.8), 0);
    EXPECT_NEAR(formats::turn_sign(0, kPi), 0, 1e-15);
}

TEST(PlaneGeometry, ClockwiseAngleBothWays)
{
    Position p {0, 0};
    EXPECT_DOUBLE_EQ(formats::clockwise_angle(p, {0, 1}, {1, 0}), kPi / 2);
    EXPECT_DOUBLE_EQ(formats::clockwise_angle(p, {1, 0}, {0, 1}), 3 * kPi / 2);
    EXPECT_EQ(formats::clockwise_angle(p, {0, 1}, {0, 5}), 0);
    EXPECT_NEAR(formats::clockwise_angle(p, {0, 1}, {0, -1}), kPi, 1e-7);

    std::mt19937 random(5);
    std::uniform_real_distribution<double> coordinate(-100, 100);
    for (int i = 0; i < 2000; ++i) {
        Position q {coordinate(random), coordinate(random)};
        Position a {coordinate(random), coordinate(random)};
        Position b {coordinate(random), coordinate(random)};
        double there = formats::clockwise_angle(q, a, b);
        double back = formats::clockwise_angle(q, b, a);
        ASSERT_GE(there, 0);
        ASSERT_LT(there, k2Pi);
        EXPECT_NEAR(there + back, k2Pi, 1e-6);
        // Turning clockwise from the azimuth of a by the angle reaches the azimuth of b.
        double reached = std::fmod(azimuth(q, a) + there, k2Pi);
        EXPECT_NEAR(formats::angle_between(reached, azimuth(q, b)), 0, 1e-6);
    }
}

TEST(PlaneGeometry, AddAngles)
{
    EXPECT_DOUBLE_EQ(formats::add_angles(kPi, 1.5 * kPi), 0.5 * kPi);
    EXPECT_EQ(formats::add_angles(k2Pi, 0), 0);
    EXPECT_DOUBLE_EQ(formats::add_angles(3 * k2Pi, 1), 1);
    EXPECT_EQ(formats::add_angles(-1, -2), -3);  // negative sums are the caller's
    double far = formats::add_angles(1e300, 1e300);
    EXPECT_GE(far, 0);
    EXPECT_LT(far, k2Pi);
}

TEST(PlaneGeometry, LargerAndSmallerGiveTheSecondOnATie)
{
    EXPECT_EQ(formats::larger(2, 1), 2);
    EXPECT_EQ(formats::larger(1, 2), 2);
    EXPECT_EQ(formats::smaller(1, 2), 1);
    EXPECT_EQ(formats::smaller(2, 1), 1);
    EXPECT_TRUE(std::signbit(formats::larger(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(formats::smaller(-0.0, 0.0)));
    EXPECT_EQ(formats::hypotenuse(3, 4), 5);
}

TEST(PlaneGeometry, ExtendBoxMovesOnlyOutward)
{
    formats::Box box {0, 0, 10, 10};
    formats::extend_box(&box, 5, 5);
    EXPECT_EQ(box.min_first, 0);
    EXPECT_EQ(box.max_second, 10);
    formats::extend_box(&box, -2, 12);
    formats::extend_box(&box, 11, -3);
    EXPECT_EQ(box.min_first, -2);
    EXPECT_EQ(box.max_first, 11);
    EXPECT_EQ(box.min_second, -3);
    EXPECT_EQ(box.max_second, 12);
}

TEST(PlaneGeometry, InsideBoxHonoursTheMargin)
{
    formats::Box box {0, 0, 10, 20};
    EXPECT_TRUE(formats::inside_box(5, 5, box, 0));
    EXPECT_TRUE(formats::inside_box(0, 20, box, 0));  // on the edge counts as inside
    EXPECT_TRUE(formats::inside_box(1, 19, box, 1));
    EXPECT_FALSE(formats::inside_box(0.5, 10, box, 1));
    EXPECT_FALSE(formats::inside_box(9.5, 10, box, 1));
    EXPECT_FALSE(formats::inside_box(5, 0.5, box, 1));
    EXPECT_FALSE(formats::inside_box(5, 19.5, box, 1));
    EXPECT_FALSE(formats::inside_box(-1, 5, box, 0));
}

TEST(PlaneGeometry, SecondsOfTheDayComeFromTheClock)
{
    platform::clock::use_virtual_time(3 * 3600 + 25 * 60 + 7);
    EXPECT_EQ(formats::seconds_of_day(), 3 * 3600 + 25 * 60 + 7);
    platform::clock::advance_ms(2500);
    EXPECT_EQ(formats::seconds_of_day(), 3 * 3600 + 25 * 60 + 9);
    platform::clock::use_real_time();
    long now = formats::seconds_of_day();
    EXPECT_GE(now, 0);
    EXPECT_LT(now, 86400);
}

}  // namespace
