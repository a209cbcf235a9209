#include "gps/position_average.h"

#include "gps/ellipsoid.h"
#include "gps/utm.h"

#include <cmath>

namespace gps {

namespace {

Ellipsoid wgs84()
{
    Ellipsoid e;
    SelectEllipsoid(&e, "WGS84");
    return e;
}

}  // namespace

bool PositionAverage::add(double latitude, double longitude_east, double elevation)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude_east) || !std::isfinite(elevation))
        return false;
    int zone = m_zone;  // 0 at the first sample: chosen from its longitude
    double northing = 0.0;
    double easting = 0.0;
    GeographicToGrid(wgs84(), latitude, longitude_east, &zone, &northing, &easting);
    if (!std::isfinite(northing) || !std::isfinite(easting))
        return false;
    if (m_count == 0) {
        m_zone = zone;
        m_north.origin = northing;
        m_east.origin = easting;
        m_elevation.origin = elevation;
    }
    ++m_count;
    update(&m_north, northing);
    update(&m_east, easting);
    update(&m_elevation, elevation);
    return true;
}

void PositionAverage::update(Running* r, double x) const
{
    const double w = 1.0 / m_count;
    const double d = (x - r->origin) - r->mean;
    r->mean += w * d;
    r->squares += ((x - r->origin) - r->mean) * d;
}

AveragedQuantity PositionAverage::result(const Running& r) const
{
    if (m_count == 0)
        return {};
    // Rounding can leave the sum a hair below zero when every sample is the same.
    const double variance = r.squares > 0.0 ? r.squares / m_count : 0.0;
    return {r.origin + r.mean, std::sqrt(variance)};
}

GeographicPosition PositionAverage::mean_position() const
{
    double latitude = 0.0;
    double longitude_west = 0.0;
    GridToGeographic(wgs84(), northing().mean, easting().mean, m_zone, &latitude, &longitude_west);
    // The inverse gives both through the radians-to-degrees rule: [0, 360), west-positive longitude.
    GeographicPosition p;
    p.latitude = latitude > 180.0 ? latitude - 360.0 : latitude;
    p.longitude_east = longitude_west >= 180.0 ? 360.0 - longitude_west : -longitude_west;
    return p;
}

}  // namespace gps
