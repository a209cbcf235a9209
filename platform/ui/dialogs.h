#pragma once
// Dialog templates and modal dialogs: one procedure class per dialog, run in a nested message loop.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/ui/windows.h"

namespace platform::ui {

struct ControlTemplate {
    int id = 0;
    std::u16string class_name;  // "static", "edit", "button", "listbox", "combobox", "msctls_progress32"
    std::u16string caption;
    Rect rect;  // dialog client coordinates
    uint32_t style = kStyleVisible | kStyleChild;
};
struct DialogTemplate {
    std::string name;  // "PT_EDIT"; empty for a template known by number only
    int number = 0;    // 103 for the about box; 0 when known by name
    std::u16string title;
    bool full_screen = true;  // full screen: the work area; pop-up: `rect` size, centred on the screen
    Rect rect;                // pop-ups: size (left/top ignored)
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
    // Paint: `dc` is on the dialog's client area, its background already erased; the controls paint
    // themselves afterwards. The DC is the handler's to change: a fresh one comes with every paint.
    virtual bool on_paint(gdi::DC& dc) { return false; }
    virtual bool on_button_down(int x, int y) { return false; }  // client coordinates
    virtual bool on_tap(int x, int y) { return false; }          // left button released
    virtual bool on_close() { return false; }
    virtual void on_destroy() { }
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
// end_dialog gives 0; a quit message ends the loop with 0 and stays posted, so every loop ends. While a
// paint message is handled (painting()) nothing is created and the result is -1: a nested loop inside a
// paint would paint again over a half-drawn screen and re-enter the painter.
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

}  // namespace platform::ui
