#include "draw/segment_visibility.h"

#include <algorithm>
#include <cmath>

namespace draw {
namespace {

bool inside(int64_t x, int64_t y, const DeviceRect& r)
{
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

int sign_of_cross(DevicePoint a, DevicePoint b, int64_t x, int64_t y)
{
    __int128 c = __int128(int64_t(b.x) - a.x) * (y - a.y) - __int128(int64_t(b.y) - a.y) * (x - a.x);
    return c > 0 ? 1 : c < 0 ? -1 : 0;
}

}  // namespace

bool segment_touches_rect(DevicePoint a, DevicePoint b, const DeviceRect& r)
{
    if (std::max(a.x, b.x) < r.left || std::min(a.x, b.x) > r.right || std::max(a.y, b.y) < r.top
        || std::min(a.y, b.y) > r.bottom)
        return false;
    // The line through a and b separates the rectangle from nothing when its corners lie on both sides.
    int s1 = sign_of_cross(a, b, r.left, r.top), s2 = sign_of_cross(a, b, r.right, r.top);
    int s3 = sign_of_cross(a, b, r.right, r.bottom), s4 = sign_of_cross(a, b, r.left, r.bottom);
    return !((s1 > 0 && s2 > 0 && s3 > 0 && s4 > 0) || (s1 < 0 && s2 < 0 && s3 < 0 && s4 < 0));
}

bool segment_visible(DevicePoint a, DevicePoint b, const DeviceRect& rect)
{
    int64_t mx = (int64_t(a.x) + b.x) / 2, my = (int64_t(a.y) + b.y) / 2;  // truncated toward zero
    return inside(a.x, a.y, rect) || inside(b.x, b.y, rect) || inside(mx, my, rect) || segment_touches_rect(a, b, rect);
}

bool clip_to_device_limit(Vec2* a, Vec2* b)
{
    const double limit = kDeviceLimit;
    if (std::fabs(a->x) <= limit && std::fabs(a->y) <= limit && std::fabs(b->x) <= limit && std::fabs(b->y) <= limit)
        return true;  // the common case: nothing to cut
    // Liang-Barsky: the parameter range [t0, t1] of a + t (b - a) inside the square.
    double t0 = 0, t1 = 1, dx = b->x - a->x, dy = b->y - a->y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a->x + limit, limit - a->x, a->y + limit, limit - a->y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    Vec2 from = *a;
    if (t0 > 0)
        *a = Vec2 {from.x + t0 * dx, from.y + t0 * dy};
    if (t1 < 1)
        *b = Vec2 {from.x + t1 * dx, from.y + t1 * dy};
    return true;
}

bool world_segment_pixels(double x1, double y1, double x2, double y2, DevicePoint* a, DevicePoint* b)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    Vec2 p = view_device_position(x1, y1), q = view_device_position(x2, y2);
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(q.x) || !std::isfinite(q.y)
        || !clip_to_device_limit(&p, &q))
        return false;
    DevicePoint pa {int(round_half_away(p.x)), int(round_half_away(p.y))};
    DevicePoint pb {int(round_half_away(q.x)), int(round_half_away(q.y))};
    if ((pa.x == pb.x && pa.y == pb.y) || !segment_visible(pa, pb, view_device_rect()))
        return false;
    *a = pa;
    *b = pb;
    return true;
}

}  // namespace draw
