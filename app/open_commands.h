#pragma once
// Coords > Open and Coords > Reindex: a path from the program's file browser (app/file_browser_dialog.h),
// then open (or create) that coordinate file with its indexes, or rebuild its indexes
// (store/coord_open.h).

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
// with its indexes (a missing one is built behind the indexing dialog); a new file is never made
// over a coordinate file that exists but would not open. Once the store is asked (the checks above
// passed), the last file that start-up could not reopen is forgotten (app/preferences.h).
void open_chosen_file(platform::ui::Hwnd owner, std::u16string path);

// Reindex with a chosen path. Trailing white space is stripped; an empty path does nothing. A file that
// is not a coordinate file shows "Error" / "<path> is not a coordinate file.". Otherwise the open file is
// closed and both indexes of the chosen one are rebuilt; a file that cannot be opened leaves none open,
// without a message. As with Open, the last file that start-up could not reopen is then forgotten.
void reindex_chosen_file(platform::ui::Hwnd owner, std::u16string path);

}  // namespace app
