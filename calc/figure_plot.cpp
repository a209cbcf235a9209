#include "calc/figure_plot.h"

#include <cmath>

#include "calc/curve_types.h"

namespace calc {

namespace {

using formats::Position;

PlotLine leg_line(Position a, Position b, int32_t type)
{
    const bool straight = is_straight(type);
    return {a, b, !straight, straight ? kPlotStraightColour : kPlotRadialColour};
}

PlotArc clockwise_arc(Position centre, Position start, Position end, int direction)
{
    if (direction < 0)
        std::swap(start, end);
    return {centre, formats::plane_distance(centre, start), start, end};
}

formats::Box box_around(Position p)
{
    return {p.e, p.n, p.e, p.n};
}

// The arc's ends and each of its points due north, east, south and west of the centre that it passes on
// its clockwise way, so that the "All" view shows the whole curve.
void extend_by_arc(formats::Box* box, const PlotArc& arc)
{
    formats::extend_box(box, arc.start.e, arc.start.n);
    formats::extend_box(box, arc.end.e, arc.end.n);
    const double from = formats::azimuth(arc.centre, arc.start);
    const double sweep = std::fmod(formats::azimuth(arc.centre, arc.end) - from + formats::k2Pi, formats::k2Pi);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double az = quarter * formats::k2Pi / 4;
        // Strictly between the ends: an end on a quarter is there already, without rounding noise.
        const double along = std::fmod(az - from + formats::k2Pi, formats::k2Pi);
        if (along > 1e-12 && along < sweep - 1e-12) {
            const Position p = formats::point_from_bearing(arc.centre, az, arc.radius);
            formats::extend_box(box, p.e, p.n);
        }
    }
}

}  // namespace

FigurePlot map_check_plot(const MapCheckResult& result)
{
    FigurePlot plot;
    plot.drawing = "MAPCHECK";
    plot.extents = box_around(result.start);
    const uint32_t start_number
        = result.start_number != 0 || result.legs.empty() ? result.start_number : result.legs.back().to;
    plot.marks.push_back({result.start, start_number});
    int direction = 0;
    for (size_t i = 0; i < result.legs.size(); ++i) {
        const MapCheckLeg& leg = result.legs[i];
        plot.marks.push_back({leg.to_point, leg.to});
        formats::extend_box(&plot.extents, leg.to_point.e, leg.to_point.n);
        plot.lines.push_back(leg_line(leg.from_point, leg.to_point, leg.type));
        if (leg.type == kCentre || leg.type == kCentreCounter)
            direction = leg.type == kCentre ? 1 : -1;
        if (ends_arc(leg.type) && i > 0) {
            plot.arcs.push_back(clockwise_arc(leg.from_point, result.legs[i - 1].from_point, leg.to_point, direction));
            extend_by_arc(&plot.extents, plot.arcs.back());
            direction = 0;
        }
    }
    return plot;
}

FigurePlot area_plot(const AreaResult& result)
{
    FigurePlot plot;
    plot.drawing = "AREA";
    if (result.legs.empty())
        return plot;
    plot.extents = box_around(result.legs.front().from);
    plot.marks.push_back({result.legs.front().from, result.legs.front().from_number});
    Position arc_start = result.legs.front().from;
    Position centre;
    int direction = 1;
    for (const AreaLeg& leg : result.legs) {
        plot.marks.push_back({leg.to, leg.to_number});
        formats::extend_box(&plot.extents, leg.to.e, leg.to.n);
        plot.lines.push_back(leg_line(leg.from, leg.to, leg.to_type));
        if (leg.to_type == kBeginCurve)
            arc_start = leg.to;
        if (leg.to_type == kCentre || leg.to_type == kCentreCounter) {
            centre = leg.to;
            direction = leg.to_type == kCentre ? 1 : -1;
        }
        if (ends_arc(leg.to_type)) {
            plot.arcs.push_back(clockwise_arc(centre, arc_start, leg.to, direction));
            extend_by_arc(&plot.extents, plot.arcs.back());
            if (leg.to_type == kPointOnCurve)
                arc_start = leg.to;
        }
    }
    plot.extents = {std::floor(plot.extents.min_first), std::floor(plot.extents.min_second),
        std::ceil(plot.extents.max_first), std::ceil(plot.extents.max_second)};
    return plot;
}

}  // namespace calc
