// The message queue's order, timers on virtual time, the quit message and accelerators.

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;
namespace clk = platform::clock;

class MessagesTest : public UiTest {
protected:
    // Takes the next message without waiting; false when there is nothing to do.
    bool next(ui::Message* m)
    {
        platform::display::set_backend(nullptr);
        bool got = ui::get_message(m);
        platform::display::set_backend(&backend);
        return got;
    }
};

TEST_F(MessagesTest, PostedComeBeforeTimersWhichComeBeforePaint)
{
    ui::Hwnd w = make_top(u"A");
    ui::set_timer(w, 7, 10);
    clk::advance_ms(10);
    ui::post_message(w, ui::kMsgUser, 1);
    ui::input_key('X', 0);
    ui::post_message(w, ui::kMsgUser, 2);
    ui::Message m;
    std::vector<std::pair<uint32_t, ui::WParam>> seen;
    while (next(&m)) {
        seen.push_back({m.msg, m.wparam});
        ui::dispatch_message(m);
    }
    EXPECT_EQ(m.msg, 0u);  // idle, not quit
    std::vector<std::pair<uint32_t, ui::WParam>> want {
        {ui::kMsgUser, 1}, {ui::kMsgKeyDown, 'X'}, {ui::kMsgUser, 2}, {ui::kMsgTimer, 7}, {ui::kMsgPaint, 0}};
    EXPECT_EQ(seen, want);
}

TEST_F(MessagesTest, ALateTimerFiresOnceAndIsRescheduledFromNow)
{
    ui::Hwnd w = make_top(u"A");
    ui::pump_messages();
    ui::set_timer(w, 1, 100);
    EXPECT_EQ(ui::next_timer_due(), 100u);
    clk::advance_ms(99);
    EXPECT_EQ(ui::pump_messages(), 0);
    clk::advance_ms(251);  // now 350: three periods have passed
    ui::pump_messages();
    EXPECT_EQ(count(w, ui::kMsgTimer), 1);
    EXPECT_EQ(ui::next_timer_due(), 450u);
    EXPECT_EQ(ui::pump_messages(), 0);
}

TEST_F(MessagesTest, DueTimersComeEarliestFirst)
{
    ui::Hwnd w = make_top(u"A");
    ui::pump_messages();
    ui::set_timer(w, 1, 300);
    ui::set_timer(w, 2, 100);
    ui::set_timer(w, 3, 200);
    clk::advance_ms(1000);
    ui::pump_messages();
    std::vector<ui::WParam> ids;
    for (const Entry& e : log()) {
        if (e.msg == ui::kMsgTimer)
            ids.push_back(e.wparam);
    }
    EXPECT_EQ(ids, (std::vector<ui::WParam> {2, 3, 1}));
}

TEST_F(MessagesTest, KilledTimersAndTimersOfDestroyedWindowsStaySilent)
{
    ui::Hwnd a = make_top(u"A");
    ui::Hwnd b = make_top(u"B");
    ui::Hwnd c = make_child(b, 1, {0, 0, 5, 5});
    ui::set_timer(a, 1, 50);
    ui::set_timer(c, 2, 50);
    EXPECT_TRUE(ui::kill_timer(a, 1));
    EXPECT_FALSE(ui::kill_timer(a, 1));
    ui::destroy_window(b);
    clk::advance_ms(500);
    ui::pump_messages();
    EXPECT_EQ(count(a, ui::kMsgTimer), 0);
    EXPECT_FALSE(ui::next_timer_due().has_value());
}

TEST_F(MessagesTest, SettingATimerAgainRestartsItWithTheNewPeriod)
{
    ui::Hwnd w = make_top(u"A");
    ui::set_timer(w, 1, 100);
    clk::advance_ms(90);
    ui::set_timer(w, 1, 100);
    clk::advance_ms(20);
    ui::pump_messages();
    EXPECT_EQ(count(w, ui::kMsgTimer), 0);
    EXPECT_EQ(ui::next_timer_due(), 190u);
    ui::set_timer(w, 1, 0);  // a zero period still lets time pass
    EXPECT_EQ(ui::next_timer_due(), 111u);
}

