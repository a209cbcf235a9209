#pragma once
// The list selection: one point record shared by the dialogs that let a user pick a point. After the point
// list it holds the point picked (number 0: nothing was picked); after a tap in the point plot it holds the
// point tapped, or number 0 with the E and N of the tapped position. The dialog that picks clears the
// number when it opens; the dialog that opened it reads the record once it has closed.

#include <cstdint>

#include "store/point_record.h"

namespace store {

// The record as it stands (number 0: no point picked).
const PointRecord& list_selection();

// Sets the number to 0 and leaves the rest (E and N of a tap stay readable until the next pick).
void list_selection_clear();

// A picked point: its number, E and N; the other fields become zeros and empty texts.
void list_selection_set_point(uint32_t number, double e, double n);

// A picked position without a point: number 0 with E and N.
void list_selection_set_position(double e, double n);

// All fields zero (for tests).
void list_selection_reset_for_tests();

}  // namespace store
