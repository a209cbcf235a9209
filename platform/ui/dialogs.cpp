// Dialog templates, modal dialogs with their nested message loops, and the dialog window procedure that
// turns messages into the handlers of a DialogProc.

#include <algorithm>
#include <charconv>

#include "platform/ui/ui_state.h"

namespace platform::ui {

// The one place that may set a procedure's window.
struct DialogAccess {
    static void attach(DialogProc& proc, Hwnd hwnd) { proc.m_hwnd = hwnd; }
};

namespace detail {

const char16_t kDialogClass[] = u"Dialog";

namespace {

RunningDialog* running(Hwnd hwnd)
{
    for (auto& d : state().dialogs) {
        if (d.hwnd == hwnd)
            return &d;
    }
    return nullptr;
}

LResult dialog_default(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    // A dialog is never closed behind its procedure's back: closing asks it to cancel.
    if (msg == kMsgClose) {
        post_message(hwnd, kMsgCommand, make_wparam(kIdCancel, 0), 0);
        return 0;
    }
    return default_window_proc(hwnd, msg, wparam, lparam);
}

bool dispatch_to_handlers(DialogProc& p, Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam, LResult* r)
{
    switch (msg) {
    case kMsgInitDialog:
        *r = p.on_init() ? 1 : 0;
        return true;
    case kMsgCommand:
        // A command the procedure took answers 1, so whoever sent it can tell.
        if (!p.on_command(loword(wparam), hiword(wparam), Hwnd(lparam)))
            return false;
        *r = 1;
        return true;
    case kMsgTimer:
        return p.on_timer(int(wparam));
    case kMsgPaint: {
        std::unique_ptr<gdi::DC> dc = begin_paint(hwnd);
        p.on_paint(*dc);
        end_paint(hwnd, std::move(dc));
        return true;
    }
    case kMsgLButtonDown:
        return p.on_button_down(point_x(lparam), point_y(lparam));
    case kMsgLButtonUp:
        return p.on_tap(point_x(lparam), point_y(lparam));
    case kMsgClose:
        if (!p.on_close())
            post_message(hwnd, kMsgCommand, make_wparam(kIdCancel, 0), 0);
        return true;
    case kMsgDestroy:
        p.on_destroy();
        return true;
    default:
        return false;
    }
}

LResult dialog_window_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    Window* w = find(hwnd);
    DialogProc* p = w ? w->dialog : nullptr;
    if (!p)
        return dialog_default(hwnd, msg, wparam, lparam);
    LResult r = 0;
    if (p->on_message(msg, wparam, lparam, &r))
        return r;
    if (dispatch_to_handlers(*p, hwnd, msg, wparam, lparam, &r))
        return r;
    return dialog_default(hwnd, msg, wparam, lparam);
}

Rect dialog_rect(const DialogTemplate& t)
{
    if (t.full_screen)
        return kWorkArea;
    int w = t.rect.width(), h = t.rect.height();
    int x = (kScreenWidth - w) / 2, y = (kScreenHeight - h) / 2;
    return Rect {x, y, x + w, y + h};
}

std::string name_of(const DialogTemplate& t)
{
    if (!t.name.empty())
        return t.name;
    return t.number != 0 ? "#" + std::to_string(t.number) : std::string();
}

bool same_name(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](char x, char y) { return std::toupper((unsigned char)x) == std::toupper((unsigned char)y); });
}

// The dialog window with its controls, still hidden; kNoWindow when a control cannot be made.
Hwnd create_dialog(const DialogTemplate& t, Hwnd owner_top)
{
    Rect r = dialog_rect(t);
    Hwnd dlg = create_window(kDialogClass, t.title, kStylePopup, r.left, r.top, r.width(), r.height(), owner_top);
    if (dlg == kNoWindow)
        return kNoWindow;
    find(dlg)->template_name = name_of(t);
    for (const ControlTemplate& c : t.controls) {
        Hwnd h = create_window(c.class_name, c.caption, c.style | kStyleChild, c.rect.left, c.rect.top, c.rect.width(),
            c.rect.height(), dlg, c.id);
        if (h == kNoWindow) {
            destroy_window(dlg);
            return kNoWindow;
        }
    }
    return dlg;
}

// Runs until the dialog ends. A quit message ends this loop and is posted again for the loops outside.
void modal_loop(Hwnd dlg)
{
    for (;;) {
        RunningDialog* rec = running(dlg);
        if (!rec || rec->ended || !is_window(dlg))
            return;
        Message m;
        if (!get_message(&m)) {
            if (m.msg == kMsgQuit)
                post_quit_message(int(m.wparam));
            return;
        }
        dispatch_message(m);
    }
}

}  // namespace

LResult dialog_key(Hwnd dialog, WParam key, LParam modifiers)
{
    if (key == kKeyTab) {
        Hwnd next = next_tab_stop(dialog, focus(), (modifiers & kModShift) != 0);
        if (next != kNoWindow)
            set_focus(next);
        return 0;
    }
    if (!is_dialog(dialog))
        return 0;
    if (key == kKeyEscape)
        post_message(dialog, kMsgCommand, make_wparam(kIdCancel, 0), 0);
    if (key == kKeyReturn && child_by_id(dialog, kIdOk) != kNoWindow) {
        post_message(dialog, kMsgCommand, make_wparam(kIdOk, 0), 0);
    }
    return 0;
}

