#include "draw/bounding_box.h"

#include <algorithm>
#include <cmath>

#include "draw/orientation.h"
#include "draw/world_geometry.h"

namespace draw {
namespace {

constexpr double kArcSampleStep = 22.5;  // degrees
constexpr double kWidthPerHeight = 0.6;  // character width estimated from the height alone

Box point_box(double x, double y)
{
    return Box {x, y, x, y};
}

void grow(Box* box, double x, double y)
{
    box->min_x = std::min(box->min_x, x);
    box->min_y = std::min(box->min_y, y);
    box->max_x = std::max(box->max_x, x);
    box->max_y = std::max(box->max_y, y);
}

}  // namespace

Box line_box(const Point3& start, const Point3& end)
{
    Box box = point_box(start.x, start.y);
    grow(&box, end.x, end.y);
    return box;
}

Box circle_box(const Point3& centre, double radius)
{
    double r = std::fabs(radius);
    return Box {centre.x - r, centre.y - r, centre.x + r, centre.y + r};
}

Box arc_box(const ArcGeometry& arc)
{
    Box box = line_box(arc.start, arc.end);
    double sweep = arc_sweep_degrees(arc.centre.x, arc.centre.y, arc.start.x, arc.start.y, arc.end.x, arc.end.y);
    Vec2 v {arc.start.x - arc.centre.x, arc.start.y - arc.centre.y};
    for (double a = kArcSampleStep; a < sweep; a += kArcSampleStep) {
        Vec2 p = turn_clockwise(v, a);
        grow(&box, arc.centre.x + p.x, arc.centre.y + p.y);
    }
    return box;
}

Box symbol_box(const Box& block_extents, const SymbolGeometry& symbol)
{
    const Point3& at = symbol.insertion;
    if (!(symbol.scale_x > 0 && symbol.scale_y > 0))
        return point_box(at.x, at.y);
    double r = drawing_rotation(symbol.orientation);
    const double xs[2] = {block_extents.min_x, block_extents.max_x};
    const double ys[2] = {block_extents.min_y, block_extents.max_y};
    Box box;
    bool first = true;
    for (double x : xs) {
        for (double y : ys) {
            Vec2 p = turn_clockwise(Vec2 {x * symbol.scale_x, y * symbol.scale_y}, r);
            if (first)
                box = point_box(at.x + p.x, at.y + p.y);
            else
                grow(&box, at.x + p.x, at.y + p.y);
            first = false;
        }
    }
    return box;
}

Box text_box(const TextGeometry& text, size_t characters)
{
    double x = text.anchor.x + text.offset_x, y = text.anchor.y + text.offset_y;
    if (!(text.height > 0) || text.width < 0)
        return point_box(x, y);
    double h = text.height;
    double w = text.width > 0 ? double(text.width) : kWidthPerHeight * h;
    double length = double(characters + 1) * w;
    int column = (text.anchor_code >= 0 && text.anchor_code <= 8) ? text.anchor_code % 3 : 0;
    int row = (text.anchor_code >= 0 && text.anchor_code <= 8) ? text.anchor_code / 3 : 0;
    double u0 = column == 0 ? 0 : column == 1 ? -length / 2 : -length;
    double v0 = row == 0 ? -h : row == 1 ? -h / 2 : 0;
    // u along the baseline (counter-clockwise from east by the orientation), v square to it, up.
    double t = normalise_degrees(text.orientation) * kDegree;
    double c = std::cos(t), s = std::sin(t);
    Box box = point_box(x + u0 * c - v0 * s, y + u0 * s + v0 * c);
    for (double u : {u0, u0 + length})
        for (double v : {v0, v0 + h})
            grow(&box, x + u * c - v * s, y + u * s + v * c);
    return box;
}

Box box_union(const Box& a, const Box& b)
{
    return Box {
        std::min(a.min_x, b.min_x), std::min(a.min_y, b.min_y), std::max(a.max_x, b.max_x), std::max(a.max_y, b.max_y)};
}

}  // namespace draw
