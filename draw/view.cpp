#include "draw/view.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/reset/reset.h"

namespace draw {
namespace {

struct ViewState {
    WorldWindow window;    // as fitted, world units
    DeviceRect device;     // pixels of the client area
    double scale_x = 1.0;  // pixels per world unit
    double scale_y = 1.0;
    bool valid = false;  // a world window has been mapped
};
ViewState s_view;

constexpr double kInt32Min = double(std::numeric_limits<int32_t>::min());
constexpr double kInt32Max = double(std::numeric_limits<int32_t>::max());

bool fits_int32(double v)
{
    return std::isfinite(v) && v >= kInt32Min && v <= kInt32Max;
}

// The window fitted about its centre to the device's aspect; false when an edge leaves the 32-bit range.
bool fit(const WorldWindow& wanted, int64_t W, int64_t H, WorldWindow* fitted)
{
    int64_t w = int64_t(wanted.right) - wanted.left, h = int64_t(wanted.top) - wanted.bottom;
    WorldWindow f = wanted;
    if (__int128(W) * h > __int128(w) * H) {  // W / H > w / h: widened
        double half = double(h) * double(W) / (2.0 * double(H));
        double cx = (double(wanted.left) + double(wanted.right)) * 0.5;
        double left = std::trunc(cx - half), right = std::trunc(cx + half);
        if (!fits_int32(left) || !fits_int32(right))
            return false;
        f.left = int32_t(left);
        f.right = int32_t(right);
    } else {  // heightened
        double half = double(w) * double(H) / (2.0 * double(W));
        double cy = (double(wanted.top) + double(wanted.bottom)) * 0.5;
        double top = std::trunc(cy + half), bottom = std::trunc(cy - half);
        if (!fits_int32(top) || !fits_int32(bottom))
            return false;
        f.top = int32_t(top);
        f.bottom = int32_t(bottom);
    }
    if (f.right <= f.left || f.top <= f.bottom)
        return false;
    *fitted = f;
    return true;
}

int64_t clamp_to_device(double v)
{
    return std::clamp<int64_t>(
        round_half_away(std::clamp(v, -2.0 * kDeviceLimit, 2.0 * kDeviceLimit)), -kDeviceLimit, kDeviceLimit);
}

}  // namespace

void view_set_device_rect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    s_view.device = DeviceRect {left, top, right, bottom};
}

DeviceRect view_device_rect()
{
    return s_view.device;
}

bool view_set_window(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const DeviceRect& d = s_view.device;
    int64_t W = int64_t(d.right) - d.left, H = int64_t(d.bottom) - d.top;
    WorldWindow wanted {left, top, right, bottom};
    WorldWindow fitted;
    if (W <= 0 || H <= 0 || right <= left || top <= bottom || !fit(wanted, W, H, &fitted))
        return false;
    s_view.window = fitted;
    s_view.scale_x = double(W) / (double(fitted.right) - fitted.left);
    s_view.scale_y = double(H) / (double(fitted.top) - fitted.bottom);
    s_view.valid = true;
    return true;
}

bool view_set_window(double left, double top, double right, double bottom)
{
    double edges[4] = {std::trunc(left), std::trunc(top), std::trunc(right), std::trunc(bottom)};
    for (double e : edges) {
        if (!fits_int32(e))
            return false;
    }
    return view_set_window(int32_t(edges[0]), int32_t(edges[1]), int32_t(edges[2]), int32_t(edges[3]));
}

bool view_valid()
{
    return s_view.valid;
}

WorldWindow view_window()
{
    return s_view.valid ? s_view.window : WorldWindow {};
}

double view_scale_x()
{
    return s_view.scale_x;
}

double view_scale_y()
{
    return s_view.scale_y;
}

Vec2 view_device_position(double x, double y)
{
    if (!s_view.valid)
        return Vec2 {x, double(s_view.device.bottom) - y};
    return Vec2 {double(s_view.device.left) + (x - double(s_view.window.left)) * s_view.scale_x,
        (double(s_view.window.top) - y) * s_view.scale_y};
}

int64_t round_half_away(double v)
{
    return int64_t(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

bool world_to_device(double x, double y, DevicePoint* out)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    Vec2 p = view_device_position(x, y);  // finite, or infinite by overflow: clamped below
    if (std::isnan(p.x) || std::isnan(p.y))
        return false;
    *out = DevicePoint {int(clamp_to_device(p.x)), int(clamp_to_device(p.y))};
    return true;
}

Vec2 device_to_world(int column, int row)
{
    if (!s_view.valid)
        return Vec2 {double(column), double(s_view.device.bottom) - row};
    return Vec2 {double(column - int64_t(s_view.device.left)) / s_view.scale_x + s_view.window.left,
        double(s_view.window.top) - double(row) / s_view.scale_y};
}

void view_reset()
{
    s_view = ViewState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, view_reset);

}  // namespace draw
