// Modal dialogs: templates, nested loops, owners, results, quitting, keys and taps.

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

// A dialog whose handlers are set by the case.
struct ScriptedDialog : ui::DialogProc {
    std::function<bool()> init = [] { return true; };
    std::function<bool(int, int)> command = [this](int id, int) {
        if (id != ui::kIdOk && id != ui::kIdCancel)
            return false;
        ui::end_dialog(hwnd(), id);
        return true;
    };
    std::function<bool(int, int)> tap;
    std::vector<int> commands;
    std::vector<std::pair<int, int>> taps;
    int destroyed = 0;

    bool on_init() override { return init(); }
    bool on_command(int id, int code, ui::Hwnd) override
    {
        commands.push_back(id);
        return command(id, code);
    }
    bool on_tap(int x, int y) override
    {
        taps.push_back({x, y});
        return tap ? tap(x, y) : false;
    }
    void on_destroy() override { ++destroyed; }
};

ui::ControlTemplate control(int id, ui::Rect r, uint32_t extra = 0, std::u16string cls = u"Probe")
{
    ui::ControlTemplate c;
    c.id = id;
    c.class_name = cls;
    c.rect = r;
    c.style = ui::kStyleVisible | ui::kStyleChild | extra;
    return c;
}

ui::DialogTemplate popup(std::string name, std::vector<ui::ControlTemplate> controls = {})
{
    ui::DialogTemplate t;
    t.name = std::move(name);
    t.title = u"Pop";
    t.full_screen = false;
    t.rect = {0, 0, 120, 80};
    t.controls = std::move(controls);
    return t;
}

}  // namespace

class DialogsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        main_window = make_top(u"Main");
        ui::pump_messages();
    }
    // Queues a step that posts a command to the dialog on top.
    void then_command(int id)
    {
        backend.steps.push_back(
            [id] { ui::post_message(ui::active_window(), ui::kMsgCommand, ui::make_wparam(id, 0)); });
    }
    ui::Hwnd main_window = ui::kNoWindow;
};

TEST_F(DialogsTest, NestedDialogsReturnToTheirOwners)
{
    ui::add_dialog_template(popup("OUTER"));
    ui::add_dialog_template(popup("INNER"));
    ScriptedDialog outer, inner;
    int inner_result = 0;
    std::vector<ui::Hwnd> stack_inside;
    outer.command = [&](int id, int) {
        if (id == 100) {
            EXPECT_FALSE(ui::is_enabled(main_window));
            inner_result = ui::run_dialog("INNER", outer.hwnd(), inner);
            EXPECT_TRUE(ui::is_enabled(outer.hwnd()));
            EXPECT_EQ(ui::active_window(), outer.hwnd());
            ui::end_dialog(outer.hwnd(), 42);
        }
        return true;
    };
    inner.command = [&](int id, int) {
        EXPECT_FALSE(ui::is_enabled(outer.hwnd()));
        EXPECT_EQ(ui::active_window(), inner.hwnd());
        EXPECT_EQ(ui::owner(inner.hwnd()), outer.hwnd());
        stack_inside = ui::dialog_stack();
        ui::end_dialog(inner.hwnd(), 7);
        return true;
    };
    then_command(100);  // to the outer dialog
    then_command(5);    // to the inner one

    EXPECT_EQ(ui::run_dialog("outer", main_window, outer), 42);
    EXPECT_EQ(inner_result, 7);
    EXPECT_EQ(stack_inside, (std::vector<ui::Hwnd> {outer.hwnd(), inner.hwnd()}));
    EXPECT_TRUE(ui::is_enabled(main_window));
    EXPECT_EQ(ui::active_window(), main_window);
    EXPECT_TRUE(ui::dialog_stack().empty());
    EXPECT_FALSE(ui::is_window(outer.hwnd()));
    EXPECT_EQ(outer.destroyed, 1);
    EXPECT_EQ(inner.destroyed, 1);
    EXPECT_TRUE(backend.steps.empty());
}

TEST_F(DialogsTest, AnOwnerAlreadyDisabledStaysDisabled)
{
    ui::add_dialog_template(popup("D"));
    ui::enable_window(main_window, false);
    ScriptedDialog d;
    then_command(ui::kIdOk);
    EXPECT_EQ(ui::run_dialog("D", main_window, d), ui::kIdOk);
    EXPECT_FALSE(ui::is_enabled(main_window));
}

