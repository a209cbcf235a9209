#include "gps/utm.h"

#include <cmath>
#include <numbers>

namespace gps {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kFootpointTolerance = 0.00001;  // metres of meridian arc
// The footpoint search normally ends within a few thousand steps; a northing far beyond the earth would
// otherwise walk (or, once the steps fall below the spacing of doubles, stand) for ever.
constexpr int kFootpointStepLimit = 200000;

// The radians-to-degrees rule of the grid conversions: a negative angle is turned into [0, 360). An angle
// that reaches 360 after a wrap (a point on the prime meridian seen from zone 31) is brought back too.
double to_degrees_positive(double radians)
{
    double degrees = radians * (180.0 / std::numbers::pi);
    if (degrees < 0.0)
        degrees += 360.0;
    if (degrees >= 360.0)
        degrees -= 360.0;
    return degrees;
}

// Quantities of the ellipsoid at a latitude, named as in the GDA manual.
struct LatitudeTerms {
    double nu;   // radius of curvature in the prime vertical
    double rho;  // radius of curvature in the meridian
    double psi;  // nu / rho = 1 + e'^2 cos^2(phi)
    double t;    // tan(phi)
};

LatitudeTerms latitude_terms(const Ellipsoid& ellipsoid, double phi)
{
    const double ep2 = ellipsoid.e2 / (1.0 - ellipsoid.e2);
    const double c = ellipsoid.a / std::sqrt(1.0 - ellipsoid.e2);
    const double cos_phi = std::cos(phi);
    LatitudeTerms terms;
    terms.psi = 1.0 + ep2 * cos_phi * cos_phi;
    terms.nu = c / std::sqrt(terms.psi);
    terms.rho = terms.nu / terms.psi;
    terms.t = std::tan(phi);
    return terms;
}

double a0_coefficient(double e2)
{
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    return 1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0;
}

// Footpoint latitude: the latitude whose meridian arc is m_prime, found by stepping towards it with steps
// that shrink by tens as the arc difference shrinks. The test of each pass uses the difference measured
// before its step, so one last (tiny) step follows the pass that met the tolerance.
double footpoint_latitude(const Ellipsoid& ellipsoid, double m_prime)
{
    double phi = m_prime / (ellipsoid.a * a0_coefficient(ellipsoid.e2));
    double d = 0.0;
    int steps = 0;
    do {
        d = MeridianDistance(ellipsoid, phi) - m_prime;
        const double size = std::fabs(d);
        double step = 1e-12;
        if (size > 1000.0)
            step = 1e-5;
        else if (size > 100.0)
            step = 1e-6;
        else if (size > 10.0)
            step = 1e-7;
        else if (size > 1.0)
            step = 1e-8;
        else if (size > 0.1)
            step = 1e-9;
        else if (size > 0.01)
            step = 1e-10;
        else if (size > 0.001)
            step = 1e-11;
        phi += d > 0.0 ? -step : step;
    } while (std::fabs(d) > kFootpointTolerance && ++steps < kFootpointStepLimit);
    return phi;
}

// Difference central meridian minus point, radians, taken the short way round (within half a turn).
double east_difference(double central_meridian_west, double longitude_west)
{
    double degrees = central_meridian_west - longitude_west;
    if (degrees >= 180.0)
        degrees -= 360.0;
    else if (degrees < -180.0)
        degrees += 360.0;
    return degrees * kDegree;
}

}  // namespace

int UtmZoneOfWestLongitude(double longitude_west)
{
    // A longitude that is not a number has no zone; keep the conversion defined rather than cast NaN.
    if (!(longitude_west >= 0.0 && longitude_west < 360.0))
        longitude_west = 0.0;
    const int k = static_cast<int>(longitude_west) / 6;
    return k <= 29 ? 30 - k : 90 - k;
}

double UtmCentralMeridianWest(int zone)
{
    return zone <= 30 ? 183.0 - 6.0 * zone : 183.0 + 6.0 * (60 - zone);
}

double MeridianDistance(const Ellipsoid& ellipsoid, double phi)
{
    const double e2 = ellipsoid.e2;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double a2 = 3.0 / 8.0 * (e2 + e4 / 4.0 + 15.0 * e6 / 128.0);
    const double a4 = 15.0 / 256.0 * (e4 + 3.0 * e6 / 4.0);
    const double a6 = 35.0 * e6 / 3072.0;
    return ellipsoid.a
        * (a0_coefficient(e2) * phi - a2 * std::sin(2.0 * phi) + a4 * std::sin(4.0 * phi) - a6 * std::sin(6.0 * phi));
}

