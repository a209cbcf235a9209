#pragma once
// The program directory: where the preferences file lives. Derived from the executable's full path. And
// the tidying of a path the program is given (chosen in the file browser, or kept in the preferences).

#include <string>
#include <string_view>

namespace app {

// The directory of the executable, ending in a backslash: the path (at most 259 characters, as much as a
// path buffer of 260 holds) upper-cased and cut before the first "VARNO.EXE". Empty when the path is
// empty or the name is not in it; files are then looked up relative to the current directory.
std::u16string program_directory_from(std::u16string_view executable_path);

// The path without trailing spaces, tabs, carriage returns and line feeds.
std::u16string strip_trailing_space(std::u16string path);

}  // namespace app
