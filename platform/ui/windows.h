#pragma once
// Windows: a tree of windows with classes, ids, rectangles and texts; focus and capture; the life of the
// window manager.
//
// The screen is 240 x 320. The top 26 rows are the navigation bar (title of the active window and, for a
// full-screen dialog that asks for it, an "ok" button sending command 1); the bottom 26 rows hold the
// menu bar of the active window. A full-screen dialog's client area is the 240 x 268 pixels between.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/ui/messages.h"

namespace platform::ui {

using gdi::Point;
using gdi::Rect;

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kNavBarHeight = 26;
constexpr int kMenuBarHeight = 26;
// The area between the navigation bar and the menu bar, in screen coordinates.
constexpr Rect kWorkArea {0, kNavBarHeight, kScreenWidth, kScreenHeight - kMenuBarHeight};

// ---- Styles -------------------------------------------------------------------------------------------

constexpr uint32_t kStylePopup = 0x80000000;
constexpr uint32_t kStyleChild = 0x40000000;
constexpr uint32_t kStyleVisible = 0x10000000;
constexpr uint32_t kStyleDisabled = 0x08000000;
constexpr uint32_t kStyleBorder = 0x00800000;
constexpr uint32_t kStyleVScroll = 0x00200000;
constexpr uint32_t kStyleGroup = 0x00020000;
constexpr uint32_t kStyleTabStop = 0x00010000;
// The low 16 bits belong to the window class (alignment of a static, kind of a button, ...).

constexpr int kUseDefault = int(0x80000000);

// ---- Window classes and windows -----------------------------------------------------------------------

using WndProc = std::function<LResult(Hwnd, uint32_t, WParam, LParam)>;

struct WindowClass {
    std::u16string name;
    WndProc proc;
    int icon = 0;                  // resource number, 0 for none
    bool erase_background = true;  // paint fills the client area with `background` first
    gdi::Color background = gdi::kWhite;
    // Top-level windows of such a class (menu bars, pop-up menus, the on-screen keyboard) are never the
    // active window and never take the focus, but they do receive taps.
    bool no_activate = false;
};

// False when the name is taken (case-insensitive) or the procedure is empty.
bool register_class(const WindowClass& cls);

// Creates a window and sends kMsgCreate (a procedure returning -1 there destroys it: kNoWindow). A
// window without kStyleChild is top-level; `parent` is then its owner. kUseDefault for x/y/w/h of a
// top-level window gives the screen below the navigation bar (the work area and the menu bar's rows). Child coordinates are relative to the parent's client area.
Hwnd create_window(std::u16string_view class_name, std::u16string_view text, uint32_t style, int x, int y, int w, int h,
    Hwnd parent, int id = 0, void* create_param = nullptr);
// Sends kMsgDestroy to the window and its descendants (children first come after their parent's message),
// destroys owned top-level windows too, and frees them. False for a stale handle.
bool destroy_window(Hwnd hwnd);
bool is_window(Hwnd hwnd);

// Default handling of every message a procedure does not handle: close destroys, paint validates, a
// Tab/Escape/Return key is routed to the dialog, the rest returns 0.
LResult default_window_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam);

Hwnd parent(Hwnd hwnd);                 // child windows: the parent; top-level: kNoWindow
Hwnd owner(Hwnd hwnd);                  // top-level windows: the owner, else kNoWindow
Hwnd top_level(Hwnd hwnd);              // the top-level window containing hwnd
std::vector<Hwnd> children(Hwnd hwnd);  // direct children in creation (z) order
std::vector<Hwnd> top_level_windows();  // bottom to top
int window_id(Hwnd hwnd);
Hwnd child_by_id(Hwnd parent, int id);  // direct child with that id, kNoWindow if none
std::u16string class_name(Hwnd hwnd);
uint32_t style(Hwnd hwnd);
void set_style(Hwnd hwnd, uint32_t style);

std::u16string window_text(Hwnd hwnd);
bool set_window_text(Hwnd hwnd, std::u16string_view text);  // repaints

Rect window_rect(Hwnd hwnd);  // screen coordinates
Rect client_rect(Hwnd hwnd);  // (0, 0, width, height)
Point client_to_screen(Hwnd hwnd, Point p);
Point screen_to_client(Hwnd hwnd, Point p);
bool move_window(Hwnd hwnd, int x, int y, int w, int h, bool repaint);  // parent-relative for children
bool show_window(Hwnd hwnd, bool visible);
bool is_visible(Hwnd hwnd);                   // own flag and every ancestor's
bool enable_window(Hwnd hwnd, bool enabled);  // sends kMsgEnable
bool is_enabled(Hwnd hwnd);

void set_user_data(Hwnd hwnd, void* data);  // one pointer a window keeps for its class or procedure
void* user_data(Hwnd hwnd);
void set_font(Hwnd hwnd, gdi::FontRef font, bool repaint = true);
gdi::FontRef font(Hwnd hwnd);  // the UI font unless replaced

// Top-level window with that class and title, searched in this process and then among the other
// processes on the same device root (the single-instance rule). A window of another process comes back as
// a handle that only set_foreground_window understands.
Hwnd find_window(std::u16string_view class_name, std::u16string_view title);
// Brings a top-level window to the front; the lowest bit of the handle set also restores its owned
// pop-ups. For another process's window, asks that process and returns whether it answered.
bool set_foreground_window(Hwnd hwnd);
Hwnd active_window();  // the topmost enabled top-level window

// Replaces the procedure of one window (subclassing); returns the previous one, empty for a stale handle.
// The class procedure stays what other windows of the class use.
WndProc set_window_proc(Hwnd hwnd, WndProc proc);
// The deepest visible, enabled window under a screen point, as a tap would reach it; kNoWindow over
// nothing, over the navigation bar, or over a disabled top-level window.
Hwnd window_from_point(int x, int y);
bool is_dialog(Hwnd hwnd);  // a top-level window made by run_dialog

// ---- Focus and capture --------------------------------------------------------------------------------

Hwnd set_focus(Hwnd hwnd);  // kMsgKillFocus to the old, kMsgSetFocus to the new; returns old
Hwnd focus();
// Next/previous kStyleTabStop control of a dialog after `from`, wrapping.
Hwnd next_tab_stop(Hwnd dialog, Hwnd from, bool backwards);
Hwnd set_capture(Hwnd hwnd);  // button messages go to it until release_capture
void release_capture();
Hwnd capture();

// ---- Life of the window manager -----------------------------------------------------------------------

// Called once before any window exists (and by tests between cases): destroys every window, forgets
// timers, queued messages, templates, tables, classes registered by the program and the quit state.
void reset();

}  // namespace platform::ui
