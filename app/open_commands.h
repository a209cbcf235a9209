#pragma once
// Coords > Open and Coords > Reindex: a path from the program's file browser, then open (or create) that
// coordinate file, or rebuild its indexes.
//
// The file browser and the point-index layer (which opens a coordinate file with its indexes and rebuilds
// them) are modules of their own that are not part of the program yet. Until the browser is, both
// commands have no path and stop at their first step; the steps after it take the path as an argument.

#include <string>

#include "platform/ui/ui.h"

namespace app {

// Open (40004) and Reindex (40287), as the menu runs them.
void open_command(platform::ui::Hwnd owner);
void reindex_command(platform::ui::Hwnd owner);

// Open with a chosen path. Trailing white space is stripped; an empty path does nothing. A file that
// opens but is not a coordinate file shows "Error" / "Not a coordinate file." and the open file stays
// open. A path that cannot be opened gets a new, empty coordinate file (280 zero header bytes), or
// "Error opening new file" with the path as text when that fails. An existing coordinate file is opened
// with its indexes by the point-index layer; until that is part of the program it stays closed.
void open_chosen_file(platform::ui::Hwnd owner, std::u16string path);

// Reindex with a chosen path. Trailing white space is stripped; an empty path does nothing. A file that
// is not a coordinate file shows "Error" / "<path> is not a coordinate file.". Rebuilding the indexes of
// a coordinate file is the point-index layer's; until it is part of the program nothing is rebuilt.
void reindex_chosen_file(platform::ui::Hwnd owner, std::u16string path);

// The path without trailing spaces, tabs, carriage returns and line feeds.
std::u16string strip_trailing_space(std::u16string path);

}  // namespace app
