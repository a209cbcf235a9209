// The form and pop-up bases: set-up, the menu bar and its failure, the frame of a pop-up, and how Cancel,
// Escape, closing and OK end a dialog as its declaration says. Each dialog runs modally; whenever it
// waits for input, the next step of the case acts on what is on top.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/display/display.h"

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
namespace controls = platform::controls;
using Step = std::function<void()>;

constexpr int kMenuBar = 7001;
constexpr int kCmdAct = 7101;
constexpr int kCmdQuit = 7102;

constexpr forms::Declaration kForm {.dialog = "KIT_FORM",
    .menu_bar = kMenuBar,
    .menu_error = u"Kit",
    .cancel_command = kCmdQuit,
    .cancel_result = 5,
    .close_result = 6};
// Nothing but OK ends it.
constexpr forms::Declaration kBareForm {.dialog = "KIT_FORM", .ok_result = 7, .done_button = true};
constexpr forms::Declaration kPopup {.dialog = "KIT_POPUP", .cancel_result = ui::kIdCancel, .close_result = ui::kIdOk};

class Steps : public platform::display::Backend {
public:
    explicit Steps(std::vector<Step> steps)
        : m_steps(steps.begin(), steps.end())
    {
        platform::display::set_backend(this);
    }
    ~Steps() override { platform::display::set_backend(nullptr); }

    void wait(std::optional<uint64_t>) override
    {
        if (m_steps.empty()) {
            ADD_FAILURE() << "the dialog waited with no step left";
            ui::post_quit_message(99);
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
    }
    void present(const gdi::Bitmap&) override { }

private:
    std::deque<Step> m_steps;
};

template <class Base> class KitDialog : public Base {
public:
    KitDialog(const forms::Declaration& declaration, std::vector<std::string>* log)
        : Base(declaration)
        , m_log(log)
    {
    }

private:
    bool on_open() override
    {
        m_log->push_back("open");
        return true;
    }
    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id != kCmdAct)
            return false;
        m_log->push_back("act");
        return true;
    }
    std::vector<std::string>* m_log;
};

Step send(int command)
{
    return [command] { ui::post_message(ui::active_window(), ui::kMsgCommand, ui::WParam(command)); };
}
Step escape()
{
    return [] { ui::input_key(ui::kKeyEscape, 0); };
}
Step close()
{
    return [] { ui::post_message(ui::active_window(), ui::kMsgClose); };
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::reset();
        controls::register_classes();
        const uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;
        ui::DialogTemplate form;
        form.name = "KIT_FORM";
        form.title = u"Kit form";
        form.controls = {{1001, u"button", u"Done", {10, 10, 80, 32}, kChild | ui::kStyleTabStop}};
        ui::add_dialog_template(form);
        ui::DialogTemplate popup = form;
        popup.name = "KIT_POPUP";
        popup.full_screen = false;
        popup.rect = {0, 0, 160, 80};
        ui::add_dialog_template(popup);
        controls::add_menu_bar_template({kMenuBar, {{u"Act", kCmdAct, {}}, {u"Quit", kCmdQuit, {}}}});
    }
    void TearDown() override
    {
        controls::set_menu_bar_failure(false);
        ui::reset();
    }

    template <class Base> int run(const forms::Declaration& declaration, std::vector<Step> steps)
    {
        Steps backend(std::move(steps));
        return KitDialog<Base>(declaration, &m_log).run(ui::kNoWindow);
    }

    std::vector<std::string> m_log;
};

TEST_F(FormTest, AFormFillsTheWorkAreaWithItsMenuBarWhichGoesWithIt)
{
    ui::Hwnd bar = ui::kNoWindow;
    const Step look = [&] {
        const ui::Rect r = ui::window_rect(ui::active_window());
        EXPECT_EQ(r.top, ui::kWorkArea.top);
        EXPECT_EQ(r.bottom, ui::kWorkArea.bottom);
        bar = controls::menu_bar_of(ui::active_window());
        EXPECT_EQ(controls::menu_command_for_path(bar, u"Act"), kCmdAct);
    };
    EXPECT_EQ(run<forms::Form>(kForm, {look, send(kCmdAct), escape()}), 5);
    EXPECT_EQ(m_log, (std::vector<std::string> {"open", "act"}));
    EXPECT_FALSE(ui::is_window(bar));
}

TEST_F(FormTest, CancelEscapeClosingAndOkEndWithWhatTheDialogDeclares)
{
    EXPECT_EQ(run<forms::Form>(kForm, {send(kCmdQuit)}), 5);
    EXPECT_EQ(run<forms::Form>(kForm, {send(ui::kIdCancel)}), 5);
    EXPECT_EQ(run<forms::Form>(kForm, {close()}), 6);
    EXPECT_EQ(run<forms::Popup>(kPopup, {escape()}), ui::kIdCancel);
    EXPECT_EQ(run<forms::Popup>(kPopup, {close()}), ui::kIdOk);
    // Without a cancel result, Cancel, Escape and closing do nothing; "ok" of the navigation bar ends it.
    const Step tap_ok = [] {
        ui::input_button_down(ui::kScreenWidth - 20, ui::kNavBarHeight / 2);
        ui::input_button_up(ui::kScreenWidth - 20, ui::kNavBarHeight / 2);
    };
    EXPECT_EQ(run<forms::Form>(kBareForm, {send(ui::kIdCancel), escape(), close(), tap_ok}), 7);
}

TEST_F(FormTest, AMenuBarThatCannotBeMadeIsReportedUnderTheDeclaredCaptionAndTheFormGoesOn)
{
    controls::set_menu_bar_failure(true);
    const Step answer_box = [] {
        EXPECT_EQ(ui::template_name(ui::active_window()), "MessageBox");
        EXPECT_EQ(ui::window_text(ui::active_window()), u"Kit");
        EXPECT_EQ(ui::item_text(ui::active_window(), controls::kMessageBoxTextId), u"menu error");
        ui::input_key(ui::kKeyReturn, 0);
    };
    EXPECT_EQ(run<forms::Form>(kForm, {answer_box, send(kCmdAct), escape()}), 5);
    EXPECT_EQ(m_log, (std::vector<std::string> {"open", "act"}));
}

TEST_F(FormTest, APopupDrawsItsCaptionStripAndFrame)
{
    const Step look = [] {
        ui::paint_pending();
        const ui::Rect r = ui::window_rect(ui::active_window());
        const gdi::Bitmap& screen = ui::screen();
        // Black strip along the top (right of the title), white client below it, a black border round it.
        EXPECT_EQ(screen.pixel(r.right - 4, r.top + controls::kPopupCaptionHeight / 2), gdi::kBlack);
        EXPECT_EQ(screen.pixel(r.left + 4, r.top + controls::kPopupCaptionHeight + 4), gdi::kWhite);
        EXPECT_EQ(screen.pixel(r.left, r.bottom - 4), gdi::kBlack);
        EXPECT_EQ(screen.pixel(r.right - 1, r.bottom - 4), gdi::kBlack);
    };
    EXPECT_EQ(run<forms::Popup>(kPopup, {look, escape()}), ui::kIdCancel);
}

}  // namespace
