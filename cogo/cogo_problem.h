#pragma once
// The COGO problem and its solver. The COGO form fills the problem from its fields and calls, in order,
// cogo_clear_results, cogo_resolve_offset_lines and cogo_solve; the solver decides which problem is posed,
// reads the stored points it needs by number (store/point_index.h: a point not in the open coordinate file,
// or no open file, is a missing point), and fills the computed fields. Nothing here writes to the file or
// shows a message.
//
// Units: coordinates and distances in the units of the coordinate file, no scale factor; azimuths in
// radians clockwise from grid north. Every double that has no value holds formats::kUndefinedValue and is
// tested by exact equality.

#include <cstdint>

#include "formats/plane_geometry.h"
#include "formats/undefined_value.h"

namespace cogo {

// What the last solve found.
enum CogoKind : int {
    kCogoNothing = 0,            // the problem is not fully posed (or a point is missing)
    kCogoInverse = 1,            // from 1 and to stored: azimuth 1, distance 1
    kCogoForward = 2,            // from 1, azimuth 1, distance 1: the to point
    kCogoAzimuthAzimuth = 3,     // to, distance 1, distance 2
    kCogoDistanceDistance = 4,   // to (A, B), azimuth 1, azimuth 2
    kCogoAzimuthDistance = 5,    // to (A, B), distance 1, azimuth 2
    kCogoDistanceAzimuth = 6,    // to (A, B), azimuth 1, distance 2
    kCogoNoAzimuthAzimuth = -3,  // the intersections posed but without a solution
    kCogoNoDistanceDistance = -4,
    kCogoNoAzimuthDistance = -5,
    kCogoNoDistanceAzimuth = -6,
};

// What the distance field of a line means.
enum CogoLineMode : int {
    kCogoLineDistance = 0,    // a distance along the line (or a radius)
    kCogoLineOffsetLeft = 1,  // an offset to the left of the azimuth: the line is the parallel through it
    kCogoLineOffsetRight = 2,
};

struct CogoProblem {
    uint32_t from1 = 0;  // point numbers; 0 = none
    double azimuth1 = formats::kUndefinedValue;
    double distance1 = formats::kUndefinedValue;
    int mode1 = kCogoLineDistance;

    uint32_t to = 0;
    double to_northing = formats::kUndefinedValue;  // the computed point: solution A
    double to_easting = formats::kUndefinedValue;

    uint32_t from2 = 0;
    double azimuth2 = formats::kUndefinedValue;
    double distance2 = formats::kUndefinedValue;
    int mode2 = kCogoLineDistance;

    formats::Position from1_at {
        formats::kUndefinedValue, formats::kUndefinedValue};  // coordinates of from 1 (or of its offset point)
    formats::Position from2_at {formats::kUndefinedValue, formats::kUndefinedValue};
    double b_northing = formats::kUndefinedValue;  // the second solution of an intersection
    double b_easting = formats::kUndefinedValue;

    int kind = kCogoNothing;
    int count = 0;  // 0, 1 or 2 solutions
    int shown = 1;  // 1 = A, 2 = B
};

// The problem kept for the whole run (its values survive closing and reopening the form); back to a new
// problem when the program state is reset.
CogoProblem& cogo_problem();

// What every Calc does first: azimuths, distances, from and to coordinates and solution B back to
// undefined, the shown solution to A. The point numbers and the two line modes stay.
void cogo_clear_results(CogoProblem* problem);

// Resolves a line in Offset L or Offset R mode: reads its from point and replaces the from coordinates by
// the point at azimuth -/+ pi/2 (left/right) and the typed distance (the offset) from it; the line's
// distance becomes undefined, so the line is the parallel of the azimuth through the offset point. A from
// point that is missing, or a missing azimuth or offset, leaves the coordinates undefined. A line in
// Distance mode is left alone.
void cogo_resolve_offset_lines(CogoProblem* problem);

// Solves the problem: fills the computed fields, the count (0 first, whatever the outcome) and the kind,
// which it returns. On kind 0 or a negative kind no computed value (to, azimuths, distances, solution B) is
// written; from coordinates read from the file stay. No result is ever NaN or
// infinite: such a result is no solution.
int cogo_solve(CogoProblem* problem);

// What the form shows for one solution.
struct CogoShown {
    double northing = formats::kUndefinedValue;
    double easting = formats::kUndefinedValue;
    double azimuth1 = formats::kUndefinedValue;
    double distance1 = formats::kUndefinedValue;
    double azimuth2 = formats::kUndefinedValue;
    double distance2 = formats::kUndefinedValue;
    const char16_t* caption = u"A";  // the A/B button's caption: the solution now shown
};

// The A/B button: only after a solve of kind 4, 5 or 6 with two solutions. Swaps problem->shown and gives
// the other solution with the derived values recomputed towards it (kind 4: azimuth 1 and azimuth 2;
// kind 5: distance 1 and azimuth 2; kind 6: azimuth 1 and distance 2, distances with formats'
// plane_distance); the other values are the problem's. Returns false, *out and the problem unchanged,
// when there is no other solution. The problem's to coordinates stay solution A.
bool cogo_other_solution(CogoProblem* problem, CogoShown* out);

}  // namespace cogo
