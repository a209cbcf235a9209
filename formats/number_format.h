#pragma once
// Formatters for distances, coordinates and areas, and the fixed-decimals form of the export files.

#include <string>

namespace formats {

// The value printed with "%.<n>lf" (n = 3 gives "%.3lf"). A count below 0 counts as 0, above
// kMaxFormatDecimals as that limit.
constexpr int kMaxFormatDecimals = 17;
std::u16string format_decimals(double value, int decimals);
std::string format_decimals_ansi(double value, int decimals);

// The same with the coordinate, distance or area decimals of the display settings.
std::u16string format_coordinate(double value);
std::u16string format_distance(double value);
std::u16string format_area(double value);

// The export files' fixed-decimals text, 8-bit: "-" for a negative value, the whole part after rounding at
// the n-th decimal, "." and exactly n fraction digits; with n = 0 no ".". 0.999 with 2 gives "1.00", -3.5
// with 0 gives "-4", 0.05 with 2 gives "0.05". A value just below 0 that rounds to 0 keeps its "-"
// ("-0.00"), as the files have always had it. Any magnitude prints in full. The count is kept within
// [0, kMaxFixedDecimals]; infinities and NaN print as the C library prints them.
constexpr int kMaxFixedDecimals = 10;
std::string format_fixed_decimals(double value, int decimals);

}  // namespace formats
