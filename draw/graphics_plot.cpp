#include "draw/graphics_plot.h"

#include "draw/drawings.h"
#include "draw/paint_state.h"
#include "draw/plot_window.h"
#include "resources/plot_resources.h"

namespace draw {

namespace res = resources;

namespace {

constexpr forms::Declaration kGraphics {.dialog = res::kDialogGraphics,
    .menu_bar = res::kMenuBarGraphics,
    .menu_error = u"Plot",
    .cancel_result = ui::kIdCancel,
    .close_result = ui::kIdOk};

constexpr PlotCommands kGraphicsCommands {.all = res::kCmdGraphicsAll,
    .zoom_in = res::kCmdGraphicsZoomIn,
    .zoom_out = res::kCmdGraphicsZoomOut,
    .scroll = res::kCmdGraphicsScroll,
    .ok = res::kCmdGraphicsOk};

class GraphicsPlotWindow : public PlotWindow {
public:
    explicit GraphicsPlotWindow(const GraphicsPlot& plot)
        : PlotWindow(kGraphics, kGraphicsCommands)
        , m_plot(plot)
    {
    }
    ~GraphicsPlotWindow() override { dwg_delete(m_slot); }

private:
    void on_open_plot() override
    {
        m_slot = dwg_create(m_plot.drawing_name);
        if (m_plot.fill)
            m_plot.fill(m_slot);
        PlotExtents all;
        if (all_view(&all))
            set_extents(all);
    }

    // The data extents, then 20 pixels on each side at the scales they map to.
    bool all_view(PlotExtents* out) override
    {
        PlotExtents e;
        if (!extents_around(m_plot.min_e, m_plot.min_n, m_plot.max_e, m_plot.max_n, 0.0, &e))
            return false;
        set_extents(e);
        apply_view();
        add_pixel_margin(e, view_scale_x(), view_scale_y());
        *out = e;
        return true;
    }

    const GraphicsPlot& m_plot;
    int m_slot = -1;
};

}  // namespace

void run_graphics_plot(ui::Hwnd owner, const GraphicsPlot& plot)
{
    GraphicsPlotWindow window(plot);
    window.run(owner);
    dwg_end_paint();
}

}  // namespace draw
