#pragma once
// The window manager, modelled on the handheld's so the program's dialogs read as they were designed:
// a tree of windows with classes, ids, rectangles and texts; one message queue on the one user-interface
// thread; timers; painting into the one screen bitmap; modal dialogs with nested message loops; focus,
// keys and accelerators; full-screen dialogs under a navigation bar.
//
// The screen is 240 x 320. The top 26 rows are the navigation bar (title of the active window and, for a
// full-screen dialog that asks for it, an "ok" button sending command 1); the bottom 26 rows hold the
// menu bar of the active window. A full-screen dialog's client area is the 240 x 268 pixels between.
//
// Everything here runs on the user-interface thread. Window handles are small numbers that never repeat
// within a run, so a stale handle is simply "not a window".

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform::ui {

using gdi::Point;
using gdi::Rect;

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kNavBarHeight = 26;
constexpr int kMenuBarHeight = 26;
// The area between the navigation bar and the menu bar, in screen coordinates.
constexpr Rect kWorkArea{0, kNavBarHeight, kScreenWidth, kScreenHeight - kMenuBarHeight};

using Hwnd = uint32_t;
constexpr Hwnd kNoWindow = 0;
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// ---- Messages (the handheld's numbers) ----------------------------------------------------------------

constexpr uint32_t kMsgCreate = 0x0001;         // lparam: the create parameter (void*)
constexpr uint32_t kMsgDestroy = 0x0002;
constexpr uint32_t kMsgActivate = 0x0006;       // wparam: 1 active, 0 inactive
constexpr uint32_t kMsgSetFocus = 0x0007;
constexpr uint32_t kMsgKillFocus = 0x0008;
constexpr uint32_t kMsgEnable = 0x000A;
constexpr uint32_t kMsgPaint = 0x000F;
constexpr uint32_t kMsgClose = 0x0010;
constexpr uint32_t kMsgQuit = 0x0012;           // never dispatched: get_message returns false
constexpr uint32_t kMsgSettingChange = 0x001A;
constexpr uint32_t kMsgKeyDown = 0x0100;        // wparam: key code, lparam: modifiers
constexpr uint32_t kMsgKeyUp = 0x0101;
constexpr uint32_t kMsgChar = 0x0102;           // wparam: UTF-16 unit
constexpr uint32_t kMsgInitDialog = 0x0110;
constexpr uint32_t kMsgCommand = 0x0111;        // wparam: id | code << 16, lparam: control handle or 0
constexpr uint32_t kMsgTimer = 0x0113;          // wparam: timer id
constexpr uint32_t kMsgMouseMove = 0x0200;      // lparam: column | row << 16 (client coordinates)
constexpr uint32_t kMsgLButtonDown = 0x0201;
constexpr uint32_t kMsgLButtonUp = 0x0202;
constexpr uint32_t kMsgMouseWheel = 0x020A;     // wparam: signed delta << 16 (120 per notch)
constexpr uint32_t kMsgUser = 0x0400;           // first number free for private messages

struct Message {
    Hwnd hwnd = kNoWindow;
    uint32_t msg = 0;
    WParam wparam = 0;
    LParam lparam = 0;
};

constexpr uint16_t loword(uintptr_t v) { return uint16_t(v & 0xFFFF); }
constexpr uint16_t hiword(uintptr_t v) { return uint16_t((v >> 16) & 0xFFFF); }
constexpr WParam make_wparam(unsigned lo, unsigned hi) { return WParam((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }
constexpr LParam make_point_lparam(int x, int y) { return LParam(uint32_t(x & 0xFFFF) | (uint32_t(y & 0xFFFF) << 16)); }
constexpr int point_x(LParam l) { return int16_t(l & 0xFFFF); }
constexpr int point_y(LParam l) { return int16_t((l >> 16) & 0xFFFF); }

// Notification codes carried in the high word of a command's wparam.
constexpr int kBnClicked = 0;
constexpr int kLbnSelChange = 1;
constexpr int kLbnDblClk = 2;
constexpr int kCbnSelChange = 1;
constexpr int kCbnDropDown = 7;
constexpr int kEnSetFocus = 0x0100;
constexpr int kEnKillFocus = 0x0200;
constexpr int kEnChange = 0x0300;

// Command and button ids with fixed meaning.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Key codes (the handheld's virtual keys); letters and digits are their upper-case ASCII codes.
constexpr uint32_t kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20;
constexpr uint32_t kKeyPrior = 0x21, kKeyNext = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24;
constexpr uint32_t kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28, kKeyDelete = 0x2E;
constexpr uint32_t kKeyF1 = 0x70;
// Modifier bits, in lparam of key messages.
constexpr unsigned kModShift = 1, kModCtrl = 2, kModAlt = 4;

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
    int icon = 0;                    // resource number, 0 for none
    bool erase_background = true;    // paint fills the client area with `background` first
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
Hwnd create_window(std::u16string_view class_name, std::u16string_view text, uint32_t style, int x, int y,
                   int w, int h, Hwnd parent, int id = 0, void* create_param = nullptr);
// Sends kMsgDestroy to the window and its descendants (children first come after their parent's message),
// destroys owned top-level windows too, and frees them. False for a stale handle.
bool destroy_window(Hwnd hwnd);
bool is_window(Hwnd hwnd);

// Default handling of every message a procedure does not handle: close destroys, paint validates, a
// Tab/Escape/Return key is routed to the dialog, the rest returns 0.
LResult default_window_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam);

Hwnd parent(Hwnd hwnd);                      // child windows: the parent; top-level: kNoWindow
Hwnd owner(Hwnd hwnd);                       // top-level windows: the owner, else kNoWindow
Hwnd top_level(Hwnd hwnd);                   // the top-level window containing hwnd
std::vector<Hwnd> children(Hwnd hwnd);       // direct children in creation (z) order
std::vector<Hwnd> top_level_windows();       // bottom to top
int window_id(Hwnd hwnd);
Hwnd child_by_id(Hwnd parent, int id);       // direct child with that id, kNoWindow if none
std::u16string class_name(Hwnd hwnd);
uint32_t style(Hwnd hwnd);
void set_style(Hwnd hwnd, uint32_t style);

std::u16string window_text(Hwnd hwnd);
bool set_window_text(Hwnd hwnd, std::u16string_view text);    // repaints

Rect window_rect(Hwnd hwnd);                 // screen coordinates
Rect client_rect(Hwnd hwnd);                 // (0, 0, width, height)
Point client_to_screen(Hwnd hwnd, Point p);
Point screen_to_client(Hwnd hwnd, Point p);
bool move_window(Hwnd hwnd, int x, int y, int w, int h, bool repaint);   // parent-relative for children
bool show_window(Hwnd hwnd, bool visible);
bool is_visible(Hwnd hwnd);                  // own flag and every ancestor's
bool enable_window(Hwnd hwnd, bool enabled);  // sends kMsgEnable
bool is_enabled(Hwnd hwnd);

void set_user_data(Hwnd hwnd, void* data);   // one pointer a window keeps for its class or procedure
void* user_data(Hwnd hwnd);
void set_font(Hwnd hwnd, gdi::FontRef font, bool repaint = true);
gdi::FontRef font(Hwnd hwnd);                // the UI font unless replaced

// Top-level window with that class and title, searched in this process and then among the other
// processes on the same device root (the single-instance rule). A window of another process comes back as
// a handle that only set_foreground_window understands.
Hwnd find_window(std::u16string_view class_name, std::u16string_view title);
// Brings a top-level window to the front; the lowest bit of the handle set also restores its owned
// pop-ups. For another process's window, asks that process and returns whether it answered.
bool set_foreground_window(Hwnd hwnd);
Hwnd active_window();                        // the topmost enabled top-level window

// Replaces the procedure of one window (subclassing); returns the previous one, empty for a stale handle.
// The class procedure stays what other windows of the class use.
WndProc set_window_proc(Hwnd hwnd, WndProc proc);
// The deepest visible, enabled window under a screen point, as a tap would reach it; kNoWindow over
// nothing, over the navigation bar, or over a disabled top-level window.
Hwnd window_from_point(int x, int y);
bool is_dialog(Hwnd hwnd);                   // a top-level window made by run_dialog

// ---- Messages -----------------------------------------------------------------------------------------

LResult send_message(Hwnd hwnd, uint32_t msg, WParam wparam = 0, LParam lparam = 0);
bool post_message(Hwnd hwnd, uint32_t msg, WParam wparam = 0, LParam lparam = 0);
void post_quit_message(int exit_code);

// Next message for any window of the thread: posted messages and input first, then due timers, then
// paint. With nothing to do it waits through the display (real time under SDL; parked under the headless
// driver). False when the quit message arrives; *out then holds kMsgQuit with the code in wparam.
// With no backend installed and nothing to do it returns false at once with out->msg == 0.
bool get_message(Message* out);
LResult dispatch_message(const Message& m);
// Dispatches everything there is to do now (queued and posted messages, due timers, paint) without
// waiting, and presents the screen if it changed. Stops short of a pending quit, which stays pending.
// Returns the number of messages dispatched.
int pump_messages();

// ---- Timers -------------------------------------------------------------------------------------------

// A kMsgTimer is generated when due, at most one pending per timer, after input and posted messages.
// Setting an existing timer restarts it with the new period. Timers die with their window.
bool set_timer(Hwnd hwnd, int id, uint32_t period_ms);
bool kill_timer(Hwnd hwnd, int id);
// Due time (platform clock ms) of the earliest timer, if any (the headless driver uses it).
std::optional<uint64_t> next_timer_due();

// ---- Painting -----------------------------------------------------------------------------------------

void invalidate(Hwnd hwnd, bool erase = true);         // the whole client area; children are not affected
void update_window(Hwnd hwnd);                          // paints now if invalid
// Within kMsgPaint: a DC on the window's client area in the screen bitmap, clipped to what of the window
// is visible; the background erased first when the window's class asks for it.
std::unique_ptr<gdi::DC> begin_paint(Hwnd hwnd);
void end_paint(Hwnd hwnd, std::unique_ptr<gdi::DC> dc);
// Outside paint messages (the plots and the GPS views draw on taps and timers).
std::unique_ptr<gdi::DC> get_dc(Hwnd hwnd);
void release_dc(Hwnd hwnd, std::unique_ptr<gdi::DC> dc);
// The screen, with the navigation bar drawn; the display shows it.
const gdi::Bitmap& screen();
// Paints everything invalid now (the driver's screenshot uses it).
void paint_pending();

// ---- Focus and keys -----------------------------------------------------------------------------------

Hwnd set_focus(Hwnd hwnd);                   // kMsgKillFocus to the old, kMsgSetFocus to the new; returns old
Hwnd focus();
// Next/previous kStyleTabStop control of a dialog after `from`, wrapping.
Hwnd next_tab_stop(Hwnd dialog, Hwnd from, bool backwards);
Hwnd set_capture(Hwnd hwnd);                 // button messages go to it until release_capture
void release_capture();
Hwnd capture();

struct Accelerator {
    uint32_t key = 0;            // key code
    unsigned modifiers = 0;      // kModCtrl ...
    int command = 0;
};
struct AcceleratorTable {
    int id = 0;
    std::vector<Accelerator> entries;
};
void add_accelerator_table(const AcceleratorTable& table);
// When `m` is a key-down matching an entry of table `table_id`, sends kMsgCommand (id, code 1) to
// `window` and returns true.
bool translate_accelerator(Hwnd window, int table_id, const Message& m);

// ---- Dialog templates and modal dialogs ----------------------------------------------------------------

struct ControlTemplate {
    int id = 0;
    std::u16string class_name;   // "static", "edit", "button", "listbox", "combobox", "msctls_progress32"
    std::u16string caption;
    Rect rect;                   // dialog client coordinates
    uint32_t style = kStyleVisible | kStyleChild;
};
struct DialogTemplate {
    std::string name;            // "PT_EDIT"; empty for a template known by number only
    int number = 0;              // 103 for the about box; 0 when known by name
    std::u16string title;
    bool full_screen = true;     // full screen: the work area; pop-up: `rect` size, centred on the screen
    Rect rect;                   // pop-ups: size (left/top ignored)
    std::vector<ControlTemplate> controls;
};
// Templates live for the whole run. Adding one with a name or number already known replaces it.
void add_dialog_template(const DialogTemplate& t);
const DialogTemplate* find_dialog_template(std::string_view name);
const DialogTemplate* find_dialog_template(int number);

// One class per dialog. Handlers return true when they handled the message; the rest goes to default
// processing (which ends nothing by itself, except that a close with no handler sends command kIdCancel).
// A command that on_command took answers 1 to send_message, one it left answers 0.
class DialogProc {
public:
    virtual ~DialogProc() = default;
    Hwnd hwnd() const { return m_hwnd; }
    Hwnd item(int id) const { return child_by_id(m_hwnd, id); }

    virtual bool on_init() { return true; }
    virtual bool on_command(int id, int code, Hwnd control) { return false; }
    virtual bool on_timer(int id) { return false; }
    virtual bool on_paint() { return false; }                    // after the controls' default paint
    virtual bool on_button_down(int x, int y) { return false; }  // client coordinates
    virtual bool on_tap(int x, int y) { return false; }          // left button released
    virtual bool on_close() { return false; }
    virtual void on_destroy() {}
    // Any message: called first; return true with *result set to stop further processing.
    virtual bool on_message(uint32_t msg, WParam wparam, LParam lparam, LResult* result) { return false; }

private:
    friend struct DialogAccess;
    Hwnd m_hwnd = kNoWindow;
};

// Creates the dialog from its template (by name, or by number as "#103"), its controls, sends
// kMsgInitDialog (on_init), disables the owner and runs a nested message loop until end_dialog. Then
// re-enables and re-activates the owner, destroys the dialog and returns the result. -1 when the template
// is unknown or the dialog cannot be created (a control of an unknown class). A dialog destroyed without
// end_dialog gives 0; a quit message ends the loop with 0 and stays posted, so every loop ends.
int run_dialog(std::string_view name, Hwnd owner, DialogProc& proc);
int run_dialog(int number, Hwnd owner, DialogProc& proc);
int run_dialog(const DialogTemplate& t, Hwnd owner, DialogProc& proc);
// Ends the modal loop of `dialog` with `result` (takes effect when the current handler returns).
bool end_dialog(Hwnd dialog, int result);
// The template a top-level window came from: its name, "#103" for one known by number, "MessageBox" for
// a message box; empty for other windows.
std::string template_name(Hwnd hwnd);
// Dialogs currently running, outermost first.
std::vector<Hwnd> dialog_stack();

// Item helpers over window texts.
bool set_item_text(Hwnd dialog, int id, std::u16string_view text);
// At most max_chars characters of the item's text (the program reads "at most N characters").
std::u16string item_text(Hwnd dialog, int id, int max_chars = 0x7FFFFFFF);

// ---- The shell ----------------------------------------------------------------------------------------

// Full-screen initialisation of a dialog: fills the work area; with `done_button` the navigation bar
// shows "ok" for it, which sends command kIdOk.
void init_full_screen(Hwnd dialog, bool done_button);
// The input panel: raised shows an on-screen keyboard over the lower part of the screen.
// A change of state sends kMsgSettingChange with wparam kSettingInputPanel to the active window.
void set_input_panel(bool raised);
bool input_panel_raised();
Hwnd input_panel_window();                   // the keyboard window while raised, else kNoWindow
constexpr WParam kSettingInputPanel = 0xE0;
// The shell's activation record and its handlers, called by windows on kMsgActivate/kMsgSettingChange so
// the input panel and full-screen state follow the window.
struct ActivationInfo {
    uint32_t size = 12;
    uint32_t previous_panel_state = 0;   // kPanelUnknown, kPanelLowered or kPanelRaised
    uint32_t reserved = 0;
};
constexpr uint32_t kPanelUnknown = 0, kPanelLowered = 1, kPanelRaised = 2;
// A setting change for the panel records the new state while the window is active; deactivation records
// the state only when nothing was recorded yet; activation restores the recorded state (nothing when
// none was recorded).
void handle_activate(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info);
void handle_setting_change(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info);

// ---- Input from the display ---------------------------------------------------------------------------

// Screen coordinates. Taps go to the window under the point (or the capture); keys and characters to the
// focus, or to the active window. A tap on a disabled window, or on the menu bar of one, is dropped; a tap
// on another top-level window brings it forward. The wheel goes to the window under the point, with the
// point in client coordinates in lparam.
void input_button_down(int x, int y);
void input_button_up(int x, int y);
void input_mouse_move(int x, int y);
void input_wheel(int x, int y, int delta);
void input_key(uint32_t key, unsigned modifiers);
void input_char(char16_t c);

// ---- Life of the window manager -----------------------------------------------------------------------

// Called once before any window exists (and by tests between cases): destroys every window, forgets
// timers, queued messages, templates, tables, classes registered by the program and the quit state.
void reset();

}  // namespace platform::ui
