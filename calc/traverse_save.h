#pragma once
// Storing the traverse's points in the coordinate file. Only observations with coordinates are stored
// (not the closing-angle observation, not the angle checks after the closure, nothing after a stop); the
// start point and the closing point, whose known positions hold, never are.

#include <vector>

#include "calc/traverse_compute.h"
#include "store/point_record.h"

namespace calc {

// The point records to store, in observation order: number, E, N, El, an empty name, the note and code
// with trailing white space taken off and cut to the record's fields.
std::vector<store::PointRecord> traverse_points_to_save(const TraverseComputation& c);

// Stores them (an existing number is overwritten only when allowed); the number stored.
int save_traverse_points(const TraverseComputation& c, bool overwrite);

}  // namespace calc
