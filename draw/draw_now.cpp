#include "draw/draw_now.h"

namespace draw {
namespace {
DrawNowHook s_draw_now = nullptr;  // installed by the renderer for the rest of the run
}

void dwg_set_draw_now_hook(DrawNowHook hook)
{
    s_draw_now = hook;
}

void dwg_draw_now(int slot, const Entity& entity)
{
    if (s_draw_now)
        s_draw_now(slot, entity);
}

}  // namespace draw
