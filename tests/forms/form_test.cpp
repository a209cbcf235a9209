// The form and pop-up bases, driven as a user drives a dialog: set-up, the menu bar and its failure, and
// how Cancel, Escape, closing and the dialog's own commands end it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/driver/driver.h"

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::driver::Driver;
using platform::driver::Result;
using Strings = std::vector<std::string>;

constexpr int kMenuBar = 7001;
constexpr int kCmdAct = 7101;
constexpr int kCmdQuit = 7102;
// Commands of the test program's main window, each opening a dialog.
constexpr int kOpenForm = 900;
constexpr int kOpenBareForm = 901;
constexpr int kOpenPopup = 902;

constexpr forms::Declaration kForm{.dialog = "KIT_FORM", .menu_bar = kMenuBar, .menu_error = u"Kit",
                                   .cancel_command = kCmdQuit, .cancel_result = 5, .close_result = 6};
// Nothing but "ok" ends it.
constexpr forms::Declaration kBareForm{.dialog = "KIT_FORM", .ok_result = 7, .done_button = true};
constexpr forms::Declaration kPopup{.dialog = "KIT_POPUP", .cancel_result = ui::kIdCancel,
                                    .close_result = ui::kIdOk};

Strings& log()
{
    static Strings lines;
    return lines;
}

template <class Base>
class LoggingDialog : public Base {
public:
    using Base::Base;

private:
    bool on_open() override
    {
        log().push_back("open");
        return true;
    }
    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id != kCmdAct)
            return false;
        log().push_back("act");
        return true;
    }
};

void run(const forms::Declaration& declaration, bool popup, ui::Hwnd owner)
{
    int result = popup ? LoggingDialog<forms::Popup>(declaration).run(owner)
                       : LoggingDialog<forms::Form>(declaration).run(owner);
    log().push_back("ended " + std::to_string(result));
}

ui::LResult main_proc(ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    if (msg == ui::kMsgDestroy)
        ui::post_quit_message(0);
    if (msg != ui::kMsgCommand)
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    switch (ui::loword(wparam)) {
    case kOpenForm: run(kForm, false, hwnd); break;
    case kOpenBareForm: run(kBareForm, false, hwnd); break;
    case kOpenPopup: run(kPopup, true, hwnd); break;
    default: break;
    }
    return 0;
}

void install_templates()
{
    const uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;
    ui::DialogTemplate form;
    form.name = "KIT_FORM";
    form.title = u"Kit form";
    form.controls = {{1, u"button", u"Done", {10, 10, 80, 32}, kChild | ui::kStyleTabStop}};
    ui::add_dialog_template(form);
    ui::DialogTemplate popup;
    popup.name = "KIT_POPUP";
    popup.title = u"Asked";
    popup.full_screen = false;
    popup.rect = {0, 0, 160, 80};
    popup.controls = {{ui::kIdCancel, u"button", u"Cancel", {40, 48, 120, 70}, kChild | ui::kStyleTabStop}};
    ui::add_dialog_template(popup);
    controls::add_menu_bar_template({kMenuBar, {{u"Act", kCmdAct, {}}, {u"Quit", kCmdQuit, {}}}});
}

