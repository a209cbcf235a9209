#pragma once
// Drawing the retained drawings on the device context that dwg_begin_paint holds (paint_state.h), through
// the view (view.h). Lines and the edges of symbols are drawn only where they can touch the device
// rectangle (segment_visibility.h); circles (1 degree steps, 3 in symbols) and arcs are polylines.

#include "draw/entity.h"
#include "platform/ui/windows.h"

namespace draw {

// Nothing while there is no current drawing. Otherwise paints every drawing in use, in slot order, on the
// window (copy pen, no clearing) and ends the painting. Plot windows call it on every paint message,
// after the platform's begin and end paint pair.
void dwg_redraw_all(platform::ui::Hwnd window);

// Every entity of the drawing in list order that is not erased. Nothing for a slot outside 0..4 or free,
// or while no device context is held.
void dwg_draw(int slot);

// One entity of the drawing at `slot` (whose blocks its symbol references name). Nothing while no device
// context is held.
void dwg_draw_entity(int slot, const Entity& entity);

}  // namespace draw
