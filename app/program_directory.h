#pragma once
// The program directory: where the preferences file lives. Derived from the executable's full path.

#include <string>
#include <string_view>

namespace app {

// The directory of the executable, ending in a backslash: the path (at most 259 characters, as much as a
// path buffer of 260 holds) upper-cased and cut before the first "VARNO.EXE". Empty when the path is
// empty or the name is not in it; files are then looked up relative to the current directory.
std::u16string program_directory_from(std::u16string_view executable_path);

}  // namespace app
