#pragma once
// Immediate drawing on the device context dwg_begin_paint holds (paint_state.h), in pixels or through the
// view, storing nothing. Without a held context they draw nothing (scr_point_mark takes its context).
// Colours are COLORREF values (dwg_colour).

#include <cstdint>
#include <string_view>

#include "platform/gdi/gdi.h"

namespace draw {

using ColorRef = uint32_t;

// A segment from (x1, y1) to (x2, y2) with the line type's pen style, the thinnest pen (`width` has no
// effect) and the colour.
void scr_line(std::string_view line_type, int width, ColorRef colour, int x1, int y1, int x2, int y2);

// Text at pixel (x, y) in the face, `height` and `width` pixels (negative: character height, as fonts
// take it; width 0: natural), turned by `orientation` degrees counter-clockwise, placed by anchor code 0,
// 1, 2 (top) or 6, 7, 8 (bottom; others keep the context's alignment), transparent background. Nothing
// when the height is 0.
void scr_text(std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width, int x, int y,
    double orientation, int32_t anchor_code);

// Outlines the square of side `size` (world units) centred on world (x, y) with a 1-pixel solid pen in
// RGB (0, 255, 255) by exclusive-or, so drawing it again removes it; the copy-pen raster operation is set
// afterwards.
void scr_highlight_box(double x, double y, double size);

// A point's mark at the pixel of world (x, y) on `dc`: a blue 1-pixel cross reaching 5 pixels each way
// (columns and rows -5 to +5, both ends drawn), and the number ("%ld") with its left-top corner at
// (+3, +3), grey, on a transparent background, in the context's current font. The context's state is
// restored. Nothing for a non-finite point, nor where nothing of the mark can reach the context's clip.
void scr_point_mark(platform::gdi::DC& dc, int32_t number, double x, double y);

}  // namespace draw
