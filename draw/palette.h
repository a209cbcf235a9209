#pragma once
// The colour palette callers choose entity colours from, and the line-type names turned into pen styles.

#include <cstdint>
#include <string_view>

#include "draw/entity.h"

namespace draw {

constexpr int kPaletteSize = 23;

// The COLORREF (0x00BBGGRR) of palette index 0 ("Black") to 22 ("light Magenta"); any other index gives
// black.
ColorRef dwg_colour(int index);

enum class LineStyle { Solid, Dash, Null };

// A line type name as a pen style: cut to its first 51 characters, stripped of leading and trailing blanks
// (space and the character 25), compared without regard to case with "SOLID", "DASH" and "NONE" (the
// null pen: nothing visible is drawn). Any other name is solid.
LineStyle dwg_pen_style(std::string_view line_type);

}  // namespace draw
