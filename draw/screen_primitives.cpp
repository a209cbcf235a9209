#include "draw/screen_primitives.h"

#include <cstdio>

#include "draw/paint_state.h"
#include "draw/pixel_primitives.h"
#include "draw/view.h"

namespace draw {
namespace {

constexpr gdi::Color kHighlightColour = gdi::rgb(0, 255, 255);
constexpr gdi::Color kMarkColour = gdi::rgb(0, 0, 255);
constexpr gdi::Color kMarkNumberColour = gdi::rgb(128, 128, 128);
constexpr int kMarkArm = 5;       // pixels each way from the point
constexpr int kNumberOffset = 3;  // the number's left-top corner, right of and below the point

// The number as text in `out` (room for any 32-bit value); its length.
size_t format_number(int32_t number, char16_t (&out)[16])
{
    char digits[16];
    int n = std::snprintf(digits, sizeof digits, "%ld", long(number));
    for (int i = 0; i < n; ++i)
        out[i] = char16_t(digits[i]);
    return size_t(n);
}

}  // namespace

void scr_line(std::string_view line_type, int width, ColorRef colour, int x1, int y1, int x2, int y2)
{
    if (gdi::DC* dc = dwg_paint_dc())
        pixel_line(*dc, line_type, colour, x1, y1, x2, y2);
}

void scr_text(std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width, int x, int y,
    double orientation, int32_t anchor_code)
{
    if (gdi::DC* dc = dwg_paint_dc())
        pixel_text(*dc, text, face, colour, height, width, x, y, orientation, anchor_alignment(anchor_code));
}

void scr_highlight_box(double x, double y, double size)
{
    gdi::DC* dc = dwg_paint_dc();
    DevicePoint a, b;
    if (!dc || !world_to_device(x - size / 2, y + size / 2, &a) || !world_to_device(x + size / 2, y - size / 2, &b))
        return;
    gdi::Pen saved = dc->select_pen(gdi::Pen {gdi::PenStyle::Solid, 1, kHighlightColour});
    dc->set_rop2(gdi::kRopXorPen);
    // Each side leaves out its last pixel, the next side's first: every pixel of the outline once.
    dc->move_to(a.x, a.y);
    dc->line_to(b.x, a.y);
    dc->line_to(b.x, b.y);
    dc->line_to(a.x, b.y);
    dc->line_to(a.x, a.y);
    dc->set_rop2(gdi::kRopCopyPen);
    dc->select_pen(saved);
}

void scr_point_mark(gdi::DC& dc, int32_t number, double x, double y)
{
    DevicePoint p;
    if (!world_to_device(x, y, &p))
        return;
    // Everything lies right of and below (x - 5, y - 5); only the number reaches farther right and down.
    gdi::Rect clip = dc.clip();
    int clip_right = clip.right - dc.origin().x, clip_bottom = clip.bottom - dc.origin().y;
    if (p.x - kMarkArm >= clip_right || p.y - kMarkArm >= clip_bottom)
        return;
    char16_t text[16];
    std::u16string_view number_text(text, format_number(number, text));
    if (p.x + kMarkArm < clip.left - dc.origin().x || p.y + kMarkArm < clip.top - dc.origin().y) {
        gdi::Size extent = dc.text_extent(number_text);
        if (p.x + kNumberOffset + extent.cx < clip.left - dc.origin().x
            || p.y + kNumberOffset + extent.cy < clip.top - dc.origin().y)
            return;
    }
    gdi::DCSaver saved(dc);
    dc.select_pen(gdi::Pen {gdi::PenStyle::Solid, 1, kMarkColour});
    dc.move_to(p.x - kMarkArm, p.y);
    dc.line_to(p.x + kMarkArm + 1, p.y);
    dc.move_to(p.x, p.y - kMarkArm);
    dc.line_to(p.x, p.y + kMarkArm + 1);
    dc.set_text_align(gdi::kAlignLeft | gdi::kAlignTop);
    dc.set_text_color(kMarkNumberColour);
    dc.set_bk_mode(gdi::BkMode::Transparent);
    dc.text_out(p.x + kNumberOffset, p.y + kNumberOffset, number_text);
}

}  // namespace draw
