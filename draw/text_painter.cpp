#include <cmath>

#include "draw/entity_painters.h"
#include "draw/text_codes.h"
#include "draw/view.h"
#include "platform/text/text.h"

namespace draw {
namespace {

// A stored size in pixels: world units (> 0) times the view's x scale, pixels (< 0) kept.
int pixel_size(float stored)
{
    return font_pixels(stored > 0 ? double(stored) * view_scale_x() : double(stored));
}

}  // namespace

void paint_text(gdi::DC& dc, const Entity& entity)
{
    const TextGeometry& t = entity.geometry.text;
    DevicePoint at;
    if (!t.text || !world_to_device(t.anchor.x + t.offset_x, t.anchor.y + t.offset_y, &at))
        return;
    int height = pixel_size(t.height);
    if (height == 0)
        return;
    int escapement = int(std::trunc(10.0 * double(t.orientation)));
    gdi::FontRef font
        = drawing_font(platform::text::from_ansi(field_text(t.face)), height, pixel_size(t.width), escapement);
    output_text(
        dc, at.x, at.y, widen_drawing_text(t.text), font, to_gdi_color(entity.colour), anchor_alignment(t.anchor_code));
}

}  // namespace draw
