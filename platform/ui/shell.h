#pragma once
// The shell's part: full-screen dialogs under the navigation bar, the input panel, and the activation
// record that lets the panel follow the active window.

#include <cstdint>

#include "platform/ui/windows.h"

namespace platform::ui {

// Full-screen initialisation of a dialog: fills the work area; with `done_button` the navigation bar
// shows "ok" for it, which sends command kIdOk.
void init_full_screen(Hwnd dialog, bool done_button);
// The input panel: raised shows an on-screen keyboard over the lower part of the screen.
// A change of state sends kMsgSettingChange with wparam kSettingInputPanel to the active window.
void set_input_panel(bool raised);
bool input_panel_raised();
Hwnd input_panel_window();  // the keyboard window while raised, else kNoWindow
constexpr WParam kSettingInputPanel = 0xE0;
// The shell's activation record and its handlers, called by windows on kMsgActivate/kMsgSettingChange so
// the input panel and full-screen state follow the window.
struct ActivationInfo {
    uint32_t size = 12;
    uint32_t previous_panel_state = 0;  // kPanelUnknown, kPanelLowered or kPanelRaised
    uint32_t reserved = 0;
};
constexpr uint32_t kPanelUnknown = 0, kPanelLowered = 1, kPanelRaised = 2;
// A setting change for the panel records the new state while the window is active; deactivation records
// the state only when nothing was recorded yet; activation restores the recorded state (nothing when
// none was recorded).
void handle_activate(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info);
void handle_setting_change(Hwnd hwnd, WParam wparam, LParam lparam, ActivationInfo* info);

}  // namespace platform::ui
