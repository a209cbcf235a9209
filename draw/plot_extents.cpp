#include "draw/plot_extents.h"

#include <cmath>

namespace draw {
namespace {

bool within_limit(int64_t v)
{
    return v >= -int64_t(kPlotLimit) && v <= int64_t(kPlotLimit);
}

bool within_limit(double v)
{
    return std::isfinite(v) && v >= -double(kPlotLimit) && v <= double(kPlotLimit);
}

// Takes the four sides when every one is within the limits and the result is usable.
bool take(PlotExtents& e, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    if (!within_limit(left) || !within_limit(top) || !within_limit(right) || !within_limit(bottom))
        return false;
    PlotExtents next {int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
    if (!plot_extents_usable(next))
        return false;
    e = next;
    return true;
}

}  // namespace

bool plot_extents_usable(const PlotExtents& e)
{
    return within_limit(int64_t(e.left)) && within_limit(int64_t(e.top)) && within_limit(int64_t(e.right))
        && within_limit(int64_t(e.bottom)) && e.width() >= 1 && e.height() >= 1;
}

bool zoom_in(PlotExtents& e)
{
    const int64_t w = e.width(), h = e.height();
    if (w < 2 || h < 2)
        return false;
    // C++ division truncates toward zero, as the view commands do.
    const int64_t left = e.left + w / 2 - w / 4;
    const int64_t bottom = e.bottom + h / 2 - h / 4;
    return take(e, left, bottom + h / 2, left + w / 2, bottom);
}

bool zoom_out(PlotExtents& e)
{
    const int64_t d = e.width() / 2, f = e.height() / 2;
    const int64_t left = d + 2 * int64_t(e.left) - e.right;
    const int64_t bottom = f + 2 * int64_t(e.bottom) - e.top;
    return take(e, left, int64_t(e.top) + f, int64_t(e.right) + d, bottom);
}

bool scroll_by(PlotExtents& e, double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const double left = std::trunc(e.left - dx), right = std::trunc(e.right - dx);
    const double top = std::trunc(e.top - dy), bottom = std::trunc(e.bottom - dy);
    if (!within_limit(left) || !within_limit(right) || !within_limit(top) || !within_limit(bottom))
        return false;
    return take(e, int64_t(left), int64_t(top), int64_t(right), int64_t(bottom));
}

bool extents_around(double min_e, double min_n, double max_e, double max_n, double margin, PlotExtents* out)
{
    if (!within_limit(min_e) || !within_limit(min_n) || !within_limit(max_e) || !within_limit(max_n) || min_e > max_e
        || min_n > max_n || !std::isfinite(margin) || margin < 0)
        return false;
    auto widen = [](double& lo, double& hi) {
        if (hi - lo < kMinimumAllSpan) {
            const double middle = 0.5 * (lo + hi);
            lo = middle - 0.5 * kMinimumAllSpan;
            hi = middle + 0.5 * kMinimumAllSpan;
        }
    };
    widen(min_e, max_e);
    widen(min_n, max_n);
    const double de = margin * (max_e - min_e), dn = margin * (max_n - min_n);
    const double left = std::trunc(min_e - de), right = std::trunc(max_e + de);
    const double bottom = std::trunc(min_n - dn), top = std::trunc(max_n + dn);
    if (!within_limit(left) || !within_limit(right) || !within_limit(top) || !within_limit(bottom))
        return false;
    return take(*out, int64_t(left), int64_t(top), int64_t(right), int64_t(bottom));
}

bool add_pixel_margin(PlotExtents& e, double scale_x, double scale_y, int pixels)
{
    if (!std::isfinite(scale_x) || !std::isfinite(scale_y) || scale_x <= 0 || scale_y <= 0)
        return false;
    const double mx = std::trunc(pixels / scale_x), my = std::trunc(pixels / scale_y);
    if (!within_limit(mx) || !within_limit(my))
        return false;
    return take(e, int64_t(e.left) - int64_t(mx), int64_t(e.top) + int64_t(my), int64_t(e.right) + int64_t(mx),
        int64_t(e.bottom) - int64_t(my));
}

double pick_radius(const PlotExtents& e)
{
    return double(e.width()) * 0.016666666666666666;
}

}  // namespace draw
