#include "draw/world_geometry.h"

#include <cmath>

namespace draw {
double azimuth_degrees(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return 0;
    double a = std::atan2(dx, dy) / kDegree;
    if (a < 0)
        a += 360.0;
    return a < 360.0 ? a : 0.0;
}

double arc_sweep_degrees(double cx, double cy, double start_x, double start_y, double end_x, double end_y)
{
    double sweep = azimuth_degrees(end_x - cx, end_y - cy) - azimuth_degrees(start_x - cx, start_y - cy);
    return sweep < 0 ? sweep + 360.0 : sweep;
}

Vec2 turn_clockwise(Vec2 v, double degrees)
{
    return turn_clockwise(v, std::cos(degrees * kDegree), std::sin(degrees * kDegree));
}

}  // namespace draw
