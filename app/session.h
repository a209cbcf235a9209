#pragma once
// What the program carries from one run to the next: the preferences record (display settings, GPS port)
// and the coordinate file that was open with its view extents (app/preferences.h).

#include <string>

namespace app {

// Start-up: loads Varno.prefs from the program directory into the program's record. When it loads, the
// record is applied (GPS port name, display settings) and, unless its last-file field is "----", that
// file is opened with its indexes (trailing white space stripped; an index built meanwhile shows the
// indexing dialog, store/coord_open.h), and the view extents are set from the record whether or not it
// opened. A file that no longer opens, or that is not a coordinate file (store::coord_check), leaves none
// open, without a message. The name of one that does not open (missing, read-only, on a card that is not
// there) is kept and saved again at shutdown unless another file is chosen meanwhile
// (set_unopened_last_file); a file that is not a coordinate file is forgotten.
//
// Without a file the built-in settings stay and nothing is reopened. The new record then starts with the
// current GPS port name and options string, so that the first save keeps them rather than an empty port.
void restore_session(const std::u16string& program_directory);

// Shutdown: records the open coordinate file and its view extents and writes Varno.prefs (a file that
// cannot be written is reported and the program still ends).
void save_session(const std::u16string& program_directory);

}  // namespace app
