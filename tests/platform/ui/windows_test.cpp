// The window tree: classes, creation and destruction, handles, coordinates, flags.

#include <set>

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

class WindowsTest : public UiTest { };

TEST_F(WindowsTest, ClassNamesAreCaseInsensitiveAndUnique)
{
    ui::WindowClass c;
    c.name = u"PROBE";
    c.proc = probe_proc;
    EXPECT_FALSE(ui::register_class(c));  // "Probe" is taken
    c.name = u"Other";
    c.proc = nullptr;
    EXPECT_FALSE(ui::register_class(c));  // no procedure
    ui::Hwnd h = ui::create_window(u"pRoBe", u"x", ui::kStyleVisible, 0, 30, 10, 10, ui::kNoWindow);
    EXPECT_TRUE(ui::is_window(h));
    EXPECT_EQ(ui::class_name(h), u"Probe");
    EXPECT_EQ(ui::create_window(u"NoSuchClass", u"", 0, 0, 0, 1, 1, ui::kNoWindow), ui::kNoWindow);
    EXPECT_EQ(ui::find_window(u"probe", u"X"), h);
}

TEST_F(WindowsTest, CreateRefusedByProcedureLeavesNothing)
{
    ui::WindowClass c;
    c.name = u"Refuses";
    c.proc = [](ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp) -> ui::LResult {
        log().push_back(Entry {h, msg, wp, lp});
        return msg == ui::kMsgCreate ? -1 : 0;
    };
    ASSERT_TRUE(ui::register_class(c));
    EXPECT_EQ(ui::create_window(u"Refuses", u"", ui::kStyleVisible, 0, 30, 10, 10, ui::kNoWindow), ui::kNoWindow);
    EXPECT_TRUE(ui::top_level_windows().empty());
    ASSERT_EQ(log().size(), 2u);
    EXPECT_EQ(log()[1].msg, ui::kMsgDestroy);
}

TEST_F(WindowsTest, ChildNeedsAParent)
{
    EXPECT_EQ(make_child(ui::kNoWindow, 1, {0, 0, 5, 5}), ui::kNoWindow);
    EXPECT_EQ(make_child(12345678, 1, {0, 0, 5, 5}), ui::kNoWindow);
}

TEST_F(WindowsTest, DestroyReachesOwnedWindowsThenTheTreeParentFirst)
{
    ui::Hwnd a = make_top(u"A");
    ui::Hwnd c1 = make_child(a, 1, {0, 0, 50, 50});
    ui::Hwnd g = make_child(c1, 3, {0, 0, 5, 5});
    ui::Hwnd c2 = make_child(a, 2, {60, 0, 90, 50});
    ui::Hwnd b = make_top(u"B", a, {20, 60, 200, 200});
    ui::Hwnd b1 = make_child(b, 1, {0, 0, 5, 5});
    ui::Hwnd unrelated = make_top(u"C");
    EXPECT_EQ(ui::owner(b), a);
    ASSERT_TRUE(ui::set_timer(g, 9, 100));
    ASSERT_TRUE(ui::post_message(c2, ui::kMsgUser));
    log().clear();

    EXPECT_TRUE(ui::destroy_window(a));

    std::vector<ui::Hwnd> order;
    for (const Entry& e : log()) {
        if (e.msg == ui::kMsgDestroy)
            order.push_back(e.hwnd);
    }
    EXPECT_EQ(order, (std::vector<ui::Hwnd> {b, b1, a, c1, g, c2}));
    for (ui::Hwnd h : {a, c1, g, c2, b, b1})
        EXPECT_FALSE(ui::is_window(h));
    EXPECT_TRUE(ui::is_window(unrelated));
    EXPECT_FALSE(ui::destroy_window(a));
    EXPECT_FALSE(ui::next_timer_due().has_value());
    EXPECT_EQ(ui::top_level_windows(), std::vector<ui::Hwnd> {unrelated});
    EXPECT_EQ(ui::pump_messages() >= 0, true);
    EXPECT_EQ(count(c2, ui::kMsgUser), 0);
}

TEST_F(WindowsTest, DestroyFromItsOwnHandlerIsSafe)
{
    ui::Hwnd a = make_top(u"A");
    ui::Hwnd c = make_child(a, 1, {0, 0, 10, 10});
    hooks()[c] = [a](ui::Hwnd, uint32_t msg, ui::WParam, ui::LParam) {
        if (msg == ui::kMsgUser)
            ui::destroy_window(a);
        return false;
    };
    ui::send_message(c, ui::kMsgUser);
    EXPECT_FALSE(ui::is_window(a));
    EXPECT_FALSE(ui::is_window(c));
}

TEST_F(WindowsTest, HandlesNeverRepeatAndStaleOnesAreNotWindows)
{
    std::set<ui::Hwnd> seen;
    for (int i = 0; i < 50; ++i) {
        ui::Hwnd h = make_top(u"T");
        ASSERT_TRUE(seen.insert(h).second);
        EXPECT_EQ(h & 1u, 0u);  // the low bit is the foreground flag
        ui::destroy_window(h);
        EXPECT_FALSE(ui::is_window(h));
        EXPECT_EQ(ui::window_text(h), u"");
        EXPECT_FALSE(ui::set_window_text(h, u"x"));
        EXPECT_FALSE(ui::post_message(h, ui::kMsgUser));
        EXPECT_FALSE(ui::set_timer(h, 1, 10));
    }
    ui::reset();
    register_probe_classes();
    EXPECT_EQ(seen.count(make_top(u"T")), 0u);
}

