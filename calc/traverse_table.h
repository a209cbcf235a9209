#pragma once
// The field book's table as the editors use it: what they propose for a new record and where it goes.
// Inserting and removing are calc/slot_table.h (an insert into a full table is refused).

#include <cstddef>
#include <cstdint>

#include "calc/traverse.h"

namespace calc {

// The proposals of the editors in add mode, from the selected slot (-1: none).
struct SetupProposal {
    uint32_t at = 0;         // the selected observation's to point, else 0 (empty)
    uint32_t reference = 0;  // the at point of the nearest setup at or above the selection, else 0
};
SetupProposal propose_setup(const TraverseJob& job, int selected);

struct ObservationProposal {
    uint32_t to = 0;  // the selected record's point number plus one, 0 (empty) for a free slot
    bool hs_known = false;
    double hs = 0;  // the selected observation's target height
};
ObservationProposal propose_observation(const TraverseJob& job, int selected);

// Where an added record goes: before the selected slot with Insert Before, else after it; at the top of
// an empty list; after the last record when nothing is selected.
size_t traverse_insert_position(const TraverseJob& job, int selected, bool insert_before);

}  // namespace calc