TEST_F(DialogsTest, AControlOfUnknownClassFailsTheDialogAndCleansUp)
{
    ui::add_dialog_template(popup("BAD", {control(10, {0, 0, 10, 10}), control(11, {0, 0, 10, 10}, 0, u"nosuch")}));
    ScriptedDialog d;
    bool init_ran = false;
    d.init = [&] { return init_ran = true; };
    EXPECT_EQ(ui::run_dialog("BAD", main_window, d), -1);
    EXPECT_FALSE(init_ran);
    EXPECT_EQ(d.destroyed, 0);
    EXPECT_EQ(ui::top_level_windows(), std::vector<ui::Hwnd> {main_window});
    EXPECT_TRUE(ui::is_enabled(main_window));
    EXPECT_EQ(ui::run_dialog("NOT_THERE", main_window, d), -1);
    EXPECT_EQ(ui::run_dialog(555, main_window, d), -1);
}

TEST_F(DialogsTest, TemplatesByNameAndNumber)
{
    ui::DialogTemplate about = popup("");
    about.number = 103;
    about.full_screen = true;
    ui::add_dialog_template(about);
    ui::add_dialog_template(popup("PT_EDIT"));
    EXPECT_EQ(ui::find_dialog_template("pt_edit"), ui::find_dialog_template("PT_EDIT"));
    EXPECT_EQ(ui::find_dialog_template("#103"), ui::find_dialog_template(103));
    EXPECT_EQ(ui::find_dialog_template("#103x"), nullptr);
    EXPECT_EQ(ui::find_dialog_template("#"), nullptr);
    // Adding a template with a known name replaces it.
    auto edit2 = popup("PT_EDIT");
    edit2.title = u"Second";
    ui::add_dialog_template(edit2);
    EXPECT_EQ(ui::find_dialog_template("PT_EDIT")->title, u"Second");

    ScriptedDialog d;
    std::string name;
    ui::Rect r;
    d.init = [&] {
        name = ui::template_name(d.hwnd());
        r = ui::window_rect(d.hwnd());
        return true;
    };
    then_command(ui::kIdOk);
    EXPECT_EQ(ui::run_dialog(103, main_window, d), ui::kIdOk);
    EXPECT_EQ(name, "#103");
    EXPECT_EQ(r.top, ui::kWorkArea.top);
    EXPECT_EQ(r.bottom, ui::kWorkArea.bottom);
    then_command(ui::kIdCancel);
    EXPECT_EQ(ui::run_dialog("PT_EDIT", main_window, d), ui::kIdCancel);
    EXPECT_EQ(name, "PT_EDIT");
    EXPECT_EQ(r.left, 60);  // 120 x 80, centred on the screen
    EXPECT_EQ(r.top, 120);
}

TEST_F(DialogsTest, QuitInsideANestedLoopEndsEveryLoop)
{
    ui::add_dialog_template(popup("A"));
    ui::add_dialog_template(popup("B"));
    ScriptedDialog a, b;
    bool a_went_on = false;
    a.init = [&] {
        ui::post_message(a.hwnd(), ui::kMsgCommand, 100);
        return true;
    };
    a.command = [&](int id, int) {
        if (id == 100) {
            ui::run_dialog("B", a.hwnd(), b);
            a_went_on = true;
        }
        return true;
    };
    b.init = [&] {
        ui::post_quit_message(5);
        return true;
    };
    backend.steps.push_back([this] { ui::post_message(main_window, ui::kMsgUser); });
    EXPECT_EQ(ui::run_dialog("A", main_window, a), 0);
    EXPECT_TRUE(a_went_on);
    EXPECT_EQ(run_main_loop(), 5);  // the main loop saw the quit too
    EXPECT_TRUE(ui::is_enabled(main_window));
    EXPECT_EQ(count(main_window, ui::kMsgUser), 0);  // nothing waited for input
}

TEST_F(DialogsTest, ATapOnTheDisabledOwnerIsIgnored)
{
    ui::add_dialog_template(popup("D", {control(20, {10, 10, 50, 30})}));
    ScriptedDialog d;
    ui::Hwnd child = ui::kNoWindow;
    d.init = [&] {
        child = d.item(20);
        return true;
    };
    backend.steps.push_back([] {
        ui::input_button_down(5, 50);  // on the main window, outside the pop-up
        ui::input_button_up(5, 50);
        ui::input_button_down(65, 125);  // the dialog at (5, 5)
        ui::input_button_up(65, 125);
        ui::input_button_down(75, 135);  // its control at (5, 5)
        ui::input_button_up(75, 135);
    });
    then_command(ui::kIdOk);
    log().clear();
    EXPECT_EQ(ui::run_dialog("D", main_window, d), ui::kIdOk);
    EXPECT_EQ(count(main_window, ui::kMsgLButtonDown) + count(main_window, ui::kMsgLButtonUp), 0);
    EXPECT_EQ(d.taps, (std::vector<std::pair<int, int>> {{5, 5}}));
    bool child_got_it = false;
    for (const Entry& e : log()) {
        if (e.hwnd == child && e.msg == ui::kMsgLButtonUp) {
            child_got_it = true;
            EXPECT_EQ(ui::point_x(e.lparam), 5);
            EXPECT_EQ(ui::point_y(e.lparam), 5);
        }
    }
    EXPECT_TRUE(child_got_it);
}