TEST_F(WindowsTest, CoordinatesNestThroughParents)
{
    ui::Hwnd top = ui::create_window(u"Probe", u"", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    ui::Rect r = ui::window_rect(top);
    EXPECT_EQ(r.left, ui::kWorkArea.left);
    EXPECT_EQ(r.top, ui::kWorkArea.top);
    EXPECT_EQ(r.right, ui::kWorkArea.right);
    EXPECT_EQ(r.bottom, ui::kScreenHeight);
    ui::Hwnd child = make_child(top, 5, {10, 20, 110, 70});
    ui::Hwnd inner = make_child(child, 6, {3, 4, 13, 14});
    ui::Rect ir = ui::window_rect(inner);
    EXPECT_EQ(ir.left, 13);
    EXPECT_EQ(ir.top, ui::kWorkArea.top + 24);
    EXPECT_EQ(ui::client_rect(inner).right, 10);
    auto p = ui::client_to_screen(inner, {1, 2});
    EXPECT_EQ(p.x, 14);
    EXPECT_EQ(p.y, ui::kWorkArea.top + 26);
    auto back = ui::screen_to_client(inner, p);
    EXPECT_EQ(back.x, 1);
    EXPECT_EQ(back.y, 2);
    EXPECT_EQ(ui::child_by_id(top, 5), child);
    EXPECT_EQ(ui::child_by_id(top, 6), ui::kNoWindow);  // direct children only
    EXPECT_EQ(ui::top_level(inner), top);
    EXPECT_EQ(ui::parent(inner), child);
    EXPECT_EQ(ui::parent(top), ui::kNoWindow);
    // A top-level window made with a child as parent is owned by the child's top-level window.
    ui::Hwnd popup = make_top(u"P", inner, {0, 40, 10, 50});
    EXPECT_EQ(ui::owner(popup), top);
    EXPECT_TRUE(ui::move_window(child, 0, 0, 20, 20, true));
    EXPECT_EQ(ui::window_rect(inner).left, 3);
}

TEST_F(WindowsTest, VisibilityAndEnabledFollowTheFlags)
{
    ui::Hwnd top = make_top(u"A");
    ui::Hwnd child = make_child(top, 1, {0, 0, 10, 10});
    EXPECT_TRUE(ui::is_visible(child));
    ui::show_window(top, false);
    EXPECT_FALSE(ui::is_visible(child));  // a hidden ancestor hides it
    EXPECT_TRUE(ui::style(child) & ui::kStyleVisible);
    ui::show_window(top, true);
    log().clear();
    EXPECT_FALSE(ui::enable_window(child, false));  // it was enabled
    EXPECT_FALSE(ui::is_enabled(child));
    EXPECT_TRUE(ui::enable_window(child, true));  // it was disabled
    EXPECT_EQ(count(child, ui::kMsgEnable), 2);
    ui::enable_window(child, true);
    EXPECT_EQ(count(child, ui::kMsgEnable), 2);  // no change, no message
}

TEST_F(WindowsTest, ItemTextReadsAtMostTheAskedCount)
{
    ui::Hwnd top = make_top(u"A");
    make_child(top, 1011, {0, 0, 10, 10});
    EXPECT_TRUE(ui::set_item_text(top, 1011, u"123456"));
    EXPECT_FALSE(ui::set_item_text(top, 1012, u"x"));
    EXPECT_EQ(ui::item_text(top, 1011), u"123456");
    EXPECT_EQ(ui::item_text(top, 1011, 4), u"1234");
    EXPECT_EQ(ui::item_text(top, 1011, 0), u"");
    EXPECT_EQ(ui::item_text(top, 1012), u"");
}

TEST_F(WindowsTest, PointFindsTheDeepestEnabledVisibleWindow)
{
    ui::Hwnd top = make_top(u"A");
    ui::Hwnd child = make_child(top, 1, {10, 10, 60, 60});
    ui::Hwnd inner = make_child(child, 2, {5, 5, 15, 15});
    int y0 = ui::kWorkArea.top;
    EXPECT_EQ(ui::window_from_point(16, y0 + 16), inner);
    EXPECT_EQ(ui::window_from_point(40, y0 + 40), child);
    EXPECT_EQ(ui::window_from_point(100, y0 + 100), top);
    EXPECT_EQ(ui::window_from_point(100, 5), ui::kNoWindow);  // the navigation bar
    ui::enable_window(inner, false);
    EXPECT_EQ(ui::window_from_point(16, y0 + 16), child);
    ui::show_window(child, false);
    EXPECT_EQ(ui::window_from_point(16, y0 + 16), top);
    ui::Hwnd over = make_top(u"B", ui::kNoWindow, {0, 100, 100, 200});
    EXPECT_EQ(ui::window_from_point(50, 150), over);
    ui::enable_window(over, false);
    EXPECT_EQ(ui::window_from_point(50, 150), ui::kNoWindow);  // disabled windows swallow taps
}

TEST_F(WindowsTest, SubclassingReplacesOneWindowsProcedure)
{
    ui::Hwnd a = make_top(u"A");
    ui::Hwnd b = make_top(u"B");
    int seen = 0;
    ui::WndProc old = ui::set_window_proc(a, [&](ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp) {
        if (msg == ui::kMsgUser)
            ++seen;
        return old(h, msg, wp, lp);
    });
    ASSERT_TRUE(bool(old));
    ui::send_message(a, ui::kMsgUser);
    ui::send_message(b, ui::kMsgUser);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(count(a, ui::kMsgUser), 1);  // the old procedure still ran
    EXPECT_FALSE(bool(ui::set_window_proc(999999, old)));
    ui::destroy_window(a);  // its procedure refers to this case's locals
}
