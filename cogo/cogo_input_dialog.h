#pragma once
// COGO_INPUT, the COGO input form (Calc > COGO): one screen poses every COGO problem of cogo/cogo_problem.h.
// Rows: From (point 1), Azimuth, line 1 (Distance, Offset L or Offset R), To, N, E, From (point 2),
// Azimuth, line 2; its menu bar 145 holds "Calc", "Curve", "Show", "Clear" and " OK ".
//
// "Calc" reads every field whole, solves, shows the computed fields in bold and adds the construction to
// the COGO drawing, which the form opens with itself and deletes when it closes. The two keypads fill an
// azimuth or a distance field; "Save Pt" hands the point shown in To, N and E to the point editor; the
// A/B button shows the other of two solutions. The line modes are kept for the run; the fields start
// empty at every opening.

#include <cstdint>

#include "platform/ui/ui.h"

namespace cogo {

// Opens the form and returns when it closes. On " OK " the list selection (store/list_selection.h) holds
// the point shown: the To number (999999999 when there is none) with the E and N fields, or number 0 and
// zero coordinates when N or E is empty or is no number. Closing otherwise leaves the selection alone.
void run_cogo_input(platform::ui::Hwnd owner);

// The number " OK " hands on for a point without a number of its own.
constexpr uint32_t kUnnumberedPoint = 999999999;

}  // namespace cogo
