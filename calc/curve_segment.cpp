#include "calc/curve_segment.h"

#include <cmath>
#include <numbers>

namespace calc {

std::optional<double> segment_term(formats::Position start, formats::Position end, formats::Position centre,
    double radius, int direction, SegmentFault* fault)
{
    *fault = SegmentFault::None;
    if (!(radius > 0)) {
        *fault = SegmentFault::NoRadius;
        return std::nullopt;
    }
    const double chord = formats::plane_distance(start, end);
    double w = chord / (2 * radius);
    if (!(w <= 1 + 1e-6)) {
        *fault = SegmentFault::ChordTooLong;
        return std::nullopt;
    }
    if (w > 1)
        w = 1;
    const double pi = std::numbers::pi;
    const double theta = (w > 0.9999999999 && w < 1.0000000001) ? pi : 2 * std::asin(w);
    const double s = radius * radius / 2 * (theta - std::sin(theta));
    const bool centre_right = std::sin(formats::azimuth(start, end) - formats::azimuth(start, centre)) <= 0;
    const double circle = pi * radius * radius;
    if (centre_right && direction == -1)
        return circle - s;
    if (centre_right && direction == 1)
        return -s;
    if (!centre_right && direction == 1)
        return s - circle;
    return s;
}

double trapezoid(formats::Position p, formats::Position q, double* running_e)
{
    const double de = q.e - p.e;
    const double term = (*running_e + de / 2) * (q.n - p.n);
    *running_e += de;
    return term;
}

}  // namespace calc