void forget_dialog(Hwnd hwnd)
{
    if (RunningDialog* d = running(hwnd))
        d->ended = true;
}

void reset_dialogs()
{
    state().dialogs.clear();
    state().templates.clear();
}

void register_builtin_classes()
{
    auto& classes = state().classes;
    if (!classes.count(fold(kDialogClass))) {
        WindowClass c;
        c.name = kDialogClass;
        c.proc = dialog_window_proc;
        register_class(c);
    }
    if (!classes.count(fold(kKeyboardClass))) {
        WindowClass c;
        c.name = kKeyboardClass;
        c.proc = keyboard_proc;
        c.no_activate = true;
        c.background = gdi::rgb(220, 220, 220);
        register_class(c);
    }
}

}  // namespace detail

using namespace detail;

void add_dialog_template(const DialogTemplate& t)
{
    for (auto& existing : state().templates) {
        if ((!t.name.empty() && same_name(existing->name, t.name)) || (t.number != 0 && existing->number == t.number)) {
            *existing = t;
            return;
        }
    }
    state().templates.push_back(std::make_unique<DialogTemplate>(t));
}

const DialogTemplate* find_dialog_template(std::string_view name)
{
    if (!name.empty() && name[0] == '#') {
        int number = 0;
        auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
        if (ec != std::errc() || end != name.data() + name.size())
            return nullptr;
        return find_dialog_template(number);
    }
    for (auto& t : state().templates) {
        if (!name.empty() && same_name(t->name, name))
            return t.get();
    }
    return nullptr;
}

const DialogTemplate* find_dialog_template(int number)
{
    for (auto& t : state().templates) {
        if (number != 0 && t->number == number)
            return t.get();
    }
    return nullptr;
}

int run_dialog(std::string_view name, Hwnd owner_hwnd, DialogProc& proc)
{
    const DialogTemplate* t = find_dialog_template(name);
    return t ? run_dialog(*t, owner_hwnd, proc) : -1;
}

int run_dialog(int number, Hwnd owner_hwnd, DialogProc& proc)
{
    const DialogTemplate* t = find_dialog_template(number);
    return t ? run_dialog(*t, owner_hwnd, proc) : -1;
}

int run_dialog(const DialogTemplate& t, Hwnd owner_hwnd, DialogProc& proc)
{
    if (painting())
        return -1;
    Hwnd owner_top = top_level(owner_hwnd);
    Hwnd dlg = create_dialog(t, owner_top);
    if (dlg == kNoWindow)
        return -1;
    find(dlg)->dialog = &proc;
    DialogAccess::attach(proc, dlg);
    state().dialogs.push_back(RunningDialog {dlg});

    if (send_message(dlg, kMsgInitDialog) && is_window(dlg) && !running(dlg)->ended) {
        Hwnd first = next_tab_stop(dlg, kNoWindow, false);
        if (first != kNoWindow)
            set_focus(first);
    }
    if (is_window(dlg))
        show_window(dlg, true);
    bool owner_disabled = false;
    if (is_window(owner_top) && is_enabled(owner_top)) {
        enable_window(owner_top, false);
        owner_disabled = true;
    }
    modal_loop(dlg);

    int result = running(dlg)->result;
    // The owner is enabled before the dialog goes, so it is the one that becomes active.
    if (owner_disabled && is_window(owner_top))
        enable_window(owner_top, true);
    destroy_window(dlg);
    auto& stack = state().dialogs;
    stack.erase(std::remove_if(stack.begin(), stack.end(), [dlg](const RunningDialog& d) { return d.hwnd == dlg; }),
        stack.end());
    if (is_window(owner_top) && is_visible(owner_top) && active_window() != owner_top)
        set_foreground_window(owner_top);
    return result;
}

bool end_dialog(Hwnd dialog, int result)
{
    RunningDialog* d = running(dialog);
    if (!d || !is_window(dialog) || d->ended)
        return false;
    d->ended = true;
    d->result = result;
    return true;
}

std::string template_name(Hwnd hwnd)
{
    Window* w = find(hwnd);
    return w ? w->template_name : std::string();
}

std::vector<Hwnd> dialog_stack()
{
    std::vector<Hwnd> out;
    for (const auto& d : state().dialogs) {
        if (is_window(d.hwnd))
            out.push_back(d.hwnd);
    }
    return out;
}

bool set_item_text(Hwnd dialog, int id, std::u16string_view text)
{
    Hwnd item = child_by_id(dialog, id);
    return item != kNoWindow && set_window_text(item, text);
}

std::u16string item_text(Hwnd dialog, int id, int max_chars)
{
    std::u16string text = window_text(child_by_id(dialog, id));
    if (max_chars >= 0 && text.size() > size_t(max_chars))
        text.resize(size_t(max_chars));
    return text;
}

}  // namespace platform::ui
