#pragma once
// The map check dialog MAPCHECK_MAIN: the leg list ("%7lu %12s %12s %s": point, azimuth, distance, type),
// "Add Leg", "Edit" and "Delete", and its menu bar 170: File (New, Open, Close, Save, Save As), Start Pt,
// Calc, Exit. Its caption reads "Mapcheck:   " and the name of the job's file.
//
// The job lives for the whole run: the dialog opened again shows the previous work. New and Close reset it
// and keep its path.

#include "calc/mapcheck.h"
#include "platform/ui/ui.h"

namespace calc {

void run_map_check(platform::ui::Hwnd owner);

// The job of the run.
const MapCheckJob& map_check_job();

}  // namespace calc
