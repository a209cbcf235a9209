#pragma once
// Shared by the window manager's tests: a display backend that plays a script of steps whenever the
// program would wait, probe windows that record the messages they receive, and a fixture that gives
// each case a clean window manager on virtual time.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/display/display.h"
#include "platform/ui/ui.h"
#include "tests/support/program_state.h"

namespace ui = platform::ui;

namespace uitest {

// Each wait() runs the next step (on the user-interface thread, as input would arrive). With no step
// left the case has gone wrong: it is failed and told to quit so it cannot hang.
class ScriptBackend : public platform::display::Backend {
public:
    std::deque<std::function<void()>> steps;
    int presents = 0;
    int raises = 0;
    int wakes = 0;

    void wait(std::optional<uint64_t> deadline_ms) override
    {
        if (steps.empty()) {
            ADD_FAILURE() << "the program waited with no step left";
            ui::post_quit_message(99);
            return;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    void present(const platform::gdi::Bitmap&) override { ++presents; }
    void raise() override { ++raises; }
    void wake() override { ++wakes; }
};

struct Entry {
    ui::Hwnd hwnd;
    uint32_t msg;
    ui::WParam wparam;
    ui::LParam lparam;
};

// Every message a probe window receives, in order (mouse moves left out).
inline std::vector<Entry>& log()
{
    static std::vector<Entry> entries;
    return entries;
}

// Per-window overrides: return true to stop default processing.
using Hook = std::function<bool(ui::Hwnd, uint32_t, ui::WParam, ui::LParam)>;
inline std::map<ui::Hwnd, Hook>& hooks()
{
    static std::map<ui::Hwnd, Hook> h;
    return h;
}
// Fill colour of probe windows when they paint (white when absent).
inline std::map<ui::Hwnd, platform::gdi::Color>& fills()
{
    static std::map<ui::Hwnd, platform::gdi::Color> f;
    return f;
}

inline ui::LResult probe_proc(ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp)
{
    if (msg != ui::kMsgMouseMove)
        log().push_back(Entry {h, msg, wp, lp});
    auto hook = hooks().find(h);
    if (hook != hooks().end() && hook->second(h, msg, wp, lp))
        return 0;
    if (msg == ui::kMsgPaint) {
        auto dc = ui::begin_paint(h);
        auto fill = fills().find(h);
        if (fill != fills().end())
            dc->fill_rect(ui::client_rect(h), fill->second);
        ui::end_paint(h, std::move(dc));
        return 0;
    }
    return ui::default_window_proc(h, msg, wp, lp);
}

inline void register_probe_classes()
{
    ui::WindowClass c;
    c.name = u"Probe";
    c.proc = probe_proc;
    ui::register_class(c);
    c.name = u"ProbeBar";
    c.no_activate = true;
    ui::register_class(c);
}

inline int count(ui::Hwnd h, uint32_t msg)
{
    int n = 0;
    for (const Entry& e : log())
        n += (e.hwnd == h && e.msg == msg) ? 1 : 0;
    return n;
}

inline std::vector<uint32_t> messages_of(ui::Hwnd h)
{
    std::vector<uint32_t> out;
    for (const Entry& e : log()) {
        if (e.hwnd == h)
            out.push_back(e.msg);
    }
    return out;
}

constexpr uint32_t kVisibleChild = ui::kStyleVisible | ui::kStyleChild;

inline ui::Hwnd make_top(std::u16string_view title = u"Top", ui::Hwnd owner = ui::kNoWindow, ui::Rect r = ui::kWorkArea,
    std::u16string_view cls = u"Probe")
{
    return ui::create_window(cls, title, ui::kStyleVisible, r.left, r.top, r.width(), r.height(), owner);
}

inline ui::Hwnd make_child(ui::Hwnd parent, int id, ui::Rect r, uint32_t style = kVisibleChild)
{
    return ui::create_window(u"Probe", u"", style, r.left, r.top, r.width(), r.height(), parent, id);
}

// Runs the loop the program's main function runs until the quit message; returns its code.
inline int run_main_loop()
{
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return m.msg == ui::kMsgQuit ? int(m.wparam) : -1;
}

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        platform::clock::use_virtual_time();
        platform::display::set_backend(&backend);
        log().clear();
        hooks().clear();
        fills().clear();
        register_probe_classes();
    }
    void TearDown() override
    {
        hooks().clear();  // they may capture the finished case's locals
        testing_support::reset_program_state();
    }
    ScriptBackend backend;
};

}  // namespace uitest
