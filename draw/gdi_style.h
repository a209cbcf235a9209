#pragma once
// What the renderer hands the platform's graphics: colours (the drawings' COLORREF 0x00BBGGRR becomes
// the graphics' 0x00RRGGBB), pens from line types, the drawing font, and the alignment of anchor codes.

#include <cstdint>
#include <optional>
#include <string_view>

#include "draw/entity.h"
#include "platform/gdi/gdi.h"

namespace draw {

namespace gdi = platform::gdi;

gdi::Color to_gdi_color(ColorRef colour);

// Style from the line type (palette.h), width 0 for a hairline (the thinnest pen) and 1 otherwise.
gdi::Pen line_pen(std::string_view line_type, bool hairline, ColorRef colour);

// The alignment flags of anchor codes 0, 1, 2 (top) and 6, 7, 8 (bottom); none for the others, which
// leave the device context's alignment as it is.
std::optional<unsigned> anchor_alignment(int32_t anchor_code);

// A pixel size (a font height or width) truncated to an integer, kept within what a font can take.
int font_pixels(double size);

// The font of drawing text: weight 100, not italic, escapement in tenths of a degree (counter-clockwise).
gdi::FontRef drawing_font(std::u16string face, int height, int width, int escapement);

// One text output at (x, y): the font, the alignment when given (otherwise the context's), the colour
// and a transparent background for the output alone; the context's state is restored afterwards.
void output_text(gdi::DC& dc, int x, int y, std::u16string_view text, const gdi::FontRef& font, gdi::Color colour,
    std::optional<unsigned> alignment);

}  // namespace draw
