#pragma once
// The azimuth keypad's expression language: a base direction and an angle added to it.
//
//   N45.3000E     a quadrant bearing (not in the gon mode)
//   123.4530      an angle in the current angle mode (D.MS, a degree-mark text, or gons)
//   12?15         the azimuth from stored point 12 to stored point 15 (or 12,15)
//   12?15.2       the same turned by a half turn: .1, .2, .3 add a quarter, a half, three quarters
//   12?15?16      the clockwise angle at 12 from the direction to 15 to the direction to 16
//   12?15+90      a base and an addend: degrees in D.MS, or gons in the gon mode
//
// Spaces are ignored. After a leading sign, the text is split at the first "+", else at the first "-": the
// part before is the base (read in upper case), the sign and the rest the addend, read by the 8-bit angle
// parser. The addend is ignored after an angle at a point, and replaced by the suffix of a point pair.

#include <optional>
#include <string_view>

namespace cogo {

// The azimuth in radians, in [0, 2*pi), in the angle mode of the display settings; nothing for an empty
// expression, a base in none of the forms above (a quadrant bearing without its two letters, or any
// bearing in the gon mode; a number with a stray character), a point pair suffix other than .1, .2 or .3,
// an addend that is not a number, a point that is not in the open coordinate file, and a result that is
// not finite.
std::optional<double> evaluate_azimuth_expression(std::u16string_view text);

}  // namespace cogo
