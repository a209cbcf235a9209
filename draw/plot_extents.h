#pragma once
// The view extents of a plot window and the view commands on them: zoom in, zoom out, scroll by two taps,
// the "All" views and the pick radius. Whole world units, as the view takes them (left = smallest easting,
// top = largest northing, right = largest easting, bottom = smallest northing).
//
// The arithmetic runs in 64 bits and every command keeps each side within kPlotLimit, so that the width
// and height always fit the 32-bit view and no number of presses can overflow it. A command that cannot
// be carried out leaves the extents as they were and returns false.

#include <cstdint>

namespace draw {

struct PlotExtents {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return int64_t(right) - left; }
    int64_t height() const { return int64_t(top) - bottom; }
    bool operator==(const PlotExtents&) const = default;
};

// No side of the extents goes beyond ± this: a width or height of twice it still fits in 32 bits.
constexpr int32_t kPlotLimit = 1000000000;

// The smallest span an "All" view gives an axis before its margin, so that one point, or points on one
// line, still open on a view that later zooms can work on.
constexpr double kMinimumAllSpan = 20.0;

// The margin the GRAPHICS "All" view adds on each side, in pixels.
constexpr int kAllMarginPixels = 20;

// Extents that a plot can use: within the limits, with a width and a height of at least one unit.
bool plot_extents_usable(const PlotExtents& e);

// " + ": the middle half remains (integer halves and quarters, truncated toward zero). Refused when the
// extents are less than 2 units wide or high.
bool zoom_in(PlotExtents& e);
// " - ": half the size is added on each side. Refused once a side would pass kPlotLimit.
bool zoom_out(PlotExtents& e);
// Scroll by two taps: the extents move by (-dx, -dy), each side truncated toward zero, so that what lay
// under the first tap comes under the second. Refused for a move that is not finite or would pass the limit.
bool scroll_by(PlotExtents& e, double dx, double dy);

// The extents around a box of data (smallest and largest easting and northing): an axis with less than
// kMinimumAllSpan is widened to it about its middle, then `margin` (a fraction of each axis' span: 0.2 for
// the point plot) is added on each side; truncated toward zero. False, with `out` unchanged, for a box
// that is not finite, upside down or beyond the limits.
bool extents_around(double min_e, double min_n, double max_e, double max_n, double margin, PlotExtents* out);

// Moves each side outward by `pixels` at the view's scales (pixels per world unit), truncated to whole
// units. False, unchanged, when a scale is not a positive finite number or a side would pass the limit.
bool add_pixel_margin(PlotExtents& e, double scale_x, double scale_y, int pixels = kAllMarginPixels);

// The radius within which a tap picks a point: a sixtieth of the extents' width.
double pick_radius(const PlotExtents& e);

}  // namespace draw
