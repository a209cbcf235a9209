#include "draw/gdi_style.h"

#include <algorithm>
#include <cmath>

#include "draw/palette.h"

namespace draw {
namespace {

constexpr double kLargestFontPixels = 1 << 16;  // the graphics draw anything beyond 4096 at 4096
constexpr int kDrawingFontWeight = 100;

}  // namespace

gdi::Color to_gdi_color(ColorRef colour)
{
    return gdi::rgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

gdi::Pen line_pen(std::string_view line_type, bool hairline, ColorRef colour)
{
    gdi::Pen pen;
    switch (dwg_pen_style(line_type)) {
    case LineStyle::Solid:
        pen.style = gdi::PenStyle::Solid;
        break;
    case LineStyle::Dash:
        pen.style = gdi::PenStyle::Dash;
        break;
    case LineStyle::Null:
        pen.style = gdi::PenStyle::Null;
        break;
    }
    pen.width = hairline ? 0 : 1;
    pen.color = to_gdi_color(colour);
    return pen;
}

std::optional<unsigned> anchor_alignment(int32_t anchor_code)
{
    switch (anchor_code) {
    case kAnchorUpperLeft:
        return gdi::kAlignLeft | gdi::kAlignTop;
    case kAnchorUpperCentre:
        return gdi::kAlignCenter | gdi::kAlignTop;
    case kAnchorUpperRight:
        return gdi::kAlignRight | gdi::kAlignTop;
    case kAnchorLowerLeft:
        return gdi::kAlignLeft | gdi::kAlignBottom;
    case kAnchorLowerCentre:
        return gdi::kAlignCenter | gdi::kAlignBottom;
    case kAnchorLowerRight:
        return gdi::kAlignRight | gdi::kAlignBottom;
    default:
        return std::nullopt;
    }
}

int font_pixels(double size)
{
    if (!std::isfinite(size))
        return 0;
    return int(std::trunc(std::clamp(size, -kLargestFontPixels, kLargestFontPixels)));
}

gdi::FontRef drawing_font(std::u16string face, int height, int width, int escapement)
{
    gdi::FontSpec spec;
    spec.height = height;
    spec.width = width;
    spec.escapement = escapement;
    spec.weight = kDrawingFontWeight;
    spec.italic = false;
    spec.face = std::move(face);
    return gdi::create_font(spec);
}

void output_text(gdi::DC& dc, int x, int y, std::u16string_view text, const gdi::FontRef& font, gdi::Color colour,
    std::optional<unsigned> alignment)
{
    gdi::DCSaver saved(dc);
    dc.select_font(font);
    if (alignment)
        dc.set_text_align(*alignment);
    dc.set_text_color(colour);
    dc.set_bk_mode(gdi::BkMode::Transparent);
    dc.text_out(x, y, text);
}

}  // namespace draw
