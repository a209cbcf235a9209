#include <cmath>

#include "draw/entity_painters.h"
#include "draw/orientation.h"
#include "draw/render_shapes.h"
#include "draw/symbol_blocks.h"
#include "draw/view.h"

namespace draw {
namespace {

// Symbol units to world coordinates of one reference.
struct Placement {
    Vec2 at;
    double sx, sy, cos_r, sin_r;

    Vec2 world(double x, double y) const
    {
        Vec2 p = turn_clockwise(Vec2 {sx * x, sy * y}, cos_r, sin_r);
        return Vec2 {at.x + p.x, at.y + p.y};
    }
};

Placement placement(const SymbolGeometry& s)
{
    double sx = s.scale_x < 0 ? -s.scale_x / view_scale_x() : s.scale_x;
    double sy = s.scale_y < 0 ? -s.scale_y / view_scale_y() : s.scale_y;
    double r = drawing_rotation(s.orientation) * kDegree;
    return Placement {Vec2 {s.insertion.x, s.insertion.y}, sx, sy, std::cos(r), std::sin(r)};
}

}  // namespace

void paint_symbol_reference(gdi::DC& dc, int slot, const Entity& entity)
{
    const SymbolGeometry& s = entity.geometry.symbol;
    const Block* block = dwg_find_block(slot, field_text(s.block));
    if (!block)
        return;
    Placement place = placement(s);
    for (const Entity& member : block->members) {
        gdi::Pen pen = line_pen(field_text(member.line_type), member.hairline(), member.colour);
        if (member.kind == kEntityLine) {
            const LineGeometry& l = member.geometry.line;
            draw_world_segment(dc, pen, place.world(l.start.x, l.start.y), place.world(l.end.x, l.end.y));
        } else if (member.kind == kEntityCircle) {
            const CircleGeometry& c = member.geometry.circle;
            draw_world_circle(dc, pen, place.world(c.centre.x, c.centre.y), c.radius * place.sx, true);
        }
    }
}

}  // namespace draw
