#pragma once
// The view extents of the open coordinate file: the plan area plots start from. Kept as four whole numbers,
// converted from doubles by truncation toward zero (values beyond the 32-bit range are held at its ends, NaN
// as 0): left = smallest E, top = largest N, right = largest E, bottom = smallest N. The preferences file
// saves them as four doubles (smallest E, smallest N, largest E, largest N) with a flag telling whether they
// belong to the file that was open.

#include <cstdint>

namespace store {

struct ViewExtents {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Sets all four and marks them valid.
void view_extents_set(double min_e, double min_n, double max_e, double max_n);
// The four as doubles, valid or not.
void view_extents_get(double* min_e, double* min_n, double* max_e, double* max_n);
// Moves each bound outwards when the point lies beyond it; validity does not change.
void view_extents_extend(double e, double n);
ViewExtents view_extents();

bool view_extents_valid();
// Opening another coordinate file makes the extents invalid until they are set again.
void view_extents_invalidate();

// All zero and invalid (for tests).
void view_extents_reset_for_tests();

}  // namespace store
