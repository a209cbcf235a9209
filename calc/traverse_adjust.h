#pragma once
// Adjusting a closed traverse: the angular misclosure spread equally over the angles turned (when a
// closing angle was observed), then the linear misclosure by the Compass, Crandall or Transit rule, and
// the side shots hung again from their adjusted setups.
//
// The legs adjusted are the traverse legs up to the closing observation; when the traverse closes on a
// point it computed earlier, that point holds and only the legs after it are adjusted. Elevations are
// corrected in proportion to the running length by every rule. Crandall and Transit leave the first
// foresight point where it was; Compass moves it.

#include <string>

#include "calc/traverse_compute.h"

namespace calc {

enum class AdjustMethod { Compass = 0, Crandall = 1, Transit = 2 };

struct AdjustOutcome {
    bool adjusted = false;
    std::u16string refusal;  // why a closed traverse was not adjusted ("" when it was, or was not closed)
};

// Adjusts once: a traverse that has not closed, or is adjusted already, is left as it is (nothing to
// say). A divisor of zero under a misclosure that is not zero (a total length of 0, legs all parallel for
// Crandall, no extent along an axis for Transit) refuses with a text; a zero misclosure on that axis is no
// correction.
AdjustOutcome adjust_traverse(TraverseComputation* c, AdjustMethod method);

}  // namespace calc
