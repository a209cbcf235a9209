#pragma once
// The renderer's painters of symbol references and text entities (render.cpp dispatches to them).

#include "draw/entity.h"
#include "draw/gdi_style.h"

namespace draw {

// The members of the named block of the drawing at `slot`, each point p placed at insertion + R(sx p.x,
// sy p.y), R turning clockwise by the drawing rotation; a negative scale -s is s pixels per symbol unit.
// Members keep their own pens. Nothing when the drawing has no such block.
void paint_symbol_reference(gdi::DC& dc, int slot, const Entity& entity);

// The text at its anchor plus offset, its sizes in pixels (world sizes times view_scale_x), aligned by its
// anchor code, in its colour on a transparent background, control sequences widened (text_codes.h).
// Nothing when the height comes out 0.
void paint_text(gdi::DC& dc, const Entity& entity);

}  // namespace draw
