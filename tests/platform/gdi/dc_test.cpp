// Device contexts: rectangles, fills and frames under an origin and clip, pixels, block transfers.

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <random>

using namespace platform::gdi;

namespace {

int count_color(const Bitmap& b, Color c)
{
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += b.pixel(x, y) == c;
    return n;
}

void scribble(Bitmap& b, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            b.set_pixel(x, y, rng() & 0xFFFFFF);
}

}  // namespace

TEST(Rect, IntersectionAndEmptiness)
{
    Rect r = intersect(Rect {0, 0, 10, 10}, Rect {5, -3, 20, 4});
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 4);
    EXPECT_TRUE(intersect(Rect {0, 0, 10, 10}, Rect {10, 0, 20, 10}).empty());  // touching edges share nothing
    EXPECT_TRUE(intersect(Rect {0, 0, 10, 10}, Rect {-5, 20, 3, 30}).empty());
    EXPECT_FALSE((Rect {0, 0, 1, 1}.contains(1, 0)));
}

TEST(Bitmap, OutsideReadsZeroAndWritesAreIgnored)
{
    Bitmap b(4, 3, rgb(1, 2, 3));
    EXPECT_EQ(b.pixel(3, 2), rgb(1, 2, 3));
    EXPECT_EQ(b.pixel(4, 0), 0u);
    EXPECT_EQ(b.pixel(0, -1), 0u);
    b.set_pixel(-1, 0, kBlack);
    b.set_pixel(0, 3, kBlack);
    EXPECT_EQ(count_color(b, kBlack), 0);
    Bitmap empty(-5, 10);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.height(), 0);
}

TEST(DC, FillRectHonoursOriginAndClip)
{
    Bitmap screen(100, 100);
    DC dc(&screen, Point {20, 30}, Rect {20, 30, 60, 50});
    dc.fill_rect(Rect {-10, -10, 10, 5}, kBlack);
    // Client (0..9, 0..4) lands on screen (20..29, 30..34); the part left of and above the origin is clipped.
    EXPECT_EQ(count_color(screen, kBlack), 10 * 5);
    EXPECT_EQ(screen.pixel(20, 30), kBlack);
    EXPECT_EQ(screen.pixel(29, 34), kBlack);
    EXPECT_EQ(screen.pixel(19, 30), kWhite);
    screen.fill(kWhite);
    dc.fill_rect(Rect {0, 0, 32767, 32767}, kBlack);
    EXPECT_EQ(count_color(screen, kBlack), 40 * 20);
    dc.fill_rect(Rect {10, 10, 5, 20}, rgb(1, 1, 1));  // inverted rectangle: nothing
    EXPECT_EQ(count_color(screen, rgb(1, 1, 1)), 0);
}

TEST(DC, ClipIsLimitedToTheBitmap)
{
    Bitmap b(10, 10);
    DC dc(&b, Point {0, 0}, Rect {-100, -100, 100, 100});
    EXPECT_EQ(dc.clip().right, 10);
    dc.fill_rect(Rect {-50, -50, 50, 50}, kBlack);
    EXPECT_EQ(count_color(b, kBlack), 100);
    dc.set_pixel(10, 3, rgb(5, 5, 5));
    EXPECT_EQ(dc.pixel(10, 3), 0u);
}

TEST(DC, FrameRectIsOnePixelInside)
{
    MemoryDC dc(20, 20);
    dc.frame_rect(Rect {2, 3, 12, 9}, kBlack);
    EXPECT_EQ(count_color(dc.bitmap(), kBlack), 2 * 10 + 2 * 4);
    EXPECT_EQ(dc.pixel(2, 3), kBlack);
    EXPECT_EQ(dc.pixel(11, 8), kBlack);
    EXPECT_EQ(dc.pixel(12, 8), kWhite);
    EXPECT_EQ(dc.pixel(3, 4), kWhite);
}

TEST(DC, SetPixelAndPixelUseTheOrigin)
{
    Bitmap screen(30, 30);
    DC dc(&screen, Point {5, 6}, Rect {5, 6, 25, 26});
    dc.set_pixel(0, 0, rgb(10, 20, 30));
    EXPECT_EQ(screen.pixel(5, 6), rgb(10, 20, 30));
    EXPECT_EQ(dc.pixel(0, 0), rgb(10, 20, 30));
    dc.set_pixel(-1, 0, kBlack);
    dc.set_pixel(20, 0, kBlack);
    EXPECT_EQ(count_color(screen, kBlack), 0);
}

TEST(DC, MemoryDCOwnsAFilledBitmap)
{
    MemoryDC dc(7, 5, rgb(0, 128, 0));
    EXPECT_EQ(dc.bitmap().width(), 7);
    EXPECT_EQ(dc.target(), &dc.bitmap());
    EXPECT_EQ(count_color(dc.bitmap(), rgb(0, 128, 0)), 35);
    EXPECT_EQ(dc.clip().bottom, 5);
}

TEST(BitBlt, CopiesABlockBetweenContexts)
{
    MemoryDC src(40, 40);
    scribble(src.bitmap(), 11);
    Bitmap screen(100, 100);
    DC dst(&screen, Point {10, 10}, Rect {10, 10, 90, 90});
    dst.bit_blt(5, 6, 20, 15, src, 3, 4);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            bool inside = x >= 15 && x < 35 && y >= 16 && y < 31;
            Color want = inside ? src.bitmap().pixel(x - 15 + 3, y - 16 + 4) : kWhite;
            ASSERT_EQ(screen.pixel(x, y), want) << x << "," << y;
        }
}

