#pragma once
// The pop-ups of the area form: AREA_POINT ("Area Point": Pt #, Type; OK, Another, Show, Cancel) and
// AREA_PARAMS ("Area Parameters": the projection and units factors). "Show" opens the point plot; the
// number of a point picked there goes into the Pt # field.

#include <cstdint>
#include <functional>

#include "calc/area.h"
#include "platform/ui/ui.h"

namespace calc {

// Add mode: each OK or Another puts a point just after the current entry (at the current entry's index
// while the figure is empty), which then becomes current; a full table is refused with a message and the
// dialog stays. `added` runs after each point (the form shows it at once). True when a point was added.
bool run_area_add_point(platform::ui::Hwnd owner, AreaJob* job, int* current, const std::function<void()>& added = {});
// Edit mode: the current entry's number and type, replaced on OK (or Another). True when replaced.
bool run_area_edit_point(platform::ui::Hwnd owner, AreaJob* job, int current);

// The factor texts; OK keeps up to 18 characters of each. True on OK.
bool run_area_params(platform::ui::Hwnd owner, AreaSettings* settings);

}  // namespace calc
