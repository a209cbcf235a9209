#pragma once
// The options string of the preferences record: the angle-mode keyword ("degs", "gons" or "quads") and
// the angle, coordinate, distance and area decimals, separated by commas: "gons,6,3,3,2".

#include <string>
#include <string_view>

namespace app {

// Sets the display settings (formats/display_settings.h) from the string. The text up to the first comma
// is the mode keyword: "gons" gives gons with 6 angle decimals, "quads" quadrant bearings with 6, anything
// else (the empty text too) degrees with 0. The decimals are read only as far as the commas allow: the
// angle decimals when a second comma follows them, the coordinate decimals when a third follows them, the
// distance and area decimals when a fourth separates them. A field that is read counts as a decimal
// integer (leading blanks and a sign allowed, reading stops at the first other character, no digits
// read as 0; counts outside 0..7 are held at the nearer end). Settings whose field is not read keep their
// values.
void apply_options_string(std::u16string_view options);

// The string of the current settings: the keyword of the angle mode ("gons", "quads", else "degs"), then
// each of the four decimal counts with ",%d".
std::u16string build_options_string();

}  // namespace app
