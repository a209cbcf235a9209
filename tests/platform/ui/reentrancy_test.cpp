// Handlers that run nested loops: a timer is not delivered again while its handler runs, no dialog opens
// while a paint message is handled, and a dialog paints through the device context it is given.

#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;
namespace clk = platform::clock;
namespace gdi = platform::gdi;

namespace {

// Lets virtual time run to each deadline the loop waits for, as a real clock would. A loop that keeps
// waiting for a deadline already past (a timer it can never deliver) is stopped and fails the case.
class ClockBackend : public ScriptBackend {
public:
    int waits = 0;
    void wait(std::optional<uint64_t> deadline) override
    {
        if (++waits > 1000 || !deadline) {
            ADD_FAILURE() << "the loop waited " << waits << " times, deadline " << deadline.value_or(0);
            ui::post_quit_message(99);
            return;
        }
        // Whatever is due is delivered before the loop waits: a deadline already past is a timer the loop
        // cannot deliver, and would have it spin.
        EXPECT_GT(*deadline, clk::now_ms());
        if (*deadline > clk::now_ms())
            clk::advance_ms(*deadline - clk::now_ms());
    }
};

// A pop-up whose handlers are set by the case.
struct HookedDialog : ui::DialogProc {
    std::function<bool()> init = [] { return true; };
    std::function<bool(int)> timer = [](int) { return false; };
    std::function<void(gdi::DC&)> paint = [](gdi::DC&) {};
    bool on_init() override { return init(); }
    bool on_timer(int id) override { return timer(id); }
    bool on_paint(gdi::DC& dc) override
    {
        paint(dc);
        return true;
    }
};

ui::DialogTemplate popup(std::string name)
{
    ui::DialogTemplate t;
    t.name = std::move(name);
    t.title = u"Pop";
    t.full_screen = false;
    t.rect = {0, 0, 120, 80};
    return t;
}

}  // namespace

class ReentrancyTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        platform::display::set_backend(&clock_backend);
        main_window = make_top(u"Main");
        ui::add_dialog_template(popup("NESTED"));
        ui::pump_messages();
    }
    void TearDown() override
    {
        platform::display::set_backend(&backend);
        UiTest::TearDown();
    }
    ClockBackend clock_backend;
    ui::Hwnd main_window = ui::kNoWindow;
};

// The main window's timer opens a dialog that lives for five ticks of its own timer. The outer timer,
// due many times over meanwhile, waits for its handler to return and then fires once.
TEST_F(ReentrancyTest, ATimerWaitsForItsOwnHandlerButNotForOthers)
{
    constexpr int kOuter = 1, kInner = 2;
    std::vector<std::pair<int, uint64_t>> ticks;  // (timer, time)
    uint64_t returned_at = 0;
    hooks()[main_window] = [&](ui::Hwnd h, uint32_t msg, ui::WParam id, ui::LParam) {
        if (msg != ui::kMsgTimer)
            return false;
        ticks.push_back({int(id), clk::now_ms()});
        if (ticks.size() > 1) {
            ui::post_quit_message(0);
            return true;
        }
        HookedDialog nested;
        int inner_ticks = 0;
        nested.init = [&] { return ui::set_timer(nested.hwnd(), kInner, 10); };
        nested.timer = [&](int timer_id) {
            ticks.push_back({timer_id, clk::now_ms()});
            if (++inner_ticks == 5)
                ui::end_dialog(nested.hwnd(), ui::kIdOk);
            return true;
        };
        EXPECT_EQ(ui::run_dialog("NESTED", h, nested), ui::kIdOk);
        returned_at = clk::now_ms();
        return true;
    };
    ui::set_timer(main_window, kOuter, 5);
    EXPECT_EQ(run_main_loop(), 0);

    std::vector<int> order;
    for (const auto& t : ticks)
        order.push_back(t.first);
    EXPECT_EQ(order, (std::vector<int> {kOuter, kInner, kInner, kInner, kInner, kInner, kOuter}));
    EXPECT_EQ(ticks.back().second, returned_at);  // overdue at the return, so it fires then, once
    EXPECT_LT(clock_backend.waits, 20);
}

