#pragma once
// Applying the transform parameters to a range of points of the open coordinate file: each source point
// found in source From..To, transformed forward or inversely, is stored under target From + (its number -
// source From) unless that number is in use. The sources are listed from the number index before anything
// is stored, so a target range that overlaps the source range never transforms a point twice, and a wide
// range costs only the points that exist in it.

#include <cstdint>
#include <string>

#include "calc/transform_parameters.h"

namespace calc {

struct ApplyOutcome {
    bool refused = false;
    std::u16string refusal;  // why nothing was done
    int found = 0;           // source points in the range
    int stored = 0;          // transformed points stored
    int in_use = 0;          // not stored: their target number was in use
    int failed = 0;          // not stored: the store refused them
};

// Refused, with nothing stored: parameters a transform cannot use, target From 0, and a target range that
// would pass the highest point number. A source range with From above To has no points.
ApplyOutcome apply_transform(const TransformParameters& p, bool inverse);

// "Stored 12 points, skipped 3 whose numbers are in use." and the like, for the box after Transform.
std::u16string describe(const ApplyOutcome& outcome);

}  // namespace calc
