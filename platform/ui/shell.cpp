// The shell's services: full-screen dialogs under the navigation bar, the input panel, and the activation
// record that lets the panel follow the window.

#include "platform/ui/ui_state.h"

namespace platform::ui {
namespace detail {

namespace {

constexpr int kPanelHeight = 80;
constexpr Rect kPanelRect {
    0, kScreenHeight - kMenuBarHeight - kPanelHeight, kScreenWidth, kScreenHeight - kMenuBarHeight};

uint32_t panel_state()
{
    return state().panel_raised ? kPanelRaised : kPanelLowered;
}

}  // namespace

void reset_shell()
{
    state().panel_raised = false;
    state().panel_window = kNoWindow;
}

}  // namespace detail

using namespace detail;

void init_full_screen(Hwnd dialog, bool done_button)
{
    Window* w = find(dialog);
    if (!w || !is_top_level(*w))
        return;
    w->full_screen = true;
    w->done_button = done_button;
    move_window(dialog, kWorkArea.left, kWorkArea.top, kWorkArea.width(), kWorkArea.height(), true);
    state().screen_dirty = true;
}

void set_input_panel(bool raised)
{
    UiState& s = state();
    if (raised == s.panel_raised)
        return;
    if (raised) {
        register_builtin_classes();
        Hwnd h = create_window(kKeyboardClass, u"", kStyleVisible | kStylePopup, kPanelRect.left, kPanelRect.top,
            kPanelRect.width(), kPanelRect.height(), kNoWindow);
        if (h == kNoWindow)
            return;
        s.panel_window = h;
        s.panel_raised = true;
    } else {
        Hwnd h = s.panel_window;
        s.panel_window = kNoWindow;
        s.panel_raised = false;
        destroy_window(h);
    }
    if (Hwnd a = active_window())
        post_message(a, kMsgSettingChange, kSettingInputPanel, 0);
}

bool input_panel_raised()
{
    return state().panel_raised;
}

Hwnd input_panel_window()
{
    return state().panel_window;
}

void handle_activate(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info)
{
    if (!info)
        return;
    // The record follows the panel through setting changes while the window is active; leaving only
    // fills a record that has none. (A dialog's initialisation may change the panel before the dialog
    // becomes active, and that change must not become its owner's.)
    if (loword(wparam) == 0) {
        if (info->previous_panel_state == kPanelUnknown)
            info->previous_panel_state = panel_state();
        return;
    }
    if (info->previous_panel_state == kPanelRaised)
        set_input_panel(true);
    else if (info->previous_panel_state == kPanelLowered)
        set_input_panel(false);
}

void handle_setting_change(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info)
{
    if (!info || wparam != kSettingInputPanel)
        return;
    if (top_level(hwnd) == active_window())
        info->previous_panel_state = panel_state();
}

}  // namespace platform::ui
