#pragma once
// The circular segment between a chord and its arc, as the map check and the area add it to a figure's
// trapezoid sum. With the chord c from the curve start to the curve end and the radius r:
//
//   w = c / (2 r);  theta = pi when |w - 1| < 1e-10, else 2 asin(w);  s = r^2 / 2 (theta - sin theta)
//
// The centre lies right of the chord when sin(az(start -> end) - az(start -> centre)) <= 0. The term is
// pi r^2 - s (centre right, direction -1), -s (centre right, +1), s - pi r^2 (centre left, +1), and s
// otherwise (direction 0 included).

#include <optional>

#include "formats/plane_geometry.h"

namespace calc {

enum class SegmentFault {
    None,
    NoRadius,      // r <= 0
    ChordTooLong,  // the chord is longer than the diameter beyond rounding (w > 1 + 1e-6)
};

// The signed segment term; nothing, with *fault set, when the arc cannot be formed. A chord longer than
// the diameter by rounding only (1 < w <= 1 + 1e-6) counts as the diameter.
std::optional<double> segment_term(formats::Position start, formats::Position end, formats::Position centre,
    double radius, int direction, SegmentFault* fault);

// The trapezoid of a side P -> Q against the running easting sum a: (a + (Q.e - P.e) / 2) (Q.n - P.n);
// afterwards a has grown by Q.e - P.e.
double trapezoid(formats::Position p, formats::Position q, double* running_e);

}  // namespace calc
