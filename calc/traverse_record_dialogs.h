#pragma once
// The editors of the traverse's field book: TRAV_SETUP (At, HI, Ref. Pt "or" Ref.Az., HCR, Insert
// Before), TRAV_OBS (To, Code, Note, HCR, VCR, S. Dist., HS, Side Shot, Insert Before; OK, Another) and
// the job settings TRAV_SETTINGS. The Insert Before states last for the run.

#include <cstddef>
#include <functional>

#include "calc/traverse.h"
#include "platform/ui/ui.h"

namespace calc {

// The editors on the record at `slot` (edit) or adding at the selection (`slot` = the selected line, -1
// for none); `added` hears the slot of each record added. True when the job changed.
bool run_traverse_setup(
    platform::ui::Hwnd owner, TraverseJob* job, int slot, bool adding, const std::function<void(size_t)>& added = {});
bool run_traverse_observation(
    platform::ui::Hwnd owner, TraverseJob* job, int slot, bool adding, const std::function<void(size_t)>& added = {});
bool run_traverse_settings(platform::ui::Hwnd owner, TraverseSettings* settings);

}  // namespace calc
