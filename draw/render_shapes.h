#pragma once
// The renderer's shapes in world coordinates: segments under the visibility rule, and polylines (the
// circles and arcs) mapped point by point and joined without it.

#include "draw/gdi_style.h"
#include "draw/view.h"
#include "draw/world_geometry.h"

namespace draw {

constexpr double kEntityCircleStep = 1.0;  // degrees: circles and arcs of stored entities
constexpr double kSymbolCircleStep = 3.0;  // degrees: circles inside symbols

// A world segment with the pen, when it is visible (segment_visibility.h). The previous pen is restored.
void draw_world_segment(gdi::DC& dc, const gdi::Pen& pen, Vec2 a, Vec2 b);

// A polyline of world points drawn as they come: each point mapped to pixels and joined to the one
// before. Points far off the pixel range cut their segments back along the segment; a dash pattern runs on
// across the joins. The pen is selected for the polyline's life.
class WorldPolyline {
public:
    WorldPolyline(gdi::DC& dc, const gdi::Pen& pen);
    ~WorldPolyline();
    WorldPolyline(const WorldPolyline&) = delete;
    WorldPolyline& operator=(const WorldPolyline&) = delete;

    void add(Vec2 world);

private:
    gdi::DC& m_dc;
    gdi::Pen m_saved_pen;
    bool m_started = false;       // a point with a pixel came before
    Vec2 m_previous;              // unrounded pixels of that point
    DevicePoint m_position;       // where the last segment ended ...
    bool m_has_position = false;  // ... when it is the context's current position
};

// Circle about `centre` (world units) drawn from east through 360, 360 - step, ... degrees (counter-clockwise
// from east) and closed: 1 degree steps, 3 for a circle inside a symbol. Left out where it cannot reach
// the context's clip.
void draw_world_circle(gdi::DC& dc, const gdi::Pen& pen, Vec2 centre, double radius, bool in_symbol);

// Arc about `centre` from `start` clockwise to the azimuth of `end`, in 1 degree steps.
void draw_world_arc(gdi::DC& dc, const gdi::Pen& pen, Vec2 centre, Vec2 start, Vec2 end);

}  // namespace draw
