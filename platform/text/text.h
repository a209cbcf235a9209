#pragma once
// Text as the handheld has it: the user interface speaks UTF-16 (std::u16string), the 8-bit character set
// is Windows-1252, host strings (file names, command lines, stdout) are UTF-8.

#include <cstdarg>
#include <string>
#include <string_view>

namespace platform::text {

// UTF-8 <-> UTF-16. Malformed UTF-8 bytes become U+FFFD; lone surrogates become U+FFFD in UTF-8.
std::u16string from_utf8(std::string_view utf8);
std::string to_utf8(std::u16string_view wide);

// UTF-16 <-> Windows-1252 (the handheld's 8-bit code page). A character the code page cannot hold becomes
// '?'. Conversion stops at nothing: embedded NULs are converted like any other character.
std::string to_ansi(std::u16string_view wide);
std::u16string from_ansi(std::string_view ansi);

// printf-style formatting with the formats the program quotes ("%7lu %s", "%.3lf", "%12u", "%-15s").
// format(): 8-bit result; %s takes const char*.
// wformat(): wide result from a wide format; %s and %ls take const char16_t*, %hs and %S take const char*
// (as the handheld's wide printf does). Numeric conversions are those of the C library.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string vformat(const char* fmt, va_list args);
std::u16string wformat(const char16_t* fmt, ...);
std::u16string vwformat(const char16_t* fmt, va_list args);

// Letter case over Windows-1252's letters (ASCII and Latin-1), as the handheld's case conversions.
char16_t to_upper(char16_t c);
char16_t to_lower(char16_t c);
std::u16string to_upper(std::u16string_view s);
// <0, 0, >0 comparing without regard to letter case.
int compare_no_case(std::u16string_view a, std::u16string_view b);
bool equal_no_case(std::u16string_view a, std::u16string_view b);

// The text without any of `characters` at either end: spaces and tabs unless told otherwise (the menu
// labels, the driver's captions and entries, the point list's Go-To with spaces alone).
std::u16string_view trim(std::u16string_view s, std::u16string_view characters = u" \t");

}  // namespace platform::text
