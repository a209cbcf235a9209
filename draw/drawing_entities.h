#pragma once
// Appending entities to a drawing: lines, circles, arcs, text and symbol references. Each call copies what
// it is given into a new node (the next id) at the end of the drawing, with its bounding box filled, and
// returns the node's id.
//
// Refused with -1, nothing added: a slot outside 0..4 or free, and any coordinate, size, scale or angle
// that is not finite (no NaN or infinity is ever stored). Names are cut to their fields (entity.h).
// Rotations are azimuths in degrees (clockwise from north), stored as orientations (orientation.h).
// With `draw_now` the new entity is drawn at once on the renderer's device context, if one is held.

#include <string_view>

#include "draw/entity.h"

namespace draw {

int32_t dwg_add_line(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& start, const Point3& end);

int32_t dwg_add_circle(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& centre, double radius);

// Runs clockwise from `start` to `end` about `centre`.
int32_t dwg_add_arc(int slot, std::string_view layer, bool draw_now, std::string_view line_type, int32_t width_code,
    bool hairline, ColorRef colour, const Point3& centre, const Point3& start, const Point3& end);

// `text` (8-bit, copied, cut at a NUL) at the anchor point plus the offset (world units). Height and width
// > 0 are world units, < 0 pixels. Rotation 90 gives horizontal text reading left to right (it is stored as
// the baseline's direction, 0). The line type is stored empty, the width code 0, the flags 0.
// Returns 0, adding nothing, when the text is empty.
int32_t dwg_add_text(int slot, std::string_view layer, bool draw_now, std::string_view text, std::string_view face,
    float height, float width, ColorRef colour, const Point3& anchor, double offset_x, double offset_y,
    int32_t anchor_code, float rotation);

// A reference to the drawing's block `block`, scaled (> 0 world units per symbol unit, -s: s pixels) and
// turned clockwise by `rotation`. Scale z is stored as 1.0. Stored with line type "Solid", width code 1,
// black, no flags (the members keep their own style). -1 when the drawing has no such block.
int32_t dwg_insert_symbol(int slot, std::string_view layer, bool draw_now, std::string_view block,
    const Point3& insertion, double scale_x, double scale_y, double scale_z, double rotation);

// A reference sized `size_x` by `size_y` (negative: pixels): the scales are the sizes divided by the block's
// width and height. `direction` is stored as the orientation unchanged (counter-clockwise from east: 0
// turns the symbol's up axis to the east). -1 when the drawing has no such block, or the block has no
// width or no height to divide by. Never drawn at once.
int32_t dwg_insert_symbol_fitted(int slot, std::string_view layer, std::string_view block, const Point3& insertion,
    double size_x, double size_y, double direction);

}  // namespace draw
