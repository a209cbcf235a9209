#pragma once
// The off-screen buffer: a memory bitmap the size of the device rectangle, drawn into in pixels and copied
// to the held window context in one transfer, so a display refreshed every second does not flicker.
// Per refresh: dwg_begin_paint (copy pen, no clear), buf_create, primitives, buf_blit, buf_free,
// dwg_end_paint. Without a buffer the primitives draw nothing. Colours are COLORREF values.

#include <cstdint>
#include <string_view>

namespace draw {

using ColorRef = uint32_t;

// Creates the buffer for the current device rectangle (width = right - left, height = bottom - top),
// filled white; a buffer still there is freed first. False, with no buffer, when the rectangle is empty.
bool buf_create();

// As scr_line, into the buffer.
void buf_line(std::string_view line_type, int width, ColorRef colour, int x1, int y1, int x2, int y2);

// A closed polyline from (cx + r, cy) through (cx + r cos a, cy + r sin a), each coordinate truncated, for
// a = 360, 360 - step, ... while a > 0 (degrees), with a 1-pixel pen of the line type's style. A step of 0
// or less, or not finite, is refused (nothing drawn); steps below 0.01 degree are drawn at 0.01.
void buf_circle(std::string_view line_type, int width_code, ColorRef colour, int cx, int cy, int radius, double step);

// As scr_text, into the buffer; anchor codes 3, 4 and 5 also: the row becomes y - height / 2 (integer
// division) and the text is aligned bottom-left, bottom-centre and bottom-right (for positive heights).
void buf_text(std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width, int x, int y,
    double orientation, int32_t anchor_code);

// Copies the whole buffer to the held window context at (0, 0) (source copy).
void buf_blit();

// Frees the buffer; harmless without one.
void buf_free();

}  // namespace draw
