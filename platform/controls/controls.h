#pragma once
// The standard controls (static, edit, button and check box, list box, combo box, progress bar), the
// menu bar and the message box, built on the window manager. Each behaves as a user expects on a touch
// screen with a keyboard. Calls take the control's handle; a handle of another class is ignored (the
// call returns its "nothing" value).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.h"

namespace platform::controls {

using ui::Hwnd;

// Registers the window classes "static", "edit", "button", "listbox", "combobox", "msctls_progress32"
// and the menu bar's and message box's own. Call after ui::reset(); calling again is harmless.
void register_classes();

// ---- Styles (low 16 bits, per class) ------------------------------------------------------------------

constexpr uint32_t kStaticLeft = 0x0, kStaticCenter = 0x1, kStaticRight = 0x2;
constexpr uint32_t kStaticIcon = 0x3;  // caption "#176": the icon resource drawn
constexpr uint32_t kButtonPush = 0x0, kButtonDefPush = 0x1, kButtonCheckBox = 0x2, kButtonAutoCheckBox = 0x3;
constexpr uint32_t kEditLeft = 0x0, kEditCenter = 0x1, kEditRight = 0x2, kEditReadOnly = 0x800, kEditNumber = 0x2000;
constexpr uint32_t kListNotify = 0x1, kListSort = 0x2, kListFixedPitch = 0x4000;  // fixed pitch: Courier
constexpr uint32_t kComboDropDownList = 0x3;

// ---- Edit ---------------------------------------------------------------------------------------------
// The text is the window text. Typing, Backspace, Delete and post_type send kEnChange to the parent (id |
// kEnChange << 16); gaining and losing the focus send kEnSetFocus and kEnKillFocus. Text set through
// ui::set_window_text sends no notification: the window manager tells a control nothing about it.

// At most max_chars characters of the text.
std::u16string edit_text(Hwnd edit, int max_chars = 0x7FFFFFFF);
void edit_set_limit(Hwnd edit, int max_chars);           // typing stops at the limit; 0: no limit
void edit_set_selection(Hwnd edit, int start, int end);  // -1 end: to the end
int edit_caret(Hwnd edit);

// ---- Button and check box -----------------------------------------------------------------------------

int button_check(Hwnd button);  // 0 or 1
void button_set_check(Hwnd button, int state);

// ---- List box -----------------------------------------------------------------------------------------
// A tap on an entry selects it and sends kLbnSelChange, even when it was already selected; Up, Down,
// PageUp, PageDown, Home and End move the selection and notify when it moves. Calls below never notify.

int list_add(Hwnd list, std::u16string_view text);  // index of the new entry (sorted lists insert in order)
int list_insert(Hwnd list, int index, std::u16string_view text);  // -1 index: at the end
bool list_delete(Hwnd list, int index);
void list_reset(Hwnd list);
int list_count(Hwnd list);
std::u16string list_text(Hwnd list, int index);  // empty outside
int list_selection(Hwnd list);                   // -1: none
bool list_set_selection(Hwnd list, int index);   // no notification; -1 clears; scrolls into view
int list_top_index(Hwnd list);
void list_set_top_index(Hwnd list, int index);
int list_visible_rows(Hwnd list);
void list_set_data(Hwnd list, int index, intptr_t data);
intptr_t list_data(Hwnd list, int index);

// ---- Combo box (drop-down list) -----------------------------------------------------------------------
// A template's height is the height with the list open; the box shrinks to one line. Opening sends
// kCbnDropDown; picking an entry (tap, Up/Down while focused, post_select) sends kCbnSelChange. The window
// text is the selected entry.

int combo_add(Hwnd combo, std::u16string_view text);
void combo_reset(Hwnd combo);
int combo_count(Hwnd combo);
std::u16string combo_text(Hwnd combo, int index);
int combo_selection(Hwnd combo);
bool combo_set_selection(Hwnd combo, int index);  // no notification
bool combo_dropped(Hwnd combo);

// ---- Progress bar -------------------------------------------------------------------------------------

void progress_set_range(Hwnd bar, int low, int high);
void progress_set_step(Hwnd bar, int step);
void progress_step_it(Hwnd bar);  // wraps to low past high, as the handheld's does
void progress_set_pos(Hwnd bar, int pos);
int progress_pos(Hwnd bar);

// ---- Menu bars ----------------------------------------------------------------------------------------

struct MenuItem {
    std::u16string label;
    int command = 0;
    std::vector<MenuItem> submenu;  // non-empty: a nested pop-up (Coords > Transform > By Parameters)
};
struct MenuBarButton {
    std::u16string label;
    int command = 0;              // plain button: the command it sends
    std::vector<MenuItem> popup;  // non-empty: a drop-down
};
struct MenuBarTemplate {
    int id = 0;
    std::vector<MenuBarButton> buttons;
};
void add_menu_bar_template(const MenuBarTemplate& t);

// Creates the menu bar of `window` from template `id` along the bottom of the screen; it shows while the
// window is active and sends its commands to it (kMsgCommand, code 0). kNoWindow on failure: unknown id,
// or the failure switch set.
Hwnd create_menu_bar(Hwnd window, int id);
Hwnd menu_bar_of(Hwnd window);
void set_menu_bar_failure(bool fail);  // tests: every create_menu_bar fails while set
// Command id reached by a label path ("Coords/Transform/By Parameters"; labels compared with surrounding
// spaces trimmed), or -1.
int menu_command_for_path(Hwnd menu_bar, std::u16string_view path);
// Every label path of the bar with its command (the driver's dump, the tests).
std::vector<std::pair<std::u16string, int>> menu_paths(Hwnd menu_bar);
// Changes a button's caption (dialogs that toggle a command).
bool menu_bar_set_button_text(Hwnd menu_bar, int index, std::u16string_view text);

// ---- Message box --------------------------------------------------------------------------------------

constexpr unsigned kMbOk = 0x0, kMbOkCancel = 0x1, kMbYesNoCancel = 0x3, kMbYesNo = 0x4;
constexpr unsigned kMbIconError = 0x10, kMbIconQuestion = 0x20, kMbIconWarning = 0x30, kMbIconInformation = 0x40;
// A modal pop-up with the caption, the wrapped text and its buttons; returns the id of the button pressed
// (ui::kIdOk, kIdCancel, kIdYes, kIdNo); Return presses the focused button (at first the first one);
// Escape or closing answers Cancel, or No where there is no Cancel, or OK where there is neither. 0 when the box cannot be shown. Its template name is "MessageBox", its
// title the caption; the text is control 0xFFFF. An icon bit adds its symbol left of
// the text.
// No box opens while a paint message is handled (ui::painting()): a box with the OK button alone then
// answers kIdOk at once and is shown once the paint is over, from the message loop; any other answers 0
// and is not shown (a question asked from a painter is a mistake, and no answer is safer than a loop
// that paints again inside a paint).
int message_box(Hwnd owner, std::u16string_view caption, std::u16string_view text, unsigned type = kMbOk);
constexpr int kMessageBoxTextId = 0xFFFF;
// Draws the frame of a pop-up dialog as the message box has it: its title in a black caption strip of
// kPopupCaptionHeight rows along the top, and a one-pixel border. Pop-up prompts call it from on_paint; the
// DC comes back with the state it had.
constexpr int kPopupCaptionHeight = 20;
void paint_popup_frame(Hwnd dialog, gdi::DC& dc);

// ---- For the driver -----------------------------------------------------------------------------------
// The driver never runs the program's handlers itself: these post a request that the control carries out
// on the user-interface thread, with the notifications a user's action sends.

void post_click(Hwnd button);                         // press and release: toggles check boxes, clicked
void post_type(Hwnd edit, std::u16string_view text);  // focus, replace the text, change notification
void post_select(Hwnd list_or_combo, int index);      // select, selection-change notification

}  // namespace platform::controls
