#pragma once
// What the controls share: reaching a control's state, notifying its parent, measuring and wrapping text,
// the colours of the crisp touch-screen look, and the private messages of the driver's requests.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"

namespace platform::controls::kit {

using ui::Hwnd;

constexpr gdi::Color kGrey = 0x808080;       // disabled text
constexpr gdi::Color kLightGrey = 0xD0D0D0;  // button faces, scroll tracks

// Requests the driver posts; each control carries them out on the user-interface thread. Numbers well
// above kMsgUser so a program's own private messages to a control never collide with them.
constexpr uint32_t kMsgDriverClick = ui::kMsgUser + 0x7E01;
constexpr uint32_t kMsgDriverType = ui::kMsgUser + 0x7E02;    // the text waits in the edit's state
constexpr uint32_t kMsgDriverSelect = ui::kMsgUser + 0x7E03;  // wparam: index

// Class names.
inline constexpr std::u16string_view kStaticClass = u"static";
inline constexpr std::u16string_view kEditClass = u"edit";
inline constexpr std::u16string_view kButtonClass = u"button";
inline constexpr std::u16string_view kListClass = u"listbox";
inline constexpr std::u16string_view kComboClass = u"combobox";
inline constexpr std::u16string_view kProgressClass = u"msctls_progress32";
inline constexpr std::u16string_view kComboDropClass = u"varno_combo_drop";
inline constexpr std::u16string_view kMenuBarClass = u"varno_menu_bar";
inline constexpr std::u16string_view kPopupMenuClass = u"varno_popup_menu";

bool is_class(Hwnd hwnd, std::u16string_view name);

// A control's state lives from its kMsgCreate to its kMsgDestroy. The kit owns it meanwhile; the window's
// user data borrows it, so state_of reaches it without a look-up.
using OwnedState = std::unique_ptr<void, void (*)(void*)>;
// Takes `state` over for hwnd and lends it to hwnd's user data (adopt_state is the typed form).
void keep_state(Hwnd hwnd, OwnedState state);
// Frees hwnd's state and clears its user data; nothing when it has none.
void free_state(Hwnd hwnd);

// For kMsgCreate: the control's new state, owned by the kit; the borrowed pointer.
template <class T> T* adopt_state(Hwnd hwnd, std::unique_ptr<T> state)
{
    T* borrowed = state.get();
    keep_state(hwnd, OwnedState(state.release(), [](void* p) { delete static_cast<T*>(p); }));
    return borrowed;
}

// The state a control keeps in its user data, or nullptr when hwnd is not a window of that class.
template <class T> T* state_of(Hwnd hwnd, std::u16string_view class_name)
{
    if (!is_class(hwnd, class_name))
        return nullptr;
    return static_cast<T*>(ui::user_data(hwnd));
}

// Sends kMsgCommand (id | code << 16, lparam = the control) to the control's parent, as a user's action
// on it does. Nothing for a control without parent.
void notify_parent(Hwnd control, int code);

// Text measured in `font` (a scratch DC is kept for it).
gdi::Size measure(const gdi::FontRef& font, std::u16string_view text);
int line_height(const gdi::FontRef& font);

// Breaks text into lines no wider than `width` pixels: at spaces where it can, inside a word that is wider
// than a line, and at every line feed ("\r\n" counts as one). Always at least one line.
std::vector<std::u16string> wrap_text(const gdi::FontRef& font, std::u16string_view text, int width);

// Paints `text` in `r` with the control's font and colour; align is gdi::kAlignLeft/Center/Right.
void draw_text_line(gdi::DC& dc, const gdi::Rect& r, std::u16string_view text, unsigned align, gdi::Color color);

}  // namespace platform::controls::kit
