#pragma once
// Bounding boxes of entities and block members, in world units (symbol units for members). Nothing reads
// the boxes of top-level entities back; block extents (built from member boxes) size fitted symbols and
// the boxes of symbol references.

#include "draw/entity.h"

namespace draw {

Box line_box(const Point3& start, const Point3& end);
Box circle_box(const Point3& centre, double radius);  // centre +- |radius|
// The start point, the end point, and the points of the arc every 22.5 degrees clockwise from the start,
// up to but not including the sweep.
Box arc_box(const ArcGeometry& arc);
// With positive scales: the four corners of the block's extents scaled, turned clockwise by the drawing
// rotation and moved to the insertion point. With a zero or negative (pixel) scale: the insertion point.
Box symbol_box(const Box& block_extents, const SymbolGeometry& symbol);
// An estimate: a rectangle (characters + 1) x character width long and one character height high, placed
// by the anchor code at the anchor point plus the offset and turned with the baseline. Pixel sizes (< 0)
// are unknown in world units: the box is then the position alone. A missing width is taken as 0.6 height.
Box text_box(const TextGeometry& text, size_t characters);

// The box of both.
Box box_union(const Box& a, const Box& b);

}  // namespace draw
