#pragma once
// What the two plot windows share: a full-screen dialog without controls whose whole client area is the
// plot, its own copy of the view extents, the view commands (All, " + ", " - ", Scroll by two taps, OK),
// the paint (what the window draws itself, then every drawing) and the tap (scroll, or what the window
// does with a tap). The window owns the view while it is open: every paint and tap fits the view to its
// extents again, so a plot opened from it leaves nothing stale behind.

#include "draw/plot_extents.h"
#include "draw/view.h"
#include "draw/paint_state.h"
#include "forms/form.h"

namespace draw {

// The menu commands of a plot window.
struct PlotCommands {
    int all = 0, zoom_in = 0, zoom_out = 0, scroll = 0, ok = 0;
};

class PlotWindow : public forms::Form {
public:
    PlotWindow(const forms::Declaration& declaration, const PlotCommands& commands)
        : Form(declaration)
        , m_commands(commands)
    {
    }

protected:
    const PlotExtents& extents() const { return m_extents; }
    void set_extents(const PlotExtents& e) { m_extents = e; }
    // Fits the view to the client area and the extents.
    void apply_view();
    void redraw();  // invalidated and erased, painted again

    // The "All" view of the window; false when it has none (the view stays).
    virtual bool all_view(PlotExtents* out) = 0;
    // What the window draws before the drawings, on the paint's context.
    virtual void paint_before_drawings(gdi::DC&) { }
    // A tap outside scroll mode, at world (x, y), with the tap's exclusive-or context held.
    virtual void on_pick(double, double) { }
    // Commands beyond the view commands.
    virtual bool on_other_command(int) { return false; }

    // Opening: the view set from the extents the subclass chose in on_open_plot.
    virtual void on_open_plot() { }

private:
    bool on_open() final;
    bool on_action(int id, int code, ui::Hwnd control) final;
    bool on_paint(gdi::DC& dc) final;
    bool on_tap(int x, int y) final;
    void show_all();

    PlotCommands m_commands;
    PlotExtents m_extents {0, 100, 100, 0};
    bool m_scrolling = false;
    int m_taps = 0;
    Vec2 m_first_tap;
};

}  // namespace draw
