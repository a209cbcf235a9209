#include "cogo/curve.h"

#include <cmath>

#include "cogo/cogo_geometry.h"
#include "platform/reset/reset.h"

namespace cogo {

using formats::Position;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRounding = 1e-12;  // how far past 1 a sine or cosine may come by rounding alone

Curve s_curve;

bool positive(double v)
{
    return std::isfinite(v) && v > 0;
}

// A sine or cosine within [-1, 1], or a hair past it by rounding; nothing beyond.
std::optional<double> unit(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 1 + kRounding)
        return std::nullopt;
    return std::fmax(-1.0, std::fmin(1.0, x));
}

double finite_or_zero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

double f_of(CurvePair pair, double d)
{
    const double h = 0.5 * d;
    switch (pair) {
    case CurvePair::ArcTangent:
        return std::tan(h) / d;
    case CurvePair::ArcChord:
        return d / std::sin(h);
    case CurvePair::ArcMiddle:
        return (1 - std::cos(h)) / d;
    case CurvePair::ArcExternal:
        return (1 / std::cos(h) - 1) / d;
    case CurvePair::TangentExternal:
        return (1 / std::cos(h) - 1) / std::tan(h);
    case CurvePair::ChordMiddle:
        return (1 - std::cos(h)) / (2 * std::sin(h));
    case CurvePair::ChordExternal:
        return (1 / std::cos(h) - 1) / (2 * std::sin(h));
    case CurvePair::MiddleExternal:
        return (1 / std::cos(h) - 1) / (1 - std::cos(h));
    }
    return 0;
}

// Radius and delta of a curve given by two elements and no point; nothing when no route applies.
struct RadiusDelta {
    double radius = 0, delta = 0;
};

std::optional<RadiusDelta> radius_and_delta(const CurveElements& e)
{
    const bool r = e.radius != 0, l = e.arc != 0, t = e.tangent != 0, ch = e.chord != 0;
    const bool m = e.middle_ordinate != 0, x = e.external != 0, d = e.delta_given;
    const double R = e.radius, L = e.arc, T = e.tangent, Ch = e.chord, M = e.middle_ordinate, E = e.external;
    const double D = e.delta;
    auto both = [](double radius, double delta) { return std::optional<RadiusDelta>(RadiusDelta {radius, delta}); };
    auto searched = [&](CurvePair pair, double q, auto radius_of) -> std::optional<RadiusDelta> {
        std::optional<double> found = search_delta(pair, q);
        if (!found)
            return std::nullopt;
        return RadiusDelta {radius_of(*found), *found};
    };
    auto from_chord = [&](double delta) { return 0.5 * Ch / std::sin(0.5 * delta); };
    auto from_middle = [&](double delta) { return M / (1 - std::cos(0.5 * delta)); };
    auto from_tangent = [&](double delta) { return T / std::tan(0.5 * delta); };
    auto from_arc = [&](double delta) { return L / delta; };

    if (r && l)
        return both(R, L / R);
    if (r && t)
        return both(R, 2 * std::atan(T / R));
    if (r && ch) {
        std::optional<double> s = unit(Ch / (2 * R));
        return s ? both(R, 2 * std::asin(*s)) : std::nullopt;
    }
    if (r && m) {
        std::optional<double> c = unit(1 - M / R);
        return c ? both(R, 2 * std::acos(*c)) : std::nullopt;
    }
    if (r && x)
        return both(R, 2 * std::acos(1 / (1 + E / R)));
    if (r && d)
        return both(R, D);
    if (l && t)
        return searched(CurvePair::ArcTangent, T / L, from_arc);
    if (l && ch)
        return searched(CurvePair::ArcChord, 2 * L / Ch, from_chord);
    if (l && m)
        return searched(CurvePair::ArcMiddle, M / L, from_middle);
    if (l && x)
        return searched(CurvePair::ArcExternal, E / L, from_arc);
    if (l && d)
        return both(L / D, D);
    if (t && ch) {
        // A chord of twice the tangent or more has no curve (delta 0 or no angle at all).
        const double c = Ch / (2 * T);
        if (!(c < 1))
            return std::nullopt;
        const double delta = 2 * std::acos(c);
        return both(from_tangent(delta), delta);
    }
    if (t && m)
        return std::nullopt;
    if (t && x)
        return searched(CurvePair::TangentExternal, E / T, from_tangent);
    if (t && d)
        return both(from_tangent(D), D);
    if (ch && m)
        return searched(CurvePair::ChordMiddle, M / Ch, from_chord);
    if (ch && x)
        return searched(CurvePair::ChordExternal, E / Ch, from_chord);
    if (ch && d)
        return both(from_chord(D), D);
    if (m && x)
        return searched(CurvePair::MiddleExternal, E / M, from_middle);
    if (m && d)
        return both(from_middle(D), D);
    if (x && d) {
        const double length = E * D / (1 / std::cos(0.5 * D) - 1);
        return both(length / D, D);
    }
    return std::nullopt;
}

