#pragma once
// The circular curve of the curve calculator and its solution: from two of its elements, from three points
// on it, or from a PI with a point on each tangent. Nothing here reads the coordinate file or draws; the
// dialog fills the curve from its fields and draws what the solution returns.
//
// Units as in COGO: coordinates in the units of the coordinate file, azimuths and delta in radians. An
// element of 0 is an element not given (and not shown); a row's coordinates are formats::kUndefinedValue
// until known.

#include <cstdint>
#include <functional>
#include <optional>

#include "formats/plane_geometry.h"
#include "formats/undefined_value.h"

namespace cogo {

struct CurveRow {
    uint32_t number = 0;
    double northing = formats::kUndefinedValue;
    double easting = formats::kUndefinedValue;
    bool known = false;
    formats::Position at() const { return {easting, northing}; }
};

// Rows of the curve: 0 "BC" or "PI", 1 "PC" or "PI", 2 "EC" or "PI", 3 the centre.
constexpr int kCurveRowStart = 0;
constexpr int kCurveRowMiddle = 1;
constexpr int kCurveRowEnd = 2;
constexpr int kCurveRowCentre = 3;

struct CurveElements {
    double radius = 0;
    double arc = 0;      // L
    double tangent = 0;  // T
    double chord = 0;    // Ch
    double middle_ordinate = 0;
    double external = 0;
    double delta = 0;  // radians
    bool delta_given = false;
};

struct Curve {
    CurveRow rows[4];
    bool row1_is_bc = true;   // false: row 1 is a PI on the back tangent
    bool row2_is_pi = false;  // false: row 2 is a PC, a point on the curve
    bool row3_is_ec = true;   // false: row 3 is a PI on the forward tangent
    CurveElements elements;
};

// The curve kept for the whole run (labels and values survive closing the dialog).
Curve& curve_of_the_run();

// The elements that follow from a radius and a delta: L = R delta, T = R tan(delta/2), Ch = 2 R sin(delta/2),
// M = R (1 - cos(delta/2)), E = R (1/cos(delta/2) - 1). An element that is not finite (T and E of a
// half circle) is 0: not shown.
CurveElements elements_from(double radius, double delta);

// The pairs whose delta is found by search, and the search: delta from 0 in steps of 0.1, each pass
// stepping on until f(delta) >= q, then, unless |q - f| <= 5e-9 (that delta is the answer), taking the
// last step back and dividing the step by ten. Nothing when delta passes 2 pi, when a step no longer
// changes delta, after 1000 passes without that, or for a q that is not a positive finite number.
enum class CurvePair {
    ArcTangent,
    ArcChord,
    ArcMiddle,
    ArcExternal,
    TangentExternal,
    ChordMiddle,
    ChordExternal,
    MiddleExternal
};
std::optional<double> search_delta(CurvePair pair, double q);

// What a solution found: whether anything was computed, and for the routes that find a centre the three
// points the plot draws.
struct CurveSolution {
    bool computed = false;
    bool has_centre = false;
    formats::Position bc, ec, centre;
};

// Solves the curve from its known rows, labels and given elements (an element is given when it is not 0;
// delta when delta_given) and writes the results into it. Nothing is computed, and the curve is left as it
// was, for an arrangement of rows and labels or a combination of elements that has no route, for negative
// or non-finite elements, a given delta of 0, elements outside their domain (a chord longer than the
// diameter, a middle ordinate beyond it, a chord not shorter than twice the tangent), three points on one
// line or on one spot, and PIs on one line. Rounding that carries a sine or cosine a hair past 1 (within
// 1e-12) is taken as 1.
CurveSolution solve_curve(Curve* curve);

}  // namespace cogo
