#pragma once
// Installs every resource of the program into the window manager, the controls and the string table.
// Called once at start-up after the window manager has been reset and the control classes registered;
// calling it again replaces the same resources with themselves.

namespace resources {

void install_all();

}  // namespace resources
