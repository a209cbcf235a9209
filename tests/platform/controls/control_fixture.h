#pragma once
// A top-level window that records the notifications its controls send, and stylus and key helpers that
// go through the window manager's input, on the test's own thread (no display installed).

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "tests/support/program_state.h"

namespace platform::controls::testing {

using ui::Hwnd;

struct Notification {
    int id;
    int code;
    bool operator==(const Notification& o) const { return id == o.id && code == o.code; }
};

inline std::vector<Notification>& notifications()
{
    static std::vector<Notification> log;
    return log;
}

// Stylus releases the parent window heard, in its client coordinates.
inline std::vector<ui::Point>& parent_taps()
{
    static std::vector<ui::Point> log;
    return log;
}

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        register_classes();
        notifications().clear();
        parent_taps().clear();
        ui::WindowClass cls;
        cls.name = u"ControlTestParent";
        cls.proc = [](Hwnd h, uint32_t msg, ui::WParam w, ui::LParam l) -> ui::LResult {
            if (msg == ui::kMsgCommand)
                notifications().push_back({ui::loword(w), ui::hiword(w)});
            if (msg == ui::kMsgLButtonUp)
                parent_taps().push_back({ui::point_x(l), ui::point_y(l)});
            return ui::default_window_proc(h, msg, w, l);
        };
        ui::register_class(cls);
        m_parent = ui::create_window(u"ControlTestParent", u"Parent", ui::kStyleVisible, ui::kUseDefault,
            ui::kUseDefault, ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
        ASSERT_NE(m_parent, ui::kNoWindow);
        ui::set_foreground_window(m_parent);
        ui::pump_messages();
    }
    void TearDown() override { testing_support::reset_program_state(); }

    Hwnd make(std::u16string_view cls, std::u16string_view text, uint32_t style, ui::Rect r, int id)
    {
        Hwnd h = ui::create_window(
            cls, text, style | ui::kStyleChild | ui::kStyleVisible, r.left, r.top, r.width(), r.height(), m_parent, id);
        EXPECT_NE(h, ui::kNoWindow);
        ui::pump_messages();
        return h;
    }

    // Stylus pressed and released at client point (x, y) of `hwnd` (or released at (x2, y2) of it).
    void tap(Hwnd hwnd, int x, int y) { drag(hwnd, x, y, x, y); }
    void drag(Hwnd hwnd, int x, int y, int x2, int y2)
    {
        ui::Point a = ui::client_to_screen(hwnd, {x, y});
        ui::Point b = ui::client_to_screen(hwnd, {x2, y2});
        ui::input_button_down(a.x, a.y);
        ui::pump_messages();
        if (a.x != b.x || a.y != b.y) {
            ui::input_mouse_move(b.x, b.y);
            ui::pump_messages();
        }
        ui::input_button_up(b.x, b.y);
        ui::pump_messages();
    }
    void tap_screen(int x, int y)
    {
        ui::input_button_down(x, y);
        ui::pump_messages();
        ui::input_button_up(x, y);
        ui::pump_messages();
    }
    void key(uint32_t k, unsigned mods = 0)
    {
        ui::input_key(k, mods);
        ui::pump_messages();
    }
    void chars(std::u16string_view s)
    {
        for (char16_t c : s)
            ui::input_char(c);
        ui::pump_messages();
    }
    std::vector<Notification> take()
    {
        std::vector<Notification> out;
        std::swap(out, notifications());
        return out;
    }

    Hwnd m_parent = ui::kNoWindow;
};

}  // namespace platform::controls::testing
