#pragma once
// Varno.prefs in the program directory: the preferences record (app/preferences_record.h) read once at
// start-up and written once at shutdown. The record lives in memory for the whole run; the options
// dialog and the GPS port dialog change it there.

#include <string>
#include <string_view>

#include "app/preferences_record.h"

namespace app {

constexpr const char16_t* kPreferencesFileName = u"Varno.prefs";

// The program's record (all zeros until loaded).
PreferencesRecord& preferences();
// Zeros the program's record and forgets the unopened last file (tests).
void reset_preferences();

// The program directory (ending in a backslash, or empty) followed by "Varno.prefs".
std::u16string preferences_path(const std::u16string& program_directory);

// Fills *out with zeros, then reads up to 568 bytes of the file into it (a shorter file leaves the rest
// zero). 0, or -1 when the file cannot be opened for reading and writing (the record stays zero).
int load_preferences(const std::u16string& program_directory, PreferencesRecord* out);

// Sets the GPS port name from the record (even when empty) and the display settings from its options
// string (app/options_string.h).
void apply_preferences(const PreferencesRecord& record);

// Completes the record from the running program: the float 0.8, the full path of the open coordinate file
// and the four view extents. With no file open the path is the unopened last file (below) when there is
// one, else "----". A path the field cannot hold whole is also written as "----", so a saved path is
// never cut.
void record_current_state(PreferencesRecord* record);

// The last file that start-up could not reopen (missing, read-only, on a storage card that is not there),
// kept so that it is written back and reopens at a later start once it can; empty for none (the start,
// and after reset_preferences). Choosing another file forgets it: set it empty then.
void set_unopened_last_file(std::u16string path);

// record_current_state, then writes the 568 bytes at the start of the file; a longer file keeps its tail.
// The new file is written beside the old one ("Varno.prefs.new") and takes its place only once written
// whole, so a failed write leaves the last good file as it was (and no file at all rather than an empty
// one). Where no side file can be made (a read-only folder) the record is written over the start of the
// file itself; a missing file is then created (unless the name is empty). 0 on success. -1 after the
// message "Error opening file:" / <file name> when the file can neither be opened nor created, or after
// "Error writing file:" / <file name> when the record could not be written whole.
int save_preferences(const std::u16string& program_directory, PreferencesRecord* record);

// The texts of the record.
std::u16string preferences_last_file(const PreferencesRecord& record);
std::u16string preferences_options(const PreferencesRecord& record);
// False (unchanged) when the string does not fit its 49 characters; the program's strings always do.
bool set_preferences_options(PreferencesRecord* record, std::u16string_view options);
std::u16string preferences_port_name(const PreferencesRecord& record);
// A name longer than the field's 7 characters is cut to 7 there.
void set_preferences_port_name(PreferencesRecord* record, std::u16string_view name);

}  // namespace app
