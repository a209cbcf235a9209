#pragma once
// Transforming a point by the parameters: forward (rotate about the About point, scale, shift) and inverse
// (the steps undone in reverse order). An About point that is unset is the origin.

#include <string>

#include "calc/transform_parameters.h"

namespace calc {

struct Xyz {
    double e = 0, n = 0, el = 0;
};

Xyz transform_forward(const TransformParameters& p, Xyz point);
Xyz transform_inverse(const TransformParameters& p, Xyz point);

// Parameters a transform can use: rotation, About point, shifts finite and every scale finite and not 0
// (an inverse divides by them). Otherwise false with the reason a user reads.
bool transform_usable(const TransformParameters& p, std::u16string* why);

}  // namespace calc
