// Window classes, the window tree and each window's properties.

#include <algorithm>

#include "platform/reset/reset.h"
#include "platform/ui/ui_state.h"

namespace platform::ui {
namespace detail {

namespace {
UiState s_ui;
}  // namespace

UiState& state()
{
    return s_ui;
}

Window* find(Hwnd hwnd)
{
    auto it = s_ui.windows.find(hwnd);
    return it == s_ui.windows.end() ? nullptr : it->second.get();
}

// Letter case folded over ASCII and Latin-1, as the handheld compares class names and titles.
std::u16string fold(std::u16string_view s)
{
    std::u16string out(s);
    for (auto& c : out) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = char16_t(c + 32);
    }
    return out;
}

bool is_top_level(const Window& w)
{
    return (w.style & kStyleChild) == 0;
}

bool no_activate(const Window& w)
{
    return is_top_level(w) && w.cls->cls.no_activate;
}

Rect screen_rect(const Window& w)
{
    Rect r = w.rect;
    for (Window* p = find(w.parent); p; p = find(p->parent)) {
        r.left += p->rect.left;
        r.right += p->rect.left;
        r.top += p->rect.top;
        r.bottom += p->rect.top;
    }
    return r;
}

}  // namespace detail

using namespace detail;

namespace {

// Where a new window goes: top-level windows to the top of the z-order, children to the top of their
// parent's children.
Window* link_new_window(std::unique_ptr<Window> w)
{
    Window* raw = w.get();
    bool top = is_top_level(*raw);
    if (top)
        state().z_order.push_back(raw->hwnd);
    else
        find(raw->parent)->children.push_back(raw->hwnd);
    state().windows[raw->hwnd] = std::move(w);
    if (top)
        keep_panel_on_top();
    return raw;
}

Rect initial_rect(bool top_level, int x, int y, int w, int h)
{
    if (top_level) {
        // As on the handheld, the default is everything below the navigation bar: a main window then gives
        // up its menu bar's height itself.
        if (x == kUseDefault)
            x = 0;
        if (y == kUseDefault)
            y = kNavBarHeight;
        if (w == kUseDefault)
            w = kScreenWidth;
        if (h == kUseDefault)
            h = kScreenHeight - kNavBarHeight;
    } else {
        if (x == kUseDefault)
            x = 0;
        if (y == kUseDefault)
            y = 0;
        if (w == kUseDefault)
            w = 0;
        if (h == kUseDefault)
            h = 0;
    }
    return Rect {x, y, x + std::max(w, 0), y + std::max(h, 0)};
}

// Every window of the tree rooted at `hwnd`, parent before children (the order destroy messages take).
void collect_tree(Hwnd hwnd, std::vector<Hwnd>* out)
{
    Window* w = find(hwnd);
    if (!w)
        return;
    out->push_back(hwnd);
    for (Hwnd c : w->children)
        collect_tree(c, out);
}

std::vector<Hwnd> owned_windows(Hwnd owner)
{
    std::vector<Hwnd> out;
    for (Hwnd t : state().z_order) {
        Window* w = find(t);
        if (w && w->owner == owner && !w->destroying)
            out.push_back(t);
    }
    return out;
}

void unlink_window(Window* w)
{
    auto& z = state().z_order;
    if (is_top_level(*w)) {
        z.erase(std::remove(z.begin(), z.end(), w->hwnd), z.end());
    } else if (Window* p = find(w->parent)) {
        p->children.erase(std::remove(p->children.begin(), p->children.end(), w->hwnd), p->children.end());
    }
}

}  // namespace

bool register_class(const WindowClass& cls)
{
    if (!cls.proc || cls.name.empty())
        return false;
    auto key = fold(cls.name);
    if (state().classes.count(key))
        return false;
    state().classes[key] = std::make_shared<const ClassRec>(ClassRec {cls});
    return true;
}

