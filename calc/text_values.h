#pragma once
// The numbers of a calculation's typed texts, as its computation reads them: nothing for a text that does
// not read, so that no value is ever silently taken from elsewhere.

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// Trailing white space and leading spaces taken off, as a typed field is trimmed.
std::u16string trimmed(std::u16string_view text);

// A number by the program's parser (the empty text reads 0); nothing when it does not parse.
std::optional<double> number_value(std::u16string_view text);

// An azimuth in radians from a text in the angle mode of the options; nothing for a text in none of the
// parser's forms. The empty text reads 0.
std::optional<double> azimuth_value(std::u16string_view text);

}  // namespace calc
