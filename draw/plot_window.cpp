#include "draw/plot_window.h"

#include "draw/paint_state.h"
#include "draw/render.h"
#include "platform/ui/painting.h"

namespace draw {

void PlotWindow::apply_view()
{
    const ui::Rect r = ui::client_rect(hwnd());
    view_set_device_rect(r.left, r.top, r.right, r.bottom);
    view_set_window(m_extents.left, m_extents.top, m_extents.right, m_extents.bottom);
}

void PlotWindow::redraw()
{
    ui::invalidate(hwnd(), true);
}

bool PlotWindow::on_open()
{
    on_open_plot();
    dwg_begin_paint(hwnd(), gdi::kRopCopyPen, true);
    apply_view();
    return true;
}

void PlotWindow::show_all()
{
    PlotExtents all;
    if (!all_view(&all))
        return;
    m_extents = all;
    apply_view();
    redraw();
}

bool PlotWindow::on_action(int id, int, ui::Hwnd)
{
    if (id == m_commands.all) {
        show_all();
    } else if (id == m_commands.zoom_in) {
        if (zoom_in(m_extents)) {
            apply_view();
            redraw();
        }
    } else if (id == m_commands.zoom_out) {
        if (zoom_out(m_extents)) {
            apply_view();
            redraw();
        }
    } else if (id == m_commands.scroll) {
        m_scrolling = true;
        m_taps = 0;
    } else if (id == m_commands.ok) {
        dwg_end_paint();
        end(ui::kIdOk);
    } else {
        return on_other_command(id);
    }
    return true;
}

bool PlotWindow::on_paint(gdi::DC& dc)
{
    apply_view();
    paint_before_drawings(dc);
    dwg_redraw_all(hwnd());
    return true;
}

bool PlotWindow::on_tap(int x, int y)
{
    dwg_begin_paint(hwnd(), gdi::kRopXorPen, false);
    apply_view();
    const Vec2 at = device_to_world(x, y);
    if (!m_scrolling) {
        on_pick(at.x, at.y);
        return true;
    }
    if (m_taps == 0) {
        m_first_tap = at;
        m_taps = 1;
        return true;
    }
    // What lay under the first tap comes under the second.
    m_scrolling = false;
    m_taps = 0;
    if (scroll_by(m_extents, at.x - m_first_tap.x, at.y - m_first_tap.y)) {
        apply_view();
        redraw();
    }
    return true;
}

}  // namespace draw
