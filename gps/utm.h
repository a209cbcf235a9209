#pragma once
// Universal Transverse Mercator grid coordinates from geographic ones and back, by Redfearn's series for
// the transverse Mercator projection with terms to the eighth order in the longitude difference (forward)
// and in easting (inverse), in the form of the Geocentric Datum of Australia Technical Manual.
//
// Conventions:
//   - Latitudes are north-positive degrees.
//   - Longitudes given to GeographicToGrid are east-positive degrees. Longitudes returned by
//     GridToGeographic are WEST-positive degrees in [0, 360): 123 W is 123, 3 E is 357.
//   - Angles leave this module through the radians-to-degrees rule: multiply by 180/pi and add 360 to a
//     negative result. A southern latitude therefore comes back as 360 minus its magnitude (-37.5 -> 322.5).
//   - Scale on the central meridian 0.9996, false easting 500000 m, false northing 0 in both hemispheres,
//     so southern northings are negative.
//   - Zones 1..60 as usual (zone 10 has its central meridian at 123 W, zone 31 at 3 E); no exceptions
//     around Norway and Svalbard.

#include "gps/ellipsoid.h"

namespace gps {

constexpr double kUtmScale = 0.9996;
constexpr double kUtmFalseEasting = 500000.0;

// Zone 1..60 containing the longitude, west-positive degrees in [0, 360).
int UtmZoneOfWestLongitude(double longitude_west);
// Central meridian of a zone (1..60), west-positive degrees: 183 - 6z up to zone 30, 183 + 6(60 - z) above.
double UtmCentralMeridianWest(int zone);

// Length of the meridian arc from the equator to latitude phi (radians), metres, negative in the south.
double MeridianDistance(const Ellipsoid& ellipsoid, double phi);

// Projects a point. *zone in: 0 to choose the zone from the longitude (it is then written back), or the
// zone 1..60 to project into (points up to the antimeridian on either side of its central meridian are
// taken the short way round). Northing and easting in metres.
void GeographicToGrid(
    const Ellipsoid& ellipsoid, double latitude, double longitude_east, int* zone, double* northing, double* easting);

// Inverts the projection in the given zone (1..60). Latitude and west-positive longitude in degrees, both
// through the radians-to-degrees rule (see above). Non-finite grid values give NaN results.
void GridToGeographic(
    const Ellipsoid& ellipsoid, double northing, double easting, int zone, double* latitude, double* longitude_west);

}  // namespace gps
