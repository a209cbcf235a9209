// The view: fitting, the rounding of pixels, the windows that cannot be mapped, and which segments reach
// the screen, checked by cases and by random round trips and segments.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "draw/segment_visibility.h"
#include "draw/view.h"
#include "tests/support/program_state.h"

namespace {

using namespace draw;
using View = testing_support::ProgramStateTest;

DevicePoint pixel(double x, double y)
{
    DevicePoint p {-999, -999};
    EXPECT_TRUE(world_to_device(x, y, &p));
    return p;
}

void expect_window(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    WorldWindow w = view_window();
    EXPECT_EQ(w.left, left);
    EXPECT_EQ(w.top, top);
    EXPECT_EQ(w.right, right);
    EXPECT_EQ(w.bottom, bottom);
}

TEST_F(View, FitsTheWorldWindowAboutItsCentre)
{
    view_set_device_rect(0, 0, 240, 240);
    ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    expect_window(0, 150, 200, -50);
    EXPECT_DOUBLE_EQ(view_scale_x(), 1.2);
    EXPECT_DOUBLE_EQ(view_scale_y(), 1.2);
    EXPECT_EQ(pixel(0, 150).x, 0);
    EXPECT_EQ(pixel(0, 150).y, 0);
    EXPECT_EQ(pixel(200, -50).x, 240);
    EXPECT_EQ(pixel(200, -50).y, 240);
    ASSERT_TRUE(view_set_window(0, 100, 10, 0));
    expect_window(-45, 100, 55, 0);
    // Doubles are truncated toward zero first.
    ASSERT_TRUE(view_set_window(-0.9, 100.7, 200.2, 0.4));
    expect_window(0, 150, 200, -50);
}

TEST_F(View, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(round_half_away(-2.5), -3);
    EXPECT_EQ(round_half_away(2.5), 3);
    EXPECT_EQ(round_half_away(-2.4), -2);
    EXPECT_EQ(round_half_away(2.49), 2);
    view_set_device_rect(0, 0, 100, 100);
    ASSERT_TRUE(view_set_window(0, 100, 100, 0));  // 1 pixel per unit
    EXPECT_EQ(pixel(-2.5, 102.5).x, -3);
    EXPECT_EQ(pixel(-2.5, 102.5).y, -3);
    EXPECT_EQ(pixel(2.5, 97.5).x, 3);
    EXPECT_EQ(pixel(2.5, 97.5).y, 3);
    // The device rectangle's left edge moves columns; its top edge only enters the scale.
    view_set_device_rect(20, 30, 120, 130);
    ASSERT_TRUE(view_set_window(0, 100, 100, 0));
    EXPECT_EQ(pixel(0, 100).x, 20);
    EXPECT_EQ(pixel(0, 100).y, 0);
}

TEST_F(View, WindowsThatCannotBeMappedKeepThePreviousMapping)
{
    // Before any window: scales 1.0, coordinates unchanged but for the row flip at the bottom.
    view_set_device_rect(0, 0, 240, 268);
    EXPECT_FALSE(view_valid());
    EXPECT_EQ(view_scale_x(), 1.0);
    EXPECT_EQ(view_scale_y(), 1.0);
    EXPECT_EQ(pixel(10, 20).x, 10);
    EXPECT_EQ(pixel(10, 20).y, 248);
    EXPECT_EQ(device_to_world(10, 248).y, 20);

    view_set_device_rect(0, 0, 240, 0);  // no height
    EXPECT_FALSE(view_set_window(0, 100, 200, 0));
    EXPECT_FALSE(view_valid());
    view_set_device_rect(0, 0, 240, 240);
    ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    view_set_device_rect(0, 0, 0, 240);  // no width
    EXPECT_FALSE(view_set_window(0, 10, 20, 0));
    view_set_device_rect(0, 0, 240, 240);
    const double nan = std::nan(""), inf = INFINITY;
    EXPECT_FALSE(view_set_window(nan, 10.0, 20.0, 0.0));
    EXPECT_FALSE(view_set_window(0.0, inf, 20.0, 0.0));
    EXPECT_FALSE(view_set_window(0.0, 10.0, 1e12, 0.0));
    EXPECT_FALSE(view_set_window(5, 10, 5, 0));    // no width
    EXPECT_FALSE(view_set_window(0, 10, 20, 10));  // no height
    EXPECT_FALSE(view_set_window(20, 10, 0, 0));   // inverted
    // Fitting a window at the edge of the 32-bit range would leave it.
    EXPECT_FALSE(view_set_window(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX - 1));
    expect_window(0, 150, 200, -50);
    EXPECT_DOUBLE_EQ(view_scale_x(), 1.2);
}

TEST_F(View, FarOffAndNonFinitePointsMapSafely)
{
    view_set_device_rect(0, 0, 240, 240);
    ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    DevicePoint p {7, 7};
    EXPECT_FALSE(world_to_device(std::nan(""), 0, &p));
    EXPECT_FALSE(world_to_device(0, -INFINITY, &p));
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(pixel(1e300, -1e300).x, kDeviceLimit);
    EXPECT_EQ(pixel(1e300, -1e300).y, kDeviceLimit);
    EXPECT_EQ(pixel(-1e18, 0).x, -kDeviceLimit);
    // A segment from inside to a point far off keeps its direction (here 45 degrees on the screen).
    DevicePoint a, b;
    ASSERT_TRUE(world_segment_pixels(100, 50, 100 + 1e15, 50 - 1e15, &a, &b));
    EXPECT_EQ(a.x, 120);
    EXPECT_EQ(a.y, 120);
    EXPECT_EQ(b.x - a.x, b.y - a.y);
    EXPECT_FALSE(world_segment_pixels(100, 50, std::nan(""), 0, &a, &b));
}

TEST_F(View, DeviceToWorldInvertsWorldToDeviceWithinHalfAPixel)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 2000; ++i) {
        int w = 1 + int(u(rng) * 400), h = 1 + int(u(rng) * 400);
        view_set_device_rect(0, 0, w, h);
        double size = std::pow(10.0, 1 + u(rng) * 5);  // 10 m to 1000 km
        int32_t left = int32_t(500000 + (u(rng) - 0.5) * 1e5), bottom = int32_t(5000000 + (u(rng) - 0.5) * 1e5);
        ASSERT_TRUE(view_set_window(left, int32_t(bottom + size * (0.2 + u(rng))), int32_t(left + size), bottom));
        WorldWindow v = view_window();
        double x = v.left + u(rng) * (v.right - v.left), y = v.bottom + u(rng) * (v.top - v.bottom);
        DevicePoint p = pixel(x, y);
        Vec2 back = device_to_world(p.x, p.y);
        EXPECT_LE(std::fabs(back.x - x) * view_scale_x(), 0.5 + 1e-6) << i;
        EXPECT_LE(std::fabs(back.y - y) * view_scale_y(), 0.5 + 1e-6) << i;
        // One scale on both axes, but for the truncation of the fitted window's edges.
        double extent = std::min(v.right - v.left, v.top - v.bottom);
        EXPECT_NEAR(view_scale_x() / view_scale_y(), 1.0, 2.5 / extent) << i;
    }
}

