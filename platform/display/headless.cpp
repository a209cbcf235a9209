// The headless display. Two threads take turns holding one baton: the program runs until its queue is
// empty and no timer is due (it parks in the backend's wait), then the driver runs until it resumes the
// program. Never both at once, so the driver reads windows that hold still, and the program never sees
// its state change under it.

#include "platform/display/headless.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/clock/clock.h"
#include "platform/display/display.h"
#include "platform/reset/reset.h"
#include "platform/ui/messages.h"
#include "platform/ui/shell.h"
#include "platform/ui/windows.h"

namespace platform::display::headless {

namespace {

enum class Turn { Program, Driver };

class HeadlessBackend : public Backend {
public:
    void wait(std::optional<uint64_t> deadline_ms) override;
    void poll() override;
    void present(const gdi::Bitmap& screen) override { }
    // A wake from another thread is taken up at the driver's next step: the program resumes only when
    // the driver lets it, so runs stay repeatable.
    void wake() override { }
};

struct HeadlessState {
    std::mutex mutex;  // guards turn, ended, exit_code
    std::condition_variable cv;
    Turn turn = Turn::Driver;
    bool started = false;  // start() ran and finish() has not collected the thread
    bool ended = false;    // the program function returned
    int exit_code = 0;
    std::thread thread;  // the program's user-interface thread
    HeadlessBackend backend;
    // Input armed to arrive while the program works: delivered at the given poll.
    int polls_until_input = 0;
    std::function<void()> input_during_work;

    // A program still parked at exit cannot be joined; it ends with the process.
    ~HeadlessState()
    {
        if (thread.joinable())
            thread.detach();
    }
};

HeadlessState s_headless;

void HeadlessBackend::wait(std::optional<uint64_t>)
{
    std::unique_lock lock(s_headless.mutex);
    s_headless.turn = Turn::Driver;
    s_headless.cv.notify_all();
    s_headless.cv.wait(lock, [] { return s_headless.turn == Turn::Program; });
}

void HeadlessBackend::poll()
{
    std::function<void()> input;
    {
        std::lock_guard lock(s_headless.mutex);
        if (!s_headless.input_during_work || --s_headless.polls_until_input > 0)
            return;
        input = std::move(s_headless.input_during_work);
        s_headless.input_during_work = nullptr;
    }
    input();
}

// Driver side: hands the baton to the program and waits until it parks again or ends.
void resume()
{
    std::unique_lock lock(s_headless.mutex);
    if (s_headless.ended)
        return;
    s_headless.turn = Turn::Program;
    s_headless.cv.notify_all();
    s_headless.cv.wait(lock, [] { return s_headless.turn == Turn::Driver; });
}

bool ended()
{
    std::lock_guard lock(s_headless.mutex);
    return s_headless.ended;
}

void run_program(const std::function<int()>& program)
{
    int code = 1;
    try {
        code = program();
    } catch (...) {
        code = 1;
    }
    std::lock_guard lock(s_headless.mutex);
    s_headless.ended = true;
    s_headless.exit_code = code;
    s_headless.turn = Turn::Driver;
    s_headless.cv.notify_all();
}

void advance_clock_to(uint64_t t)
{
    uint64_t now = clock::now_ms();
    if (t > now)
        clock::advance_ms(t - now);
}

}  // namespace

void arm_input_during_work(int polls, std::function<void()> input)
{
    std::lock_guard lock(s_headless.mutex);
    s_headless.polls_until_input = polls < 1 ? 1 : polls;
    s_headless.input_during_work = std::move(input);
}

void start(std::function<int()> program)
{
    if (s_headless.thread.joinable())
        s_headless.thread.join();
    clock::use_virtual_time();
    set_backend(&s_headless.backend);
    {
        std::lock_guard lock(s_headless.mutex);
        s_headless.started = true;
        s_headless.ended = false;
        s_headless.exit_code = 0;
        s_headless.turn = Turn::Program;
    }
    s_headless.thread = std::thread(run_program, std::move(program));
    std::unique_lock lock(s_headless.mutex);
    s_headless.cv.wait(lock, [] { return s_headless.turn == Turn::Driver; });
}

bool act(const std::function<void()>& action)
{
    if (!s_headless.started || ended())
        return false;
    action();
    resume();
    return true;
}

bool advance(uint64_t ms)
{
    if (!s_headless.started || ended())
        return false;
    uint64_t target = clock::now_ms() + ms;
    // Each timer runs at its own due time, in turn; the program parks after each.
    for (;;) {
        auto next = ui::next_timer_due();
        if (!next || *next > target)
            break;
        uint64_t before = clock::now_ms();
        advance_clock_to(*next);
        resume();
        if (ended())
            return false;
        // A program parked with a timer still due at this very time would never let time move on.
        auto after = ui::next_timer_due();
        if (after && *after <= before && *next <= before)
            break;
    }
    advance_clock_to(target);
    resume();
    return !ended();
}

bool running()
{
    return s_headless.started && !ended();
}

int finish()
{
    if (!s_headless.started)
        return s_headless.exit_code;
    if (!ended()) {
        act([] {
            for (ui::Hwnd h : ui::top_level_windows()) {
                if (ui::owner(h) == ui::kNoWindow && h != ui::input_panel_window()) {
                    ui::post_message(h, ui::kMsgClose);
                    return;
                }
            }
            ui::post_quit_message(0);
        });
    }
    // A program that stays up after its main window was asked to close is told to quit.
    for (int i = 0; i < 100 && !ended(); ++i)
        act([] { ui::post_quit_message(0); });
    if (!ended())
        return -1;
    s_headless.thread.join();
    s_headless.started = false;
    set_backend(nullptr);
    return s_headless.exit_code;
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered = platform::register_reset(platform::ResetStage::Display, [] {
    finish();
    std::lock_guard lock(s_headless.mutex);
    s_headless.input_during_work = nullptr;
});

}  // namespace

}  // namespace platform::display::headless
