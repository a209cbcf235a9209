#pragma once
// PT_GRAPHICS: the point plot. Every point of the open coordinate file with its number, the drawings over
// them (the COGO constructions), and a tap that picks the first point within a sixtieth of the view's
// width: the list selection then holds it (or number 0 and the tapped position), for the dialog that
// opened the plot to read once it has closed. Opens on the view extents of the file, or on "All" when they
// are not valid. A tap waiting after any hundred points ends a long redraw, so the plot answers at once.

#include "platform/ui/ui.h"

namespace draw {

void run_point_plot(platform::ui::Hwnd owner);

// How often the points' drawing looks for a waiting tap.
constexpr int kPointsBetweenInputChecks = 100;

}  // namespace draw