TEST_F(View, ASegmentIsDrawnWhenAnEndOrItsMidpointIsInsideOrItCrossesAnEdge)
{
    DeviceRect r {0, 0, 240, 240};
    EXPECT_TRUE(segment_visible({-100, 120}, {400, 120}, r));  // ends left and right, midpoint inside
    EXPECT_TRUE(segment_visible({-10, 230}, {20, 260}, r));    // cuts the bottom-left corner
    EXPECT_TRUE(segment_visible({240, 240}, {300, 300}, r));   // an end on the corner
    EXPECT_FALSE(segment_visible({-10, 230}, {20, 270}, r));   // passes the corner outside
    EXPECT_FALSE(segment_visible({250, -10}, {500, 300}, r));

    // Random segments: drawn exactly when they touch the rectangle (tested here through its edges as four
    // segments) or their truncated midpoint lies inside.
    auto cross = [](DevicePoint o, DevicePoint a, DevicePoint b) {
        return int64_t(a.x - o.x) * (b.y - o.y) - int64_t(a.y - o.y) * (b.x - o.x);
    };
    auto on = [](DevicePoint p, DevicePoint a, DevicePoint b) {
        return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y
            && p.y <= std::max(a.y, b.y);
    };
    auto meet = [&](DevicePoint a, DevicePoint b, DevicePoint c, DevicePoint d) {
        int64_t d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
        if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
            return true;
        return (d1 == 0 && on(a, c, d)) || (d2 == 0 && on(b, c, d)) || (d3 == 0 && on(c, a, b))
            || (d4 == 0 && on(d, a, b));
    };
    auto inside = [&](int64_t x, int64_t y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; };
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> c(-300, 540);
    int drawn = 0;
    for (int i = 0; i < 20000; ++i) {
        DevicePoint a {c(rng), c(rng)}, b {c(rng), c(rng)};
        DevicePoint corners[4] = {{0, 0}, {240, 0}, {240, 240}, {0, 240}};
        bool touches = inside(a.x, a.y) || inside(b.x, b.y);
        for (int k = 0; k < 4; ++k)
            touches = touches || meet(a, b, corners[k], corners[(k + 1) % 4]);
        bool expected = touches || inside((int64_t(a.x) + b.x) / 2, (int64_t(a.y) + b.y) / 2);
        ASSERT_EQ(segment_visible(a, b, r), expected) << a.x << "," << a.y << " " << b.x << "," << b.y;
        drawn += expected;
    }
    EXPECT_GT(drawn, 2000);
    EXPECT_LT(drawn, 18000);
}

}  // namespace
