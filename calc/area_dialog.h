#pragma once
// The area form AREA_MAIN ("Area Calculation"): the figure list ("%7lu %s": point number, type; free
// entries as empty lines), "Add Pt", "Edit" and "Delete", and its menu bar 171: File (New, Open, Close,
// Save, Save As), Setup, Calc, Exit. The form starts each opening with a new figure; leaving it forgets the job's path.

#include "calc/area.h"
#include "platform/ui/ui.h"

namespace calc {

void run_area(platform::ui::Hwnd owner);

// The figure of the run and its current entry.
const AreaJob& area_job();
int area_current_entry();

}  // namespace calc
