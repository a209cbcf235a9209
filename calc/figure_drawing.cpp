#include "calc/figure_drawing.h"

#include <string>

#include "draw/drawing_entities.h"
#include "draw/drawing_model.h"
#include "draw/palette.h"

namespace calc {

namespace {

constexpr double kCrossPixels = 10;
constexpr float kLabelHeightPixels = 12;
constexpr float kLabelWidthPixels = 8;
constexpr float kHorizontal = 90;  // a text rotation that reads left to right
constexpr int32_t kWidthCode = 1;

draw::Point3 at(formats::Position p)
{
    return {p.e, p.n, 0};
}

}  // namespace

int add_figure_to_drawing(int slot, const FigurePlot& plot)
{
    if (!draw::dwg_slot_in_use(slot))
        return -1;
    const std::string& kLayer = plot.layer;
    int added = 0;
    auto count = [&added](int32_t id) {
        if (id > 0)
            ++added;
    };
    for (const PlotLine& line : plot.lines)
        count(draw::dwg_add_line(slot, kLayer, false, line.dashed ? "Dash" : "Solid", kWidthCode, false,
            draw::dwg_colour(line.colour), at(line.a), at(line.b)));
    for (const PlotArc& arc : plot.arcs)
        count(draw::dwg_add_arc(slot, kLayer, false, "Solid", kWidthCode, false, draw::dwg_colour(kPlotStraightColour),
            at(arc.centre), at(arc.start), at(arc.end)));
    for (const PlotMark& mark : plot.marks) {
        count(draw::dwg_insert_symbol(slot, kLayer, false, "Cross", at(mark.at), -kCrossPixels, -kCrossPixels, 1, 0));
        count(draw::dwg_add_text(slot, kLayer, false, std::to_string(long(mark.number)), "Courier", -kLabelHeightPixels,
            -kLabelWidthPixels, draw::dwg_colour(0), at(mark.at), 0, 0, draw::kAnchorLowerLeft, kHorizontal));
    }
    return added;
}

}  // namespace calc
