// The order of top-level windows, which one is active, and which window a point reaches.

#include <algorithm>

#include "platform/ui/ui_state.h"

namespace platform::ui {
namespace detail {

namespace {

bool can_be_active(const Window& w)
{
    return (w.style & kStyleVisible) && !(w.style & kStyleDisabled) && !no_activate(w) && !w.destroying;
}

Hwnd compute_active()
{
    auto& z = state().z_order;
    for (auto it = z.rbegin(); it != z.rend(); ++it) {
        Window* w = find(*it);
        if (w && can_be_active(*w))
            return *it;
    }
    return kNoWindow;
}

bool inside(Hwnd hwnd, Hwnd top)
{
    return hwnd != kNoWindow && top_level(hwnd) == top;
}

void remember_focus(Hwnd old_active)
{
    Window* w = find(old_active);
    if (w && inside(state().focus, old_active))
        w->saved_focus = state().focus;
}

// The newly active window gets back the focus it had; a window that never had one takes it itself.
void restore_focus(Hwnd now)
{
    if (inside(state().focus, now))
        return;
    Window* w = find(now);
    if (!w)
        return;
    Hwnd saved = w->saved_focus;
    if (inside(saved, now) && is_visible(saved) && is_enabled(saved))
        set_focus(saved);
    else
        set_focus(now);
}

void push_owned_above(Hwnd hwnd, std::vector<Hwnd>* order)
{
    auto& z = state().z_order;
    std::vector<Hwnd> owned;
    for (Hwnd t : z) {
        if (owner(t) == hwnd)
            owned.push_back(t);
    }
    for (Hwnd o : owned) {
        order->push_back(o);
        push_owned_above(o, order);
    }
}

}  // namespace

void keep_panel_on_top()
{
    Hwnd panel = state().panel_window;
    auto& z = state().z_order;
    auto at = std::find(z.begin(), z.end(), panel);
    if (at == z.end())
        return;
    z.erase(at);
    // Above every window that can be active; pop-up menus opened later may still cover it.
    size_t place = 0;
    for (size_t i = 0; i < z.size(); ++i) {
        Window* w = find(z[i]);
        if (w && !no_activate(*w))
            place = i + 1;
    }
    z.insert(z.begin() + std::ptrdiff_t(place), panel);
}

void bring_to_top(Hwnd hwnd)
{
    std::vector<Hwnd> moving {hwnd};
    push_owned_above(hwnd, &moving);
    auto& z = state().z_order;
    std::vector<Hwnd> rest;
    for (Hwnd t : z) {
        if (std::find(moving.begin(), moving.end(), t) == moving.end())
            rest.push_back(t);
    }
    rest.insert(rest.end(), moving.begin(), moving.end());
    if (rest == z)
        return;
    z = rest;
    for (Hwnd t : moving) {
        if (is_visible(t))
            invalidate_tree(t);
    }
    keep_panel_on_top();
}

void update_activation()
{
    UiState& s = state();
    // Activation handlers may show, hide or destroy windows; the change they make is taken up by
    // the outer call instead of recursing.
    if (s.in_activation) {
        s.activation_again = true;
        return;
    }
    s.in_activation = true;
    do {
        s.activation_again = false;
        Hwnd now = compute_active();
        if (now == s.active)
            continue;
        Hwnd old = s.active;
        if (is_window(old))
            remember_focus(old);
        s.active = now;
        s.screen_dirty = true;
        if (is_window(old))
            send_message(old, kMsgActivate, 0, LParam(now));
        if (is_window(now)) {
            send_message(now, kMsgActivate, 1, LParam(old));
            if (s.active == now)
                restore_focus(now);
        } else if (s.focus != kNoWindow && !is_window(top_level(s.focus))) {
            s.focus = kNoWindow;
        }
    } while (s.activation_again);
    s.in_activation = false;
}

void forget_window(Hwnd hwnd)
{
    UiState& s = state();
    if (s.focus == hwnd)
        s.focus = kNoWindow;
    if (s.capture == hwnd)
        s.capture = kNoWindow;
    if (s.active == hwnd)
        s.active = kNoWindow;
    for (auto& [h, w] : s.windows) {
        if (w->saved_focus == hwnd)
            w->saved_focus = kNoWindow;
    }
    if (s.panel_window == hwnd) {
        s.panel_window = kNoWindow;
        s.panel_raised = false;
    }
    kill_timers_for(hwnd);
    drop_messages_for(hwnd);
}

}  // namespace detail

using namespace detail;

Hwnd active_window()
{
    return state().active;
}

bool set_foreground_window(Hwnd hwnd)
{
    Hwnd base = hwnd & ~Hwnd(1);
    if (instance_is_remote(base))
        return instance_foreground_remote();
    Window* w = find(base);
    if (!w || !is_top_level(*w))
        return false;
    bring_to_top(base);
    update_activation();
    return true;
}

Hwnd find_window(std::u16string_view class_name_text, std::u16string_view title)
{
    auto cls = fold(class_name_text);
    auto ttl = fold(title);
    for (Hwnd t : state().z_order) {
        Window* w = find(t);
        if (w && !w->destroying && fold(w->cls->cls.name) == cls && fold(w->text) == ttl)
            return t;
    }
    return instance_find_remote(class_name_text, title);
}

namespace {

Hwnd child_from_point(Hwnd hwnd, int x, int y)
{
    Window* w = find(hwnd);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        Window* c = find(*it);
        if (!c || !(c->style & kStyleVisible) || (c->style & kStyleDisabled))
            continue;
        if (screen_rect(*c).contains(x, y))
            return child_from_point(*it, x, y);
    }
    return hwnd;
}

}  // namespace

Hwnd window_from_point(int x, int y)
{
    if (y < kNavBarHeight)
        return kNoWindow;
    auto& z = state().z_order;
    for (auto it = z.rbegin(); it != z.rend(); ++it) {
        Window* w = find(*it);
        if (!w || !(w->style & kStyleVisible) || w->destroying)
            continue;
        if (!screen_rect(*w).contains(x, y))
            continue;
        if (w->style & kStyleDisabled)
            return kNoWindow;
        return child_from_point(*it, x, y);
    }
    return kNoWindow;
}

}  // namespace platform::ui
