#include "draw/render.h"

#include "draw/drawing_model.h"
#include "draw/entity_painters.h"
#include "draw/paint_state.h"
#include "draw/render_shapes.h"

namespace draw {
namespace {

Vec2 plan(const Point3& p)
{
    return Vec2 {p.x, p.y};
}

void paint_entity(gdi::DC& dc, int slot, const Entity& e)
{
    switch (e.kind) {
    case kEntityLine:
        draw_world_segment(dc, line_pen(field_text(e.line_type), e.hairline(), e.colour), plan(e.geometry.line.start),
            plan(e.geometry.line.end));
        break;
    case kEntityCircle:
        draw_world_circle(dc, line_pen(field_text(e.line_type), e.hairline(), e.colour), plan(e.geometry.circle.centre),
            e.geometry.circle.radius, false);
        break;
    case kEntityArc:
        draw_world_arc(dc, line_pen(field_text(e.line_type), e.hairline(), e.colour), plan(e.geometry.arc.centre),
            plan(e.geometry.arc.start), plan(e.geometry.arc.end));
        break;
    case kEntitySymbol:
        paint_symbol_reference(dc, slot, e);
        break;
    case kEntityText:
        paint_text(dc, e);
        break;
    default:
        break;
    }
}

}  // namespace

void dwg_redraw_all(platform::ui::Hwnd window)
{
    if (dwg_current() == kNoDrawing)
        return;
    dwg_begin_paint(window, gdi::kRopCopyPen, false);
    for (int slot = 0; slot < kDrawingSlots; ++slot) {
        if (dwg_slot_in_use(slot))
            dwg_draw(slot);
    }
    dwg_end_paint();
}

void dwg_draw(int slot)
{
    gdi::DC* dc = dwg_paint_dc();
    if (!dc || !dwg_slot_in_use(slot))
        return;
    for (const Node* node = dwg_slot(slot).first.get(); node; node = node->next.get()) {
        if (node->type == kNodeEntity && !node->erased)
            paint_entity(*dc, slot, node->entity);
    }
}

void dwg_draw_entity(int slot, const Entity& entity)
{
    if (gdi::DC* dc = dwg_paint_dc())
        paint_entity(*dc, slot, entity);
}

}  // namespace draw
