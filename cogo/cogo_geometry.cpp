// The COGO intersections. Each follows the classical construction (sine rule for two rays, the cosine rule
// for two circles, the foot of the perpendicular for a line and a circle) and then guards the places where
// that construction breaks down in floating point: acos arguments are clamped, divisions by a vanishing
// sine or distance are refused, and nothing non-finite is returned.

#include "cogo/cogo_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace cogo {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2;

// Below this |sin u| two rays are taken as parallel: at 1e-9 rad a 1 km base already puts the crossing a
// million kilometres away.
constexpr double kParallelSine = 1e-9;
// How far the angles of the triangle p1, p2, crossing may miss pi and still close it.
constexpr double kClosureTolerance = 1e-5;

bool finite(Position p)
{
    return std::isfinite(p.e) && std::isfinite(p.n);
}

// e x n cross product of two (E, N) vectors.
double cross(double e1, double n1, double e2, double n2)
{
    return e1 * n2 - n1 * e2;
}

}  // namespace

double plain_distance(Position p, Position q)
{
    double de = q.e - p.e;
    double dn = q.n - p.n;
    return std::sqrt(dn * dn + de * de);
}

int arc_side(Position p, Position q, Position c)
{
    return formats::turn_sign(formats::azimuth(p, q), formats::azimuth(p, c)) <= 0 ? 1 : 0;
}

int intersect_azimuth_azimuth(Position p1, double az1, Position p2, double az2, Position* a)
{
    if (!finite(p1) || !finite(p2) || !std::isfinite(az1) || !std::isfinite(az2))
        return 0;
    // From one point there is no triangle to close (its base has no azimuth): the rays only share p1.
    if (formats::plane_distance(p1, p2) == 0)
        return 0;
    double b = formats::azimuth(p1, p2);
    double u = formats::angle_between(az1, az2);
    double w = formats::angle_between(az1, b);
    double t = kPi - formats::angle_between(az2, b);
    // u near pi is two rays on one line facing each other: they share a segment, not a point.
    if (std::fabs(std::sin(u)) < kParallelSine || std::fabs((kPi - u) - w - t) > kClosureTolerance)
        return 0;

    // The closure test alone passes rays that diverge by a few microradians and really cross behind, so
    // the crossing is found along each ray (p1 + k1 d1 = p2 + k2 d2) and must lie ahead of both. k1 is
    // the sine rule's D sin t / sin u, in a form that stays exact on the second line.
    double e1 = std::sin(az1), n1 = std::cos(az1);
    double e2 = std::sin(az2), n2 = std::cos(az2);
    double de = p2.e - p1.e, dn = p2.n - p1.n;
    double denominator = cross(e1, n1, e2, n2);
    if (std::fabs(denominator) < kParallelSine)
        return 0;
    double k1 = cross(de, dn, e2, n2) / denominator;
    double k2 = cross(de, dn, e1, n1) / denominator;
    double behind = -1e-9 * plain_distance(p1, p2);
    if (k1 < behind || k2 < behind)
        return 0;
    Position x = formats::point_from_bearing(p1, az1, std::max(k1, 0.0));
    if (!finite(x))
        return 0;
    *a = x;
    return 1;
}

int intersect_circle_circle(Position p1, double r1, Position p2, double r2, Position* a, Position* b)
{
    if (!finite(p1) || !finite(p2) || !std::isfinite(r1) || !std::isfinite(r2) || r1 < 0 || r2 < 0)
        return 0;
    double d = plain_distance(p1, p2);
    if (d > r1 + r2 || d + std::min(r1, r2) < std::max(r1, r2))
        return 0;
    // Equal centres: no point or every point, and no direction to measure from (the azimuth of coincident
    // points is 0).
    if (formats::plane_distance(p1, p2) == 0)
        return 0;
    double s = formats::azimuth(p1, p2);
    if (d == r1 + r2) {
        Position x = formats::point_from_bearing(p1, s, r1);
        if (!finite(x))
            return 0;
        *a = x;
        return 1;
    }
    // Cosine rule for the angle at p1 between p1 -> p2 and p1 -> crossing. Near tangency rounding can push
    // the cosine a hair past +-1.
    double cosine = std::clamp((d * d + r1 * r1 - r2 * r2) / d / r1 * 0.5, -1.0, 1.0);
    double alpha = std::acos(cosine);
    Position left = formats::point_from_bearing(p1, s - alpha, r1);
    Position right = formats::point_from_bearing(p1, s + alpha, r1);
    if (!finite(left) || !finite(right))
        return 0;
    *a = left;
    if (alpha == 0 || alpha == kPi)
        return 1;  // tangency: both crossings are one point
    *b = right;
    return 2;
}

int intersect_line_circle(Position p, double az, Position c, double r, Position* a, Position* b)
{
    if (!finite(p) || !finite(c) || !std::isfinite(az) || !std::isfinite(r) || r < 0)
        return 0;
    double d = plain_distance(p, c);
    double w = formats::angle_between(formats::azimuth(p, c), az);
    if (w >= kHalfPi && r < d)
        return 0;  // p outside the circle and the ray runs away from it
    double s = w > kHalfPi ? kPi - w : w;
    double z = std::cos(s) * d;  // along the line to the foot of the perpendicular from c (behind p when w > pi/2)
    double h = std::sin(s) * d;  // distance of c from the line
    if (r < h)
        return 0;
    Position first;
    Position second;
    int count;
    if (r == h) {
        first = formats::point_from_bearing(p, az, z);
        count = 1;
    } else {
        double q = std::sqrt(r * r - h * h);
        // Inside the circle, or on it heading away from the centre: only the crossing ahead is on the ray
        // (the far one taken as z + q would not even lie on the circle when w > pi/2).
        if (d < r || (d == r && w > kHalfPi)) {
            first = formats::point_from_bearing(p, az, w <= kHalfPi ? z + q : std::max(q - z, 0.0));
            count = 1;
        } else {
            first = formats::point_from_bearing(p, az, z + q);
            second = formats::point_from_bearing(p, az, z - q);
            count = 2;
        }
    }
    if (!finite(first) || (count == 2 && !finite(second)))
        return 0;
    *a = first;
    if (count == 2)
        *b = second;
    return count;
}

}  // namespace cogo
