// The immediate primitives and the off-screen buffer: where they draw, what they refuse, and that the
// highlight removes itself.

#include <cmath>

#include "draw/offscreen_buffer.h"
#include "draw/palette.h"
#include "draw/screen_primitives.h"
#include "draw/view.h"
#include "tests/draw/render_fixture.h"

namespace {

using namespace drawtest;
using namespace draw;

constexpr gdi::Color kMarkBlue = gdi::rgb(0, 0, 255);
constexpr gdi::Color kNumberGrey = gdi::rgb(128, 128, 128);

class Primitives : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        open_window(240, 240);
        begin();
        ASSERT_TRUE(view_set_window(0, 100, 200, 0));  // 1.2 pixels a metre, (0, 150) at the corner
    }
};

TEST_F(Primitives, HighlightBoxTogglesByExclusiveOr)
{
    gdi::DC* dc = dwg_paint_dc();
    ASSERT_NE(dc, nullptr);
    scr_highlight_box(100, 50, 20);      // 24 pixels square about (120, 120)
    Ink box = ink(gdi::rgb(255, 0, 0));  // white ^ cyan
    EXPECT_EQ(box.left, 108);
    EXPECT_EQ(box.right, 132);
    EXPECT_EQ(box.top, 108);
    EXPECT_EQ(box.bottom, 132);
    EXPECT_EQ(box.count, 4 * 24);
    EXPECT_EQ(dc->rop2(), gdi::kRopCopyPen);
    scr_highlight_box(100, 50, 20);
    EXPECT_EQ(ink(gdi::kWhite).count, 240 * 240);
    dwg_end_paint();
    scr_highlight_box(100, 50, 20);  // no context: nothing
    EXPECT_EQ(ink(gdi::kWhite).count, 240 * 240);
}

TEST_F(Primitives, PointMarksAndTheirNumbers)
{
    gdi::MemoryDC dc(240, 240);
    auto ink_on = [&](gdi::Color c) { return ink_of(240, 240, c, [&](int x, int y) { return dc.pixel(x, y); }); };
    scr_point_mark(dc, 1234567, 100, 50);  // pixel (120, 120)
    Ink cross = ink_on(kMarkBlue);
    EXPECT_EQ(cross.left, 115);
    EXPECT_EQ(cross.right, 125);
    EXPECT_EQ(cross.top, 115);
    EXPECT_EQ(cross.bottom, 125);
    EXPECT_EQ(cross.count, 21);
    Ink number = ink_on(kNumberGrey);
    EXPECT_GE(number.left, 123);
    EXPECT_GE(number.top, 123);
    EXPECT_GT(number.right, number.left + 20);  // seven digits
    EXPECT_EQ(dc.pen().color, gdi::kBlack);     // the context as it was
    EXPECT_EQ(dc.bk_mode(), gdi::BkMode::Opaque);

    gdi::MemoryDC empty(240, 240);
    scr_point_mark(empty, 1, std::nan(""), 50);
    scr_point_mark(empty, 1, 1e300, 50);
    scr_point_mark(empty, 1, -1e300, -1e300);
    scr_point_mark(empty, 1, 300, 50);  // column 360
    EXPECT_EQ(ink_of(240, 240, gdi::kWhite, [&](int x, int y) { return empty.pixel(x, y); }).count, 240 * 240);
    // Left of the clip only the number can show; it still does.
    scr_point_mark(empty, 123456, -8.0 / 1.2, 50);
    EXPECT_EQ(ink_of(240, 240, kMarkBlue, [&](int x, int y) { return empty.pixel(x, y); }).count, 0);
    EXPECT_GT(ink_of(240, 240, kNumberGrey, [&](int x, int y) { return empty.pixel(x, y); }).count, 0);
}

TEST_F(Primitives, ScreenLineAndText)
{
    scr_line("SOLID", 5, dwg_colour(12), 10, 20, 30, 20);
    Ink line = ink(gdi::rgb(0, 0, 192));
    EXPECT_EQ(line.left, 10);
    EXPECT_EQ(line.right, 29);
    EXPECT_EQ(line.count, 20);
    scr_text(u"10 m", u"Courier", dwg_colour(12), 12, 6, 200, 143, 0, kAnchorLowerLeft);
    Ink text = ink(gdi::rgb(0, 0, 192));
    EXPECT_GT(text.right, 200);
    EXPECT_LE(text.bottom, 143);
    int before = ink(gdi::rgb(0, 0, 192)).count;
    scr_text(u"x", u"Courier", dwg_colour(12), 0, 6, 100, 100, 0, kAnchorLowerLeft);  // height 0
    EXPECT_EQ(ink(gdi::rgb(0, 0, 192)).count, before);
}

TEST_F(Primitives, OffscreenBufferDrawsThenCopiesInOneTransfer)
{
    ASSERT_TRUE(buf_create());
    buf_circle("Solid", 1, dwg_colour(0), 80, 68, 56, 3.0);
    buf_circle("Solid", 1, dwg_colour(0), 80, 68, 28, 0.0);  // refused: would never end
    buf_circle("Solid", 1, dwg_colour(0), 80, 68, 28, -3.0);
    buf_circle("Solid", 1, dwg_colour(0), 80, 68, 28, std::nan(""));
    buf_text(u"N", u"Courier", dwg_colour(13), 16, 8, 65, 94, 0, kAnchorMiddleCentre);
    buf_line("Solid", 1, dwg_colour(5), 0, 230, 100, 230);
    EXPECT_EQ(ink(gdi::kBlack).count, 0);  // nothing on the window yet
    buf_blit();
    Ink circle = ink(gdi::kBlack);
    EXPECT_EQ(circle.right, 136);  // (80 + 56, 68), the start
    EXPECT_EQ(at(136, 68), gdi::kBlack);
    EXPECT_NEAR(circle.left, 24, 1);
    EXPECT_NEAR(circle.top, 12, 1);
    EXPECT_NEAR(circle.bottom, 124, 1);
    EXPECT_FALSE(near(80, 68 + 28, gdi::kBlack, 2));  // no inner circle
    Ink letter = ink(gdi::rgb(0, 0, 255));
    EXPECT_LT(letter.bottom, 94 - 8);      // the cell's bottom edge half a height above the row, the ink above
    EXPECT_GE(letter.bottom, 94 - 8 - 6);  // by the descent
    EXPECT_NEAR((letter.left + letter.right) / 2.0, 65, 2);
    EXPECT_EQ(ink(gdi::rgb(128, 0, 0)).count, 100);
    buf_free();
    buf_free();
    buf_line("Solid", 1, dwg_colour(5), 0, 200, 100, 200);  // no buffer: nothing
    buf_blit();
    EXPECT_EQ(ink(gdi::rgb(128, 0, 0)).count, 100);
    view_set_device_rect(0, 0, 240, 0);
    EXPECT_FALSE(buf_create());
}

}  // namespace
