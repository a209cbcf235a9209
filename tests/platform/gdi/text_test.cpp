// Text: where ink lands for each alignment and rotation, background modes, heights and widths, extents.
// Checks are boxes and relations, so they hold for any of the metric-compatible faces a machine may have.

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <climits>

using namespace platform::gdi;

namespace {

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive ink extremes
    int count = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Box ink(const Bitmap& b, Color ink_color)
{
    Box box;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) == ink_color) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            }
    return box;
}

Box draw(const FontSpec& spec, unsigned align, int x, int y, std::u16string_view text)
{
    MemoryDC dc(300, 300);
    dc.select_font(create_font(spec));
    dc.set_text_align(align);
    dc.set_bk_mode(BkMode::Transparent);
    dc.text_out(x, y, text);
    return ink(dc.bitmap(), kBlack);
}

const FontSpec kSans {-16, 0, 0, 400, false, u"Arial"};

}  // namespace

TEST(TextAlign, HorizontalFlagsPlaceInkRightOfCentredOnOrLeftOfTheAnchor)
{
    const int x = 150, y = 100;
    Box left = draw(kSans, kAlignLeft | kAlignTop, x, y, u"HxH");
    Box center = draw(kSans, kAlignCenter | kAlignTop, x, y, u"HxH");
    Box right = draw(kSans, kAlignRight | kAlignTop, x, y, u"HxH");
    ASSERT_GT(left.count, 0);
    EXPECT_GE(left.left, x);
    EXPECT_LE(left.left, x + 3);
    EXPECT_LT(right.right, x);
    EXPECT_GE(right.right, x - 4);
    EXPECT_NEAR((center.left + center.right) / 2.0, x, 2.0);
    // The same ink, only moved.
    EXPECT_EQ(left.count, right.count);
    EXPECT_EQ(left.width(), center.width());
    EXPECT_EQ(left.top, right.top);
}

TEST(TextAlign, VerticalFlagsPlaceInkBelowOnOrAboveTheAnchor)
{
    const int x = 50, y = 100;
    FontMetrics fm = metrics(create_font(kSans));
    Box top = draw(kSans, kAlignLeft | kAlignTop, x, y, u"Hg");
    Box bottom = draw(kSans, kAlignLeft | kAlignBottom, x, y, u"Hg");
    Box base = draw(kSans, kAlignLeft | kAlignBaseline, x, y, u"H");
    Box base_g = draw(kSans, kAlignLeft | kAlignBaseline, x, y, u"g");
    EXPECT_GE(top.top, y);
    EXPECT_LT(top.bottom, y + fm.height);
    EXPECT_LT(bottom.bottom, y);
    EXPECT_GE(bottom.top, y - fm.height);
    EXPECT_EQ(top.height(), bottom.height());
    // A capital sits on the baseline; a descender goes below it.
    EXPECT_GE(base.bottom, y - 1);
    EXPECT_LE(base.bottom, y);
    EXPECT_LT(base.top, y - fm.ascent / 2);
    EXPECT_GT(base_g.bottom, y);
}

TEST(TextRotation, QuarterTurnsTurnTheInkAboutTheAnchor)
{
    const int x = 150, y = 150;
    const std::u16string text = u"Rotated";
    Box flat = draw(kSans, kAlignLeft | kAlignTop, x, y, text);
    FontSpec spec = kSans;
    spec.escapement = 900;  // reads bottom to top, its top to the left
    Box up = draw(spec, kAlignLeft | kAlignTop, x, y, text);
    ASSERT_GT(up.count, 0);
    EXPECT_LE(up.bottom, y);
    EXPECT_GE(up.left, x);
    EXPECT_NEAR(up.height(), flat.width(), 2);
    EXPECT_NEAR(up.width(), flat.height(), 2);
    spec.escapement = 2700;  // reads top to bottom, its top to the right
    Box down = draw(spec, kAlignLeft | kAlignTop, x, y, text);
    EXPECT_GE(down.top, y);
    EXPECT_LT(down.right, x);
    spec.escapement = 1800;  // upside down, reading right to left
    Box flipped = draw(spec, kAlignLeft | kAlignTop, x, y, text);
    EXPECT_LT(flipped.right, x);
    EXPECT_LT(flipped.bottom, y);
    EXPECT_NEAR(flipped.width(), flat.width(), 2);
    // An escapement of -900 is the same as 2700.
    spec.escapement = -900;
    Box minus = draw(spec, kAlignLeft | kAlignTop, x, y, text);
    EXPECT_EQ(minus.left, down.left);
    EXPECT_EQ(minus.bottom, down.bottom);
}

