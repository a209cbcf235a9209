#pragma once
// TRAV_RESULTS, "Traverse Results": the results text, every line in full; Adjust (the "Adjust Traverse"
// pop-up with its method, once per computation), Save Pts (the "Save Points" pop-up with "Overwrite
// points"), Display (the GRAPHICS window on the "TRAVERSE" drawing) and OK. The method chosen last and the
// overwrite state last for the run.

#include "calc/traverse_compute.h"
#include "platform/ui/ui.h"

namespace calc {

void run_traverse_results(platform::ui::Hwnd owner, TraverseComputation* computation);

}  // namespace calc