TEST_F(DialogsTest, EscapeCancelsAndReturnConfirmsOnlyWithAnOkControl)
{
    ui::add_dialog_template(popup("PLAIN", {control(30, {0, 0, 20, 20}, ui::kStyleTabStop)}));
    ui::add_dialog_template(
        popup("WITH_OK", {control(30, {0, 0, 20, 20}, ui::kStyleTabStop), control(ui::kIdOk, {0, 30, 20, 50})}));
    ScriptedDialog d;
    backend.steps.push_back([] { ui::input_key(ui::kKeyReturn, 0); });
    backend.steps.push_back([] { ui::input_key(ui::kKeyEscape, 0); });
    EXPECT_EQ(ui::run_dialog("PLAIN", main_window, d), ui::kIdCancel);
    EXPECT_EQ(d.commands, std::vector<int> {ui::kIdCancel});
    d.commands.clear();
    backend.steps.push_back([] { ui::input_key(ui::kKeyReturn, 0); });
    EXPECT_EQ(ui::run_dialog("WITH_OK", main_window, d), ui::kIdOk);
    EXPECT_EQ(d.commands, std::vector<int> {ui::kIdOk});
}

TEST_F(DialogsTest, ClosingWithoutAHandlerAsksToCancel)
{
    ui::add_dialog_template(popup("D"));
    ScriptedDialog d;
    backend.steps.push_back([] { ui::post_message(ui::active_window(), ui::kMsgClose); });
    EXPECT_EQ(ui::run_dialog("D", main_window, d), ui::kIdCancel);
}

TEST_F(DialogsTest, ADialogDestroyedUnderItsLoopEndsIt)
{
    ui::add_dialog_template(popup("D"));
    ScriptedDialog d;
    d.command = [&](int id, int) {
        ui::destroy_window(d.hwnd());
        return true;
    };
    then_command(77);
    EXPECT_EQ(ui::run_dialog("D", main_window, d), 0);
    EXPECT_EQ(d.destroyed, 1);
    EXPECT_TRUE(ui::is_enabled(main_window));
    EXPECT_EQ(ui::active_window(), main_window);
    EXPECT_FALSE(ui::end_dialog(d.hwnd(), 1));
}

TEST_F(DialogsTest, EndingInInitSkipsTheLoop)
{
    ui::add_dialog_template(popup("D"));
    ScriptedDialog d;
    d.init = [&] {
        ui::end_dialog(d.hwnd(), 9);
        return true;
    };
    EXPECT_EQ(ui::run_dialog("D", main_window, d), 9);
    EXPECT_TRUE(backend.steps.empty());
}

TEST_F(DialogsTest, TheNavigationBarOkButtonSendsOk)
{
    auto t = popup("FULL");
    t.full_screen = true;
    ui::add_dialog_template(t);
    ScriptedDialog d;
    d.init = [&] {
        ui::init_full_screen(d.hwnd(), true);
        return true;
    };
    backend.steps.push_back([] {
        ui::input_button_down(30, 10);  // the title, not the button
        ui::input_button_up(30, 10);
    });
    backend.steps.push_back([] {
        ui::input_button_down(ui::kScreenWidth - 20, 12);
        ui::input_button_up(ui::kScreenWidth - 20, 12);
    });
    EXPECT_EQ(ui::run_dialog("FULL", main_window, d), ui::kIdOk);
    EXPECT_EQ(d.commands, std::vector<int> {ui::kIdOk});
    EXPECT_TRUE(d.taps.empty());
}

TEST_F(DialogsTest, HandlersSeeMessagesFirstThroughOnMessage)
{
    struct Catching : ScriptedDialog {
        int users = 0;
        bool on_message(uint32_t msg, ui::WParam, ui::LParam, ui::LResult* r) override
        {
            if (msg != ui::kMsgUser)
                return false;
            ++users;
            *r = 11;
            return true;
        }
    } d;
    ui::add_dialog_template(popup("D"));
    ui::LResult got = 0;
    d.init = [&] {
        got = ui::send_message(d.hwnd(), ui::kMsgUser);
        ui::end_dialog(d.hwnd(), 1);
        return true;
    };
    ui::run_dialog("D", main_window, d);
    EXPECT_EQ(got, 11);
    EXPECT_EQ(d.users, 1);
}
