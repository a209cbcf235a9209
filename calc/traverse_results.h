#pragma once
// What the traverse shows: the results text of the results list and the "TRAVERSE" plot.

#include <string>
#include <vector>

#include "calc/figure_plot.h"
#include "calc/traverse_compute.h"

namespace calc {

// Whether an observation has a line of its own among the to points: those with coordinates up to the
// closing observation and the side shots after it. The closing-angle observation is not listed.
bool traverse_listed(const TraverseComputation& c, size_t index);

// "From Pt N, E, El:", the start, "To Pt N, E, El:", a line per listed observation ("%lu %s, %s, %s"),
// the traverse observations after the closure as "%lu angle check" with their azimuth; then, closed and
// not adjusted, the misclosure block and the relative precision; adjusted, "Adjusted Coordinates" in
// front and no misclosure.
std::vector<std::u16string> traverse_result_lines(const TraverseComputation& c);

// The plot: a mark at the start and at every listed point, a line from the setup to each: traverse legs
// solid in colour 12, side shots dashed in colour 9; layer "TRAV".
FigurePlot traverse_plot(const TraverseComputation& c);

}  // namespace calc
