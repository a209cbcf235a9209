#pragma once
// Plane geometry worked out apart from the program's own routines, for checking computed points: where a
// point lies against a ray (ahead, to the side) and against a circle, by dot and cross products of the
// ray's unit vector. Positions are (E, N); azimuths clockwise from north. Header only, links nothing.

#include <cmath>
#include <random>

#include "formats/plane_geometry.h"

namespace testing_support {

// How far x lies ahead of p along the azimuth (negative behind).
inline double along_ray(formats::Position p, double azimuth, formats::Position x)
{
    return (x.e - p.e) * std::sin(azimuth) + (x.n - p.n) * std::cos(azimuth);
}

// How far x lies to the right of the line through p with that azimuth (negative to the left).
inline double right_of_ray(formats::Position p, double azimuth, formats::Position x)
{
    return (x.e - p.e) * std::cos(azimuth) - (x.n - p.n) * std::sin(azimuth);
}

// Right of the directed line p -> q (negative to the left), without any azimuth.
inline double right_of(formats::Position p, formats::Position q, formats::Position x)
{
    double de = q.e - p.e, dn = q.n - p.n;
    return ((x.e - p.e) * dn - (x.n - p.n) * de) / std::hypot(de, dn);
}

// |distance of x from c| - r.
inline double off_circle(formats::Position c, double r, formats::Position x)
{
    return std::hypot(x.e - c.e, x.n - c.n) - r;
}

inline bool finite(formats::Position p)
{
    return std::isfinite(p.e) && std::isfinite(p.n);
}

// Random positions and angles for property tests; positions of UTM size when asked (N about 5 000 000).
struct PlaneRandom {
    explicit PlaneRandom(unsigned seed)
        : engine(seed)
    {
    }

    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine); }
    double azimuth() { return uniform(0, formats::k2Pi); }
    formats::Position position(bool utm)
    {
        return utm ? formats::Position {uniform(300000, 700000), uniform(4900000, 5100000)}
                   : formats::Position {uniform(-1000, 1000), uniform(-1000, 1000)};
    }

    std::mt19937 engine;
};

}  // namespace testing_support
