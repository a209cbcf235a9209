#include "calc/point_lookup.h"

#include <cmath>

#include "store/point_index.h"

namespace calc {

PointLookup stored_points()
{
    return [](uint32_t number) -> std::optional<formats::Position> {
        store::PointRecord p;
        if (number == 0 || store::point_read_by_number(number, &p) != 1 || !std::isfinite(p.easting)
            || !std::isfinite(p.northing))
            return std::nullopt;
        return formats::Position {p.easting, p.northing};
    };
}

}  // namespace calc
