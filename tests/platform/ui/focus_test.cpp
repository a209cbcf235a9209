// Focus, keys, tab order, activation, capture and the input panel.

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

class FocusTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        top = make_top(u"Main");
        a = make_child(top, 1, {0, 0, 50, 20}, kVisibleChild | ui::kStyleTabStop);
        plain = make_child(top, 2, {0, 30, 50, 50});
        b = make_child(top, 3, {0, 60, 50, 80}, kVisibleChild | ui::kStyleTabStop);
        c = make_child(top, 4, {0, 90, 50, 110}, kVisibleChild | ui::kStyleTabStop);
        ui::pump_messages();
        log().clear();
    }
    ui::Hwnd top = 0, a = 0, plain = 0, b = 0, c = 0;
};

TEST_F(FocusTest, SetFocusTellsTheOldWindowThenTheNew)
{
    EXPECT_EQ(ui::focus(), top);  // the active window took it when it was made
    ui::set_focus(a);
    log().clear();
    EXPECT_EQ(ui::set_focus(b), a);
    ASSERT_EQ(log().size(), 2u);
    EXPECT_EQ(log()[0].hwnd, a);
    EXPECT_EQ(log()[0].msg, ui::kMsgKillFocus);
    EXPECT_EQ(log()[0].wparam, b);
    EXPECT_EQ(log()[1].hwnd, b);
    EXPECT_EQ(log()[1].msg, ui::kMsgSetFocus);
    EXPECT_EQ(log()[1].wparam, a);
    EXPECT_EQ(ui::set_focus(b), b);  // no change, no messages
    EXPECT_EQ(log().size(), 2u);
    EXPECT_EQ(ui::set_focus(424242), ui::kNoWindow);
    EXPECT_EQ(ui::focus(), b);
}

TEST_F(FocusTest, KeysGoToTheFocusElseTheActiveWindow)
{
    ui::set_focus(b);
    ui::input_key('7', 0);
    ui::input_char(u'7');
    ui::pump_messages();
    EXPECT_EQ(count(b, ui::kMsgKeyDown), 1);
    EXPECT_EQ(count(b, ui::kMsgChar), 1);
    ui::destroy_window(b);
    EXPECT_EQ(ui::focus(), ui::kNoWindow);
    ui::input_char(u'x');
    ui::pump_messages();
    EXPECT_EQ(count(top, ui::kMsgChar), 1);
}

TEST_F(FocusTest, TabWalksTheTabStopsAndWraps)
{
    EXPECT_EQ(ui::next_tab_stop(top, ui::kNoWindow, false), a);
    EXPECT_EQ(ui::next_tab_stop(top, ui::kNoWindow, true), c);
    EXPECT_EQ(ui::next_tab_stop(top, a, false), b);
    EXPECT_EQ(ui::next_tab_stop(top, c, false), a);
    EXPECT_EQ(ui::next_tab_stop(top, a, true), c);
    ui::enable_window(b, false);
    EXPECT_EQ(ui::next_tab_stop(top, a, false), c);
    ui::show_window(c, false);
    EXPECT_EQ(ui::next_tab_stop(top, a, false), a);  // alone: stays
    EXPECT_EQ(ui::next_tab_stop(plain, ui::kNoWindow, false), ui::kNoWindow);
}

TEST_F(FocusTest, TabTypedIntoAControlMovesTheFocusThroughItsTopLevelWindow)
{
    ui::set_focus(a);
    ui::input_key(ui::kKeyTab, 0);
    ui::pump_messages();
    EXPECT_EQ(ui::focus(), b);
    ui::input_key(ui::kKeyTab, ui::kModShift);
    ui::input_key(ui::kKeyTab, ui::kModShift);
    ui::pump_messages();
    EXPECT_EQ(ui::focus(), c);
}

