#pragma once
// Text routines for display lines, fields and keys. Wide unless the name ends in _ansi (8-bit,
// Windows-1252). All take views and return new text; the empty text gives the empty text.
// For wide <-> 8-bit conversion use platform::text::to_ansi / from_ansi.

#include <span>
#include <string>
#include <string_view>

namespace formats {

// Unicode white space: tab to carriage return, space, U+0085, U+00A0, U+1680, U+2000..U+200A, U+2028,
// U+2029, U+202F, U+205F, U+3000.
bool is_white_space(char16_t c);

// Removes trailing white space (as classed above).
std::u16string trim_trailing_white_space(std::u16string_view text);

// Removes leading spaces (code 32 only).
std::u16string trim_leading_spaces(std::u16string_view text);

// Trims both ends as a typed field is trimmed: trailing white space and leading spaces.
std::u16string trim_both_ends(std::u16string_view text);

// Trims both ends (trim_both_ends), then makes every run of spaces one space.
std::u16string collapse_spaces(std::u16string_view text);

// Removes every space (code 32).
std::u16string remove_spaces(std::u16string_view text);
std::string remove_spaces_ansi(std::string_view text);

// Removes spaces and character code 25 from both ends (point-name keys). All such characters give "".
std::string trim_ansi(std::string_view text);

// A copy without trailing spaces and character code 25.
std::string trim_trailing_ansi(std::string_view text);

// Each Windows-1252 letter in upper case (a-z and the Latin-1 letters; 0xFF becomes 0x9F).
std::string upper_ansi(std::string_view text);

// Removes one trailing double quote and, when the text starts with one, the leading double quote.
std::string strip_quotes_ansi(std::string_view text);

// Prefixes `fill` until the text is `width` long; a longer text is returned as it is.
std::u16string left_pad(std::u16string_view text, int width, char16_t fill);

// After collapse_spaces, the n-th space-separated word (n from 0), left-padded with spaces to `width`;
// a word past the last gives only the padding. With n = -1: the characters of the text as given from
// position `from` on (none when `from` is past the end), left-padded likewise.
std::u16string word(std::u16string_view text, int n, int width, size_t from = 0);

// Shell sort (gaps count/2, count/4, ... 1) of the lines by their key, word(line, key_word, width),
// compared code unit by code unit; ascending or descending. Equal keys may change their order.
void sort_lines(std::span<std::u16string> lines, int key_word, int width, bool descending);

}  // namespace formats
