// The one message queue: sending, posting, the order in which get_message hands out work, and timers.

#include <algorithm>

#include "platform/clock/clock.h"
#include "platform/display/display.h"
#include "platform/ui/ui_state.h"

namespace platform::ui {
namespace detail {

void drop_messages_for(Hwnd hwnd)
{
    auto& q = state().queue;
    q.erase(std::remove_if(q.begin(), q.end(), [hwnd](const Message& m) { return m.hwnd == hwnd; }), q.end());
}

void kill_timers_for(Hwnd hwnd)
{
    auto& t = state().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [hwnd](const Timer& x) { return x.hwnd == hwnd; }), t.end());
}

void clear_queue()
{
    state().queue.clear();
    state().calls.clear();
    state().timers_running.clear();
}

namespace {

enum class Next { Message, Quit, Idle };

bool handler_running(const Timer& t)
{
    for (const auto& [hwnd, id] : state().timers_running) {
        if (hwnd == t.hwnd && id == t.id)
            return true;
    }
    return false;
}

// Marks a timer's handler as running for the length of its dispatch.
class RunningTimer {
public:
    explicit RunningTimer(const Message& m)
        : m_entry {m.hwnd, int(m.wparam)}
    {
        state().timers_running.push_back(m_entry);
    }
    ~RunningTimer()
    {
        auto& running = state().timers_running;
        auto it = std::find(running.rbegin(), running.rend(), m_entry);
        if (it != running.rend())
            running.erase(std::next(it).base());
    }
    RunningTimer(const RunningTimer&) = delete;
    RunningTimer& operator=(const RunningTimer&) = delete;

private:
    std::pair<Hwnd, int> m_entry;
};

class Painting {
public:
    Painting() { ++state().painting; }
    ~Painting() { --state().painting; }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
};

void run_call(WParam ticket)
{
    auto& calls = state().calls;
    auto it = calls.find(ticket);
    if (it == calls.end())
        return;
    std::function<void()> call = std::move(it->second);
    calls.erase(it);
    call();
}

// The earliest timer that is due now, rescheduled from now: a timer that fell several periods behind
// fires once, not once for every period it missed. A timer whose handler is still running is passed
// over; it stays due and fires once that handler has returned.
bool take_due_timer(Message* out)
{
    auto& timers = state().timers;
    uint64_t now = clock::now_ms();
    Timer* best = nullptr;
    for (auto& t : timers) {
        if (t.due_ms > now || handler_running(t))
            continue;
        if (!best || t.due_ms < best->due_ms || (t.due_ms == best->due_ms && t.order < best->order))
            best = &t;
    }
    if (!best)
        return false;
    best->due_ms = now + best->period_ms;
    *out = Message {best->hwnd, kMsgTimer, WParam(best->id), 0};
    return true;
}

// Posted messages and input first, then the quit message, then due timers, then paint.
Next take_next(Message* out, bool take_quit)
{
    UiState& s = state();
    instance_drain_requests();
    while (!s.queue.empty()) {
        Message m = s.queue.front();
        s.queue.pop_front();
        if (instance_handle(m))
            continue;
        *out = m;
        return Next::Message;
    }
    if (s.quit_pending) {
        if (!take_quit)
            return Next::Idle;
        s.quit_pending = false;
        *out = Message {kNoWindow, kMsgQuit, WParam(s.quit_code), 0};
        return Next::Quit;
    }
    if (take_due_timer(out))
        return Next::Message;
    if (Hwnd h = next_paint()) {
        *out = Message {h, kMsgPaint, 0, 0};
        return Next::Message;
    }
    present_if_dirty();
    return Next::Idle;
}

}  // namespace
}  // namespace detail

using namespace detail;

LResult send_message(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    Window* w = find(hwnd);
    if (!w)
        return 0;
    // Held here so that a window destroyed by its own handler keeps its procedure until it returns.
    std::shared_ptr<WndProc> proc = w->proc;
    std::shared_ptr<const ClassRec> cls = w->cls;
    return proc ? (*proc)(hwnd, msg, wparam, lparam) : cls->cls.proc(hwnd, msg, wparam, lparam);
}

bool post_message(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    if (hwnd != kNoWindow && !is_window(hwnd))
        return false;
    state().queue.push_back(Message {hwnd, msg, wparam, lparam});
    return true;
}

void post_call(std::function<void()> call)
{
    UiState& s = state();
    uint64_t ticket = ++s.next_call;
    s.calls.emplace(ticket, std::move(call));
    s.queue.push_back(Message {kNoWindow, kMsgCall, WParam(ticket), 0});
}

bool painting()
{
    return state().painting > 0;
}

void post_quit_message(int exit_code)
{
    state().quit_pending = true;
    state().quit_code = exit_code;
}

bool get_message(Message* out)
{
    for (;;) {
        switch (take_next(out, true)) {
        case Next::Message:
            return true;
        case Next::Quit:
            return false;
        case Next::Idle:
            break;
        }
        display::Backend* b = display::backend();
        if (!b) {
            *out = Message {};
            return false;
        }
        b->wait(next_timer_due());
    }
}

LResult dispatch_message(const Message& m)
{
    if (m.hwnd == kNoWindow && m.msg == kMsgCall) {
        run_call(m.wparam);
        return 0;
    }
    if (m.hwnd == kNoWindow || !is_window(m.hwnd))
        return 0;
    std::optional<RunningTimer> running_timer;
    std::optional<Painting> paint_in_progress;
    if (m.msg == kMsgTimer)
        running_timer.emplace(m);
    if (m.msg == kMsgPaint)
        paint_in_progress.emplace();
    LResult r = send_message(m.hwnd, m.msg, m.wparam, m.lparam);
    // A procedure that handled paint without painting must not be asked again and again.
    if (m.msg == kMsgPaint) {
        if (Window* w = find(m.hwnd))
            w->invalid = w->erase = false;
    }
    return r;
}

bool input_waiting(Hwnd window, uint32_t msg)
{
    if (display::Backend* b = display::backend())
        b->poll();
    for (const Message& m : state().queue) {
        if (m.msg != msg)
            continue;
        for (Hwnd h = m.hwnd; h != kNoWindow; h = parent(h))
            if (h == window)
                return true;
    }
    return false;
}

int pump_messages()
{
    int count = 0;
    Message m;
    while (take_next(&m, false) == Next::Message) {
        dispatch_message(m);
        ++count;
    }
    return count;
}

bool set_timer(Hwnd hwnd, int id, uint32_t period_ms)
{
    if (!is_window(hwnd))
        return false;
    // A period of zero would be due again at once and starve everything else.
    uint32_t period = std::max<uint32_t>(period_ms, 1);
    uint64_t due = clock::now_ms() + period;
    auto& timers = state().timers;
    for (auto& t : timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.period_ms = period;
            t.due_ms = due;
            t.order = ++state().timer_order;
            return true;
        }
    }
    timers.push_back(Timer {hwnd, id, period, due, ++state().timer_order});
    return true;
}

bool kill_timer(Hwnd hwnd, int id)
{
    auto& t = state().timers;
    auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == t.end())
        return false;
    t.erase(it);
    return true;
}

std::optional<uint64_t> next_timer_due()
{
    std::optional<uint64_t> best;
    for (const auto& t : state().timers) {
        if (handler_running(t))
            continue;
        if (!best || t.due_ms < *best)
            best = t.due_ms;
    }
    return best;
}

}  // namespace platform::ui