TEST_F(FocusTest, ADialogStartsOnItsFirstTabStopAndGivesTheFocusBack)
{
    ui::DialogTemplate t;
    t.name = "D";
    t.full_screen = false;
    t.rect = {0, 0, 100, 100};
    for (int id : {11, 12}) {
        ui::ControlTemplate ct;
        ct.id = id;
        ct.class_name = u"Probe";
        ct.rect = {0, (id - 11) * 30, 40, (id - 11) * 30 + 20};
        ct.style = kVisibleChild | ui::kStyleTabStop;
        t.controls.push_back(ct);
    }
    ui::add_dialog_template(t);
    struct D : ui::DialogProc {
        bool focus_first = true;
        int focus_id = -1;
        bool focus_in_dialog = false;
        bool on_init() override { return focus_first; }
        bool on_command(int id, int, ui::Hwnd) override
        {
            focus_id = ui::window_id(ui::focus());
            focus_in_dialog = ui::top_level(ui::focus()) == hwnd();
            ui::end_dialog(hwnd(), id);
            return true;
        }
    } d;
    ui::set_focus(b);
    backend.steps.push_back([] { ui::post_message(ui::active_window(), ui::kMsgCommand, 1); });
    ui::run_dialog("D", top, d);
    EXPECT_EQ(d.focus_id, 11);
    EXPECT_TRUE(d.focus_in_dialog);
    EXPECT_EQ(ui::focus(), b);  // back where it was
    EXPECT_GE(count(b, ui::kMsgKillFocus), 1);
    EXPECT_GE(count(b, ui::kMsgSetFocus), 1);

    d.focus_first = false;
    backend.steps.push_back([] { ui::post_message(ui::active_window(), ui::kMsgCommand, 1); });
    ui::run_dialog("D", top, d);
    EXPECT_TRUE(d.focus_in_dialog);
    EXPECT_NE(d.focus_id, 11);
}

TEST_F(FocusTest, ActivationMessagesFollowTheTopWindow)
{
    ui::Hwnd other = make_top(u"Other", ui::kNoWindow, {0, 100, 100, 200});
    EXPECT_EQ(ui::active_window(), other);
    ui::Hwnd a_msg = 0;
    for (const Entry& e : log()) {
        if (e.msg == ui::kMsgActivate && e.wparam == 0)
            a_msg = e.hwnd;
    }
    EXPECT_EQ(a_msg, top);
    EXPECT_EQ(count(other, ui::kMsgActivate), 1);
    EXPECT_TRUE(ui::set_foreground_window(top));
    EXPECT_EQ(ui::active_window(), top);
    EXPECT_EQ(ui::top_level_windows().back(), top);
    EXPECT_FALSE(ui::set_foreground_window(a));  // not a top-level window
    ui::show_window(top, false);
    EXPECT_EQ(ui::active_window(), other);
}

TEST_F(FocusTest, RaisingAWindowKeepsItsOwnedWindowsAboveIt)
{
    ui::Hwnd owned = make_top(u"Owned", top, {0, 100, 100, 200});
    ui::Hwnd other = make_top(u"Other", ui::kNoWindow, {0, 100, 100, 200});
    ui::set_foreground_window(top | 1);
    EXPECT_EQ(ui::top_level_windows(), (std::vector<ui::Hwnd> {other, top, owned}));
    EXPECT_EQ(ui::active_window(), owned);
}

TEST_F(FocusTest, AWindowThatDoesNotActivateStillTakesTaps)
{
    ui::Hwnd bar = make_top(
        u"", top, {0, ui::kScreenHeight - ui::kMenuBarHeight, ui::kScreenWidth, ui::kScreenHeight}, u"ProbeBar");
    ui::set_focus(a);
    EXPECT_EQ(ui::active_window(), top);
    EXPECT_EQ(ui::set_focus(bar), ui::kNoWindow);
    EXPECT_EQ(ui::focus(), a);
    ui::input_button_down(10, ui::kScreenHeight - 10);
    ui::input_button_up(10, ui::kScreenHeight - 10);
    ui::pump_messages();
    EXPECT_EQ(count(bar, ui::kMsgLButtonUp), 1);
    EXPECT_EQ(ui::active_window(), top);
    EXPECT_EQ(ui::focus(), a);
    // The bar of a window under a modal dialog does nothing.
    ui::enable_window(top, false);
    ui::input_button_up(10, ui::kScreenHeight - 10);
    ui::pump_messages();
    EXPECT_EQ(count(bar, ui::kMsgLButtonUp), 1);
}

TEST_F(FocusTest, CaptureTakesButtonMessagesWhereverTheyLand)
{
    ui::set_capture(a);
    ui::input_button_down(100, 200);
    ui::input_mouse_move(101, 201);
    ui::input_mouse_move(102, 202);
    ui::input_button_up(103, 203);
    ui::pump_messages();
    ASSERT_EQ(count(a, ui::kMsgLButtonUp), 1);
    for (const Entry& e : log()) {
        if (e.hwnd == a && e.msg == ui::kMsgLButtonUp) {
            EXPECT_EQ(ui::point_x(e.lparam), 103);
            EXPECT_EQ(ui::point_y(e.lparam), 203 - ui::kWorkArea.top);
        }
    }
    EXPECT_EQ(count(top, ui::kMsgLButtonDown), 0);
    ui::release_capture();
    ui::input_button_down(100, 200);
    ui::pump_messages();
    EXPECT_EQ(count(top, ui::kMsgLButtonDown), 1);
}

