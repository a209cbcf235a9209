#pragma once
// CALC_CURVE, the curve calculator, opened by "Curve" of the COGO form: the curve of the run
// (cogo/curve.h) in four rows of points (BC or PI, PC or PI, EC or PI, the centre) and seven elements,
// with its menu bar 147: "Calc", "Save Pt", "Show", "Clear", "OK".
//
// "Calc" reads the form into the curve (a point number found in the coordinate file gives its row's
// coordinates; with no number the typed N and E, 0 counting as missing; an element that does not parse
// keeps its value), solves it, shows every field again from the solved curve and draws a curve with a
// centre into the COGO drawing. When nothing can be computed the form stays as typed. A label button
// toggles its row between its two meanings. "Save Pt" hands the row of the field that last had the focus
// to the point editor; "Show" opens the point plot and writes a picked point's number into that row.

#include "platform/ui/ui.h"

namespace cogo {

void run_curve_calculator(platform::ui::Hwnd owner);

}  // namespace cogo