// The given elements are numbers a curve can have: none negative or not finite, a given delta above 0
// and at most a full turn.
bool elements_acceptable(const CurveElements& e)
{
    for (double v : {e.radius, e.arc, e.tangent, e.chord, e.middle_ordinate, e.external})
        if (!std::isfinite(v) || v < 0)
            return false;
    return !e.delta_given || (positive(e.delta) && e.delta <= formats::k2Pi);
}

bool usable(double radius, double delta)
{
    return positive(radius) && positive(delta) && delta <= formats::k2Pi;
}

void place_row(CurveRow& row, Position p)
{
    row.number = 0;
    row.easting = p.e;
    row.northing = p.n;
    row.known = true;
}

double normalised(double azimuth)
{
    double a = std::fmod(azimuth, formats::k2Pi);
    return a < 0 ? a + formats::k2Pi : a;
}

// The centre of the circle through a, b, c, in coordinates relative to a so that grid magnitudes do not
// cancel; nothing for three points on one line (or on one spot).
std::optional<Position> circumcentre(Position a, Position b, Position c)
{
    const double bx = b.e - a.e, by = b.n - a.n, cx = c.e - a.e, cy = c.n - a.n;
    const double d = 2 * (bx * cy - by * cx);
    const double scale = std::fmax(bx * bx + by * by, cx * cx + cy * cy);
    if (!(std::fabs(d) > 1e-12 * scale) || scale == 0)
        return std::nullopt;
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const Position centre {a.e + (cy * b2 - by * c2) / d, a.n + (bx * c2 - cx * b2) / d};
    if (!std::isfinite(centre.e) || !std::isfinite(centre.n))
        return std::nullopt;
    return centre;
}

CurveSolution from_three_points(Curve* curve)
{
    const Position bc = curve->rows[kCurveRowStart].at(), pc = curve->rows[kCurveRowMiddle].at();
    const Position ec = curve->rows[kCurveRowEnd].at();
    const double chord = plain_distance(bc, ec);
    if (!positive(chord))
        return {};
    Position centre {0.5 * (bc.e + ec.e), 0.5 * (bc.n + ec.n)};
    if (std::fabs(plain_distance(pc, centre) - 0.5 * chord) > 1e-6) {
        std::optional<Position> c = circumcentre(bc, pc, ec);
        if (!c)
            return {};
        centre = *c;
    }
    const double radius = plain_distance(bc, centre);
    std::optional<double> s = positive(radius) ? unit(chord / (2 * radius)) : std::nullopt;
    if (!s)
        return {};
    const double delta = 2 * std::asin(*s);
    if (!usable(radius, delta))
        return {};
    curve->elements = elements_from(radius, delta);
    place_row(curve->rows[kCurveRowCentre], centre);
    return {true, true, bc, ec, centre};
}

