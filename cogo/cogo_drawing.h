#pragma once
// The COGO drawing "COGO_DWG": what every COGO and curve computation leaves for the point plot to show. The
// COGO form creates it when it opens and deletes it when it closes; the curve calculator, opened from the
// form, draws into the same drawing. Everything goes on the layer "COGO" and accumulates until the point
// plot's "Clr COGO" erases it; the layer "COGO_TMP" is erased at every Calc.
//
// With no drawing (no free slot, or the form closed) every call draws nothing.

#include "cogo/cogo_problem.h"
#include "formats/plane_geometry.h"

namespace cogo {

constexpr const char* kCogoDrawingName = "COGO_DWG";
constexpr const char* kCogoLayer = "COGO";
constexpr const char* kCogoTemporaryLayer = "COGO_TMP";

// Creates the drawing (its slot, or -1 when none is free) and sets the view extents of the open coordinate
// file to the box of its points with a tenth of each span added on each side (left as they were when no
// point is live or no file is open).
int cogo_drawing_open();
// Deletes the drawing; the slot becomes -1.
void cogo_drawing_close();
int cogo_drawing_slot();

// "Clr COGO": erases the layer "COGO".
void cogo_drawing_clear();
// At every Calc, after the solver: erases the layer "COGO_TMP".
void cogo_drawing_clear_temporary();

// The constructions of a solved problem (any kind but 0): lines, circles, the point mark and the labels
// of the kind, and for a failed intersection the lines and circles that did not meet.
void cogo_draw_result(const CogoProblem& problem);

// A curve with its centre: the radii BC -> centre and centre -> EC dashed, and the arc, which runs
// clockwise from BC to EC when the centre lies right of BC -> EC (or on it), else from EC to BC.
void cogo_draw_curve(formats::Position bc, formats::Position ec, formats::Position centre);

}  // namespace cogo
