#pragma once
// Plane geometry the drawing engine shares between its boxes and its rendering: azimuths (degrees
// clockwise from north, the grid y axis), the sweep of an arc and turning a vector clockwise.

#include <numbers>

namespace draw {

constexpr double kDegree = std::numbers::pi / 180.0;  // radians

struct Vec2 {
    double x = 0, y = 0;
};

// Azimuth of the direction (dx, dy) in degrees, in [0, 360); 0 for the zero vector.
double azimuth_degrees(double dx, double dy);

// Sweep of the clockwise arc about (cx, cy) from the start point to the end point, degrees in [0, 360):
// azimuth(centre -> end) - azimuth(centre -> start), plus 360 when negative.
double arc_sweep_degrees(double cx, double cy, double start_x, double start_y, double end_x, double end_y);

// v turned clockwise by `degrees` (towards increasing azimuth).
Vec2 turn_clockwise(Vec2 v, double degrees);
// The same with the cosine and sine of the angle already known.
inline Vec2 turn_clockwise(Vec2 v, double cos_a, double sin_a)
{
    return Vec2 {cos_a * v.x + sin_a * v.y, cos_a * v.y - sin_a * v.x};
}

}  // namespace draw
