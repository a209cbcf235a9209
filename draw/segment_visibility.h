#pragma once
// Which world segments reach the screen, and at which pixels. Lines, the edges of symbols and the
// draw-now path of lines go through world_segment_pixels; segments that cannot touch the device rectangle
// stay out of the graphics calls.

#include "draw/view.h"

namespace draw {

// Drawn when the first end, the second end or the midpoint (the sum of the two ends times 0.5, truncated)
// lies inside the rectangle, edges included, or the segment crosses one of its edges (exactly).
bool segment_visible(DevicePoint a, DevicePoint b, const DeviceRect& rect);

// True when the segment a-b touches the closed rectangle (exact, integer arithmetic).
bool segment_touches_rect(DevicePoint a, DevicePoint b, const DeviceRect& rect);

// Cuts the segment a-b (unrounded pixels) to the square +-kDeviceLimit, keeping its direction; false when
// it misses the square.
bool clip_to_device_limit(Vec2* a, Vec2* b);

// The pixels the world segment (x1, y1)-(x2, y2) is drawn between in the current view, or false when
// nothing is drawn: an end is not finite, the segment is not visible in the device rectangle, or both ends
// fall on one pixel. Ends beyond the pixel range are first cut back along the segment.
bool world_segment_pixels(double x1, double y1, double x2, double y2, DevicePoint* a, DevicePoint* b);

}  // namespace draw
