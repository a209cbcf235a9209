#pragma once
// Angle parsers. The result is in degrees; callers convert to radians themselves.
//
// In the gons angle mode the whole text is a number of gons (100 gives 90). Otherwise, in this order:
//  - bearing letters (wide form only): a first letter N or S and a last letter E or W, either case, make a
//    quadrant bearing; N..E gives v, S..E 180 - v, S..W 180 + v, N..W 360 - v;
//  - the degree-mark form (wide form only): 12º34'56.7" reads as 12.34567 below, and a one-digit minute or
//    whole-second field counts as if written with a leading zero (12º5'3" is 12º 05' 03");
//  - with a "." and a digit after it, compact D.MS: degrees, ".", then MMSS (padded with zeros on the
//    right to four digits: 12.3 is 12º 30'); further digits are decimals of the seconds when the angle
//    decimals are 1 or more and are ignored when they are 0. A leading "-" negates the result;
//  - a text that reads as the number 0 gives 0, or 180 for a south bearing (S0.0000E, S0W);
//  - otherwise, or with the "." last ("12."), a plain number of degrees.
//
// There is no failure result: a text in none of these forms ("12a", "1.2x") gives 0.

#include <string_view>

namespace formats {

// Reads the angle mode and angle decimals of the display settings.
double parse_angle(std::u16string_view text);

// Whether parse_angle reads the text in one of its forms, rather than giving 0 for a text in none of them
// ("12a", "1.2x", "N45x"). The empty text reads (as 0). The text is trimmed by the caller.
bool angle_text_parses(std::u16string_view text);

// 8-bit form: the same rules without bearing letters and without the degree-mark form.
double parse_angle_ansi(std::string_view text);

}  // namespace formats
