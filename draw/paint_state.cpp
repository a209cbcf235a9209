#include "draw/paint_state.h"

#include <memory>

#include "draw/draw_now.h"
#include "draw/render.h"
#include "draw/view.h"
#include "platform/reset/reset.h"
#include "platform/ui/painting.h"

namespace draw {
namespace {

constexpr gdi::Rect kClearRect {0, 0, 32767, 32767};

struct PaintState {
    std::unique_ptr<gdi::DC> dc;       // the held device context, or null
    ui::Hwnd window = ui::kNoWindow;   // the window it came from
    int saved_rop = gdi::kRopCopyPen;  // in force before dwg_begin_paint set its own
};
PaintState s_paint;

void draw_now(int slot, const Entity& entity)
{
    dwg_draw_entity(slot, entity);
}

}  // namespace

void dwg_begin_paint(ui::Hwnd window, int rop, bool clear)
{
    dwg_end_paint();
    // Entities added with the draw-now flag need a held context; from here on one can be.
    dwg_set_draw_now_hook(draw_now);
    std::unique_ptr<gdi::DC> dc = ui::get_dc(window);
    gdi::Rect client = ui::client_rect(window);
    view_set_device_rect(client.left, client.top, client.right, client.bottom);
    s_paint.saved_rop = dc->set_rop2(rop);
    if (clear)
        dc->fill_rect(kClearRect, gdi::kWhite);
    s_paint.window = window;
    s_paint.dc = std::move(dc);
}

void dwg_end_paint()
{
    if (!s_paint.dc)
        return;
    s_paint.dc->set_rop2(s_paint.saved_rop);
    ui::release_dc(s_paint.window, std::move(s_paint.dc));
    s_paint.dc.reset();
    s_paint.window = ui::kNoWindow;
}

gdi::DC* dwg_paint_dc()
{
    return s_paint.dc.get();
}

ui::Hwnd dwg_paint_window()
{
    return s_paint.window;
}

// A context still held is given back while the window manager forgets its windows (no program runs then).
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Windows, dwg_end_paint);

}  // namespace draw
