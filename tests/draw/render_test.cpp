// Where the renderer puts lines, circles, arcs, symbols and text on the screen, through the fitted view
// and its rounding; what is not drawn; drawing at once while painting.

#include <cmath>

#include "draw/drawing_entities.h"
#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/palette.h"
#include "draw/render.h"
#include "draw/view.h"
#include "tests/draw/render_fixture.h"

namespace {

using namespace drawtest;
using namespace draw;

constexpr gdi::Color kDarkRed = gdi::rgb(128, 0, 0);  // palette 5, stored as 0x000080
constexpr gdi::Color kBlue = gdi::rgb(0, 0, 192);     // palette 12

class Render : public RenderTest {
protected:
    // The worked view: (0, 100, 200, 0) on 240 x 240 fits to (0, 150, 200, -50) at 1.2 pixels a metre.
    void open_plot()
    {
        open_window(240, 240);
        m_slot = dwg_create("TRAVERSE");
        begin();
        ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    }
    int32_t line(Point3 a, Point3 b, std::string_view type = "Solid", int colour = 5, bool now = false)
    {
        return dwg_add_line(m_slot, "0", now, type, 1, false, dwg_colour(colour), a, b);
    }
    void redraw()
    {
        begin();
        dwg_draw(m_slot);
    }
    int m_slot = -1;
};

TEST_F(Render, LinesLandOnTheirRoundedPixels)
{
    open_plot();
    line({0, 150, 0}, {100, 50, 0});     // pixels (0, 0) to (120, 120), the last one left out
    line({300, 300, 0}, {400, 310, 0});  // wholly outside: nothing
    redraw();
    Ink red = ink(kDarkRed);
    EXPECT_EQ(red.count, 120);
    EXPECT_EQ(at(0, 0), kDarkRed);
    EXPECT_EQ(at(119, 119), kDarkRed);
    EXPECT_EQ(at(120, 120), gdi::kWhite);

    // One pixel a metre: 10.5 rounds to column 11, 49.5 to row 51 (100 - 49.5 = 50.5).
    begin();
    view_set_device_rect(0, 0, 100, 100);
    ASSERT_TRUE(view_set_window(0, 100, 100, 0));
    line({10.5, 49.5, 0}, {30, 49.5, 0}, "Solid", 12);
    line({-10.5, 0, 0}, {-10.5, 100, 0}, "Solid", 12);  // column -11: outside
    dwg_draw(m_slot);
    Ink blue = ink(kBlue);
    EXPECT_EQ(blue.left, 11);
    EXPECT_EQ(blue.right, 29);
    EXPECT_EQ(blue.top, 51);
    EXPECT_EQ(blue.bottom, 51);
}

TEST_F(Render, FarEndsKeepTheDirectionAndDashesLeaveGaps)
{
    open_plot();
    line({100, 50, 0}, {100 + 1e15, 50 - 1e15, 0});  // from (120, 120) down to the right for ever
    line({0, 100, 0}, {200, 100, 0}, "Dash", 12);    // row 60
    redraw();
    Ink red = ink(kDarkRed);
    EXPECT_EQ(red.left, 120);
    EXPECT_EQ(red.top, 120);
    EXPECT_EQ(red.count, 120);
    EXPECT_EQ(at(200, 200), kDarkRed);
    Ink blue = ink(kBlue);
    EXPECT_EQ(blue.top, 60);
    EXPECT_EQ(blue.bottom, 60);
    EXPECT_LT(blue.count, 200);  // 18 of every 24 pixels
    EXPECT_GT(blue.count, 160);
}

TEST_F(Render, CirclesAndClockwiseArcs)
{
    open_plot();
    // Centre (100, 50) is pixel (120, 120); radius 50 m is 60 pixels.
    dwg_add_circle(m_slot, "0", false, "Solid", 1, false, dwg_colour(5), {100, 50, 0}, 50);
    dwg_add_arc(m_slot, "0", false, "Solid", 1, true, dwg_colour(12), {100, 50, 0}, {100, 75, 0}, {125, 50, 0});
    redraw();
    for (auto [x, y] : {std::pair {180, 120}, {60, 120}, {120, 60}, {120, 180}, {162, 162}})
        EXPECT_TRUE(near(x, y, kDarkRed)) << x << "," << y;
    EXPECT_FALSE(near(120, 120, kDarkRed, 40));
    Ink red = ink(kDarkRed);
    EXPECT_GE(red.left, 59);
    EXPECT_LE(red.right, 181);
    // The arc of radius 30 pixels runs clockwise from north (120, 90) to east (150, 120).
    EXPECT_TRUE(near(120, 90, kBlue));
    EXPECT_TRUE(near(141, 99, kBlue));  // north-east
    EXPECT_TRUE(near(150, 120, kBlue));
    EXPECT_FALSE(near(99, 141, kBlue, 3));  // south-west
    EXPECT_FALSE(near(99, 99, kBlue, 3));   // north-west
    Ink blue = ink(kBlue);
    EXPECT_GE(blue.left, 119);
    EXPECT_LE(blue.bottom, 121);
}

TEST_F(Render, PixelSymbolsKeepTheirSizeAtAnyZoomAndWorldSymbolsTurn)
{
    open_plot();
    dwg_insert_symbol(m_slot, "0", false, "Cross", {100, 50, 0}, -10, -10, 1, 0);
    for (auto window : {WorldWindow {0, 100, 200, 0}, WorldWindow {50, 75, 150, 25}}) {
        begin();
        ASSERT_TRUE(view_set_window(window.left, window.top, window.right, window.bottom));
        dwg_draw(m_slot);
        DevicePoint centre;
        ASSERT_TRUE(world_to_device(100, 50, &centre));
        Ink cross = ink(gdi::kBlack);
        EXPECT_EQ(cross.left, centre.x - 5);
        EXPECT_EQ(cross.right, centre.x + 4);  // the last pixel of each arm left out
        EXPECT_EQ(cross.top, centre.y - 4);    // the vertical arm runs upward in the block: row +5 down to -4
        EXPECT_EQ(cross.bottom, centre.y + 5);
        EXPECT_EQ(cross.count, 19);
    }
    // A square 20 m across turned by 45 degrees: a diamond reaching 14.14 m = 17 pixels each way.
    dwg_create("AREA");
    dwg_insert_symbol(1, "0", false, "Square", {100, 50, 0}, 20, 20, 1, 45);
    begin();
    ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    dwg_draw(1);
    Ink diamond = ink(gdi::kBlack);
    EXPECT_NEAR(diamond.left, 103, 1);
    EXPECT_NEAR(diamond.right, 137, 1);
    EXPECT_NEAR(diamond.top, 103, 1);
    EXPECT_NEAR(diamond.bottom, 137, 1);
    EXPECT_EQ(at(120, 120), gdi::kWhite);
    EXPECT_TRUE(near(120, 103, gdi::kBlack));  // a corner straight above the centre
}

// The pixels text of this font, alignment and place gives on a bare memory context of the window's size.
gdi::Bitmap reference_text(int width, int height, const gdi::FontSpec& spec, unsigned align, int x, int y,
    std::u16string_view text, gdi::Color colour)
{
    gdi::MemoryDC dc(width, height);
    dc.select_font(gdi::create_font(spec));
    dc.set_text_align(align);
    dc.set_text_color(colour);
    dc.set_bk_mode(gdi::BkMode::Transparent);
    dc.text_out(x, y, text);
    return dc.bitmap();
}

TEST_F(Render, TextSizesAnchorsTurnsAndControlSequences)
{
    open_window(210, 210);
    m_slot = dwg_create("COGO_DWG");
    begin();
    ASSERT_TRUE(view_set_window(0, 60, 60, 0));  // 3.5 pixels a metre
    ASSERT_DOUBLE_EQ(view_scale_x(), 3.5);
    struct Case {
        float height, width, rotation;
        int32_t anchor;
        const char* text;
        gdi::FontSpec spec;  // what the renderer must ask for
        unsigned align;
        std::u16string_view shown;
    };
    const Case cases[] = {
        {2.0f, 0.0f, 90, kAnchorLowerLeft, "1001", {7, 0, 0, 100, false, u"Courier"}, gdi::kAlignBottom, u"1001"},
        {-12, -8, 90, kAnchorUpperCentre, "45%%d", {-12, -8, 0, 100, false, u"Courier"},
            gdi::kAlignCenter | gdi::kAlignTop, u"45\u00B0"},
        {-12, 0, 0, kAnchorLowerRight, "a%b", {-12, 0, 900, 100, false, u"Courier"},
            gdi::kAlignRight | gdi::kAlignBottom, u"ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dwg_delete(m_slot);
        m_slot = dwg_create("COGO_DWG");
        // At (30, 30) + (5 / 3.5, -2 / 3.5): pixel (110, 107).
        dwg_add_text(m_slot, "COGO", false, c.text, "Courier", c.height, c.width, dwg_colour(12), {30, 30, 0}, 5 / 3.5,
            -2 / 3.5, c.anchor, c.rotation);
        redraw();
        gdi::Bitmap want = reference_text(210, 210, c.spec, c.align, 110, 107, c.shown, kBlue);
        Ink drawn = ink(kBlue);
        Ink wanted = ink_of(210, 210, kBlue, [&](int x, int y) { return want.pixel(x, y); });
        EXPECT_GT(drawn.count, 10);
        gdi::Bitmap got = snapshot();
        int differences = 0;
        for (int y = 0; y < 210; ++y)
            for (int x = 0; x < 210; ++x)
                differences += got.pixel(x, y) != want.pixel(x, y);
        EXPECT_EQ(differences, 0);
        EXPECT_EQ(drawn.left, wanted.left);
        EXPECT_EQ(drawn.bottom, wanted.bottom);
    }
    // A pixel height stays at any zoom; a world height follows it.
    auto ink_height = [&](float height) {
        dwg_delete(m_slot);
        m_slot = dwg_create("COGO_DWG");
        dwg_add_text(m_slot, "COGO", false, "HH", "Arial", height, 0, 0, {30, 30, 0}, 0, 0, kAnchorLowerLeft, 90);
        redraw();
        Ink i = ink(gdi::kBlack);
        return i.count ? i.bottom - i.top : -1;
    };
    int pixel_text = ink_height(-12), world_text = ink_height(4.0f);
    ASSERT_TRUE(view_set_window(15, 45, 45, 15));  // twice the zoom
    EXPECT_EQ(ink_height(-12), pixel_text);
    EXPECT_NEAR(ink_height(4.0f), 2 * world_text, 2);
    EXPECT_EQ(ink_height(0.1f), -1);  // 0.7 pixels: truncated to 0, not drawn
}

TEST_F(Render, RedrawAllPaintsEveryDrawingButErasedNodes)
{
    open_window(240, 240);
    dwg_redraw_all(m_window);  // no drawing: not even a context is taken
    EXPECT_EQ(dwg_paint_dc(), nullptr);
    int a = dwg_create("AREA"), b = dwg_create("COGO_DWG");
    begin();
    ASSERT_TRUE(view_set_window(0, 100, 200, 0));
    dwg_end_paint();
    dwg_add_line(a, "0", false, "Solid", 1, false, dwg_colour(5), {0, 100, 0}, {200, 100, 0});
    dwg_add_line(b, "COGO", false, "Solid", 1, false, dwg_colour(12), {0, 0, 0}, {200, 0, 0});
    dwg_add_line(b, "COGO", false, "None", 1, false, dwg_colour(9), {0, 50, 0}, {200, 50, 0});
    dwg_redraw_all(m_window);
    EXPECT_EQ(dwg_paint_dc(), nullptr);  // ended
    EXPECT_EQ(ink(kDarkRed).top, 60);
    EXPECT_EQ(ink(kBlue).top, 180);
    EXPECT_EQ(ink(gdi::rgb(0, 192, 0)).count, 0);  // the null pen
    dwg_erase_by_name(b, "COGO");
    begin();
    dwg_redraw_all(m_window);
    EXPECT_EQ(ink(kDarkRed).count, 240);
    EXPECT_EQ(ink(kBlue).count, 0);
}

TEST_F(Render, DrawNowDrawsOnlyWhileAContextIsHeld)
{
    open_plot();
    line({0, 100, 0}, {200, 100, 0}, "Solid", 5, true);
    EXPECT_EQ(ink(kDarkRed).count, 240);
    dwg_end_paint();
    line({0, 0, 0}, {200, 0, 0}, "Solid", 12, true);
    dwg_insert_symbol(m_slot, "0", true, "Circle", {100, 50, 0}, 50, 50, 1, 0);
    EXPECT_EQ(ink(kBlue).count, 0);
    EXPECT_EQ(ink(gdi::kBlack).count, 0);
    begin();
    dwg_insert_symbol(m_slot, "0", true, "Circle", {100, 50, 0}, 50, 50, 1, 0);  // radius 25 m = 30 pixels
    Ink circle = ink(gdi::kBlack);
    EXPECT_NEAR(circle.left, 90, 1);
    EXPECT_NEAR(circle.right, 150, 1);
}

}  // namespace
