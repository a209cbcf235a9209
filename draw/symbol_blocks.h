#pragma once
// Symbol blocks: defining one (at most one block is under definition at a time), finding one by name, and
// the four standard symbols every new drawing receives ("Cross", "Circle", "Square", "Triangle", each
// one symbol unit across about the base point 0,0).

#include <string_view>

#include "draw/entity.h"

namespace draw {

// Sentinels the extents of a new block start from.
constexpr double kExtentsStart = 99999999.99;

// Append a member (kind 2 or 5, flags 0) to the block under definition. When no block is under
// definition, or the one under definition belongs to another slot or has another name, a new block node
// (type 7, next id) named `block` (cut to 15 characters) is appended to the drawing first, the slot's
// block counter raised, and that block is the one under definition. A free slot or an index outside 0..4
// is ignored. Member geometry is in symbol units about the base point.
void dwg_block_add_line(int slot, std::string_view block, std::string_view layer, std::string_view line_type,
    ColorRef colour, int32_t width_code, const Point3& start, const Point3& end);
void dwg_block_add_circle(int slot, std::string_view block, std::string_view layer, std::string_view line_type,
    ColorRef colour, int32_t width_code, const Point3& centre, double radius);
// Recomputes the extents of the block under definition from its members' boxes and ends the definition.
void dwg_block_end();

// The first block of the drawing, not erased, whose name equals `name` (case-sensitive, compared within
// 16 characters); null when there is none, or the slot is free or outside 0..4.
const Block* dwg_find_block(int slot, std::string_view name);

// Defines the four standard symbols in the drawing at `slot` (only dwg_create calls it).
void dwg_define_standard_symbols(int slot);

}  // namespace draw
