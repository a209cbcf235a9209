// Painting into the screen: one paint per invalidation, child offsets, overlap and exposure, the
// navigation bar, and drawing outside paint messages.

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;
namespace gdi = platform::gdi;

namespace {
constexpr gdi::Color kRed = gdi::rgb(255, 0, 0);
constexpr gdi::Color kGreen = gdi::rgb(0, 255, 0);
constexpr gdi::Color kBlue = gdi::rgb(0, 0, 255);
}  // namespace

class PaintTest : public UiTest { };

TEST_F(PaintTest, AnInvalidatedWindowGetsExactlyOnePaint)
{
    ui::Hwnd top = make_top(u"A");
    ui::Hwnd child = make_child(top, 1, {10, 10, 50, 50});
    ui::pump_messages();
    EXPECT_EQ(count(top, ui::kMsgPaint), 1);
    EXPECT_EQ(count(child, ui::kMsgPaint), 1);
    log().clear();
    ui::invalidate(child);
    ui::invalidate(child, false);
    ui::pump_messages();
    EXPECT_EQ(count(child, ui::kMsgPaint), 1);
    EXPECT_EQ(count(top, ui::kMsgPaint), 0);  // a child's paint leaves its parent alone
    EXPECT_EQ(ui::pump_messages(), 0);
}

TEST_F(PaintTest, ParentsPaintBeforeChildrenAndLowerWindowsBeforeHigher)
{
    ui::Hwnd low = make_top(u"Low");
    ui::Hwnd child = make_child(low, 1, {0, 0, 20, 20});
    ui::Hwnd high = make_top(u"High", ui::kNoWindow, {0, 100, 100, 200});
    ui::pump_messages();
    std::vector<ui::Hwnd> order;
    for (const Entry& e : log()) {
        if (e.msg == ui::kMsgPaint)
            order.push_back(e.hwnd);
    }
    EXPECT_EQ(order, (std::vector<ui::Hwnd> {low, child, high}));
}

TEST_F(PaintTest, AChildPaintsAtItsScreenOffsetClippedByItsParent)
{
    ui::Hwnd top = make_top(u"A", ui::kNoWindow, {20, 40, 220, 240});
    ui::Hwnd child = make_child(top, 1, {30, 50, 250, 90});  // runs past the parent's right edge
    fills()[top] = kGreen;
    fills()[child] = kRed;
    ui::pump_messages();
    const gdi::Bitmap& s = ui::screen();
    EXPECT_EQ(s.pixel(50, 90), kRed);  // the child's (0, 0)
    EXPECT_EQ(s.pixel(49, 90), kGreen);
    EXPECT_EQ(s.pixel(50, 89), kGreen);
    EXPECT_EQ(s.pixel(219, 129), kRed);
    EXPECT_EQ(s.pixel(220, 129), s.pixel(230, 300));  // outside the parent: the desktop
    EXPECT_NE(s.pixel(220, 129), kRed);
}

TEST_F(PaintTest, RepaintingALowerWindowRepaintsWhatOverlapsIt)
{
    ui::Hwnd low = make_top(u"Low");
    ui::Hwnd high = make_top(u"High", ui::kNoWindow, {0, 100, 100, 200});
    ui::Hwnd apart = make_top(u"Apart", ui::kNoWindow, {150, 250, 200, 290});
    fills()[low] = kGreen;
    fills()[high] = kRed;
    ui::pump_messages();
    log().clear();
    ui::invalidate(low);
    ui::pump_messages();
    EXPECT_EQ(count(low, ui::kMsgPaint), 1);
    EXPECT_EQ(count(high, ui::kMsgPaint), 1);
    EXPECT_EQ(count(apart, ui::kMsgPaint), 1);  // it lies over the low window too
    EXPECT_EQ(ui::screen().pixel(50, 150), kRed);
    ui::move_window(apart, 200, 300, 10, 10, false);
    ui::pump_messages();
    log().clear();
    ui::invalidate(high);
    ui::pump_messages();
    EXPECT_EQ(count(apart, ui::kMsgPaint), 0);
    EXPECT_EQ(count(low, ui::kMsgPaint), 0);
}

