#include "draw/point_plot.h"

#include <cmath>

#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/paint_state.h"
#include "draw/plot_window.h"
#include "draw/screen_primitives.h"
#include "resources/plot_resources.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/view_extents.h"

namespace draw {

namespace res = resources;

namespace {

constexpr forms::Declaration kPointGraphics {.dialog = res::kDialogPointGraphics,
    .menu_bar = res::kMenuBarPointGraphics,
    .menu_error = u"Points",
    .cancel_result = ui::kIdCancel,
    .close_result = ui::kIdOk};

constexpr PlotCommands kPointCommands {.all = res::kCmdPointGraphicsAll,
    .zoom_in = res::kCmdPointGraphicsZoomIn,
    .zoom_out = res::kCmdPointGraphicsZoomOut,
    .scroll = res::kCmdPointGraphicsScroll,
    .ok = res::kCmdPointGraphicsOk};

constexpr const char* kCogoDrawing = "COGO_DWG";
constexpr const char* kCogoLayer = "COGO";

class PointPlotWindow : public PlotWindow {
public:
    PointPlotWindow()
        : PlotWindow(kPointGraphics, kPointCommands)
    {
    }

private:
    void on_open_plot() override
    {
        const store::ViewExtents kept = store::view_extents();
        const PlotExtents e {kept.left, kept.top, kept.right, kept.bottom};
        PlotExtents all;
        if (store::view_extents_valid() && plot_extents_usable(e))
            set_extents(e);
        else if (all_view(&all))
            set_extents(all);
        store::list_selection_clear();
    }

    // The box of the file's points with a fifth of each span on each side.
    bool all_view(PlotExtents* out) override
    {
        double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
        return store::coord_bounding_box(&min_e, &min_n, &max_e, &max_n)
            && extents_around(min_e, min_n, max_e, max_n, 0.2, out);
    }

    void paint_before_drawings(gdi::DC& dc) override
    {
        if (!store::coord_is_open())
            return;
        int drawn = 0;
        store::coord_scan_records(1, store::coord_record_count(), [&](int, const store::PointRecord& p) {
            scr_point_mark(dc, int32_t(p.number), p.easting, p.northing);
            return ++drawn % kPointsBetweenInputChecks != 0 || !ui::input_waiting(hwnd(), ui::kMsgLButtonUp);
        });
        if (m_highlight_shown) {
            dwg_begin_paint(hwnd(), gdi::kRopCopyPen, false);
            scr_highlight_box(m_current.x, m_current.y, 2 * m_half_size);
            dwg_end_paint();
        }
    }

    void on_pick(double x, double y) override
    {
        if (m_highlight_shown) {
            scr_highlight_box(m_current.x, m_current.y, 2 * m_half_size);
            m_highlight_shown = false;
        }
        store::list_selection_clear();
        const double r = pick_radius(extents());
        m_half_size = r;
        bool found = false;
        store::coord_scan_records(1, store::coord_record_count(), [&](int, const store::PointRecord& p) {
            const double de = p.easting - x, dn = p.northing - y;
            if (!(std::sqrt(de * de + dn * dn) <= r))
                return true;
            store::list_selection_set_point(p.number, p.easting, p.northing);
            m_current = {p.easting, p.northing};
            found = true;
            return false;
        });
        if (!found) {
            store::list_selection_set_position(x, y);
            return;
        }
        scr_highlight_box(m_current.x, m_current.y, 2 * r);
        m_highlight_shown = true;
    }

    bool on_other_command(int id) override
    {
        if (id != res::kCmdPointGraphicsClearCogo)
            return false;
        for (int slot = 0; slot < kDrawingSlots; ++slot)
            if (dwg_slot_in_use(slot) && dwg_slot(slot).name == kCogoDrawing)
                dwg_erase_by_name(slot, kCogoLayer);
        redraw();
        return true;
    }

    bool m_highlight_shown = false;
    double m_half_size = 10.0;
    Vec2 m_current;
};

}  // namespace

void run_point_plot(ui::Hwnd owner)
{
    PointPlotWindow window;
    window.run(owner);
    dwg_end_paint();
}

}  // namespace draw
