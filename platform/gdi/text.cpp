// Text output: glyph runs placed along the (possibly rotated) baseline from an anchor chosen by the
// alignment flags, an optional background box, and measurement.

#include "platform/gdi/font_internal.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

// Sum of the advances of the text, 26.6 pixels.
int64_t advance_sum(const Font& font, std::u16string_view s)
{
    int64_t sum = 0;
    for (size_t i = 0; i < s.size();)
        sum += font.glyph(next_code_point(s, &i)).advance;
    return sum;
}

int text_width(const Font& font, std::u16string_view s)
{
    return int(std::min<int64_t>((advance_sum(font, s) + 32) >> 6, INT32_MAX));
}

void draw_glyph(Bitmap& bm, const Rect& clip, const Glyph& g, int64_t px, int64_t py, Color color)
{
    if (g.spans.empty() || px + g.right <= clip.left || px + g.left >= clip.right || py + g.bottom <= clip.top
        || py + g.top >= clip.bottom)
        return;
    for (const GlyphSpan& span : g.spans) {
        int64_t y = py + span.y;
        if (y < clip.top || y >= clip.bottom)
            continue;
        int64_t x0 = std::max<int64_t>(px + span.x0, clip.left), x1 = std::min<int64_t>(px + span.x1, clip.right);
        if (x0 < x1)
            std::fill_n(bm.row(int(y)) + x0, x1 - x0, color);
    }
}

// Fills the convex quadrilateral q (target pixels) within the clip: a pixel is inside when its centre is.
void fill_quad(Bitmap& bm, const Rect& clip, const double (&q)[4][2], Color color)
{
    double ymin = q[0][1], ymax = q[0][1];
    for (const auto& p : q) {
        ymin = std::min(ymin, p[1]);
        ymax = std::max(ymax, p[1]);
    }
    int64_t top = std::max<int64_t>(clip.top, int64_t(std::ceil(ymin - 0.5)));
    int64_t bottom = std::min<int64_t>(clip.bottom, int64_t(std::ceil(ymax - 0.5)));
    for (int64_t y = top; y < bottom; ++y) {
        double cy = double(y) + 0.5, xl = INFINITY, xr = -INFINITY;
        for (int k = 0; k < 4; ++k) {
            const double* a = q[k];
            const double* b = q[(k + 1) % 4];
            if ((a[1] <= cy) == (b[1] <= cy))
                continue;
            double x = a[0] + (cy - a[1]) * (b[0] - a[0]) / (b[1] - a[1]);
            xl = std::min(xl, x);
            xr = std::max(xr, x);
        }
        if (xl > xr)
            continue;
        int64_t x0 = std::max<int64_t>(clip.left, int64_t(std::ceil(xl - 0.5)));
        int64_t x1 = std::min<int64_t>(clip.right, int64_t(std::ceil(xr - 0.5)));
        if (x0 < x1)
            std::fill_n(bm.row(int(y)) + x0, x1 - x0, color);
    }
}

// The text's own frame (u along the baseline, v up) turned by the escapement and placed at the anchor,
// mapped to target pixels (rows grow downward).
struct TextFrame {
    double ax, ay, c, s;
    double x(double u, double v) const { return ax + u * c - v * s; }
    double y(double u, double v) const { return ay - (u * s + v * c); }
};

// The cell box of the text: from u0 along `width`, from a descent below to an ascent above baseline v0.
void fill_background(
    Bitmap& bm, const Rect& clip, const TextFrame& f, int u0, int v0, int width, const FontMetrics& fm, Color color)
{
    double u1 = u0 + width, vb = v0 - fm.descent, vt = v0 + fm.ascent;
    double quad[4][2] = {
        {f.x(u0, vt), f.y(u0, vt)}, {f.x(u1, vt), f.y(u1, vt)}, {f.x(u1, vb), f.y(u1, vb)}, {f.x(u0, vb), f.y(u0, vb)}};
    fill_quad(bm, clip, quad, color);
}

// The glyphs along the baseline from (u0, v0).
void draw_run(Bitmap& bm, const Rect& clip, const Font& font, const TextFrame& f, int u0, int v0, std::u16string_view s,
    Color color)
{
    if (!font.rotated()) {
        // The common case stays in integers: pen positions are whole pixels along one row.
        int64_t px = std::llround(f.x(u0, v0)), py = std::llround(f.y(u0, v0)), pen = 0;
        for (size_t i = 0; i < s.size();) {
            const Glyph& g = font.glyph(next_code_point(s, &i));
            draw_glyph(bm, clip, g, px + ((pen + 32) >> 6), py, color);
            pen += g.advance;
        }
        return;
    }
    double pen = u0;
    for (size_t i = 0; i < s.size();) {
        const Glyph& g = font.glyph(next_code_point(s, &i));
        draw_glyph(bm, clip, g, std::llround(f.x(pen, v0)), std::llround(f.y(pen, v0)), color);
        pen += g.advance / 64.0;
    }
}

}  // namespace

void DC::text_out(int x, int y, std::u16string_view s)
{
    if (!m_target || s.empty())
        return;
    auto lock = font_lock();
    const Font& font = font_or_default(m_font);
    const FontMetrics& fm = font.metrics();
    unsigned horizontal = m_align & kAlignCenter;
    unsigned vertical = m_align & kAlignBaseline;
    bool need_width = horizontal != kAlignLeft || m_bk_mode == BkMode::Opaque;
    int width = need_width ? text_width(font, s) : 0;
    // Start of the baseline in the text's own frame, relative to the anchor.
    int u0 = horizontal == kAlignCenter ? -width / 2 : horizontal == kAlignRight ? -width : 0;
    int v0 = vertical == kAlignBaseline ? 0 : (m_align & kAlignBottom) ? fm.descent : -fm.ascent;
    TextFrame frame {double(x) + m_origin.x, double(y) + m_origin.y, font.cos_angle(), font.sin_angle()};
    if (m_bk_mode == BkMode::Opaque && width > 0)
        fill_background(*m_target, m_clip, frame, u0, v0, width, fm, m_bk_color);
    draw_run(*m_target, m_clip, font, frame, u0, v0, s, m_text_color);
}

Size DC::text_extent(std::u16string_view s) const
{
    auto lock = font_lock();
    const Font& font = font_or_default(m_font);
    return Size {text_width(font, s), font.metrics().height};
}

}  // namespace platform::gdi
