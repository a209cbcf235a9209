#pragma once
// Reference ellipsoids for the grid conversions. The table holds the thirteen ellipsoids a surveyor meets
// on older datums as well as GRS80 and WGS84; positions from a GPS receiver are always on "WGS84".

#include <string_view>

namespace gps {

// One reference ellipsoid. Lengths in metres.
struct Ellipsoid {
    double a = 0.0;   // semi-major axis
    double b = 0.0;   // semi-minor axis (kept for display; the conversions use a and f)
    double f = 0.0;   // flattening, the double nearest to 1 / (inverse flattening)
    double e2 = 0.0;  // first eccentricity squared, 2f - f*f, computed on selection
};

// Fills *record with the named ellipsoid ("WGS84", "CLARKE 1866", ...; exact, case-sensitive names) and
// computes e2. A name not in the table leaves a, b and f as they were and only recomputes e2 from f.
// Returns true when the name was found.
bool SelectEllipsoid(Ellipsoid* record, std::string_view name);

}  // namespace gps
