#pragma once
// The program's own number parser, used for every number the user types and for numbers read back from
// text files. It reads an optional sign, digits, an optional "." with digits and an optional exponent
// ("E" or "e", an optional sign, digits). There are no leading or trailing spaces: callers trim first.
// Wide and 8-bit forms follow the same rules; only the ASCII digits count as digits.

#include <string_view>

namespace formats {

// Parses the whole text. Returns true (1) and stores the value in *out, or false (0) and leaves *out
// unchanged when any character is out of place ("1 2", "1.2.3", "12a", "1e3.5") or the value overflows to
// infinity. The empty text and a sign alone parse as 0 with success. The fraction digits are folded from
// the last one back, so "0.1" is 0.1 exactly as the program has always read it back from its files.
bool parse_number(std::u16string_view text, double* out);
bool parse_number_ansi(std::string_view text, double* out);

// The value of an 8-bit text, or 0 when it does not parse.
double parse_number_to_double(std::string_view text);

// 1 when the text is an optional "+" or "-" followed only by digits and at most one "."; -1 otherwise (an
// exponent, a space or a second "." fails). The empty text and a sign alone pass.
int check_number_text(std::string_view text);

}  // namespace formats
