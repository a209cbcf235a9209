// Lines: Bresenham's algorithm over the major axis, the last pixel left out, clipped exactly to the clip
// rectangle by computing the range of steps that fall inside it (so a segment thousands of pixels long
// with a few pixels on screen costs only those pixels).
//
// Step i of a line with major delta da and minor delta db lights the pixel
//     major = a0 + sa * i,   minor = b0 + sb * floor((2 * i * db + da) / (2 * da)),
// i = 0 .. da - 1. The incremental loop and the clipping arithmetic both follow this one formula.

#include "platform/gdi/gdi.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

namespace {

constexpr int kDashOn = 18;      // pixels drawn ...
constexpr int kDashPeriod = 24;  // ... of every 24 along the line

using i128 = __int128;

i128 floor_div(i128 a, i128 b)  // b > 0
{
    i128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

i128 ceil_div(i128 a, i128 b)  // b > 0
{
    return -floor_div(-a, b);
}

// One line in major/minor terms, in target pixels.
struct Run {
    int64_t a0, b0;  // first pixel
    int sa, sb;      // directions, +1 or -1
    int64_t da, db;  // |major delta| >= |minor delta| >= 0
    bool x_major;
};

// First step whose minor offset m(i) is at least m.
i128 first_step_with_minor(const Run& r, i128 m)
{
    return ceil_div(2 * r.da * m - r.da, 2 * r.db);
}

// Steps [*lo, *hi) whose major coordinate lies in [amin, amax).
void clip_major(const Run& r, int amin, int amax, i128* lo, i128* hi)
{
    if (r.sa > 0) {
        *lo = std::max<i128>(*lo, i128(amin) - r.a0);
        *hi = std::min<i128>(*hi, i128(amax) - r.a0);
    } else {
        *lo = std::max<i128>(*lo, i128(r.a0) - amax + 1);
        *hi = std::min<i128>(*hi, i128(r.a0) - amin + 1);
    }
}

// Narrows [*lo, *hi) to the steps whose minor coordinate lies in [bmin, bmax).
void clip_minor(const Run& r, int bmin, int bmax, i128* lo, i128* hi)
{
    i128 mlo, mhi;  // allowed minor offsets [mlo, mhi)
    if (r.sb > 0) {
        mlo = i128(bmin) - r.b0;
        mhi = i128(bmax) - r.b0;
    } else {
        mlo = i128(r.b0) - bmax + 1;
        mhi = i128(r.b0) - bmin + 1;
    }
    if (r.db == 0) {
        if (mlo > 0 || mhi <= 0)
            *hi = *lo;
        return;
    }
    *lo = std::max(*lo, first_step_with_minor(r, mlo));
    *hi = std::min(*hi, first_step_with_minor(r, mhi));
}

// Raster operation of two colours by the handheld's numbering: rop - 1 is a truth table whose bit
// (2 * pen + destination) gives the result bit.
uint32_t apply_rop(int rop, uint32_t pen, uint32_t dst)
{
    unsigned t = unsigned(rop - 1);
    uint32_t out = 0;
    if (t & 1)
        out |= ~pen & ~dst;
    if (t & 2)
        out |= ~pen & dst;
    if (t & 4)
        out |= pen & ~dst;
    if (t & 8)
        out |= pen & dst;
    return out & 0xFFFFFF;
}

struct CopyOp {
    uint32_t c;
    void operator()(uint32_t* p) const { *p = c; }
};
struct XorOp {
    uint32_t c;
    void operator()(uint32_t* p) const { *p ^= c; }
};
struct AnyOp {
    int rop;
    uint32_t c;
    void operator()(uint32_t* p) const { *p = apply_rop(rop, c, *p); }
};

// Walks steps [lo, hi) of the run, lighting the pixels the dash pattern (if any) leaves on.
template <class Op> void walk(Bitmap& bm, const Run& r, int64_t lo, int64_t hi, int phase, bool dashed, Op op)
{
    i128 num = i128(2) * lo * r.db + r.da;
    int64_t two_da = 2 * r.da, two_db = 2 * r.db;
    int64_t m = int64_t(num / two_da), e = int64_t(num % two_da);
    int64_t a = r.a0 + r.sa * lo, b = r.b0 + r.sb * m;
    int64_t x = r.x_major ? a : b, y = r.x_major ? b : a;
    ptrdiff_t stride = bm.stride();
    ptrdiff_t step_a = r.x_major ? r.sa : r.sa * stride;
    ptrdiff_t step_b = r.x_major ? r.sb * stride : r.sb;
    uint32_t* p = bm.row(int(y)) + x;
    int ph = int((phase + lo) % kDashPeriod);
    for (int64_t i = lo; i < hi; ++i) {
        if (!dashed || ph < kDashOn)
            op(p);
        if (++ph == kDashPeriod)
            ph = 0;
        e += two_db;
        if (e >= two_da) {
            e -= two_da;
            p += step_b;
        }
        p += step_a;
    }
}

}  // namespace

Point DC::move_to(int x, int y)
{
    Point old = m_pos;
    m_pos = Point {x, y};
    m_dash_phase = 0;
    return old;
}

void DC::line_to(int x, int y)
{
    Point from = m_pos;
    m_pos = Point {x, y};
    if (m_pen.style == PenStyle::Null || !m_target)
        return;
    int64_t x0 = int64_t(from.x) + m_origin.x, y0 = int64_t(from.y) + m_origin.y;
    int64_t x1 = int64_t(x) + m_origin.x, y1 = int64_t(y) + m_origin.y;
    int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
    Run r;
    r.x_major = dx >= dy;
    r.a0 = r.x_major ? x0 : y0;
    r.b0 = r.x_major ? y0 : x0;
    r.da = r.x_major ? dx : dy;
    r.db = r.x_major ? dy : dx;
    r.sa = ((r.x_major ? x1 - x0 : y1 - y0) < 0) ? -1 : 1;
    r.sb = ((r.x_major ? y1 - y0 : x1 - x0) < 0) ? -1 : 1;
    if (r.da == 0)
        return;
    bool dashed = m_pen.style == PenStyle::Dash;
    int phase = m_dash_phase;
    if (dashed)
        m_dash_phase = int((m_dash_phase + r.da) % kDashPeriod);
    if (m_clip.empty())
        return;
    i128 lo = 0, hi = r.da;
    clip_major(r, r.x_major ? m_clip.left : m_clip.top, r.x_major ? m_clip.right : m_clip.bottom, &lo, &hi);
    clip_minor(r, r.x_major ? m_clip.top : m_clip.left, r.x_major ? m_clip.bottom : m_clip.right, &lo, &hi);
    if (hi <= lo)
        return;
    uint32_t c = m_pen.color & 0xFFFFFF;
    if (m_rop2 == kRopCopyPen)
        walk(*m_target, r, int64_t(lo), int64_t(hi), phase, dashed, CopyOp {c});
    else if (m_rop2 == kRopXorPen)
        walk(*m_target, r, int64_t(lo), int64_t(hi), phase, dashed, XorOp {c});
    else
        walk(*m_target, r, int64_t(lo), int64_t(hi), phase, dashed, AnyOp {m_rop2, c});
}

void DC::polyline(const Point* points, int count)
{
    if (!points || count < 2)
        return;
    // Like the handheld's Polyline, the current position is neither used nor changed.
    Point saved_pos = m_pos;
    int saved_phase = m_dash_phase;
    move_to(points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
        line_to(points[i].x, points[i].y);
    m_pos = saved_pos;
    m_dash_phase = saved_phase;
}

}  // namespace platform::gdi
