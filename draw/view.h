#pragma once
// The one view of the program: a world window (whole world units) fitted onto a device rectangle (pixels
// of a window's client area), its two scales (pixels per world unit), and the conversions between world
// coordinates (x easting, y northing) and pixels (columns right, rows down). North is up, east right, the
// same scale on both axes up to the integer truncation of the fitted window.
//
// Before the first world window is mapped the view is invalid: both scales are 1.0 and mapping returns the
// coordinates unchanged apart from the row flip against the device rectangle's bottom.

#include <cstdint>

#include "draw/world_geometry.h"

namespace draw {

struct WorldWindow {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // minimum x, maximum y, maximum x, minimum y
};
struct DeviceRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // pixels, top < bottom
};
struct DevicePoint {
    int x = 0, y = 0;  // column, row
};

// Pixel coordinates are kept within +-kDeviceLimit: a world point mapping farther is clamped there, so
// every pixel fits the rasteriser however far off the point lies.
constexpr int kDeviceLimit = 1 << 24;

// The device rectangle the next view_set_window fits to (dwg_begin_paint sets the window's client area;
// the plan view a band of its dialog).
void view_set_device_rect(int32_t left, int32_t top, int32_t right, int32_t bottom);
DeviceRect view_device_rect();

// Fits the world window to the device rectangle about its centre (widened or heightened to the device's
// aspect, each new edge truncated toward zero), computes the scales and makes the view valid. Returns
// false and leaves the previous mapping in force when the world window or the device rectangle has no
// width or no height, or the fitted window leaves the 32-bit range. The doubles are first truncated toward
// zero; a non-finite or out-of-range one is refused the same way.
bool view_set_window(int32_t left, int32_t top, int32_t right, int32_t bottom);
bool view_set_window(double left, double top, double right, double bottom);

bool view_valid();
WorldWindow view_window();  // as fitted; all zero while invalid
double view_scale_x();      // pixels per world unit; 1.0 while invalid
double view_scale_y();

// The unrounded pixel position of a world point: column = device left + (x - window left) * scale x,
// row = (window top - y) * scale y (rows count from the client area's top edge).
Vec2 view_device_position(double x, double y);

// The nearest integer, halves away from zero.
int64_t round_half_away(double v);

// The pixel of a world point, each coordinate rounded halves away from zero and clamped to
// +-kDeviceLimit. Returns false, *out unchanged, for a non-finite coordinate.
bool world_to_device(double x, double y, DevicePoint* out);

// The world point of a pixel (not rounded): x = (column - device left) / scale x + window left,
// y = window top - row / scale y.
Vec2 device_to_world(int column, int row);

// Back to the invalid view with an empty device rectangle (start-up, tests).
void view_reset();

}  // namespace draw
