#pragma once
// The distance keypad's expression language: one operation on two operands, where the left operand may be
// the distance between two stored points.
//
//   12?15        the distance between stored points 12 and 15 (or 12,15), rounded to 3 decimals
//   12?15+2.5    that distance plus 2.5
//   10X3  7/2    a number, one operator (+, -, /, X or x), a number
//
// Spaces are ignored and letters read in upper case. After a leading sign (the left operand's), the
// operator is the first "+", else the first "-", else the first "/", else the first "X"; the text before
// it is the left operand, the text after it the right one. A number is an optional sign, digits and at
// most one "." (no exponent); the right operand may be left off ("12+" is 12). A sign before a point
// pair negates its distance.

#include <optional>
#include <string_view>

namespace cogo {

// The value of the expression, or nothing: for an empty expression, one that begins with "L" or "R" (a
// line's side, which has no distance of its own), a malformed operand, a point pair naming a point that is
// not in the open coordinate file, a division by zero, and any result that is not finite.
std::optional<double> evaluate_distance_expression(std::u16string_view text);

}  // namespace cogo
