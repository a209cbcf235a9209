// The headless display: the program and the driver in lockstep on virtual time.

#include "platform/display/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/display/display.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "tests/support/program_state.h"

namespace ui = platform::ui;
namespace headless = platform::display::headless;
namespace clk = platform::clock;

namespace {

constexpr uint32_t kMsgChain = ui::kMsgUser + 1;   // wparam n: counts on to 100 by posting n + 1
constexpr uint32_t kMsgTimers = ui::kMsgUser + 2;  // starts timers 1 (250 ms) and 2 (400 ms)
constexpr uint32_t kMsgOpenDialog = ui::kMsgUser + 3;

// What the program did, written on its thread and read by the driver only while it is parked.
struct Record {
    int handled = 0;
    std::vector<std::pair<int, uint64_t>> timer_fires;  // id, virtual time
    int dialog_result = -100;
    int quit_code = 0;
    bool ignore_close = false;
};
Record g_rec;

struct TapDialog : ui::DialogProc {
    bool on_tap(int x, int y) override
    {
        ui::end_dialog(hwnd(), x + y);
        return true;
    }
};

ui::LResult main_proc(ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp)
{
    switch (msg) {
    case kMsgChain:
        ++g_rec.handled;
        ui::set_window_text(h, platform::text::from_utf8(std::to_string(wp)));
        if (wp < 100)
            ui::post_message(h, kMsgChain, wp + 1);
        return 0;
    case kMsgTimers:
        ui::set_timer(h, 1, 250);
        ui::set_timer(h, 2, 400);
        return 0;
    case ui::kMsgTimer:
        g_rec.timer_fires.push_back({int(wp), clk::now_ms()});
        return 0;
    case kMsgOpenDialog: {
        ui::DialogTemplate t;
        t.name = "TAP";
        t.full_screen = true;
        TapDialog d;
        g_rec.dialog_result = ui::run_dialog(t, h, d);
        return 0;
    }
    case ui::kMsgClose:
        if (g_rec.ignore_close)
            return 0;
        break;
    case ui::kMsgDestroy:
        ui::post_quit_message(g_rec.quit_code);
        return 0;
    }
    return ui::default_window_proc(h, msg, wp, lp);
}

ui::Hwnd g_main = ui::kNoWindow;

int program()
{
    ui::WindowClass c;
    c.name = u"HeadlessMain";
    c.proc = main_proc;
    ui::register_class(c);
    g_main = ui::create_window(u"HeadlessMain", u"Main", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

}  // namespace

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        g_rec = Record {};
        headless::start(program);
    }
    void TearDown() override { testing_support::reset_program_state(); }
};

TEST_F(HeadlessTest, TheDriverActsOnlyOnAProgramAtRest)
{
    ASSERT_TRUE(headless::running());
    ASSERT_TRUE(ui::is_window(g_main));
    EXPECT_TRUE(headless::act([] { ui::post_message(g_main, kMsgChain, 0); }));
    // The whole chain ran before act returned: the state is the final one and holds still.
    EXPECT_EQ(g_rec.handled, 101);
    EXPECT_EQ(ui::window_text(g_main), u"100");
    EXPECT_EQ(g_rec.handled, 101);
    EXPECT_EQ(clk::now_ms(), 0u);  // time moves only when the driver says so
}

TEST_F(HeadlessTest, AdvancingRunsEachTimerAtItsOwnDueTime)
{
    headless::act([] { ui::post_message(g_main, kMsgTimers); });
    EXPECT_TRUE(headless::advance(1000));
    std::vector<std::pair<int, uint64_t>> want {{1, 250}, {1, 500}, {2, 400}, {1, 750}, {2, 800}, {1, 1000}};
    std::sort(want.begin(), want.end(), [](auto& a, auto& b) { return a.second < b.second; });
    EXPECT_EQ(g_rec.timer_fires, want);
    EXPECT_EQ(clk::now_ms(), 1000u);
    g_rec.timer_fires.clear();
    EXPECT_TRUE(headless::advance(199));  // up to 1199: timer 2 at 1200 not yet
    EXPECT_TRUE(g_rec.timer_fires.empty());
    EXPECT_TRUE(headless::advance(1));
    EXPECT_EQ(g_rec.timer_fires, (std::vector<std::pair<int, uint64_t>> {{2, 1200}}));
    EXPECT_TRUE(headless::advance(0));  // no time: nothing runs twice
    EXPECT_EQ(g_rec.timer_fires.size(), 1u);
}

TEST_F(HeadlessTest, ADialogRunsInsideTheProgramWhileTheDriverWatches)
{
    headless::act([] { ui::post_message(g_main, kMsgOpenDialog); });
    ASSERT_EQ(ui::dialog_stack().size(), 1u);
    ui::Hwnd dlg = ui::active_window();
    EXPECT_EQ(ui::template_name(dlg), "TAP");
    EXPECT_FALSE(ui::is_enabled(g_main));
    headless::act([] {
        ui::input_button_down(10, ui::kWorkArea.top + 20);
        ui::input_button_up(10, ui::kWorkArea.top + 20);
    });
    EXPECT_EQ(g_rec.dialog_result, 30);
    EXPECT_FALSE(ui::is_window(dlg));
    EXPECT_EQ(ui::active_window(), g_main);
}

TEST_F(HeadlessTest, FinishClosesTheMainWindowAndReturnsTheExitCode)
{
    headless::act([] { g_rec.quit_code = 3; });
    EXPECT_EQ(headless::finish(), 3);
    EXPECT_FALSE(headless::running());
    EXPECT_FALSE(headless::act([] {}));
    EXPECT_FALSE(headless::advance(10));
}

TEST_F(HeadlessTest, FinishEndsEvenAProgramThatIgnoresClosingAndSitsInADialog)
{
    headless::act([] { g_rec.ignore_close = true; });
    headless::act([] { ui::post_message(g_main, kMsgOpenDialog); });
    EXPECT_EQ(headless::finish(), 0);
    EXPECT_EQ(g_rec.dialog_result, 0);  // the quit ended the dialog's loop first
}

TEST(HeadlessEnd, AProgramThatEndsByItselfIsCollected)
{
    headless::start([] { return 7; });
    EXPECT_FALSE(headless::running());
    EXPECT_EQ(headless::finish(), 7);
}
