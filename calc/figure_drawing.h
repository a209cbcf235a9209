#pragma once
// The map check and area plots as drawings: what calc/figure_plot.h computed, added to a drawing of the
// engine (draw/), every entity on the plot's layer. The plot window creates the drawing named by the plot
// ("MAPCHECK", "AREA"), has this fill it, opens on the plot's extents and deletes the drawing as it closes.

#include "calc/figure_plot.h"

namespace calc {

// Adds to the drawing at `slot`: at each mark the symbol "Cross" 10 pixels across and its number ("%ld")
// in "Courier" 12 pixels high and 8 wide, black, beside it; each line "Solid" or "Dash" in its palette
// colour; each arc "Solid" in palette colour 12, clockwise from its start to its end. The number of
// entities added; -1, nothing added, for a slot that is not in use.
int add_figure_to_drawing(int slot, const FigurePlot& plot);

}  // namespace calc
