#pragma once
// What the two keypad languages read alike: plain numbers, stored points named by number, and the
// separators of a point pair ("?" or ",").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/plane_geometry.h"

namespace cogo {

// An optional "+" or "-", then digits with at most one "." and at least one digit; nothing else (no
// exponent, no space). Nothing when the text is not such a number.
std::optional<double> plain_number(std::u16string_view text);

// The text cut at every "?" and ",": one piece for a text without a separator.
std::vector<std::u16string_view> point_pair_pieces(std::u16string_view text);

// The coordinates of the stored point whose number is the text (digits only); nothing when the text is no
// point number or the point is not in the open coordinate file.
std::optional<formats::Position> stored_point(std::u16string_view number);

// The text without its spaces, in upper case.
std::u16string expression_text(std::u16string_view text);

}  // namespace cogo
