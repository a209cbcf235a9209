#include "gps/ellipsoid.h"

#include <array>

namespace gps {

namespace {

struct TableEntry {
    std::string_view name;
    double a;
    double b;
    double inverse_flattening;
};

// Axes and inverse flattening as published for each datum; b is the published value, not derived from f.
constexpr std::array<TableEntry, 13> kEllipsoids {{
    {"GRS80", 6378137.0, 6356752.314, 298.257222101},
    {"CLARKE 1866", 6378206.4, 6356583.8, 294.9786982},
    {"ATS77", 6378135.0, 6356750.305, 298.257},
    {"NWL 9D", 6378145.0, 6356759.769, 298.25},
    {"INTERNATIONAL", 6378388.0, 6356911.946, 297.0},
    {"BESSEL", 6377397.155, 6356078.963, 299.1528128},
    {"KRASSOVSKY", 6378245.0, 6356863.019, 298.3},
    {"EVEREST", 6377276.345, 6356075.413, 300.8017},
    {"CLARKE 1880", 6378249.145, 6356514.869, 293.465},
    {"AUSTRALIAN N.", 6378160.0, 6356774.719, 298.25},
    {"WGS72", 6378135.0, 6356750.52, 298.26},
    {"AVG.TERRESTRIAL", 6378135.0, 6356750.305, 298.257},
    {"WGS84", 6378137.0, 6356752.314, 298.257223563},
}};

}  // namespace

bool SelectEllipsoid(Ellipsoid* record, std::string_view name)
{
    bool found = false;
    for (const TableEntry& entry : kEllipsoids) {
        if (entry.name != name)
            continue;
        record->a = entry.a;
        record->b = entry.b;
        record->f = 1.0 / entry.inverse_flattening;
        found = true;
        break;
    }
    // 1 - (1 - f)^2, written as 2f - f^2.
    record->e2 = 2.0 * record->f - record->f * record->f;
    return found;
}

}  // namespace gps
