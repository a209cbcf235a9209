#pragma once
// The window manager's one message queue, on the one user-interface thread: the handheld's message numbers
// and parameters, sending and posting, the loop's order of work, timers, accelerators, and input from the
// display. Everything here runs on the user-interface thread. Window handles are small numbers that never
// repeat within a run, so a stale handle is simply "not a window".

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace platform::ui {

using Hwnd = uint32_t;
constexpr Hwnd kNoWindow = 0;
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;
// ---- Messages (the handheld's numbers) ----------------------------------------------------------------

constexpr uint32_t kMsgCreate = 0x0001;  // lparam: the create parameter (void*)
constexpr uint32_t kMsgDestroy = 0x0002;
constexpr uint32_t kMsgActivate = 0x0006;  // wparam: 1 active, 0 inactive
constexpr uint32_t kMsgSetFocus = 0x0007;
constexpr uint32_t kMsgKillFocus = 0x0008;
constexpr uint32_t kMsgEnable = 0x000A;
constexpr uint32_t kMsgPaint = 0x000F;
constexpr uint32_t kMsgClose = 0x0010;
constexpr uint32_t kMsgQuit = 0x0012;  // never dispatched: get_message returns false
constexpr uint32_t kMsgSettingChange = 0x001A;
constexpr uint32_t kMsgKeyDown = 0x0100;  // wparam: key code, lparam: modifiers
constexpr uint32_t kMsgKeyUp = 0x0101;
constexpr uint32_t kMsgChar = 0x0102;  // wparam: UTF-16 unit
constexpr uint32_t kMsgInitDialog = 0x0110;
constexpr uint32_t kMsgCommand = 0x0111;    // wparam: id | code << 16, lparam: control handle or 0
constexpr uint32_t kMsgTimer = 0x0113;      // wparam: timer id
constexpr uint32_t kMsgMouseMove = 0x0200;  // lparam: column | row << 16 (client coordinates)
constexpr uint32_t kMsgLButtonDown = 0x0201;
constexpr uint32_t kMsgLButtonUp = 0x0202;
constexpr uint32_t kMsgMouseWheel = 0x020A;  // wparam: signed delta << 16 (120 per notch)
constexpr uint32_t kMsgUser = 0x0400;        // first number free for private messages

struct Message {
    Hwnd hwnd = kNoWindow;
    uint32_t msg = 0;
    WParam wparam = 0;
    LParam lparam = 0;
};

constexpr uint16_t loword(uintptr_t v)
{
    return uint16_t(v & 0xFFFF);
}
constexpr uint16_t hiword(uintptr_t v)
{
    return uint16_t((v >> 16) & 0xFFFF);
}
constexpr WParam make_wparam(unsigned lo, unsigned hi)
{
    return WParam((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LParam make_point_lparam(int x, int y)
{
    return LParam(uint32_t(x & 0xFFFF) | (uint32_t(y & 0xFFFF) << 16));
}
constexpr int point_x(LParam l)
{
    return int16_t(l & 0xFFFF);
}
constexpr int point_y(LParam l)
{
    return int16_t((l >> 16) & 0xFFFF);
}

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

// ---- Messages -----------------------------------------------------------------------------------------

LResult send_message(Hwnd hwnd, uint32_t msg, WParam wparam = 0, LParam lparam = 0);
bool post_message(Hwnd hwnd, uint32_t msg, WParam wparam = 0, LParam lparam = 0);
void post_quit_message(int exit_code);
// Queues `call` to run on the user-interface thread from the message loop, in order with posted messages
// (as a message of no window that dispatch_message carries out). What cannot be done where it is asked
// for, such as a message box asked for while painting, is done this way once the asking handler returns.
void post_call(std::function<void()> call);

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
// For long work on the user-interface thread that the user may cut short: gathers the input that has
// arrived (display::Backend::poll) and tells whether a message `msg` for `window` or one of its
// descendants is waiting in the queue. Nothing is taken from the queue.
bool input_waiting(Hwnd window, uint32_t msg);

// ---- Timers -------------------------------------------------------------------------------------------

// A kMsgTimer is generated when due, at most one pending per timer, after input and posted messages.
// Setting an existing timer restarts it with the new period. Timers die with their window.
// A timer is not delivered again while its handler is still running: a handler that opens a message box
// runs a nested loop, in which that timer waits (other timers go on); it fires once the handler returns,
// if it is due by then, and is rescheduled from that moment.
bool set_timer(Hwnd hwnd, int id, uint32_t period_ms);
bool kill_timer(Hwnd hwnd, int id);
// Due time (platform clock ms) of the earliest timer that can be delivered, if any: a timer whose handler
// is running is left out (the headless driver and the display's wait use it).
std::optional<uint64_t> next_timer_due();

// ---- Accelerators -------------------------------------------------------------------------------------

struct Accelerator {
    uint32_t key = 0;        // key code
    unsigned modifiers = 0;  // kModCtrl ...
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

}  // namespace platform::ui
