#pragma once
// The results of a calculation: a full-screen list of lines, every one shown in full (a line wider than
// the list goes on on the next), "Display" for the plot (the GRAPHICS window on a drawing of the figure)
// and "OK".

#include <string>
#include <vector>

#include "calc/figure_plot.h"
#include "platform/ui/ui.h"

namespace calc {

enum class ResultsKind { MapCheck, Area };

// Runs MAPCHECK_RESULTS or AREA_RESULTS with the lines; "Display" hands the plot to the plot runner.
void run_results(
    platform::ui::Hwnd owner, ResultsKind kind, const std::vector<std::u16string>& lines, const FigurePlot& plot);

// What "Display" opens: the plot window on a drawing made from the figure (draw/). Until one is set
// "Display" does nothing; an empty function restores that.
using FigurePlotRunner = std::function<void(platform::ui::Hwnd owner, const FigurePlot& plot)>;
void set_figure_plot_runner(FigurePlotRunner runner);

}  // namespace calc
