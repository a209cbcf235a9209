#include "draw/offscreen_buffer.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draw/paint_state.h"
#include "draw/pixel_primitives.h"
#include "draw/view.h"
#include "draw/world_geometry.h"
#include "platform/reset/reset.h"

namespace draw {
namespace {

constexpr double kSmallestCircleStep = 0.01;  // degrees: 36 000 points at most

std::unique_ptr<gdi::MemoryDC> s_buffer;  // from buf_create to buf_free

// The alignment and row of an anchor code of the buffer's text.
std::optional<unsigned> buffer_alignment(int32_t anchor_code, int height, int* y)
{
    switch (anchor_code) {
    case kAnchorMiddleLeft:
    case kAnchorMiddleCentre:
    case kAnchorMiddleRight: {
        *y -= height / 2;
        unsigned horizontal = anchor_code == kAnchorMiddleLeft ? gdi::kAlignLeft
            : anchor_code == kAnchorMiddleCentre               ? gdi::kAlignCenter
                                                               : gdi::kAlignRight;
        return horizontal | gdi::kAlignBottom;
    }
    default:
        return anchor_alignment(anchor_code);
    }
}

}  // namespace

bool buf_create()
{
    buf_free();
    DeviceRect r = view_device_rect();
    int64_t width = int64_t(r.right) - r.left, height = int64_t(r.bottom) - r.top;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return false;
    s_buffer = std::make_unique<gdi::MemoryDC>(int(width), int(height), gdi::kWhite);
    return true;
}

void buf_line(std::string_view line_type, int width, ColorRef colour, int x1, int y1, int x2, int y2)
{
    if (s_buffer)
        pixel_line(*s_buffer, line_type, colour, x1, y1, x2, y2);
}

void buf_circle(std::string_view line_type, int width_code, ColorRef colour, int cx, int cy, int radius, double step)
{
    if (!s_buffer || !std::isfinite(step) || step <= 0)
        return;
    step = std::max(step, kSmallestCircleStep);
    gdi::Pen pen = line_pen(line_type, false, colour);
    gdi::Pen saved = s_buffer->select_pen(pen);
    int start_x = int(std::trunc(double(cx) + radius)), start_y = cy;
    s_buffer->move_to(start_x, start_y);
    for (int64_t k = 0;; ++k) {
        double a = 360.0 - double(k) * step;
        if (!(a > 0))
            break;
        s_buffer->line_to(
            int(std::trunc(cx + radius * std::cos(a * kDegree))), int(std::trunc(cy + radius * std::sin(a * kDegree))));
    }
    s_buffer->line_to(start_x, start_y);
    s_buffer->select_pen(saved);
}

void buf_text(std::u16string_view text, std::u16string_view face, ColorRef colour, int height, int width, int x, int y,
    double orientation, int32_t anchor_code)
{
    if (!s_buffer)
        return;
    std::optional<unsigned> alignment = buffer_alignment(anchor_code, height, &y);
    pixel_text(*s_buffer, text, face, colour, height, width, x, y, orientation, alignment);
}

void buf_blit()
{
    gdi::DC* dc = dwg_paint_dc();
    if (s_buffer && dc)
        dc->bit_blt(0, 0, s_buffer->bitmap().width(), s_buffer->bitmap().height(), *s_buffer, 0, 0);
}

void buf_free()
{
    s_buffer.reset();
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, buf_free);

}  // namespace draw