Hwnd create_window(std::u16string_view class_name, std::u16string_view text, uint32_t style, int x, int y, int w, int h,
    Hwnd parent_hwnd, int id, void* create_param)
{
    register_builtin_classes();
    auto cls = state().classes.find(fold(class_name));
    if (cls == state().classes.end())
        return kNoWindow;
    bool child = (style & kStyleChild) != 0;
    Window* parent_window = find(parent_hwnd);
    if (child && !parent_window)
        return kNoWindow;
    if (!child && parent_hwnd != kNoWindow && !parent_window)
        return kNoWindow;

    auto win = std::make_unique<Window>();
    win->hwnd = state().next_handle;
    state().next_handle += 2;
    win->cls = cls->second;
    win->text = std::u16string(text);
    win->style = style;
    win->rect = initial_rect(!child, x, y, w, h);
    win->id = id;
    if (child)
        win->parent = parent_hwnd;
    else if (parent_window)
        win->owner = top_level(parent_hwnd);
    Hwnd hwnd = link_new_window(std::move(win))->hwnd;

    if (send_message(hwnd, kMsgCreate, 0, LParam(create_param)) == -1) {
        destroy_window(hwnd);
        return kNoWindow;
    }
    Window* made = find(hwnd);
    if (!made)
        return kNoWindow;
    if (!child && made->owner == kNoWindow && !no_activate(*made)) {
        instance_window_created(hwnd, made->cls->cls.name, made->text);
    }
    if (made->style & kStyleVisible)
        invalidate_tree(hwnd);
    if (!child)
        update_activation();
    return hwnd;
}

bool destroy_window(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (!w || w->destroying)
        return false;
    // Owned windows go first, as the handheld does, so a dialog never outlives its owner.
    for (Hwnd o : owned_windows(hwnd))
        destroy_window(o);
    w = find(hwnd);
    if (!w || w->destroying)
        return false;
    std::vector<Hwnd> tree;
    collect_tree(hwnd, &tree);
    for (Hwnd t : tree)
        find(t)->destroying = true;
    if (is_visible(hwnd))
        expose(visible_clip(hwnd));
    for (Hwnd t : tree) {
        if (find(t))
            send_message(t, kMsgDestroy);
    }
    bool top = is_top_level(*find(hwnd));
    // Handlers may have made children meanwhile; they go with the rest.
    tree.clear();
    collect_tree(hwnd, &tree);
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        Window* dead = find(*it);
        if (!dead)
            continue;
        forget_window(*it);
        forget_dialog(*it);
        instance_window_destroyed(*it);
        unlink_window(dead);
        state().windows.erase(*it);
    }
    if (top)
        update_activation();
    return true;
}

bool is_window(Hwnd hwnd)
{
    return find(hwnd) != nullptr;
}

LResult default_window_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    Window* w = find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case kMsgClose:
        destroy_window(hwnd);
        return 0;
    case kMsgPaint:
        end_paint(hwnd, begin_paint(hwnd));
        return 0;
    case kMsgKeyDown:
        if (wparam == kKeyTab || wparam == kKeyEscape || wparam == kKeyReturn) {
            if (!is_top_level(*w))
                return send_message(top_level(hwnd), msg, wparam, lparam);
            return dialog_key(hwnd, wparam, lparam);
        }
        return 0;
    default:
        return 0;
    }
}

Hwnd parent(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->parent : kNoWindow;
}

Hwnd owner(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->owner : kNoWindow;
}

Hwnd top_level(Hwnd hwnd)
{
    Window* w = find(hwnd);
    while (w && w->parent != kNoWindow)
        w = find(w->parent);
    return w ? w->hwnd : kNoWindow;
}

std::vector<Hwnd> children(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->children : std::vector<Hwnd> {};
}

std::vector<Hwnd> top_level_windows()
{
    return state().z_order;
}

int window_id(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->id : 0;
}

Hwnd child_by_id(Hwnd parent_hwnd, int id)
{
    Window* w = find(parent_hwnd);
    if (!w)
        return kNoWindow;
    for (Hwnd c : w->children) {
        if (find(c)->id == id)
            return c;
    }
    return kNoWindow;
}

std::u16string class_name(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->cls->cls.name : std::u16string();
}

uint32_t style(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->style : 0;
}

void set_style(Hwnd hwnd, uint32_t new_style)
{
    Window* w = find(hwnd);
    if (!w)
        return;
    // The kind of window (child or top-level) is fixed at creation.
    w->style = (new_style & ~kStyleChild) | (w->style & kStyleChild);
    invalidate(hwnd);
}

std::u16string window_text(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->text : std::u16string();
}

bool set_window_text(Hwnd hwnd, std::u16string_view text)
{
    Window* w = find(hwnd);
    if (!w)
        return false;
    w->text = std::u16string(text);
    if (is_top_level(*w)) {
        // A top-level window's text is its title, shown by the navigation bar, not in its client area.
        state().screen_dirty = true;
        if (w->owner == kNoWindow)
            instance_window_changed(hwnd, text);
        return true;
    }
    invalidate(hwnd);
    return true;
}

Rect window_rect(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? screen_rect(*w) : Rect {};
}

Rect client_rect(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? Rect {0, 0, w->rect.width(), w->rect.height()} : Rect {};
}

Point client_to_screen(Hwnd hwnd, Point p)
{
    Rect r = window_rect(hwnd);
    return Point {p.x + r.left, p.y + r.top};
}

