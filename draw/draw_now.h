#pragma once
// The draw-now flag of the add operations: the new entity is drawn at once on the device context the
// renderer holds (nothing is drawn when it holds none). The model cannot reach the screen, so the renderer
// installs its drawing call here when it first takes a device context; until then nothing can be held
// and the flag has nothing to draw on.

#include "draw/entity.h"

namespace draw {

using DrawNowHook = void (*)(int slot, const Entity& entity);

void dwg_set_draw_now_hook(DrawNowHook hook);
// Hands the entity to the installed hook, if any.
void dwg_draw_now(int slot, const Entity& entity);

}  // namespace draw
