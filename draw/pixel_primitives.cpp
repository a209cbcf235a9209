#include "draw/pixel_primitives.h"

#include <cmath>
#include <string>

namespace draw {

void pixel_line(gdi::DC& dc, std::string_view line_type, ColorRef colour, int x1, int y1, int x2, int y2)
{
    gdi::Pen saved = dc.select_pen(line_pen(line_type, true, colour));
    dc.move_to(x1, y1);
    dc.line_to(x2, y2);
    dc.select_pen(saved);
}

void pixel_text(gdi::DC& dc, std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width,
    int x, int y, double orientation, std::optional<unsigned> alignment)
{
    if (height == 0 || text.empty())
        return;
    int escapement = std::isfinite(orientation) ? font_pixels(10.0 * orientation) : 0;
    gdi::FontRef font = drawing_font(std::u16string(face), height, width, escapement);
    output_text(dc, x, y, text, font, to_gdi_color(colour), alignment);
}

}  // namespace draw
