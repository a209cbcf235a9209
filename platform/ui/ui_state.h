#pragma once
// The window manager's state, shared by its source files (windows, messages, paint, input, dialogs,
// shell). Everything here belongs to the user-interface thread; the headless driver touches it only while
// that thread is parked, and the single-instance listener never touches it (it has its own inbox).

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/ui.h"

namespace platform::ui::detail {

struct ClassRec {
    WindowClass cls;
};

struct Window {
    Hwnd hwnd = kNoWindow;
    std::shared_ptr<const ClassRec> cls;
    std::shared_ptr<WndProc> proc;  // set_window_proc's replacement, else null
    std::u16string text;
    uint32_t style = 0;
    Rect rect;  // parent client coordinates for children, screen for top-level
    Hwnd parent = kNoWindow;
    Hwnd owner = kNoWindow;
    std::vector<Hwnd> children;  // creation (z) order, bottom first
    int id = 0;
    void* user_data = nullptr;
    gdi::FontRef font;             // null: the UI font
    bool invalid = false;          // a paint message is due
    bool erase = false;            // the paint erases the background first
    bool destroying = false;       // kMsgDestroy sent, being torn down
    Hwnd saved_focus = kNoWindow;  // top-level: the focus it had when it was last deactivated
    std::string template_name;     // dialogs: the template they came from
    DialogProc* dialog = nullptr;  // dialogs: their procedure, once the controls exist
    bool full_screen = false;      // init_full_screen was called
    bool done_button = false;      // the navigation bar shows "ok" for it
};

struct Timer {
    Hwnd hwnd = kNoWindow;
    int id = 0;
    uint32_t period_ms = 0;
    uint64_t due_ms = 0;  // platform clock
    uint64_t order = 0;   // setting order, breaks ties between equal due times
};

struct RunningDialog {
    Hwnd hwnd = kNoWindow;
    bool ended = false;
    int result = 0;
};

struct UiState {
    std::unordered_map<Hwnd, std::unique_ptr<Window>> windows;
    std::vector<Hwnd> z_order;                                          // top-level windows, bottom to top
    std::map<std::u16string, std::shared_ptr<const ClassRec>> classes;  // key: folded name
    Hwnd next_handle = 2;  // even numbers only: the lowest bit is a flag for foreground calls

    std::deque<Message> queue;  // posted messages and input, in arrival order
    bool quit_pending = false;
    int quit_code = 0;
    std::vector<Timer> timers;
    uint64_t timer_order = 0;
    // Timers whose handler is running now, innermost last: such a timer is not delivered again until its
    // handler returns, however long a nested loop inside it (a message box) keeps it.
    std::vector<std::pair<Hwnd, int>> timers_running;
    std::map<uint64_t, std::function<void()>> calls;  // post_call's functions by ticket, queued in order
    uint64_t next_call = 0;
    int painting = 0;  // paint messages being handled, nested through update_window

    Hwnd focus = kNoWindow;
    Hwnd capture = kNoWindow;
    Hwnd active = kNoWindow;
    bool in_activation = false;
    bool activation_again = false;

    std::unique_ptr<gdi::Bitmap> screen;
    std::vector<Rect> exposed;  // screen areas uncovered since the last paint round
    bool screen_dirty = false;  // drawn into since the last present
    bool nav_pressed = false;   // a tap went down on the navigation bar

    std::vector<std::unique_ptr<DialogTemplate>> templates;
    std::map<int, AcceleratorTable> accelerators;
    std::vector<RunningDialog> dialogs;  // outermost first

    bool panel_raised = false;
    Hwnd panel_window = kNoWindow;
};

UiState& state();
Window* find(Hwnd hwnd);                     // null for a stale handle
std::u16string fold(std::u16string_view s);  // case-folded key for class names and titles

// Windows and z-order (windows.cpp, zorder.cpp).
Rect screen_rect(const Window& w);  // the window's rectangle in screen coordinates
bool is_top_level(const Window& w);
bool no_activate(const Window& w);
void bring_to_top(Hwnd hwnd);  // with its owned windows above it
void keep_panel_on_top();      // the keyboard panel stays above every activatable window
void update_activation();
void forget_window(Hwnd hwnd);  // focus, capture, timers, queue entries, saved focus

// Messages (messages.cpp).
constexpr uint32_t kMsgCall = 0x03F0;  // hwnd kNoWindow, wparam: ticket of a post_call function
void drop_messages_for(Hwnd hwnd);
void kill_timers_for(Hwnd hwnd);
void clear_queue();

// Painting (paint.cpp).
void invalidate_tree(Hwnd hwnd);       // the window, and through it everything it covers
void expose(const Rect& screen_area);  // uncovered: repaint what lies beneath
Rect visible_clip(Hwnd hwnd);          // screen area of the window inside its ancestors and the screen
Hwnd next_paint();                     // the next window to paint, propagating damage; kNoWindow if none
void present_if_dirty();
void reset_paint();
bool nav_bar_tap(bool down, int x, int y);  // true when the tap belongs to the navigation bar

// Dialogs and shell (dialogs.cpp, shell.cpp, keyboard.cpp).
LResult dialog_key(Hwnd dialog, WParam key, LParam modifiers);
void forget_dialog(Hwnd hwnd);
void reset_dialogs();
void reset_shell();
void register_builtin_classes();
extern const char16_t kDialogClass[];
extern const char16_t kKeyboardClass[];
LResult keyboard_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam);

// The single-instance rule (instance.cpp).
void instance_window_created(Hwnd hwnd, std::u16string_view class_name, std::u16string_view title);
void instance_window_changed(Hwnd hwnd, std::u16string_view title);
void instance_window_destroyed(Hwnd hwnd);
Hwnd instance_find_remote(std::u16string_view class_name, std::u16string_view title);
bool instance_is_remote(Hwnd hwnd);
bool instance_foreground_remote();
void instance_drain_requests();          // moves requests from the listener into the queue
bool instance_handle(const Message& m);  // true when `m` was an internal foreground request
void reset_instance();

}  // namespace platform::ui::detail