TEST(BitBlt, ClipsOnBothSides)
{
    MemoryDC src(10, 10);
    scribble(src.bitmap(), 5);
    MemoryDC dst(20, 20, kBlack);
    // Source starts above-left of its bitmap and the destination runs past its right edge.
    dst.bit_blt(15, 2, 10, 10, src, -3, -2);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            int sx = x - 15 - 3, sy = y - 2 - 2;
            bool from_src = x >= 15 && y >= 2 && y < 12 && sx >= 0 && sy >= 0 && sx < 10 && sy < 10;
            Color want = from_src ? src.bitmap().pixel(sx, sy) : kBlack;
            ASSERT_EQ(dst.pixel(x, y), want) << x << "," << y;
        }
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap)
{
    for (Point shift : {Point {3, 4}, Point {-3, -4}, Point {5, -2}, Point {-1, 6}}) {
        MemoryDC dc(30, 30);
        scribble(dc.bitmap(), 9);
        Bitmap before = dc.bitmap();
        dc.bit_blt(8 + shift.x, 8 + shift.y, 14, 14, dc, 8, 8);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(dc.pixel(8 + shift.x + x, 8 + shift.y + y), before.pixel(8 + x, 8 + y))
                    << "shift " << shift.x << "," << shift.y << " at " << x << "," << y;
    }
}

TEST(DC, SelectReturnsThePreviousObjects)
{
    MemoryDC dc(2, 2);
    Pen old = dc.select_pen(Pen {PenStyle::Dash, 1, rgb(1, 2, 3)});
    EXPECT_EQ(old.style, PenStyle::Solid);
    EXPECT_EQ(dc.select_pen(old).color, rgb(1, 2, 3));
    EXPECT_EQ(dc.set_text_color(rgb(4, 5, 6)), kBlack);
    EXPECT_EQ(dc.set_bk_color(kBlack), kWhite);
    EXPECT_EQ(dc.set_bk_mode(BkMode::Transparent), BkMode::Opaque);
    EXPECT_EQ(dc.set_text_align(kAlignCenter | kAlignBottom), kAlignLeft | kAlignTop);
    EXPECT_EQ(dc.set_text_align(0), kAlignCenter | kAlignBottom);
}

namespace {

// The state a painter sets up once before drawing its entities.
void select_base_state(DC& dc)
{
    dc.select_pen(Pen {PenStyle::Solid, 1, rgb(0, 0, 255)});
    dc.select_font(create_font(FontSpec {-12, 0, 0, 400, false, u"Arial"}));
    dc.set_text_color(rgb(200, 0, 0));
    dc.set_bk_mode(BkMode::Transparent);
}

// One entity: a line and a label, drawn with whatever the DC holds.
void draw_entity(DC& dc)
{
    dc.move_to(0, 5);
    dc.line_to(60, 5);
    dc.text_out(30, 30, u"Ab");
}

// Everything a rubber band or a rotated label would select.
void select_everything_else(DC& dc)
{
    dc.select_pen(Pen {PenStyle::Dash, 1, rgb(9, 9, 9)});
    dc.set_rop2(kRopXorPen);
    dc.select_font(create_font(FontSpec {-20, 0, 900, 700, false, u"Courier"}));
    dc.set_text_color(rgb(0, 160, 0));
    dc.set_bk_color(rgb(1, 2, 3));
    dc.set_bk_mode(BkMode::Opaque);
    dc.set_text_align(kAlignCenter | kAlignBottom);
}

}  // namespace

TEST(DCSaver, AnEntityDrawnAfterTheScopeLooksAsIfNothingHadBeenSelected)
{
    MemoryDC want(60, 40);
    select_base_state(want);
    draw_entity(want);

    MemoryDC got(60, 40);
    select_base_state(got);
    {
        DCSaver saved(got);
        select_everything_else(got);
    }
    draw_entity(got);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(got.bitmap().pixel(x, y), want.bitmap().pixel(x, y)) << x << "," << y;
}

TEST(DCSaver, NestedSaversUnwindOneScopeAtATime)
{
    MemoryDC dc(4, 4);
    select_base_state(dc);
    const FontRef base_font = dc.font();
    {
        DCSaver outer(dc);
        dc.set_rop2(kRopXorPen);
        dc.set_text_align(kAlignRight);
        dc.select_font(create_font(FontSpec {-20, 0, 450, 400, false, u"Arial"}));
        const FontRef outer_font = dc.font();
        {
            DCSaver inner(dc);
            select_everything_else(dc);
        }
        EXPECT_EQ(dc.rop2(), kRopXorPen);
        EXPECT_EQ(dc.text_align(), kAlignRight);
        EXPECT_EQ(dc.text_color(), rgb(200, 0, 0));
        EXPECT_EQ(dc.bk_mode(), BkMode::Transparent);
        EXPECT_EQ(dc.pen().style, PenStyle::Solid);
        EXPECT_EQ(dc.font(), outer_font);
    }
    EXPECT_EQ(dc.rop2(), kRopCopyPen);
    EXPECT_EQ(dc.text_align(), kAlignLeft | kAlignTop);
    EXPECT_EQ(dc.bk_color(), kWhite);
    EXPECT_EQ(dc.pen().color, rgb(0, 0, 255));
    EXPECT_EQ(dc.font(), base_font);
}