int program()
{
    log().clear();
    ui::reset();
    controls::register_classes();
    install_templates();
    ui::register_class({u"KitMain", main_proc});
    if (ui::create_window(u"KitMain", u"Kit", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault, ui::kUseDefault,
                          ui::kUseDefault, ui::kNoWindow) == ui::kNoWindow)
        return 1;
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

::testing::AssertionResult ok(const Result& r)
{
    return r.ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << r.message;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { controls::set_menu_bar_failure(false); }
    void TearDown() override { controls::set_menu_bar_failure(false); }

    Strings logged()
    {
        Strings out;
        EXPECT_TRUE(d.inspect([&] { out = log(); }));
        return out;
    }
    void close_active()
    {
        EXPECT_TRUE(d.inspect([] { ui::post_message(ui::active_window(), ui::kMsgClose); }));
    }
    // Opens a dialog with `command`, ends it by `finish` and says what it was ended with.
    std::string ending(int command, const std::function<void()>& finish)
    {
        EXPECT_TRUE(ok(d.command(command)));
        finish();
        EXPECT_TRUE(ok(d.expect_window("main")));
        Strings lines = logged();
        return lines.empty() ? "" : lines.back();
    }

    Driver d{program};
};

TEST_F(FormTest, AFormFillsTheWorkAreaWithItsMenuBarWhichGoesWithIt)
{
    ASSERT_TRUE(ok(d.command(kOpenForm)));
    ASSERT_TRUE(ok(d.expect_window("KIT_FORM")));
    ui::Hwnd bar = ui::kNoWindow;
    ASSERT_TRUE(d.inspect([&] {
        ui::Hwnd form = ui::active_window();
        const ui::Rect r = ui::window_rect(form);
        EXPECT_EQ(r.top, ui::kWorkArea.top);
        EXPECT_EQ(r.bottom, ui::kWorkArea.bottom);
        EXPECT_EQ(r.width(), ui::kScreenWidth);
        bar = controls::menu_bar_of(form);
    }));
    ASSERT_NE(bar, ui::kNoWindow);
    ASSERT_TRUE(ok(d.menu("Act")));
    EXPECT_TRUE(ok(d.expect_window("KIT_FORM")));
    ASSERT_TRUE(ok(d.key("escape")));
    EXPECT_EQ(logged(), (Strings{"open", "act", "ended 5"}));
    EXPECT_TRUE(d.inspect([&] { EXPECT_FALSE(ui::is_window(bar)); }));
}

TEST_F(FormTest, CancelEscapeAndClosingEndWithWhatTheDialogDeclares)
{
    EXPECT_EQ(ending(kOpenForm, [&] { d.menu("Quit"); }), "ended 5");
    EXPECT_EQ(ending(kOpenForm, [&] { d.key("escape"); }), "ended 5");
    EXPECT_EQ(ending(kOpenForm, [&] { close_active(); }), "ended 6");
    EXPECT_EQ(ending(kOpenPopup, [&] { d.click("Cancel"); }), "ended 2");
    EXPECT_EQ(ending(kOpenPopup, [&] { d.key("escape"); }), "ended 2");
    EXPECT_EQ(ending(kOpenPopup, [&] { close_active(); }), "ended 1");
}

TEST_F(FormTest, WithoutACancelResultEscapeAndClosingDoNothingAndOkEndsIt)
{
    ASSERT_TRUE(ok(d.command(kOpenBareForm)));
    ASSERT_TRUE(ok(d.key("escape")));
    close_active();
    ASSERT_TRUE(ok(d.command(ui::kIdCancel)));
    EXPECT_TRUE(ok(d.expect_window("KIT_FORM")));
    ASSERT_TRUE(d.inspect([] { EXPECT_EQ(controls::menu_bar_of(ui::active_window()), ui::kNoWindow); }));
    // The "ok" of the navigation bar.
    ASSERT_TRUE(d.inspect([] {
        ui::input_button_down(ui::kScreenWidth - 20, 12);
        ui::input_button_up(ui::kScreenWidth - 20, 12);
    }));
    EXPECT_TRUE(ok(d.expect_window("main")));
    EXPECT_EQ(logged(), (Strings{"open", "ended 7"}));
}

TEST_F(FormTest, AMenuBarThatCannotBeMadeIsReportedUnderTheDeclaredCaptionAndTheFormGoesOn)
{
    ASSERT_TRUE(d.inspect([] { controls::set_menu_bar_failure(true); }));
    ASSERT_TRUE(ok(d.command(kOpenForm)));
    ASSERT_TRUE(ok(d.expect_box("Kit", "menu error")));
    ASSERT_TRUE(ok(d.answer("ok")));
    ASSERT_TRUE(ok(d.expect_window("KIT_FORM")));
    ASSERT_TRUE(ok(d.key("escape")));
    EXPECT_EQ(logged(), (Strings{"open", "ended 5"}));
}

TEST_F(FormTest, APopupDrawsItsCaptionStripAndFrame)
{
    ASSERT_TRUE(ok(d.command(kOpenPopup)));
    ASSERT_TRUE(d.inspect([] {
        ui::paint_pending();
        const ui::Rect r = ui::window_rect(ui::active_window());
        const platform::gdi::Bitmap& screen = ui::screen();
        EXPECT_EQ(r.width(), 160);
        // Black strip along the top (right of the title), white client below it, a black border round it.
        EXPECT_EQ(screen.pixel(r.right - 4, r.top + controls::kPopupCaptionHeight / 2), platform::gdi::kBlack);
        EXPECT_EQ(screen.pixel(r.left + 4, r.top + controls::kPopupCaptionHeight + 4), platform::gdi::kWhite);
        EXPECT_EQ(screen.pixel(r.left, r.bottom - 4), platform::gdi::kBlack);
        EXPECT_EQ(screen.pixel(r.right - 1, r.bottom - 4), platform::gdi::kBlack);
    }));
}

}  // namespace
