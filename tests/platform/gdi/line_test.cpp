// Lines: pixel sets against the Bresenham model, clipping against unclipped drawing, dash runs, raster ops.

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

using namespace platform::gdi;

namespace {

std::vector<Point> inked(const Bitmap& b, Color background = kWhite)
{
    std::vector<Point> out;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != background)
                out.push_back({x, y});
    return out;
}

// Colours of the pixels met walking a polyline's path pixel by pixel, each joint once.
std::vector<bool> path_ink(const Bitmap& b, const std::vector<Point>& pts)
{
    std::vector<bool> on;
    for (size_t i = 1; i < pts.size(); ++i) {
        int dx = (pts[i].x > pts[i - 1].x) - (pts[i].x < pts[i - 1].x);
        int dy = (pts[i].y > pts[i - 1].y) - (pts[i].y < pts[i - 1].y);
        for (Point p = pts[i - 1]; p.x != pts[i].x || p.y != pts[i].y; p.x += dx, p.y += dy)
            on.push_back(b.pixel(p.x, p.y) != kWhite);
    }
    return on;
}

std::vector<int> runs(const std::vector<bool>& on)
{
    std::vector<int> out;
    for (size_t i = 0; i < on.size(); ++i) {
        if (i == 0 || on[i] != on[i - 1])
            out.push_back(0);
        ++out.back();
    }
    return out;
}

}  // namespace

TEST(Line, HorizontalLeavesOutTheLastPixel)
{
    MemoryDC dc(10, 3);
    dc.move_to(0, 1);
    dc.line_to(5, 1);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(dc.pixel(x, 1), x < 5 ? kBlack : kWhite) << "x=" << x;
    EXPECT_EQ(inked(dc.bitmap()).size(), 5u);
}

TEST(Line, EveryOctantFollowsTheIdealLineAndLeavesOutTheEnd)
{
    const Point ends[] = {{20, 7}, {7, 20}, {-7, 20}, {-20, 7}, {-20, -7}, {-7, -20}, {7, -20}, {20, -7}, {20, 0},
        {0, 20}, {-20, 0}, {0, -20}, {15, 15}, {-15, 15}, {-15, -15}, {15, -15}, {1, 0}, {0, -1}, {3, 1}, {-1, 3}};
    for (Point d : ends) {
        SCOPED_TRACE(testing::Message() << "delta " << d.x << "," << d.y);
        MemoryDC dc(64, 64);
        dc.move_to(30, 30);
        dc.line_to(30 + d.x, 30 + d.y);
        const Bitmap& b = dc.bitmap();
        EXPECT_EQ(b.pixel(30, 30), kBlack);
        EXPECT_EQ(b.pixel(30 + d.x, 30 + d.y), kWhite);
        int n = std::max(std::abs(d.x), std::abs(d.y));
        std::vector<Point> px = inked(b);
        ASSERT_EQ(int(px.size()), n);
        bool x_major = std::abs(d.x) >= std::abs(d.y);
        for (Point p : px) {
            // One pixel per step of the major axis, within half a pixel of the ideal line on the minor one.
            double t = x_major ? double(p.x - 30) / d.x : double(p.y - 30) / d.y;
            EXPECT_GE(t, 0.0);
            EXPECT_LT(t, 1.0);
            double minor = x_major ? 30 + t * d.y - p.y : 30 + t * d.x - p.x;
            EXPECT_LE(std::abs(minor), 0.5) << p.x << "," << p.y;
        }
    }
}

TEST(Line, ZeroLengthAndNullPenDrawNothingButMove)
{
    MemoryDC dc(20, 20);
    dc.move_to(5, 5);
    dc.line_to(5, 5);
    dc.select_pen(Pen {PenStyle::Null, 1, kBlack});
    dc.line_to(15, 5);
    EXPECT_TRUE(inked(dc.bitmap()).empty());
    dc.select_pen(Pen {PenStyle::Solid, 1, kBlack});
    dc.line_to(15, 10);  // from (15,5), where the null pen left the position
    EXPECT_EQ(dc.pixel(15, 5), kBlack);
    EXPECT_EQ(dc.pixel(5, 5), kWhite);
    EXPECT_EQ(dc.move_to(0, 0).y, 10);
}

TEST(Line, WidthZeroAndOneDrawTheSamePixels)
{
    MemoryDC a(40, 40), b(40, 40);
    a.select_pen(Pen {PenStyle::Solid, 0, kBlack});
    b.select_pen(Pen {PenStyle::Solid, 1, kBlack});
    for (DC* dc : {static_cast<DC*>(&a), static_cast<DC*>(&b)}) {
        dc->move_to(3, 4);
        dc->line_to(37, 19);
    }
    EXPECT_EQ(inked(a.bitmap()).size(), 34u);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y));
}

