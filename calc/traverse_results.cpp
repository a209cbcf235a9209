#include "calc/traverse_results.h"

#include <cmath>

#include "formats/angle_format.h"
#include "formats/number_format.h"
#include "platform/text/text.h"

namespace calc {

namespace {

std::u16string point_line(uint32_t number, const Point3& p)
{
    using formats::format_coordinate;
    const std::u16string n = format_coordinate(p.n), e = format_coordinate(p.e), el = format_coordinate(p.el);
    return platform::text::wformat(u"%lu %s, %s, %s", (unsigned long)number, n.c_str(), e.c_str(), el.c_str());
}

formats::Position plane(const Point3& p)
{
    return {p.e, p.n};
}

}  // namespace

bool traverse_listed(const TraverseComputation& c, size_t index)
{
    const TraverseObservation& o = c.observations[index];
    if (!o.computed)
        return false;
    return !c.closed || int(index) <= c.closing_index || o.side_shot;
}

std::vector<std::u16string> traverse_result_lines(const TraverseComputation& c)
{
    std::vector<std::u16string> lines;
    if (c.adjusted)
        lines.insert(lines.end(), {u"", u"Adjusted Coordinates", u""});
    lines.push_back(u"From Pt N, E, El:");
    lines.push_back(point_line(c.start_point, c.start_position));
    lines.push_back(u"To Pt N, E, El:");
    for (size_t i = 0; i < c.observations.size(); ++i) {
        const TraverseObservation& o = c.observations[i];
        if (traverse_listed(c, i))
            lines.push_back(point_line(o.to, o.position));
        else if (o.angle_check)
            lines.push_back(platform::text::wformat(
                u"%lu angle check %s", (unsigned long)o.to, formats::format_azimuth(reduced_turn(o.azimuth)).c_str()));
    }
    if (!c.closed || c.adjusted)
        return lines;
    lines.insert(lines.end(),
        {u"", u"Misclosure:", u"   N = " + formats::format_distance(c.misclosure_n),
            u"   E = " + formats::format_distance(c.misclosure_e),
            u"  El = " + formats::format_distance(c.misclosure_el)});
    if (c.closing_angle && c.angular_misclosure_known)
        lines.push_back(u"  Angle = " + formats::format_azimuth(c.angular_misclosure));
    if (c.misclosure_e != 0 || c.misclosure_n != 0) {
        const double precision = c.total_length / std::hypot(c.misclosure_e, c.misclosure_n);
        if (std::isfinite(precision)) {
            lines.push_back(u"");
            lines.push_back(platform::text::wformat(u"Relative Precision = 1 : %.0lf", precision));
        }
    }
    return lines;
}

FigurePlot traverse_plot(const TraverseComputation& c)
{
    FigurePlot plot;
    plot.drawing = "TRAVERSE";
    plot.layer = "TRAV";
    formats::Box& box = plot.extents;
    box = {c.start_position.e, c.start_position.n, c.start_position.e, c.start_position.n};
    auto widen = [&box](const Point3& p) {
        box.min_first = std::min(box.min_first, p.e);
        box.min_second = std::min(box.min_second, p.n);
        box.max_first = std::max(box.max_first, p.e);
        box.max_second = std::max(box.max_second, p.n);
    };
    plot.marks.push_back({plane(c.start_position), c.start_point});
    for (size_t i = 0; i < c.observations.size(); ++i) {
        if (!traverse_listed(c, i))
            continue;
        const TraverseObservation& o = c.observations[i];
        plot.marks.push_back({plane(o.position), o.to});
        plot.lines.push_back({plane(o.at_position), plane(o.position), o.side_shot,
            o.side_shot ? kPlotRadialColour : kPlotStraightColour});
        widen(o.position);
        widen(o.at_position);
    }
    return plot;
}

}  // namespace calc
