#pragma once
// How a calculation reads its stored points: a point's position by number, nothing when it is not there.
// Tests hand in points of their own.

#include <cstdint>
#include <functional>
#include <optional>

#include "formats/plane_geometry.h"

namespace calc {

using PointLookup = std::function<std::optional<formats::Position>(uint32_t number)>;
// The open coordinate file (nothing for every point while none is open, or for a point whose coordinates
// are not finite).
PointLookup stored_points();

}  // namespace calc