TEST_F(FocusTest, TheKeyboardTypesIntoTheFocus)
{
    ui::set_focus(b);
    ui::set_input_panel(true);
    ui::Hwnd panel = ui::input_panel_window();
    ASSERT_TRUE(ui::is_window(panel));
    EXPECT_TRUE(ui::input_panel_raised());
    EXPECT_EQ(ui::active_window(), top);
    ui::Rect r = ui::window_rect(panel);
    EXPECT_EQ(r.bottom, ui::kScreenHeight - ui::kMenuBarHeight);
    auto tap = [&](int x, int y) {
        ui::input_button_down(r.left + x, r.top + y);
        ui::input_button_up(r.left + x, r.top + y);
        ui::pump_messages();
    };
    tap(2, 2);     // "1"
    tap(30, 20);   // "w"
    tap(10, 70);   // shift
    tap(30, 20);   // "W"
    tap(160, 70);  // back
    std::u16string typed;
    int backs = 0;
    for (const Entry& e : log()) {
        if (e.hwnd == b && e.msg == ui::kMsgChar)
            typed += char16_t(e.wparam);
        if (e.hwnd == b && e.msg == ui::kMsgKeyDown && e.wparam == ui::kKeyBack)
            ++backs;
    }
    EXPECT_EQ(typed, u"1wW");
    EXPECT_EQ(backs, 1);
    EXPECT_EQ(ui::focus(), b);
    EXPECT_EQ(count(top, ui::kMsgSettingChange), 1);
    // A window opened later goes under the keyboard, and the keyboard is painted over it.
    ui::Hwnd later = make_top(u"Later");
    fills()[later] = platform::gdi::rgb(255, 0, 0);
    ui::pump_messages();
    EXPECT_EQ(ui::top_level_windows().back(), panel);
    EXPECT_EQ(ui::active_window(), later);
    EXPECT_NE(ui::screen().pixel(r.left + 1, r.top + 1), platform::gdi::rgb(255, 0, 0));
    ui::set_input_panel(false);
    EXPECT_FALSE(ui::is_window(panel));
    EXPECT_EQ(ui::input_panel_window(), ui::kNoWindow);
}

TEST_F(FocusTest, TheActivationRecordCarriesThePanelStateAcrossWindows)
{
    ui::ActivationInfo info;
    ui::handle_activate(top, 1, 0, &info);  // nothing recorded: nothing changes
    EXPECT_FALSE(ui::input_panel_raised());
    ui::set_input_panel(true);
    ui::handle_setting_change(top, ui::kSettingInputPanel, 0, &info);
    EXPECT_EQ(info.previous_panel_state, ui::kPanelRaised);
    ui::handle_activate(top, 0, 0, &info);  // leaving with the panel up
    ui::set_input_panel(false);             // another window lowers it
    ui::handle_activate(top, 1, 0, &info);  // coming back raises it again
    EXPECT_TRUE(ui::input_panel_raised());
    ui::handle_activate(top, 1, 0, nullptr);  // harmless
    ui::set_input_panel(false);
    ui::handle_setting_change(top, 0x1234, 0, &info);  // another setting: not recorded
    EXPECT_EQ(info.previous_panel_state, ui::kPanelRaised);
    ui::ActivationInfo fresh;
    ui::handle_activate(top, 0, 0, &fresh);  // leaving without a record takes the current state
    EXPECT_EQ(fresh.previous_panel_state, ui::kPanelLowered);
}

TEST_F(FocusTest, ADialogThatLowersThePanelGivesItBackToItsOwner)
{
    ui::ActivationInfo info;
    hooks()[top] = [&info](ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp) {
        if (msg == ui::kMsgActivate)
            ui::handle_activate(h, wp, lp, &info);
        if (msg == ui::kMsgSettingChange)
            ui::handle_setting_change(h, wp, lp, &info);
        return false;
    };
    ui::set_input_panel(true);
    ui::pump_messages();
    ui::DialogTemplate t;
    t.name = "LOWERS";
    ui::add_dialog_template(t);
    struct D : ui::DialogProc {
        bool on_init() override
        {
            ui::set_input_panel(false);
            return true;
        }
        bool on_command(int id, int, ui::Hwnd) override { return ui::end_dialog(hwnd(), id); }
    } d;
    bool raised_inside = true;
    backend.steps.push_back([&] {
        raised_inside = ui::input_panel_raised();
        ui::post_message(ui::active_window(), ui::kMsgCommand, ui::kIdOk);
    });
    ui::run_dialog("LOWERS", top, d);
    EXPECT_FALSE(raised_inside);
    EXPECT_TRUE(ui::input_panel_raised());
}
