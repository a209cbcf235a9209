#pragma once
// What the program carries from one run to the next: the preferences record (display settings, GPS port)
// and the coordinate file that was open with its view extents.
//
// The preferences file is read and written by the preferences module, which is not part of the program
// yet. Until it is, a run starts with the built-in settings and no coordinate file, and nothing is saved
// at the end: these are the two places where start-up and shutdown hand over to it.

#include <string>

#include "platform/ui/ui.h"

namespace app {

// Start-up: load the preferences record from the program directory, apply it and reopen the last
// coordinate file (message boxes owned by `owner`). Today: keeps the built-in settings.
void restore_session(const std::u16string& program_directory, platform::ui::Hwnd owner);

// Shutdown: record the open coordinate file and its view extents and write the preferences record. Today:
// writes nothing.
void save_session(const std::u16string& program_directory);

}  // namespace app
