// Rectangles and 32-bit bitmaps.

#include "platform/gdi/gdi.h"

#include <algorithm>

namespace platform::gdi {

Rect intersect(const Rect& a, const Rect& b)
{
    Rect r {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.empty())
        return Rect {};
    return r;
}

Bitmap::Bitmap(int width, int height, Color fill)
{
    if (width <= 0 || height <= 0)
        return;
    m_width = width;
    m_height = height;
    m_pixels.assign(size_t(width) * size_t(height), fill);
}

Color Bitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[size_t(y) * m_width + x];
}

void Bitmap::set_pixel(int x, int y, Color c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[size_t(y) * m_width + x] = c;
}

void Bitmap::fill(Color c)
{
    std::fill(m_pixels.begin(), m_pixels.end(), c);
}

}  // namespace platform::gdi
