#pragma once
// The main window: class "MV", title "Varno", the menu bar 111 along the bottom. Its procedure creates
// the menu bar, lets the shell follow activation, dispatches commands (answering 1 for those of the
// command table, as a dialog answers for a command it took), and on destruction saves the session, closes
// the coordinate file, destroys the menu bar and ends the message loop with code 0.

#include <string>

#include "platform/ui/ui.h"

namespace app {

// Registers the main window's class: the procedure below, icon 176, white background.
bool register_main_window_class(const std::u16string& class_name);

platform::ui::LResult main_window_proc(
    platform::ui::Hwnd hwnd, uint32_t msg, platform::ui::WParam wparam, platform::ui::LParam lparam);

// The main window and its menu bar while they exist, else kNoWindow.
platform::ui::Hwnd main_window();
platform::ui::Hwnd main_menu_bar();

// The directory whose preferences are saved when the main window is destroyed.
void set_program_directory(const std::u16string& directory);
const std::u16string& program_directory();

}  // namespace app
