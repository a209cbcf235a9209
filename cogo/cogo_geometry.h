#pragma once
// The geometry of COGO on grid coordinates: the two primitives only COGO uses, and the three intersections.
// Positions are (E, N) in the units of the coordinate file; azimuths are radians clockwise from grid north.
// The shared primitives (distance, azimuth, point from bearing, angle between, turn sign) are those of
// formats/plane_geometry.h.
//
// Every intersection returns the number of solutions (0 when there is none) and writes solution A, and for
// two solutions solution B, only on success: on 0 the outputs are left as they were. A result that would not
// be finite is no solution, and input that is not finite (or a negative radius) has none.

#include "formats/plane_geometry.h"

namespace cogo {

using formats::Position;

// sqrt(dN^2 + dE^2) without the 1e-06 coincidence test of formats::plane_distance.
double plain_distance(Position p, Position q);

// 1 when c lies to the right of the direction p -> q or on its line (turn sign of azimuth(p, q) and
// azimuth(p, c) is <= 0), else 0. Chooses where an arc starts when it is drawn.
int arc_side(Position p, Position q, Position c);

// Two rays: from p1 with azimuth az1 and from p2 with azimuth az2. 0 or 1 solutions.
// None when the rays are parallel or opposite (|sin u| < 1e-9, u the angle between the azimuths), when the
// triangle p1, p2, crossing does not close (angle sum off pi by more than 1e-5), or when the crossing does
// not lie ahead of both points (lines that meet behind one of them), and for rays from one point (within
// formats' 1e-06): they share only that point.
int intersect_azimuth_azimuth(Position p1, double az1, Position p2, double az2, Position* a);

// Two circles about p1 and p2 with radii r1 and r2. 0, 1 or 2 solutions.
// None when the circles are apart (D > r1 + r2), one lies inside the other (D + min r < max r), or the
// centres coincide (within formats' 1e-06). One at external contact (D == r1 + r2 exactly) and where
// rounding puts the cosine of the half angle at or past +-1 (tangency): on the line of the centres.
// Otherwise A lies to the left of p1 -> p2 and B to the right.
int intersect_circle_circle(Position p1, double r1, Position p2, double r2, Position* a, Position* b);

// The ray from p with azimuth az and the circle about c with radius r. 0, 1 or 2 solutions.
// From outside the circle: none when the ray runs away from it or passes it, one when it touches
// (distance of c from the line == r exactly), else A the far crossing and B the near one. From inside the
// circle, or from on it heading away, one: where the ray leaves the circle ahead (p itself in the second
// case).
int intersect_line_circle(Position p, double az, Position c, double r, Position* a, Position* b);

}  // namespace cogo