TEST_F(ReentrancyTest, NoDialogOpensWhilePaintingAndPaintingEndsWithThePaint)
{
    HookedDialog refused;
    bool inits = false;
    refused.init = [&] { return inits = true; };
    std::vector<int> results;
    std::vector<bool> painting_seen;
    hooks()[main_window] = [&](ui::Hwnd h, uint32_t msg, ui::WParam, ui::LParam) {
        if (msg == ui::kMsgPaint) {
            painting_seen.push_back(ui::painting());
            results.push_back(ui::run_dialog("NESTED", h, refused));
            ui::end_paint(h, ui::begin_paint(h));
            return true;
        }
        if (msg == ui::kMsgUser) {
            painting_seen.push_back(ui::painting());
            ui::invalidate(h);
            ui::update_window(h);  // a paint inside another handler is painting too
            painting_seen.push_back(ui::painting());
            return true;
        }
        return false;
    };
    ui::invalidate(main_window);
    ui::pump_messages();
    ui::post_message(main_window, ui::kMsgUser);
    ui::pump_messages();
    EXPECT_EQ(results, (std::vector<int> {-1, -1}));
    EXPECT_FALSE(inits);
    EXPECT_TRUE(ui::dialog_stack().empty());
    EXPECT_EQ(painting_seen, (std::vector<bool> {true, false, true, false}));
    EXPECT_FALSE(ui::painting());
}

TEST_F(ReentrancyTest, PostedCallsRunFromTheLoopInOrderWithPostedMessages)
{
    std::vector<int> seen;
    hooks()[main_window] = [&](ui::Hwnd, uint32_t msg, ui::WParam wparam, ui::LParam) {
        if (msg == ui::kMsgUser)
            seen.push_back(int(wparam));
        return msg == ui::kMsgUser;
    };
    ui::post_message(main_window, ui::kMsgUser, 1);
    ui::post_call([&] {
        seen.push_back(2);
        ui::post_call([&] { seen.push_back(4); });  // queued behind what is already posted
    });
    ui::post_message(main_window, ui::kMsgUser, 3);
    EXPECT_TRUE(seen.empty());
    ui::pump_messages();
    EXPECT_EQ(seen, (std::vector<int> {1, 2, 3, 4}));
    ui::pump_messages();
    EXPECT_EQ(seen.size(), 4u);
}

// The dialog's DC is on its client area after the erase; its controls paint over what it draws; and
// what one paint selects is gone at the next.
TEST_F(ReentrancyTest, ADialogPaintsThroughTheDeviceContextItIsGiven)
{
    constexpr gdi::Color kRed = gdi::rgb(255, 0, 0), kBlue = gdi::rgb(0, 0, 255);
    ui::DialogTemplate t = popup("PAINTED");
    t.controls.push_back({7, u"Probe", u"", {10, 10, 30, 30}, ui::kStyleVisible | ui::kStyleChild});
    ui::add_dialog_template(t);
    HookedDialog painted;
    std::vector<int> rops_on_entry;
    ui::Rect r;
    painted.init = [&] {
        fills()[painted.item(7)] = kBlue;
        r = ui::window_rect(painted.hwnd());
        return ui::set_timer(painted.hwnd(), 1, 1);
    };
    painted.paint = [&](gdi::DC& dc) {
        rops_on_entry.push_back(dc.rop2());
        EXPECT_EQ(dc.origin().x, r.left);
        EXPECT_EQ(dc.origin().y, r.top);
        dc.fill_rect(ui::client_rect(painted.hwnd()), kRed);
        dc.set_rop2(gdi::kRopXorPen);
    };
    // Each tick comes once the paints are done: the screen shows the dialog as painted.
    painted.timer = [&](int) {
        const gdi::Bitmap& screen = ui::screen();
        EXPECT_EQ(screen.pixel(r.left, r.top), kRed);
        EXPECT_EQ(screen.pixel(r.right - 1, r.bottom - 1), kRed);
        EXPECT_EQ(screen.pixel(r.left + 20, r.top + 20), kBlue);
        if (rops_on_entry.size() == 1)
            ui::invalidate(painted.hwnd());
        else
            ui::end_dialog(painted.hwnd(), ui::kIdOk);
        return true;
    };
    EXPECT_EQ(ui::run_dialog("PAINTED", main_window, painted), ui::kIdOk);
    EXPECT_EQ(rops_on_entry, (std::vector<int> {gdi::kRopCopyPen, gdi::kRopCopyPen}));
}
