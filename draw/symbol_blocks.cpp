#include "draw/symbol_blocks.h"

#include <algorithm>

#include "draw/bounding_box.h"
#include "draw/drawing_model.h"
#include "draw/palette.h"

namespace draw {
namespace {

Box starting_extents()
{
    return Box {kExtentsStart, kExtentsStart, -kExtentsStart, -kExtentsStart};
}

std::string_view cut_name(std::string_view name)
{
    return name.substr(0, std::min(name.find('\0'), kBlockNameField - 1));
}

// The block members go to, begun when needed; null for a slot not in use.
Block* defining_block(int slot, std::string_view name)
{
    if (!dwg_slot_in_use(slot))
        return nullptr;
    BlockUnderDefinition& defining = dwg_block_under_definition();
    if (defining.block && defining.slot == slot && field_text(defining.block->name) == cut_name(name))
        return defining.block;
    Node* node = dwg_append_node(slot, kNodeBlock);
    node->block = std::make_unique<Block>();
    copy_field(node->block->name, kBlockNameField, name);
    node->block->extents = starting_extents();
    ++dwg_slot(slot).block_counter;
    defining = BlockUnderDefinition {slot, node->block.get()};
    return defining.block;
}

Entity& add_member(
    Block* block, std::string_view layer, std::string_view line_type, ColorRef colour, int32_t width_code, int32_t kind)
{
    Entity& member = block->members.emplace_back();
    copy_field(member.layer, kLayerField, layer);
    copy_field(member.line_type, kLineTypeField, line_type);
    member.colour = colour;
    member.width_code = width_code;
    member.kind = kind;
    return member;
}

}  // namespace

void dwg_block_add_line(int slot, std::string_view block, std::string_view layer, std::string_view line_type,
    ColorRef colour, int32_t width_code, const Point3& start, const Point3& end)
{
    Block* b = defining_block(slot, block);
    if (!b)
        return;
    Entity& member = add_member(b, layer, line_type, colour, width_code, kEntityLine);
    member.geometry.line = LineGeometry {start, end};
    member.box = line_box(start, end);
    b->extents = box_union(b->extents, member.box);
}

void dwg_block_add_circle(int slot, std::string_view block, std::string_view layer, std::string_view line_type,
    ColorRef colour, int32_t width_code, const Point3& centre, double radius)
{
    Block* b = defining_block(slot, block);
    if (!b)
        return;
    Entity& member = add_member(b, layer, line_type, colour, width_code, kEntityCircle);
    member.geometry.circle = CircleGeometry {centre, radius};
    member.box = circle_box(centre, radius);
    b->extents = box_union(b->extents, member.box);
}

void dwg_block_end()
{
    BlockUnderDefinition& defining = dwg_block_under_definition();
    if (defining.block) {
        Box extents = starting_extents();
        for (const Entity& member : defining.block->members)
            extents = box_union(extents, member.box);
        defining.block->extents = extents;
    }
    defining = BlockUnderDefinition {};
}

const Block* dwg_find_block(int slot, std::string_view name)
{
    if (!dwg_slot_in_use(slot))
        return nullptr;
    std::string_view wanted = name.substr(0, std::min(name.find('\0'), kBlockNameField));
    for (const Node* node = dwg_slot(slot).first.get(); node; node = node->next.get()) {
        if (node->type == kNodeBlock && !node->erased && node->block && field_text(node->block->name) == wanted)
            return node->block.get();
    }
    return nullptr;
}

void dwg_define_standard_symbols(int slot)
{
    const ColorRef black = dwg_colour(0);
    auto line = [&](std::string_view block, double x1, double y1, double x2, double y2) {
        dwg_block_add_line(slot, block, "0", "Solid", black, 1, Point3 {x1, y1, 0}, Point3 {x2, y2, 0});
    };
    line("Cross", -0.5, 0, 0.5, 0);
    line("Cross", 0, -0.5, 0, 0.5);
    dwg_block_end();

    dwg_block_add_circle(slot, "Circle", "0", "Solid", black, 1, Point3 {0, 0, 0}, 0.5);
    dwg_block_end();

    line("Square", -0.5, 0.5, 0.5, 0.5);
    line("Square", 0.5, 0.5, 0.5, -0.5);
    line("Square", 0.5, -0.5, -0.5, -0.5);
    line("Square", -0.5, -0.5, -0.5, 0.5);
    dwg_block_end();

    // Equilateral, inscribed in the circle of radius 0.5, apex up.
    constexpr double h = 0.4330127;
    line("Triangle", -h, -0.25, h, -0.25);
    line("Triangle", h, -0.25, 0, 0.5);
    line("Triangle", 0, 0.5, -h, -0.25);
    dwg_block_end();
}

}  // namespace draw