TEST(TextRotation, CentredRotatedTextIsCentredAlongItsBaseline)
{
    FontSpec spec = kSans;
    spec.escapement = 900;
    Box b = draw(spec, kAlignCenter | kAlignBottom, 150, 150, u"Centred text");
    EXPECT_NEAR((b.top + b.bottom) / 2.0, 150, 2.0);
    EXPECT_LT(b.right, 150);  // bottom alignment: the text's bottom edge is at the anchor, its body to the left
}

TEST(TextBackground, OpaqueFillsTheExtentBoxTransparentLeavesItAlone)
{
    const Color bk = rgb(255, 0, 0), fg = rgb(0, 0, 255);
    for (BkMode mode : {BkMode::Opaque, BkMode::Transparent}) {
        MemoryDC dc(200, 60);
        dc.select_font(create_font(kSans));
        dc.set_bk_color(bk);
        dc.set_text_color(fg);
        dc.set_bk_mode(mode);
        dc.text_out(20, 10, u"Opaque");
        Size ext = dc.text_extent(u"Opaque");
        Box red = ink(dc.bitmap(), bk), blue = ink(dc.bitmap(), fg);
        ASSERT_GT(blue.count, 0);
        EXPECT_EQ(ink(dc.bitmap(), kWhite).count + red.count + blue.count, 200 * 60);  // no third colour
        if (mode == BkMode::Opaque) {
            EXPECT_EQ(red.count + blue.count, ext.cx * ext.cy);
            EXPECT_EQ(red.left, 20);
            EXPECT_EQ(red.top, 10);
            EXPECT_EQ(red.width(), ext.cx);
            EXPECT_EQ(red.height(), ext.cy);
        } else {
            EXPECT_EQ(red.count, 0);
        }
        // Ink stays inside the box the extent describes.
        EXPECT_GE(blue.left, 20);
        EXPECT_LT(blue.right, 20 + ext.cx + 1);
        EXPECT_GE(blue.top, 10);
        EXPECT_LT(blue.bottom, 10 + ext.cy);
    }
}

TEST(TextClip, NothingIsWrittenOutsideTheClip)
{
    Bitmap clipped(120, 60), full(120, 60);
    const Rect clip {30, 12, 70, 25};
    DC c(&clipped, Point {10, 5}, clip), f(&full, Point {10, 5}, Rect {0, 0, 120, 60});
    for (DC* dc : {&c, &f}) {
        dc->select_font(create_font(FontSpec {-20, 0, 0, 700, false, u"Arial"}));
        dc->set_bk_color(rgb(0, 255, 0));
        dc->text_out(5, 3, u"Clipped");
    }
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(clipped.pixel(x, y), clip.contains(x, y) ? full.pixel(x, y) : kWhite) << x << "," << y;
    EXPECT_GT(ink(clipped, kBlack).count, 0);
}

TEST(FontHeight, NegativeIsTheCharacterHeightPositiveTheCell)
{
    FontRef cell = create_font(FontSpec {20, 0, 0, 400, false, u"Arial"});
    FontRef character = create_font(FontSpec {-20, 0, 0, 400, false, u"Arial"});
    EXPECT_EQ(metrics(cell).height, 20);
    EXPECT_GT(metrics(character).height, 20);
    EXPECT_GT(metrics(character).ascent, metrics(cell).ascent);
    FontSpec spec {20, 0, 0, 400, false, u"Arial"};
    Box small = draw(spec, kAlignLeft | kAlignTop, 10, 10, u"H");
    spec.height = -20;
    Box tall = draw(spec, kAlignLeft | kAlignTop, 10, 10, u"H");
    EXPECT_GT(tall.height(), small.height());
    EXPECT_EQ(metrics(create_font(FontSpec {0, 0, 0, 400, false, u""})).height, 13);
    FontMetrics ui = metrics(ui_font());
    EXPECT_EQ(ui.height, 13);
    EXPECT_EQ(ui.ascent + ui.descent, ui.height);
}

