#include "draw/drawing_entities.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/bounding_box.h"
#include "draw/draw_now.h"
#include "draw/drawing_model.h"
#include "draw/orientation.h"
#include "draw/palette.h"
#include "draw/symbol_blocks.h"

namespace draw {
namespace {

constexpr int32_t kRefused = -1;

bool finite(const Point3& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

template <class... T> bool finite(const Point3& p, T... values)
{
    return finite(p) && (std::isfinite(double(values)) && ...);
}

Entity styled(std::string_view layer, std::string_view line_type, int32_t width_code, bool hairline, ColorRef colour,
    int32_t kind)
{
    Entity e;
    copy_field(e.layer, kLayerField, layer);
    copy_field(e.line_type, kLineTypeField, line_type);
    e.width_code = width_code;
    e.flags = hairline ? kFlagHairline : 0;
    e.colour = colour;
    e.kind = kind;
    return e;
}

int32_t append(int slot, Entity&& entity, bool draw_now)
{
    Node* node = dwg_append_node(slot, kNodeEntity);
    node->entity = std::move(entity);
    if (draw_now)
        dwg_draw_now(slot, node->entity);
    return node->id;
}

Entity symbol_reference(std::string_view layer, std::string_view block, const Point3& insertion, double scale_x,
    double scale_y, float orientation, const Block& definition)
{
    Entity e = styled(layer, "Solid", 1, false, dwg_colour(0), kEntitySymbol);
    SymbolGeometry& s = e.geometry.symbol;
    copy_field(s.block, kBlockNameField, block);
    s.insertion = insertion;
    s.scale_x = scale_x;
    s.scale_y = scale_y;
    s.scale_z = 1.0;
    s.orientation = orientation;
    e.box = symbol_box(definition.extents, s);
    return e;
}

}  // namespace

int32_t dwg_add_line(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& start, const Point3& end)
{
    if (!dwg_slot_in_use(slot) || !finite(start) || !finite(end))
        return kRefused;
    Entity e = styled(layer, line_type, width_code, hairline, colour, kEntityLine);
    e.geometry.line = LineGeometry {start, end};
    e.box = line_box(start, end);
    return append(slot, std::move(e), draw_now);
}

int32_t dwg_add_circle(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& centre, double radius)
{
    if (!dwg_slot_in_use(slot) || !finite(centre, radius))
        return kRefused;
    Entity e = styled(layer, line_type, width_code, hairline, colour, kEntityCircle);
    e.geometry.circle = CircleGeometry {centre, radius};
    e.box = circle_box(centre, radius);
    return append(slot, std::move(e), draw_now);
}

int32_t dwg_add_arc(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& centre, const Point3& start, const Point3& end)
{
    if (!dwg_slot_in_use(slot) || !finite(centre) || !finite(start) || !finite(end))
        return kRefused;
    Entity e = styled(layer, line_type, width_code, hairline, colour, kEntityArc);
    e.geometry.arc = ArcGeometry {centre, start, end};
    e.box = arc_box(e.geometry.arc);
    return append(slot, std::move(e), draw_now);
}

int32_t dwg_add_text(int slot, std::string_view layer, bool draw_now, std::string_view text, std::string_view face,
    float height, float width, ColorRef colour, const Point3& anchor, double offset_x, double offset_y,
    int32_t anchor_code, float rotation)
{
    if (!dwg_slot_in_use(slot) || !finite(anchor, offset_x, offset_y, height, width, rotation))
        return kRefused;
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    if (text.empty())
        return 0;
    Entity e = styled(layer, "", 0, false, colour, kEntityText);
    e.owned_text = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(e.owned_text.get(), text.data(), text.size());
    e.owned_text[text.size()] = '\0';
    TextGeometry& t = e.geometry.text;
    t.anchor = anchor;
    t.offset_x = offset_x;
    t.offset_y = offset_y;
    t.height = height;
    t.width = width;
    t.anchor_code = anchor_code;
    t.orientation = stored_orientation(rotation);
    copy_field(t.face, kFaceField, face);
    t.text = e.owned_text.get();
    e.box = text_box(t, text.size());
    return append(slot, std::move(e), draw_now);
}

int32_t dwg_insert_symbol(int slot, std::string_view layer, bool draw_now, std::string_view block,
    const Point3& insertion, double scale_x, double scale_y, double scale_z, double rotation)
{
    if (!dwg_slot_in_use(slot) || !finite(insertion, scale_x, scale_y, rotation))
        return kRefused;
    const Block* definition = dwg_find_block(slot, block);
    if (!definition)
        return kRefused;
    Entity e = symbol_reference(layer, block, insertion, scale_x, scale_y, stored_orientation(rotation), *definition);
    return append(slot, std::move(e), draw_now);
}

int32_t dwg_insert_symbol_fitted(int slot, std::string_view layer, std::string_view block, const Point3& insertion,
    double size_x, double size_y, double direction)
{
    if (!dwg_slot_in_use(slot) || !finite(insertion, size_x, size_y, direction))
        return kRefused;
    const Block* definition = dwg_find_block(slot, block);
    if (!definition)
        return kRefused;
    double width = definition->extents.max_x - definition->extents.min_x;
    double height = definition->extents.max_y - definition->extents.min_y;
    if (!(width > 0 && height > 0))
        return kRefused;
    double scale_x = size_x / width, scale_y = size_y / height;
    if (!std::isfinite(scale_x) || !std::isfinite(scale_y))
        return kRefused;
    Entity e = symbol_reference(layer, block, insertion, scale_x, scale_y, float(direction), *definition);
    return append(slot, std::move(e), false);
}

}  // namespace draw
