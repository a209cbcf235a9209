// Message boxes asked for where a nested loop would do harm, through the driver: from a timer handler
// (the timer waits for its handler to return) and from a paint handler (an informing box is shown once
// the paint is over, a question is refused).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/driver/driver.h"
#include "platform/ui/ui.h"

namespace platform::driver::testing {
namespace {

namespace controls = platform::controls;
using ui::Hwnd;

constexpr int kStartTicking = 910;  // a 100 ms timer whose first tick tells the surveyor with a box
constexpr int kBoxesInPaint = 911;  // the next paint asks for an informing box and a question
constexpr int kTickTimer = 1;

// What the program did, read by the driver while it is parked.
struct Journal {
    std::vector<std::string> lines;
    int ticks = 0;
    bool boxes_in_paint = false;
};
Journal s_journal;

void note(std::string line)
{
    s_journal.lines.push_back(std::move(line));
}

void tick(Hwnd hwnd)
{
    note("tick " + std::to_string(++s_journal.ticks));
    if (s_journal.ticks == 1)
        note("tick box " + std::to_string(controls::message_box(hwnd, u"GPS", u"Fix lost.")));
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (s_journal.boxes_in_paint) {
        s_journal.boxes_in_paint = false;
        note("told " + std::to_string(controls::message_box(hwnd, u"Plot", u"Nothing to draw.")));
        note("asked " + std::to_string(controls::message_box(hwnd, u"Plot", u"Redraw?", controls::kMbYesNo)));
        note("dialogs open " + std::to_string(ui::dialog_stack().size()));
    }
    ui::end_paint(hwnd, std::move(dc));
}

ui::LResult main_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    switch (msg) {
    case ui::kMsgCommand:
        if (ui::loword(wparam) == kStartTicking)
            ui::set_timer(hwnd, kTickTimer, 100);
        if (ui::loword(wparam) == kBoxesInPaint) {
            s_journal.boxes_in_paint = true;
            ui::invalidate(hwnd);
        }
        return 0;
    case ui::kMsgTimer:
        tick(hwnd);
        return 0;
    case ui::kMsgPaint:
        paint(hwnd);
        return 0;
    case ui::kMsgDestroy:
        ui::post_quit_message(0);
        return 0;
    default:
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    }
}

int nested_loop_program()
{
    ui::reset();
    controls::register_classes();
    s_journal = Journal {};
    ui::register_class({u"NestedLoopMain", main_proc});
    if (ui::create_window(u"NestedLoopMain", u"Main", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
            ui::kUseDefault, ui::kUseDefault, ui::kNoWindow)
        == ui::kNoWindow)
        return 1;
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

class NestedLoopTest : public ::testing::Test {
protected:
    std::vector<std::string> journal()
    {
        std::vector<std::string> out;
        EXPECT_TRUE(d.inspect([&] { out = s_journal.lines; }));
        return out;
    }
    Driver d {nested_loop_program};
};

TEST_F(NestedLoopTest, ATimerIsNotDeliveredAgainUnderTheBoxItsHandlerOpened)
{
    ASSERT_TRUE(d.command(kStartTicking).ok);
    ASSERT_TRUE(d.wait(1000).ok);  // ten periods under the box
    EXPECT_TRUE(d.expect_box("GPS", "Fix lost.").ok);
    EXPECT_EQ(journal(), (std::vector<std::string> {"tick 1"}));

    // Answered: the handler returns, and the overdue timer fires once, then keeps its period.
    ASSERT_TRUE(d.answer("ok").ok);
    EXPECT_EQ(journal(), (std::vector<std::string> {"tick 1", "tick box 1", "tick 2"}));
    ASSERT_TRUE(d.wait(250).ok);
    EXPECT_EQ(journal().back(), "tick 4");
    EXPECT_TRUE(d.expect_window("main").ok);
}

TEST_F(NestedLoopTest, APaintTellsAfterPaintingAndCannotAsk)
{
    ASSERT_TRUE(d.command(kBoxesInPaint).ok);
    // The paint ran to its end with no box open; the informing box came up after it.
    EXPECT_EQ(journal(), (std::vector<std::string> {"told 1", "asked 0", "dialogs open 0"}));
    EXPECT_TRUE(d.expect_box("Plot", "Nothing to draw.").ok);
    ASSERT_TRUE(d.answer("ok").ok);
    // The question was never shown.
    EXPECT_TRUE(d.expect_window("main").ok);
    EXPECT_EQ(journal().size(), 3u);
}

}  // namespace
}  // namespace platform::driver::testing