TEST(FontWidth, AverageWidthScalesTheText)
{
    FontRef natural = create_font(FontSpec {-16, 0, 0, 400, false, u"Arial"});
    FontRef narrow = create_font(FontSpec {-16, 4, 0, 400, false, u"Arial"});
    FontRef wide = create_font(FontSpec {-16, 14, 0, 400, false, u"Arial"});
    EXPECT_EQ(metrics(narrow).average_width, 4);
    EXPECT_EQ(metrics(wide).average_width, 14);
    EXPECT_EQ(metrics(narrow).height, metrics(natural).height);
    MemoryDC dc(10, 10);
    auto width_with = [&](const FontRef& f) {
        dc.select_font(f);
        return dc.text_extent(u"Measured text").cx;
    };
    EXPECT_LT(width_with(narrow), width_with(natural));
    EXPECT_GT(width_with(wide), width_with(natural));
}

TEST(TextExtent, GrowsWithTheTextAndAddsUpItsCharacters)
{
    MemoryDC dc(10, 10);
    dc.select_font(create_font(kSans));
    Size empty = dc.text_extent(u"");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, metrics(dc.font()).height);
    int a = dc.text_extent(u"a").cx, b = dc.text_extent(u"b").cx, c = dc.text_extent(u"c").cx;
    EXPECT_GT(a, 0);
    EXPECT_EQ(dc.text_extent(u"abc").cx, a + b + c);
    EXPECT_LT(dc.text_extent(u"ab").cx, dc.text_extent(u"abc").cx);
    EXPECT_EQ(dc.text_extent(u"abc").cy, empty.cy);
}

TEST(FontFaces, CourierIsMonospacedArialIsNotBoldIsWider)
{
    MemoryDC dc(10, 10);
    auto extent = [&](const FontSpec& spec, std::u16string_view s) {
        dc.select_font(create_font(spec));
        return dc.text_extent(s).cx;
    };
    FontSpec courier {-14, 0, 0, 400, false, u"Courier"};
    EXPECT_EQ(extent(courier, u"iiii"), extent(courier, u"MMMM"));
    courier.face = u"Courier New";
    EXPECT_EQ(extent(courier, u"iiii"), extent(courier, u"MMMM"));
    FontSpec arial {-14, 0, 0, 400, false, u"ARIAL"};
    EXPECT_LT(extent(arial, u"iiii"), extent(arial, u"MMMM"));
    FontSpec bold = arial;
    bold.weight = 700;
    EXPECT_GT(extent(bold, u"Bold heading"), extent(arial, u"Bold heading"));
    FontSpec unknown {-14, 0, 0, 400, false, u"No Such Face 42"};
    EXPECT_GT(extent(unknown, u"still drawn"), 0);
}

TEST(TextOut, DefaultFontTextColourAndCharactersBeyondTheBasicPlane)
{
    MemoryDC dc(200, 40);
    EXPECT_EQ(dc.font(), nullptr);  // the UI font until one is selected
    dc.set_text_color(rgb(0, 128, 0));
    dc.text_out(2, 2, u"45\u00B0 \u00B1 \U0001D400 end");
    Box green = ink(dc.bitmap(), rgb(0, 128, 0));
    EXPECT_GT(green.count, 20);
    EXPECT_EQ(ink(dc.bitmap(), kBlack).count, 0);
    // A lone surrogate is drawn as a character of its own, not read past the end.
    dc.text_out(2, 20, std::u16string(1, char16_t(0xD800)));
    EXPECT_GT(dc.text_extent(std::u16string(1, char16_t(0xD800))).cx, 0);
}

TEST(FontHeight, HugeRequestsAreLimitedNotAllocatedInFull)
{
    FontRef huge = create_font(FontSpec {-1000000, 0, 0, 400, false, u"Arial"});
    FontMetrics fm = metrics(huge);
    EXPECT_GT(fm.ascent, 1000);
    EXPECT_LE(fm.height, 2 * 4096);
    MemoryDC dc(40, 40);
    dc.select_font(huge);
    dc.set_text_align(kAlignLeft | kAlignBaseline);
    dc.set_bk_mode(BkMode::Transparent);
    dc.text_out(-500, 30, u"I");  // the stem of a capital I thousands of pixels high covers the small bitmap
    EXPECT_EQ(ink(dc.bitmap(), kBlack).count, 40 * 30);  // every row above the baseline, none below
}