CurveSolution from_tangents(Curve* curve)
{
    const Position back = curve->rows[kCurveRowStart].at(), pi = curve->rows[kCurveRowMiddle].at();
    const Position ahead = curve->rows[kCurveRowEnd].at();
    if (formats::plane_distance(back, pi) == 0 || formats::plane_distance(pi, ahead) == 0)
        return {};
    const double a1 = formats::azimuth(back, pi), a2 = formats::azimuth(pi, ahead);
    const double delta = formats::angle_between(a1, a2);
    if (!(delta > 1e-12))
        return {};  // the tangents run on one line: no bend, no curve
    const CurveElements& e = curve->elements;
    const double h = 0.5 * delta;
    double radius = 0;
    if (e.arc != 0)
        radius = e.arc / delta;
    else if (e.chord != 0)
        radius = 0.5 * e.chord / std::sin(h);
    else if (e.external != 0)
        radius = e.external / (1 / std::cos(h) - 1);
    else if (e.middle_ordinate != 0)
        radius = e.middle_ordinate / (1 - std::cos(h));
    else if (e.radius != 0)
        radius = e.radius;
    else if (e.tangent != 0)
        radius = e.tangent / std::tan(h);
    if (!usable(radius, delta))
        return {};
    const CurveElements solved = elements_from(radius, delta);
    curve->elements = solved;
    CurveSolution solution;
    solution.computed = true;
    if (solved.tangent == 0)
        return solution;

    const Position bc = formats::point_from_bearing(pi, a1 + kPi, solved.tangent);
    const Position ec = formats::point_from_bearing(pi, a2, solved.tangent);
    place_row(curve->rows[kCurveRowStart], bc);
    place_row(curve->rows[kCurveRowEnd], ec);
    curve->row1_is_bc = true;
    curve->row3_is_ec = true;
    // A right-hand curve (the forward tangent turns clockwise) has its centre to the right of both tangents.
    const double quarter = formats::turn_sign(a1, a2) < 0 ? kPi / 2 : -kPi / 2;
    Position centre;
    if (intersect_azimuth_azimuth(bc, normalised(a1 + quarter), ec, normalised(a2 + quarter), &centre) > 0) {
        place_row(curve->rows[kCurveRowCentre], centre);
        solution.has_centre = true;
        solution.bc = bc;
        solution.ec = ec;
        solution.centre = centre;
    }
    return solution;
}

}  // namespace

Curve& curve_of_the_run()
{
    return s_curve;
}

CurveElements elements_from(double radius, double delta)
{
    const double h = 0.5 * delta;
    CurveElements e;
    e.radius = radius;
    e.delta = delta;
    e.delta_given = true;
    e.arc = finite_or_zero(radius * delta);
    e.tangent = finite_or_zero(radius * std::tan(h));
    e.chord = finite_or_zero(2 * radius * std::sin(h));
    e.middle_ordinate = finite_or_zero(radius * (1 - std::cos(h)));
    e.external = finite_or_zero(radius * (1 / std::cos(h) - 1));
    // At a half turn the tangent and external run off to infinity, past it they turn negative: no such
    // element then.
    if (!(std::cos(h) > 1e-9)) {
        e.tangent = 0;
        e.external = 0;
    }
    return e;
}

std::optional<double> search_delta(CurvePair pair, double q)
{
    if (!positive(q))
        return std::nullopt;
    double delta = 0, step = 0.1;
    for (int pass = 0; pass <= 1000; ++pass) {
        double f = 0;
        for (;;) {
            const double next = delta + step;
            if (next == delta || next > formats::k2Pi)
                return std::nullopt;
            delta = next;
            f = f_of(pair, delta);
            if (f >= q)
                break;
        }
        // The delta that met the tolerance is the answer: the one a step back can be a whole step short,
        // up to a microradian when the search ends on a step of 1e-6, 1.6 mm on a radius of 1000 m.
        if (std::fabs(q - f) <= 5e-9)
            return delta;
        delta -= step;
        step /= 10;
    }
    return std::nullopt;
}

CurveSolution solve_curve(Curve* curve)
{
    if (!elements_acceptable(curve->elements))
        return {};
    const CurveRow* rows = curve->rows;
    if (!rows[kCurveRowStart].known) {
        if (rows[kCurveRowMiddle].known || rows[kCurveRowEnd].known)
            return {};
        std::optional<RadiusDelta> rd = radius_and_delta(curve->elements);
        if (!rd || !usable(rd->radius, rd->delta))
            return {};
        curve->elements = elements_from(rd->radius, rd->delta);
        CurveSolution solution;
        solution.computed = true;
        return solution;
    }
    const bool all_known = rows[kCurveRowMiddle].known && rows[kCurveRowEnd].known;
    if (all_known && curve->row1_is_bc && !curve->row2_is_pi && curve->row3_is_ec)
        return from_three_points(curve);
    if (all_known && !curve->row1_is_bc && curve->row2_is_pi && !curve->row3_is_ec)
        return from_tangents(curve);
    return {};
}

namespace {
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_curve = Curve {}; });
}  // namespace

}  // namespace cogo
