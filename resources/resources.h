#pragma once
// Installs every resource of the program into the window manager, the controls and the string table.
// Called once at start-up after the window manager has been reset and the control classes registered;
// calling it again replaces the same resources with themselves.

namespace resources {

struct TemplateSet;

void install_all();

// Every dialog template and menu bar of the program, from every resources file.
TemplateSet all_templates();

}  // namespace resources