// A clipped DC must light exactly the pixels an unclipped one lights inside the clip, and nothing else.
TEST(Line, ClipMatchesUnclippedDrawingWithOrigin)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> near(-30, 90), far(-3000000, 3000000), pick(0, 3);
    const Point origin {10, 20};
    const Rect clip {15, 25, 57, 61};
    for (int trial = 0; trial < 400; ++trial) {
        Bitmap clipped(80, 90), full(80, 90);
        DC c(&clipped, origin, clip), f(&full, origin, Rect {0, 0, 80, 90});
        PenStyle style = trial % 2 ? PenStyle::Dash : PenStyle::Solid;
        c.select_pen(Pen {style, 0, rgb(200, 0, 0)});
        f.select_pen(Pen {style, 0, rgb(200, 0, 0)});
        Point p[3];
        for (Point& q : p) {
            bool is_far = pick(rng) == 0;
            q = {is_far ? far(rng) : near(rng), is_far ? far(rng) : near(rng)};
        }
        c.polyline(p, 3);
        f.polyline(p, 3);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 80; ++x) {
                Color want = clip.contains(x, y) ? full.pixel(x, y) : kWhite;
                ASSERT_EQ(clipped.pixel(x, y), want) << "trial " << trial << " at " << x << "," << y;
            }
    }
}

TEST(Line, VeryLongLineThroughTheClipLightsItsRow)
{
    MemoryDC dc(50, 10);
    dc.move_to(-2000000000, 4);
    dc.line_to(2000000000, 4);
    for (int x = 0; x < 50; ++x)
        ASSERT_EQ(dc.pixel(x, 4), kBlack);
    EXPECT_EQ(inked(dc.bitmap()).size(), 50u);
}

TEST(Line, DashPatternRunsEighteenOnSixOff)
{
    MemoryDC dc(70, 3);
    dc.select_pen(Pen {PenStyle::Dash, 0, kBlack});
    dc.move_to(0, 1);
    dc.line_to(60, 1);
    EXPECT_EQ(runs(path_ink(dc.bitmap(), {{0, 1}, {61, 1}})), (std::vector<int> {18, 6, 18, 6, 12, 1}));
}

TEST(Line, DashContinuesAcrossPolylineJointsAndRestartsAtMoveTo)
{
    const std::vector<Point> path {{0, 5}, {10, 5}, {10, 40}, {45, 40}};
    {
        MemoryDC dc(60, 60);
        dc.select_pen(Pen {PenStyle::Dash, 0, kBlack});
        dc.polyline(path.data(), int(path.size()));
        // 80 pixels: 18 on (10 + 8 across the first joint), 6 off, 18 on (across the second joint), ...
        EXPECT_EQ(runs(path_ink(dc.bitmap(), path)), (std::vector<int> {18, 6, 18, 6, 18, 6, 8}));
    }
    {
        MemoryDC dc(60, 60);
        dc.select_pen(Pen {PenStyle::Dash, 0, kBlack});
        dc.move_to(0, 5);
        dc.line_to(10, 5);
        dc.line_to(10, 40);
        dc.move_to(10, 40);  // restarts the pattern at the second joint
        dc.line_to(45, 40);
        std::vector<bool> on = path_ink(dc.bitmap(), path);
        EXPECT_EQ(runs(std::vector<bool>(on.begin(), on.begin() + 45)), (std::vector<int> {18, 6, 18, 3}));
        EXPECT_EQ(runs(std::vector<bool>(on.begin() + 45, on.end())), (std::vector<int> {18, 6, 11}));
    }
}

TEST(Line, XorTwiceRestoresThePictureAndJointsAreHitOnce)
{
    MemoryDC dc(50, 50);
    std::mt19937 rng(3);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            dc.bitmap().set_pixel(x, y, rng() & 0xFFFFFF);
    Bitmap before = dc.bitmap();
    const Color pen = rgb(0, 255, 255);
    dc.select_pen(Pen {PenStyle::Solid, 1, pen});
    EXPECT_EQ(dc.set_rop2(kRopXorPen), kRopCopyPen);
    const Point square[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}};
    dc.polyline(square, 5);
    // Every pixel of the outline, corners included, is exactly the old one xor the pen.
    for (int i = 10; i < 30; ++i)
        for (Point p : {Point {i, 10}, Point {30, i}, Point {40 - i, 30}, Point {10, 40 - i}})
            ASSERT_EQ(dc.pixel(p.x, p.y), before.pixel(p.x, p.y) ^ pen) << p.x << "," << p.y;
    EXPECT_EQ(dc.pixel(20, 20), before.pixel(20, 20));
    dc.polyline(square, 5);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(dc.pixel(x, y), before.pixel(x, y));
}

TEST(Line, CopyPenAfterXorAndInvalidRopIgnored)
{
    MemoryDC dc(10, 3, rgb(1, 2, 3));
    dc.set_rop2(kRopXorPen);
    EXPECT_EQ(dc.set_rop2(99), kRopXorPen);
    EXPECT_EQ(dc.rop2(), kRopXorPen);
    dc.set_rop2(kRopCopyPen);
    dc.select_pen(Pen {PenStyle::Solid, 1, rgb(9, 9, 9)});
    dc.move_to(0, 1);
    dc.line_to(3, 1);
    EXPECT_EQ(dc.pixel(2, 1), rgb(9, 9, 9));
}
