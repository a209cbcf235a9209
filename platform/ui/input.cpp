// Input from the display, focus, capture, tab order and accelerators.

#include <algorithm>

#include "platform/ui/ui_state.h"

namespace platform::ui {

using namespace detail;

namespace {

// A tap on a window that does not take activation (a menu bar, a pop-up menu) counts only when the
// window it serves is enabled: the menu bar of a window under a modal dialog does nothing.
bool tap_allowed(Hwnd target)
{
    Hwnd top = top_level(target);
    while (Window* w = find(top)) {
        if (!is_enabled(top))
            return false;
        if (!no_activate(*w))
            return true;
        if (w->owner == kNoWindow)
            return true;
        top = w->owner;
    }
    return false;
}

void activate_on_tap(Hwnd target)
{
    Hwnd top = top_level(target);
    Window* w = find(top);
    if (w && !no_activate(*w) && top != active_window())
        set_foreground_window(top);
}

void post_mouse(Hwnd target, uint32_t msg, WParam wparam, int x, int y)
{
    Point c = screen_to_client(target, Point {x, y});
    post_message(target, msg, wparam, make_point_lparam(c.x, c.y));
}

Hwnd key_target()
{
    Hwnd f = focus();
    if (is_window(f) && is_enabled(top_level(f)))
        return f;
    return active_window();
}

bool visible_within(Hwnd hwnd, Hwnd dialog)
{
    for (Hwnd h = hwnd; h != dialog && h != kNoWindow; h = parent(h)) {
        if (!(style(h) & kStyleVisible))
            return false;
    }
    return true;
}

void collect_tab_stops(Hwnd dialog, Hwnd hwnd, std::vector<Hwnd>* out)
{
    for (Hwnd c : children(hwnd)) {
        uint32_t st = style(c);
        if ((st & kStyleTabStop) && !(st & kStyleDisabled) && visible_within(c, dialog))
            out->push_back(c);
        collect_tab_stops(dialog, c, out);
    }
}

}  // namespace

void input_button_down(int x, int y)
{
    Hwnd target = capture();
    if (target == kNoWindow) {
        if (nav_bar_tap(true, x, y))
            return;
        target = window_from_point(x, y);
        if (target == kNoWindow || !tap_allowed(target))
            return;
        activate_on_tap(target);
    }
    post_mouse(target, kMsgLButtonDown, 1, x, y);
}

void input_button_up(int x, int y)
{
    Hwnd target = capture();
    if (target == kNoWindow) {
        if (nav_bar_tap(false, x, y))
            return;
        target = window_from_point(x, y);
        if (target == kNoWindow || !tap_allowed(target))
            return;
    }
    post_mouse(target, kMsgLButtonUp, 0, x, y);
}

void input_mouse_move(int x, int y)
{
    Hwnd target = capture();
    if (target == kNoWindow) {
        target = window_from_point(x, y);
        if (target == kNoWindow || !tap_allowed(target))
            return;
    }
    // Moves pile up faster than anyone reads them; only the latest position matters.
    auto& q = state().queue;
    Point c = screen_to_client(target, Point {x, y});
    if (!q.empty() && q.back().msg == kMsgMouseMove && q.back().hwnd == target) {
        q.back().lparam = make_point_lparam(c.x, c.y);
        return;
    }
    post_message(target, kMsgMouseMove, 0, make_point_lparam(c.x, c.y));
}

void input_wheel(int x, int y, int delta)
{
    Hwnd target = window_from_point(x, y);
    if (target == kNoWindow || !tap_allowed(target))
        return;
    post_mouse(target, kMsgMouseWheel, make_wparam(0, unsigned(uint16_t(int16_t(delta)))), x, y);
}

void input_key(uint32_t key, unsigned modifiers)
{
    Hwnd target = key_target();
    if (target != kNoWindow)
        post_message(target, kMsgKeyDown, key, LParam(modifiers));
}

void input_char(char16_t c)
{
    Hwnd target = key_target();
    if (target != kNoWindow)
        post_message(target, kMsgChar, c, 0);
}

Hwnd set_focus(Hwnd hwnd)
{
    UiState& s = state();
    if (hwnd != kNoWindow) {
        Window* w = find(hwnd);
        if (!w)
            return kNoWindow;
        Window* top = find(top_level(hwnd));
        if (top && no_activate(*top))
            return kNoWindow;
    }
    Hwnd old = s.focus;
    if (old == hwnd)
        return old;
    if (is_window(old))
        send_message(old, kMsgKillFocus, hwnd);
    s.focus = is_window(hwnd) ? hwnd : kNoWindow;
    if (s.focus != kNoWindow) {
        if (Window* top = find(top_level(hwnd)))
            top->saved_focus = hwnd;
        send_message(hwnd, kMsgSetFocus, old);
    }
    return old;
}

Hwnd focus()
{
    return state().focus;
}

Hwnd next_tab_stop(Hwnd dialog, Hwnd from, bool backwards)
{
    std::vector<Hwnd> stops;
    collect_tab_stops(dialog, dialog, &stops);
    if (stops.empty())
        return kNoWindow;
    auto it = std::find(stops.begin(), stops.end(), from);
    int n = int(stops.size());
    if (it == stops.end())
        return backwards ? stops.back() : stops.front();
    int i = int(it - stops.begin());
    return stops[size_t((i + (backwards ? n - 1 : 1)) % n)];
}

Hwnd set_capture(Hwnd hwnd)
{
    Hwnd old = state().capture;
    state().capture = is_window(hwnd) ? hwnd : kNoWindow;
    return old;
}

void release_capture()
{
    state().capture = kNoWindow;
}

Hwnd capture()
{
    return state().capture;
}

void add_accelerator_table(const AcceleratorTable& table)
{
    state().accelerators[table.id] = table;
}

bool translate_accelerator(Hwnd window, int table_id, const Message& m)
{
    if (m.msg != kMsgKeyDown || !is_window(window))
        return false;
    auto it = state().accelerators.find(table_id);
    if (it == state().accelerators.end())
        return false;
    unsigned mods = unsigned(m.lparam) & (kModShift | kModCtrl | kModAlt);
    for (const Accelerator& a : it->second.entries) {
        if (a.key == m.wparam && a.modifiers == mods) {
            send_message(window, kMsgCommand, make_wparam(unsigned(a.command), 1), 0);
            return true;
        }
    }
    return false;
}

}  // namespace platform::ui
