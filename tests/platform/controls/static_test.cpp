#include "platform/controls/control_kit.h"
#include "tests/platform/controls/control_fixture.h"

namespace platform::controls::testing {
namespace {

class StaticTest : public ControlTest {
protected:
    // Leftmost and rightmost columns with black ink inside the window, -1 when there is none.
    std::pair<int, int> ink_columns(Hwnd h)
    {
        ui::paint_pending();
        ui::Rect r = ui::window_rect(h);
        int first = -1, last = -1;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (ui::screen().pixel(x, y) == gdi::kBlack) {
                    first = first < 0 ? x - r.left : std::min(first, x - r.left);
                    last = std::max(last, x - r.left);
                }
        return {first, last};
    }
    // Rows of the window that hold ink.
    int inked_rows(Hwnd h)
    {
        ui::paint_pending();
        ui::Rect r = ui::window_rect(h);
        int rows = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            bool ink = false;
            for (int x = r.left; x < r.right && !ink; ++x)
                ink = ui::screen().pixel(x, y) == gdi::kBlack;
            rows += ink ? 1 : 0;
        }
        return rows;
    }
};

TEST_F(StaticTest, TextIsPlacedByTheAlignmentOfTheStyle)
{
    Hwnd left = make(u"static", u"Az/Dist", kStaticLeft, {0, 10, 200, 26}, 1);
    Hwnd centre = make(u"static", u"Az/Dist", kStaticCenter, {0, 30, 200, 46}, 2);
    Hwnd right = make(u"static", u"Az/Dist", kStaticRight, {0, 50, 200, 66}, 3);
    auto [l0, l1] = ink_columns(left);
    auto [c0, c1] = ink_columns(centre);
    auto [r0, r1] = ink_columns(right);
    EXPECT_LE(l0, 2);
    EXPECT_NEAR((c0 + c1) / 2, 100, 3);
    EXPECT_GE(r1, 196);
    EXPECT_NEAR(l1 - l0, r1 - r0, 1);
}

TEST_F(StaticTest, ATallLabelWrapsItsWordsAndAShortOneDoesNot)
{
    std::u16string text = u"Indexing point numbers and names ...";
    int lh = kit::line_height(gdi::ui_font());
    Hwnd one = make(u"static", text, 0, {0, 10, 90, 10 + lh + 2}, 1);
    Hwnd many = make(u"static", text, 0, {0, 40, 90, 40 + 4 * lh}, 2);
    EXPECT_LE(inked_rows(one), lh);
    EXPECT_GT(inked_rows(many), lh + 2);
    EXPECT_LE(ink_columns(many).second, 89);
}

TEST_F(StaticTest, TapsOnALabelReachTheWindowBeneathInItsCoordinates)
{
    Hwnd label = make(u"static", u"Heading", 0, {30, 40, 100, 56}, 1);
    tap(label, 5, 6);
    ASSERT_EQ(parent_taps().size(), 1u);
    EXPECT_EQ(parent_taps()[0].x, 35);
    EXPECT_EQ(parent_taps()[0].y, 46);
}

TEST_F(StaticTest, TheIconStyleDrawsTheProgramIcon)
{
    Hwnd icon = make(u"static", u"#176", kStaticIcon, {10, 10, 42, 42}, 1);
    ui::paint_pending();
    ui::Rect r = ui::window_rect(icon);
    int coloured = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            gdi::Color c = ui::screen().pixel(x, y);
            coloured += c != gdi::kBlack && c != gdi::kWhite ? 1 : 0;
        }
    EXPECT_GT(coloured, 32 * 32 / 2);
}

}  // namespace
}  // namespace platform::controls::testing
