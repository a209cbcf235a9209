#pragma once
// GRAPHICS: the plot window of a calculation (area, map check, traverse). It creates the drawing of the
// plot's name when it opens, has the plot fill it, opens on the "All" view of the plot's data extents (with
// a margin of 20 pixels) and deletes the drawing when it closes.

#include <functional>
#include <string>

#include "platform/ui/ui.h"

namespace draw {

struct GraphicsPlot {
    std::string drawing_name;            // "AREA", "MAPCHECK", "TRAVERSE"
    std::function<void(int slot)> fill;  // adds the plot's entities (slot -1: no slot was free)
    // The data extents: smallest and largest easting and northing of what the plot shows.
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
};

// Runs the window over `owner` until OK or closing.
void run_graphics_plot(platform::ui::Hwnd owner, const GraphicsPlot& plot);

}  // namespace draw