TEST_F(MessagesTest, QuitComesAfterPostedMessagesWithItsCode)
{
    ui::Hwnd w = make_top(u"A");
    ui::post_quit_message(3);
    ui::post_message(w, ui::kMsgUser);
    EXPECT_EQ(ui::pump_messages() >= 1, true);  // the quit stays pending
    EXPECT_EQ(count(w, ui::kMsgUser), 1);
    ui::Message m;
    EXPECT_FALSE(ui::get_message(&m));
    EXPECT_EQ(m.msg, ui::kMsgQuit);
    EXPECT_EQ(m.wparam, 3u);
    // Taken once: the next calls go on as usual (the paint held back by the quit comes now).
    backend.steps.push_back([] { ui::post_quit_message(4); });
    EXPECT_EQ(run_main_loop(), 4);
    EXPECT_EQ(count(w, ui::kMsgPaint), 1);
}

TEST_F(MessagesTest, TheLoopWaitsForTheNextTimerThroughTheDisplay)
{
    ui::Hwnd w = make_top(u"A");
    ui::set_timer(w, 1, 250);
    std::optional<uint64_t> asked;
    struct Recorder : ScriptBackend {
        std::optional<uint64_t>* asked;
        void wait(std::optional<uint64_t> deadline) override
        {
            *asked = deadline;
            clk::advance_ms(*deadline - clk::now_ms());
        }
    } rec;
    rec.asked = &asked;
    platform::display::set_backend(&rec);
    ui::Message m;
    do {
        ASSERT_TRUE(ui::get_message(&m));
        ui::dispatch_message(m);
    } while (m.msg != ui::kMsgTimer);
    EXPECT_EQ(asked, 250u);
    EXPECT_EQ(clk::now_ms(), 250u);
    EXPECT_GE(rec.presents, 1);  // the screen was shown before waiting
    platform::display::set_backend(&backend);
}

TEST_F(MessagesTest, SendIsImmediatePostIsQueued)
{
    ui::Hwnd w = make_top(u"A");
    ui::pump_messages();
    log().clear();
    ui::post_message(w, ui::kMsgUser, 1);
    ui::send_message(w, ui::kMsgUser, 2);
    ASSERT_EQ(log().size(), 1u);
    EXPECT_EQ(log()[0].wparam, 2u);
    ui::pump_messages();
    ASSERT_EQ(log().size(), 2u);
    EXPECT_EQ(log()[1].wparam, 1u);
    EXPECT_EQ(ui::send_message(987654, ui::kMsgUser), 0);
}

TEST_F(MessagesTest, APaintHandlerThatDoesNotPaintIsNotAskedAgain)
{
    ui::Hwnd w = make_top(u"A");
    hooks()[w] = [](ui::Hwnd, uint32_t msg, ui::WParam, ui::LParam) { return msg == ui::kMsgPaint; };
    ui::pump_messages();
    EXPECT_EQ(count(w, ui::kMsgPaint), 1);
}

TEST_F(MessagesTest, AcceleratorsTurnKeysIntoCommands)
{
    ui::Hwnd w = make_top(u"A");
    ui::add_accelerator_table({3, {{'A', ui::kModCtrl, 40003}, {'Q', ui::kModCtrl, 1}}});
    ui::Message key {w, ui::kMsgKeyDown, 'A', ui::kModCtrl};
    log().clear();
    EXPECT_TRUE(ui::translate_accelerator(w, 3, key));
    ASSERT_EQ(log().size(), 1u);
    EXPECT_EQ(log()[0].msg, ui::kMsgCommand);
    EXPECT_EQ(ui::loword(log()[0].wparam), 40003);
    EXPECT_EQ(ui::hiword(log()[0].wparam), 1);
    EXPECT_FALSE(ui::translate_accelerator(w, 3, ui::Message {w, ui::kMsgKeyDown, 'A', 0}));
    EXPECT_FALSE(ui::translate_accelerator(w, 3, ui::Message {w, ui::kMsgKeyDown, 'A', ui::kModCtrl | ui::kModShift}));
    EXPECT_FALSE(ui::translate_accelerator(w, 3, ui::Message {w, ui::kMsgChar, 'A', ui::kModCtrl}));
    EXPECT_FALSE(ui::translate_accelerator(w, 4, key));
}
