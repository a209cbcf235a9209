#pragma once
// Lines and text in pixels on any device context: what the immediate primitives (screen_primitives.h)
// and the off-screen buffer (offscreen_buffer.h) share.

#include <optional>
#include <string_view>

#include "draw/gdi_style.h"

namespace draw {

// A segment from (x1, y1) to (x2, y2) (the last pixel left out) with the line type's style, the thinnest
// pen and the colour. The previous pen is restored.
void pixel_line(gdi::DC& dc, std::string_view line_type, ColorRef colour, int x1, int y1, int x2, int y2);

// Text at (x, y) in the drawing font (pixel height and width, escapement ten times the orientation in
// degrees), the given alignment (none: the context's), the colour, a transparent background. Nothing when
// the height is 0.
void pixel_text(gdi::DC& dc, std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width,
    int x, int y, double orientation, std::optional<unsigned> alignment);

}  // namespace draw
