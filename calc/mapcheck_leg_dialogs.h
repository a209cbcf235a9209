#pragma once
// The pop-ups of the map check: "Map Check Start" (N and E texts) and "Map Check Leg" (To, Azimuth,
// Distance, Type; OK, Another, Cancel).

#include <functional>

#include "calc/mapcheck.h"
#include "platform/ui/ui.h"

namespace calc {

// Edits the start texts; true on OK.
bool run_map_check_start(platform::ui::Hwnd owner, MapCheckSettings* settings);

// Add mode: each OK or Another puts a leg at `at` (the entries from there move down) and the next goes
// after it; a full table is refused with a message and the dialog stays. `added` runs after each leg with
// its index (the dialog shows it at once). True when a leg was added.
bool run_map_check_add_leg(
    platform::ui::Hwnd owner, MapCheckJob* job, size_t at, const std::function<void(size_t)>& added = {});
// Edit mode: the leg at `at` is shown and replaced on OK (or Another). True when replaced.
bool run_map_check_edit_leg(platform::ui::Hwnd owner, MapCheckJob* job, size_t at);

}  // namespace calc