Point screen_to_client(Hwnd hwnd, Point p)
{
    Rect r = window_rect(hwnd);
    return Point {p.x - r.left, p.y - r.top};
}

bool move_window(Hwnd hwnd, int x, int y, int w, int h, bool repaint)
{
    Window* win = find(hwnd);
    if (!win)
        return false;
    // The screen is always made right again: the old place is exposed and the new one painted, whether
    // or not the caller asked for a repaint.
    bool shown = is_visible(hwnd);
    if (shown)
        expose(visible_clip(hwnd));
    win->rect = Rect {x, y, x + std::max(w, 0), y + std::max(h, 0)};
    if (shown)
        invalidate_tree(hwnd);
    return true;
}

bool show_window(Hwnd hwnd, bool visible)
{
    Window* w = find(hwnd);
    if (!w)
        return false;
    bool was = (w->style & kStyleVisible) != 0;
    if (was == visible)
        return was;
    if (!visible && is_visible(hwnd))
        expose(visible_clip(hwnd));
    if (visible)
        w->style |= kStyleVisible;
    else
        w->style &= ~kStyleVisible;
    if (visible && is_visible(hwnd))
        invalidate_tree(hwnd);
    if (!visible && focus() != kNoWindow && !is_visible(focus())) {
        Hwnd f = focus();
        for (Hwnd p = f; p != kNoWindow; p = parent(p)) {
            if (p == hwnd) {
                set_focus(kNoWindow);
                break;
            }
        }
    }
    if (is_top_level(*w))
        update_activation();
    return was;
}

bool is_visible(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (!w)
        return false;
    for (; w; w = find(w->parent)) {
        if (!(w->style & kStyleVisible))
            return false;
    }
    return true;
}

bool enable_window(Hwnd hwnd, bool enabled)
{
    Window* w = find(hwnd);
    if (!w)
        return false;
    bool was_enabled = (w->style & kStyleDisabled) == 0;
    if (was_enabled == enabled)
        return !was_enabled;
    if (enabled)
        w->style &= ~kStyleDisabled;
    else
        w->style |= kStyleDisabled;
    if (!enabled && focus() == hwnd)
        set_focus(kNoWindow);
    send_message(hwnd, kMsgEnable, enabled ? 1 : 0);
    invalidate(hwnd);
    if (find(hwnd) && is_top_level(*find(hwnd))) {
        // Windows that serve this one without taking part in activation (its menu bar) show whether
        // it can be used.
        for (Hwnd o : owned_windows(hwnd))
            if (Window* ow = find(o); ow && no_activate(*ow))
                invalidate(o);
        update_activation();
    }
    return !was_enabled;
}

bool is_enabled(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w && (w->style & kStyleDisabled) == 0;
}

void set_user_data(Hwnd hwnd, void* data)
{
    if (Window* w = find(hwnd))
        w->user_data = data;
}

void* user_data(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->user_data : nullptr;
}

void set_font(Hwnd hwnd, gdi::FontRef f, bool repaint)
{
    Window* w = find(hwnd);
    if (!w)
        return;
    w->font = std::move(f);
    if (repaint)
        invalidate(hwnd);
}

gdi::FontRef font(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (w && w->font)
        return w->font;
    return gdi::ui_font();
}

WndProc set_window_proc(Hwnd hwnd, WndProc proc)
{
    Window* w = find(hwnd);
    if (!w || !proc)
        return WndProc();
    WndProc old = w->proc ? *w->proc : w->cls->cls.proc;
    w->proc = std::make_shared<WndProc>(std::move(proc));
    return old;
}

bool is_dialog(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w && is_top_level(*w) && fold(w->cls->cls.name) == fold(kDialogClass);
}

void reset()
{
    // Windows are destroyed properly (their procedures hear kMsgDestroy) before anything is forgotten.
    while (!state().z_order.empty()) {
        Hwnd bottom = state().z_order.front();
        Hwnd root = bottom;
        while (owner(root) != kNoWindow)
            root = owner(root);
        if (!destroy_window(root))
            state().z_order.erase(state().z_order.begin());
    }
    UiState& s = state();
    s.windows.clear();
    s.classes.clear();
    clear_queue();
    s.quit_pending = false;
    s.quit_code = 0;
    s.timers.clear();
    s.focus = s.capture = s.active = kNoWindow;
    s.in_activation = s.activation_again = false;
    s.accelerators.clear();
    reset_dialogs();
    reset_shell();
    reset_paint();
    reset_instance();
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered = platform::register_reset(platform::ResetStage::Windows, reset);

}  // namespace platform::ui
