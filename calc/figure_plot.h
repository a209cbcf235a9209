#pragma once
// What the map check and area plots draw, as data: the drawing engine's calls are made from it by the plot
// window (drawing "MAPCHECK", "AREA" or "TRAVERSE", every entity on the plot's layer).
//
// - marks: the symbol "Cross" (10 pixels) at each point, with its number ("%ld") as a label in the font
//   "Courier", 12 pixels high and 8 wide, black;
// - lines: straight legs solid in palette colour 12 ("Blue"), radial legs dashed in colour 9 ("Green");
// - arcs: solid in colour 12, running clockwise from `start` to `end` about `centre` (the drawing model
//   draws every arc clockwise, so a counter-clockwise curve has its ends swapped here);
// - extents: the box the "All" view shows (first: easting, second: northing): every point, and every arc
//   whole, so that no curve runs off the view.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/area.h"
#include "calc/mapcheck.h"
#include "formats/plane_geometry.h"

namespace calc {

constexpr int kPlotStraightColour = 12;
constexpr int kPlotRadialColour = 9;

struct PlotLine {
    formats::Position a, b;
    bool dashed = false;
    int colour = kPlotStraightColour;
};

struct PlotArc {
    formats::Position centre;
    double radius = 0;
    formats::Position start, end;  // clockwise from start to end
};

struct PlotMark {
    formats::Position at;
    uint32_t number = 0;
};

struct FigurePlot {
    std::string drawing;      // "MAPCHECK", "AREA" or "TRAVERSE"
    std::string layer = "0";  // of every entity ("TRAV" for the traverse)
    std::vector<PlotLine> lines;
    std::vector<PlotArc> arcs;
    std::vector<PlotMark> marks;
    formats::Box extents;
};

// The map check figure: marks at the start and at the end of every leg.
FigurePlot map_check_plot(const MapCheckResult& result);

// The area figure: a mark at each point; arcs about the last centre entered, from the last "BC" or "POC"
// to the "EC" or "POC"; extents widened to whole numbers.
FigurePlot area_plot(const AreaResult& result);

}  // namespace calc
