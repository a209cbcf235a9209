#pragma once
// What the driver's operations share: naming windows, finding controls, reading entries, key names and
// the dump listing. Everything here reads windows, so it runs while the program is parked.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/driver/driver.h"
#include "platform/ui/ui.h"

namespace platform::driver {

// The text in double quotes, with \" and \\ escaped.
std::string quote(std::string_view s);

// The main window: the first top-level window without owner that no template made.
ui::Hwnd main_window();
// "main", the template name ("PT_EDIT", "#103", "MessageBox"), "(no window)", or another window's title.
std::string window_name(ui::Hwnd window);
// The window is the one a script names: "main", a template name (letter case ignored), or a number
// standing for the template known by that number.
bool window_matches(ui::Hwnd window, std::string_view name);

struct Found {
    ui::Hwnd hwnd = ui::kNoWindow;
    std::string error;  // why nothing was found
    bool ok() const { return hwnd != ui::kNoWindow; }
};
// A control of the active window by id or caption, of one of `classes` (any class when empty).
Found find_control(const ControlName& name, std::initializer_list<std::u16string_view> classes);

// Why a user could not act on the control (disabled, hidden, read-only edit), or empty.
std::string unusable(ui::Hwnd control, const ControlName& name);
// Why an edit would refuse `text` (digits only), or empty.
std::string refused_text(ui::Hwnd edit, std::u16string_view text, const ControlName& name);

// Entries of a list box or combo box.
int entry_count(ui::Hwnd list);
std::u16string entry_text(ui::Hwnd list, int index);
int entry_index(ui::Hwnd list, std::u16string_view text);  // exact, then trimmed; -1 when absent

struct KeyPress {
    uint32_t key = 0;  // key code for ui::input_key, 0 for none
    unsigned modifiers = 0;
    char16_t character = 0;  // also typed through ui::input_char, 0 for none
};
bool parse_key(std::string_view name, KeyPress* out);

// ui::kIdOk for "ok" and so on (letter case ignored); 0 for anything else.
int box_button_id(std::string_view name);

// The listing of a window: title and template, every control with id, class, text, check state,
// selection, its rectangle in client pixels of the window ("at X,Y WxH") and its entries, then the
// commands of its menu bar.
std::string dump_window(ui::Hwnd window);

}  // namespace platform::driver
