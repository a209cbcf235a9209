#pragma once
// The main window's command table: what each menu command does, and which commands need an open
// coordinate file. Command ids are those of resources/app_resources.h.

#include "platform/ui/ui.h"

namespace app {

// True for the commands that work on the points of the open coordinate file: Edit, both Transform
// entries, both ASCII entries, Statistics, COGO, Area and Traverse.
bool command_needs_open_file(int command);

// Carries out a command sent to the main window `main`. A command that needs an open file does nothing
// at all (no dialog, no message) while none is open. Returns false for an id that is not in the table
// (such as 1 from Ctrl+Q); the caller leaves those to default processing.
bool dispatch_command(platform::ui::Hwnd main, int command);

}  // namespace app
