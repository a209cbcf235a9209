// Plane geometry. The azimuth takes acos of dN / distance rather than a two-argument arctangent, so its
// accuracy follows the cosine, as every stored calculation was made with it.

#include "formats/plane_geometry.h"

#include "platform/clock/clock.h"

#include <algorithm>
#include <cmath>

namespace formats {

double plane_distance(double e_a, double n_a, double e_b, double n_b)
{
    double de = e_b - e_a;
    double dn = n_b - n_a;
    if (std::fabs(de) < kCoincidenceTolerance && std::fabs(dn) < kCoincidenceTolerance)
        return 0;
    return std::sqrt(dn * dn + de * de);
}

double plane_distance(Position a, Position b)
{
    return plane_distance(a.e, a.n, b.e, b.n);
}

double azimuth(double e_a, double n_a, double e_b, double n_b)
{
    double distance = plane_distance(e_a, n_a, e_b, n_b);
    if (distance == 0)
        return 0;
    double de = e_b - e_a;
    double dn = n_b - n_a;
    double az = std::acos(std::clamp(dn / distance, -1.0, 1.0));
    if (de < 0)
        az = k2Pi - az;
    // acos gives exactly 0 when dE is too small to change the distance; 2*pi - 0 is outside the range.
    return az >= k2Pi ? 0 : az;
}

double azimuth(Position a, Position b)
{
    return azimuth(a.e, a.n, b.e, b.n);
}

Position point_from_bearing(Position a, double azimuth, double distance)
{
    return {a.e + std::sin(azimuth) * distance, a.n + std::cos(azimuth) * distance};
}

void rotate(double* x, double* y, double angle)
{
    double c = std::cos(angle);
    double s = std::sin(angle);
    double x0 = *x;
    double y0 = *y;
    *x = c * x0 - s * y0;
    *y = c * y0 + s * x0;
}

double angle_between(double a, double b)
{
    if (a == b)
        return 0;
    // Rounding can push the cosine of nearly equal directions a hair past 1, where acos has no value.
    double cosine = std::cos(a) * std::cos(b) + std::sin(a) * std::sin(b);
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

double turn_sign(double a, double b)
{
    return std::sin(a) * std::cos(b) - std::cos(a) * std::sin(b);
}

double clockwise_angle(Position p, Position a, Position b)
{
    double to_a = azimuth(p, a);
    double to_b = azimuth(p, b);
    double angle = angle_between(to_a, to_b);
    if (turn_sign(to_a, to_b) > 0)
        angle = k2Pi - angle;
    return angle;
}

double add_angles(double a, double b)
{
    double sum = a + b;
    // Far out, subtracting 2*pi one step at a time would never finish; fmod lands in the same range.
    if (sum >= 1024 * k2Pi)
        sum = std::fmod(sum, k2Pi);
    while (sum >= k2Pi)
        sum -= k2Pi;
    return sum;
}

double larger(double a, double b)
{
    return a > b ? a : b;
}
double smaller(double a, double b)
{
    return a < b ? a : b;
}

double hypotenuse(double a, double b)
{
    return std::sqrt(a * a + b * b);
}

void extend_box(Box* box, double first, double second)
{
    if (first < box->min_first)
        box->min_first = first;
    if (first > box->max_first)
        box->max_first = first;
    if (second < box->min_second)
        box->min_second = second;
    if (second > box->max_second)
        box->max_second = second;
}

bool inside_box(double first, double second, const Box& box, double margin)
{
    return !(first < box.min_first + margin || first > box.max_first - margin || second < box.min_second + margin
        || second > box.max_second - margin);
}

long seconds_of_day()
{
    return static_cast<long>(platform::clock::local_seconds_of_day());
}

}  // namespace formats