void GeographicToGrid(
    const Ellipsoid& ellipsoid, double latitude, double longitude_east, int* zone, double* northing, double* easting)
{
    double longitude_west = -longitude_east;
    if (longitude_west < 0.0)
        longitude_west += 360.0;
    // A tiny east longitude gives -tiny + 360, which rounds to 360 itself.
    if (longitude_west >= 360.0)
        longitude_west -= 360.0;
    if (*zone == 0)
        *zone = UtmZoneOfWestLongitude(longitude_west);
    const double w = east_difference(UtmCentralMeridianWest(*zone), longitude_west);

    const double phi = latitude * kDegree;
    const LatitudeTerms q = latitude_terms(ellipsoid, phi);
    const double psi = q.psi, t2 = q.t * q.t, t4 = t2 * t2, t6 = t4 * t2;
    const double s = std::sin(phi), c = std::cos(phi);
    const double w2 = w * w, c2 = c * c;

    const double north1 = q.nu * s * c * w2 / 2.0;
    const double north2 = q.nu * s * c * c2 * w2 * w2 / 24.0 * (4.0 * psi * psi + psi - t2);
    const double north3 = q.nu * s * c * c2 * c2 * w2 * w2 * w2 / 720.0
        * (8.0 * std::pow(psi, 4) * (11.0 - 24.0 * t2) - 28.0 * std::pow(psi, 3) * (1.0 - 6.0 * t2)
            + psi * psi * (1.0 - 32.0 * t2) - 2.0 * psi * t2 + t4);
    const double north4
        = q.nu * s * c * c2 * c2 * c2 * std::pow(w2, 4) / 40320.0 * (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6);
    *northing = kUtmScale * (MeridianDistance(ellipsoid, phi) + north1 + north2 + north3 + north4);

    const double east1 = w2 * c2 / 6.0 * (psi - t2);
    const double east2 = w2 * w2 * c2 * c2 / 120.0
        * (4.0 * std::pow(psi, 3) * (1.0 - 6.0 * t2) + psi * psi * (1.0 + 8.0 * t2) - 2.0 * psi * t2 + t4);
    const double east3 = std::pow(w2 * c2, 3) / 5040.0 * (61.0 - 479.0 * t2 + 179.0 * t4 - t6);
    *easting = kUtmFalseEasting + kUtmScale * q.nu * w * c * (1.0 + east1 + east2 + east3);
}

void GridToGeographic(
    const Ellipsoid& ellipsoid, double northing, double easting, int zone, double* latitude, double* longitude_west)
{
    const double e_prime = easting - kUtmFalseEasting;
    const double phi_f = footpoint_latitude(ellipsoid, northing / kUtmScale);
    const LatitudeTerms q = latitude_terms(ellipsoid, phi_f);
    const double psi = q.psi, t2 = q.t * q.t, t4 = t2 * t2, t6 = t4 * t2;
    const double x = e_prime / (kUtmScale * q.nu);
    const double x3 = x * x * x, x5 = x3 * x * x, x7 = x5 * x * x;

    const double lat_series = x / 2.0 - x3 / 24.0 * (-4.0 * psi * psi + 9.0 * psi * (1.0 - t2) + 12.0 * t2)
        + x5 / 720.0
            * (8.0 * std::pow(psi, 4) * (11.0 - 24.0 * t2) - 12.0 * std::pow(psi, 3) * (21.0 - 71.0 * t2)
                + 15.0 * psi * psi * (15.0 - 98.0 * t2 + 15.0 * t4) + 180.0 * psi * (5.0 * t2 - 3.0 * t4) + 360.0 * t4)
        - x7 / 40320.0 * (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6);
    const double phi = phi_f - q.t * e_prime / (kUtmScale * q.rho) * lat_series;

    const double lon_series = x - x3 / 6.0 * (psi + 2.0 * t2)
        + x5 / 120.0
            * (-4.0 * std::pow(psi, 3) * (1.0 - 6.0 * t2) + psi * psi * (9.0 - 68.0 * t2) + 72.0 * psi * t2 + 24.0 * t4)
        - x7 / 5040.0 * (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6);
    const double w = lon_series / std::cos(phi_f);

    *latitude = to_degrees_positive(phi);
    *longitude_west = to_degrees_positive(UtmCentralMeridianWest(zone) * kDegree - w);
}

}  // namespace gps