TEST_F(PaintTest, HidingAWindowRepaintsWhatWasUnderIt)
{
    ui::Hwnd low = make_top(u"Low");
    ui::Hwnd high = make_top(u"High", ui::kNoWindow, {0, 100, 100, 200});
    fills()[low] = kGreen;
    fills()[high] = kRed;
    ui::pump_messages();
    log().clear();
    ui::show_window(high, false);
    ui::pump_messages();
    EXPECT_EQ(count(low, ui::kMsgPaint), 1);
    EXPECT_EQ(count(high, ui::kMsgPaint), 0);
    EXPECT_EQ(ui::screen().pixel(50, 150), kGreen);
    ui::destroy_window(low);
    ui::pump_messages();
    EXPECT_NE(ui::screen().pixel(50, 150), kGreen);
}

TEST_F(PaintTest, EraseFillsTheClassBackgroundOnlyWhenAsked)
{
    ui::WindowClass c;
    c.name = u"Blue";
    c.background = kBlue;
    c.proc = probe_proc;
    ui::register_class(c);
    ui::Hwnd w = make_top(u"B", ui::kNoWindow, ui::kWorkArea, u"Blue");
    ui::pump_messages();
    EXPECT_EQ(ui::screen().pixel(5, 50), kBlue);
    auto dc = ui::get_dc(w);
    dc->fill_rect({0, 0, 10, 10}, kRed);
    ui::release_dc(w, std::move(dc));
    ui::invalidate(w, false);
    ui::pump_messages();
    EXPECT_EQ(ui::screen().pixel(5, ui::kWorkArea.top + 5), kRed);  // not erased
    ui::invalidate(w, true);
    ui::pump_messages();
    EXPECT_EQ(ui::screen().pixel(5, ui::kWorkArea.top + 5), kBlue);
}

TEST_F(PaintTest, DrawingOutsidePaintIsPresented)
{
    ui::Hwnd w = make_top(u"A");
    ui::pump_messages();
    int before = backend.presents;
    EXPECT_EQ(ui::pump_messages(), 0);
    EXPECT_EQ(backend.presents, before);  // nothing changed, nothing shown
    auto dc = ui::get_dc(w);
    EXPECT_EQ(dc->origin().y, ui::kWorkArea.top);
    dc->set_pixel(3, 3, kRed);
    ui::release_dc(w, std::move(dc));
    ui::pump_messages();
    EXPECT_EQ(backend.presents, before + 1);
    EXPECT_EQ(ui::screen().pixel(3, ui::kWorkArea.top + 3), kRed);
}

TEST_F(PaintTest, TheNavigationBarShowsTheActiveTitle)
{
    auto ink = [] {
        const gdi::Bitmap& s = ui::screen();
        int n = 0;
        for (int y = 0; y < ui::kNavBarHeight; ++y) {
            for (int x = 0; x < 150; ++x)
                n += s.pixel(x, y) == gdi::kWhite ? 1 : 0;
        }
        return n;
    };
    ui::Hwnd w = make_top(u"");
    ui::pump_messages();
    EXPECT_EQ(ink(), 0);
    ui::set_window_text(w, u"Varno");
    ui::pump_messages();
    EXPECT_GT(ink(), 20);
    // No window paints over the bar.
    ui::Hwnd tall = make_top(u"", ui::kNoWindow, {0, 0, 240, 100});
    fills()[tall] = kRed;
    ui::pump_messages();
    EXPECT_NE(ui::screen().pixel(200, 10), kRed);
    EXPECT_EQ(ui::screen().pixel(200, 30), kRed);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnce)
{
    ui::Hwnd w = make_top(u"A");
    ui::pump_messages();
    log().clear();
    ui::update_window(w);
    EXPECT_EQ(count(w, ui::kMsgPaint), 0);  // valid: nothing to do
    ui::invalidate(w);
    ui::update_window(w);
    EXPECT_EQ(count(w, ui::kMsgPaint), 1);
    ui::paint_pending();
    EXPECT_EQ(count(w, ui::kMsgPaint), 1);
}
