// Device contexts: selected objects and modes, single pixels, rectangle fills and block transfers.

#include "platform/gdi/gdi.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {

namespace {

Rect bitmap_bounds(const Bitmap* b)
{
    if (!b)
        return Rect {};
    return Rect {0, 0, b->width(), b->height()};
}

// Clamps a 64-bit coordinate into int range; used after adding the origin to logical coordinates.
int clamp_int(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

DC::DC(Bitmap* target, Point origin, Rect clip)
    : m_target(target)
    , m_origin(origin)
    , m_clip(target ? intersect(clip, bitmap_bounds(target)) : clip)
{
}

Pen DC::select_pen(const Pen& pen)
{
    Pen old = m_pen;
    m_pen = pen;
    return old;
}

FontRef DC::select_font(FontRef font)
{
    FontRef old = std::move(m_font);
    m_font = std::move(font);
    return old;
}

Color DC::set_text_color(Color c)
{
    Color old = m_text_color;
    m_text_color = c & 0xFFFFFF;
    return old;
}

Color DC::set_bk_color(Color c)
{
    Color old = m_bk_color;
    m_bk_color = c & 0xFFFFFF;
    return old;
}

BkMode DC::set_bk_mode(BkMode m)
{
    BkMode old = m_bk_mode;
    if (m == BkMode::Transparent || m == BkMode::Opaque)
        m_bk_mode = m;
    return old;
}

unsigned DC::set_text_align(unsigned flags)
{
    unsigned old = m_align;
    m_align = flags;
    return old;
}

int DC::set_rop2(int rop)
{
    int old = m_rop2;
    if (rop >= 1 && rop <= 16)
        m_rop2 = rop;
    return old;
}

DCSaver::DCSaver(DC& dc)
    : m_dc(dc)
    , m_pen(dc.pen())
    , m_font(dc.font())
    , m_rop2(dc.rop2())
    , m_text_color(dc.text_color())
    , m_bk_color(dc.bk_color())
    , m_bk_mode(dc.bk_mode())
    , m_align(dc.text_align())
{
}

DCSaver::~DCSaver()
{
    m_dc.select_pen(m_pen);
    m_dc.select_font(std::move(m_font));
    m_dc.set_rop2(m_rop2);
    m_dc.set_text_color(m_text_color);
    m_dc.set_bk_color(m_bk_color);
    m_dc.set_bk_mode(m_bk_mode);
    m_dc.set_text_align(m_align);
}

void DC::set_pixel(int x, int y, Color c)
{
    int64_t tx = int64_t(x) + m_origin.x, ty = int64_t(y) + m_origin.y;
    if (!m_target || tx < m_clip.left || tx >= m_clip.right || ty < m_clip.top || ty >= m_clip.bottom)
        return;
    m_target->row(int(ty))[tx] = c & 0xFFFFFF;
}

Color DC::pixel(int x, int y) const
{
    int64_t tx = int64_t(x) + m_origin.x, ty = int64_t(y) + m_origin.y;
    if (!m_target || tx < m_clip.left || tx >= m_clip.right || ty < m_clip.top || ty >= m_clip.bottom)
        return 0;
    return m_target->row(int(ty))[tx];
}

void DC::fill_rect(const Rect& r, Color c)
{
    if (!m_target)
        return;
    Rect t {clamp_int(int64_t(r.left) + m_origin.x), clamp_int(int64_t(r.top) + m_origin.y),
        clamp_int(int64_t(r.right) + m_origin.x), clamp_int(int64_t(r.bottom) + m_origin.y)};
    t = intersect(t, m_clip);
    if (t.empty())
        return;
    c &= 0xFFFFFF;
    for (int y = t.top; y < t.bottom; ++y)
        std::fill_n(m_target->row(y) + t.left, t.width(), c);
}

void DC::frame_rect(const Rect& r, Color c)
{
    if (r.empty())
        return;
    fill_rect(Rect {r.left, r.top, r.right, r.top + 1}, c);
    fill_rect(Rect {r.left, r.bottom - 1, r.right, r.bottom}, c);
    fill_rect(Rect {r.left, r.top + 1, r.left + 1, r.bottom - 1}, c);
    fill_rect(Rect {r.right - 1, r.top + 1, r.right, r.bottom - 1}, c);
}

void DC::bit_blt(int x, int y, int w, int h, const DC& src, int sx, int sy)
{
    if (!m_target || !src.m_target || w <= 0 || h <= 0)
        return;
    // Destination and source rectangles in target pixels; a pixel moves only when it is inside the
    // destination's clip and comes from inside the source bitmap.
    int64_t dx0 = int64_t(x) + m_origin.x, dy0 = int64_t(y) + m_origin.y;
    int64_t sx0 = int64_t(sx) + src.m_origin.x, sy0 = int64_t(sy) + src.m_origin.y;
    int64_t left = std::max<int64_t>(dx0, m_clip.left), top = std::max<int64_t>(dy0, m_clip.top);
    int64_t right = std::min<int64_t>(dx0 + w, m_clip.right), bottom = std::min<int64_t>(dy0 + h, m_clip.bottom);
    // Shift into source space, limit to the source bitmap, shift back.
    int64_t offx = sx0 - dx0, offy = sy0 - dy0;
    left = std::max<int64_t>(left, -offx);
    top = std::max<int64_t>(top, -offy);
    right = std::min<int64_t>(right, src.m_target->width() - offx);
    bottom = std::min<int64_t>(bottom, src.m_target->height() - offy);
    if (right <= left || bottom <= top)
        return;
    size_t count = size_t(right - left);
    // The same bitmap may be both source and destination: walk rows so that none is read after being written.
    bool upward = src.m_target == m_target && offy < 0;
    for (int64_t i = 0; i < bottom - top; ++i) {
        int64_t row = upward ? bottom - 1 - i : top + i;
        const uint32_t* from = src.m_target->row(int(row + offy)) + (left + offx);
        std::memmove(m_target->row(int(row)) + left, from, count * sizeof(uint32_t));
    }
}

MemoryDC::MemoryDC(int width, int height, Color fill)
    : DC(nullptr, Point {}, Rect {})
    , m_bitmap(std::make_unique<Bitmap>(width, height, fill))
{
    m_target = m_bitmap.get();
    m_clip = Rect {0, 0, m_bitmap->width(), m_bitmap->height()};
}

}  // namespace platform::gdi
