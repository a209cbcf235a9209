#pragma once
// The program's string table: numbered texts that the program loads by id, as the handheld's string
// resources. Each subsystem adds its own strings when the resources are installed.

#include <string>
#include <string_view>

namespace resources {

// Adds or replaces the text of string `id`.
void add_string(int id, std::u16string_view text);

// The text of string `id`, cut to capacity - 1 characters as the handheld's loader does for a buffer of
// `capacity` characters (room is kept for the terminating NUL). An unknown id, or a capacity below 1,
// gives the empty string.
std::u16string load_string(int id, int capacity);

// Forgets every string (tests).
void clear_strings();

}  // namespace resources
