// The plan view: the travelled track and the target north-up in the drawing "NAV_DWG", drawn in the map
// band (a child window on rows 30 to 130, columns 0 to 160, so nothing of the map covers the texts), with
// a north arrow and a scale bar beside and below it on the dialog.

#include "draw/drawing_entities.h"
#include "draw/drawings.h"
#include "draw/paint_state.h"
#include "draw/palette.h"
#include "draw/render.h"
#include "draw/screen_primitives.h"
#include "draw/view.h"
#include "forms/fields.h"
#include "gps/fix_filter.h"
#include "gps/navigation_display.h"
#include "gps/navigation_form.h"
#include "resources/gps_resources.h"

#include <algorithm>
#include <cmath>

namespace gps {

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
namespace res = resources;

constexpr const char* kLayer = "Navigation";
constexpr int kBlack = 0;
constexpr int kRed = 6;
constexpr int kBlue = 12;
constexpr double kFirstWidening = 10.0;  // metres around P and the target at the first fix

class PlanView : public NavigationForm {
public:
    PlanView()
        : NavigationForm(NavView::Plan)
    {
    }
    ~PlanView() override
    {
        draw::dwg_end_paint();
        draw::dwg_delete(m_slot);
    }

private:
    void open_view() override
    {
        m_filter.reset();
        m_q = {0.0, 0.0};
        m_slot = draw::dwg_create("NAV_DWG");
    }

    void update(const GridPoint& p, double elevation, int32_t t) override
    {
        if (!m_first_done) {
            first_fix(p, elevation, t);
            return;
        }
        if (!m_filter.accept(p, elevation, t))
            return;  // a jump the recent speed does not allow: ignored completely
        m_p = p;
        m_tp = t;
        if (NavDistance(m_q, p) > 0.1) {
            if (target())
                show_target(p, 6);
            forms::show_text(hwnd(), res::kStaticNavLabels, target() ? u"To:          ETA:" : u"");
            show_motion(m_q, p, m_tp - m_tq);
            add_mark(p);
            draw::dwg_add_line(m_slot, kLayer, true, "SOLID", 1, true, draw::dwg_colour(kRed), {m_q.east, m_q.north, 0},
                {p.east, p.north, 0});
            if (!PlanKeepsWindow(m_window, p)) {
                m_half_size = PlanHalfSize(m_speed.previous_kmh());
                m_window = PlanWindowAround(p, m_half_size);
            }
            redraw();
        }
        m_q = p;
        m_tq = t;
    }

    void first_fix(const GridPoint& p, double elevation, int32_t t)
    {
        m_p = m_q = p;
        m_tp = m_tq = t;
        m_speed.reset();
        m_half_size = kPlanMinimumHalfSize;
        show_target(p, 2);
        forms::show_text(hwnd(), res::kStaticNavLabels, target() ? u"To:" : u"");
        m_filter.accept(p, elevation, t);
        m_window = {p.east, p.north, p.east, p.north};
        if (target()) {
            m_window.min_e = std::min(m_window.min_e, target()->east);
            m_window.max_e = std::max(m_window.max_e, target()->east);
            m_window.min_n = std::min(m_window.min_n, target()->north);
            m_window.max_n = std::max(m_window.max_n, target()->north);
        }
        m_window = {m_window.min_e - kFirstWidening, m_window.min_n - kFirstWidening, m_window.max_e + kFirstWidening,
            m_window.max_n + kFirstWidening};
        add_mark(p);
        if (target())
            draw::dwg_insert_symbol_fitted(m_slot, kLayer, "Triangle", {target()->east, target()->north, 0}, -3, -3, 0);
        m_first_done = true;
        redraw();
    }

    void add_mark(const GridPoint& p)
    {
        draw::dwg_insert_symbol_fitted(m_slot, kLayer, "Square", {p.east, p.north, 0}, -3, -3, 0);
    }

    // The north arrow and the scale bar on the dialog, then the drawing in the map band, whose context
    // stays held until the next fix.
    void redraw() override
    {
        if (!m_first_done)
            return;
        const ui::Hwnd map = item(res::kStaticNavMap);
        draw::dwg_begin_paint(hwnd(), gdi::kRopCopyPen, false);
        if (gdi::DC* dc = draw::dwg_paint_dc()) {
            dc->fill_rect({160, 20, 240, 130}, gdi::kWhite);
            dc->fill_rect({0, 130, 240, 162}, gdi::kWhite);
        }
        north_arrow();
        const ui::Rect band = ui::client_rect(map);
        draw::view_set_device_rect(0, 0, band.width(), band.height());
        set_world_window();
        scale_bar();
        draw::dwg_end_paint();
        draw::dwg_begin_paint(map, gdi::kRopCopyPen, true);
        set_world_window();
        draw::dwg_draw(m_slot);
    }

    void set_world_window() { draw::view_set_window(m_window.min_e, m_window.max_n, m_window.max_e, m_window.min_n); }

    static void north_arrow()
    {
        const draw::ColorRef blue = draw::dwg_colour(kBlue), black = draw::dwg_colour(kBlack);
        draw::scr_line("SOLID", 1, blue, 205, 42, 205, 28);
        draw::scr_line("SOLID", 1, blue, 205, 28, 215, 42);
        draw::scr_line("SOLID", 1, blue, 215, 42, 215, 28);
        draw::scr_line("SOLID", 1, black, 210, 44, 210, 21);
        draw::scr_line("SOLID", 1, black, 210, 21, 213, 24);
        draw::scr_line("SOLID", 1, black, 210, 21, 207, 24);
    }

    static void scale_bar()
    {
        const ScaleBar bar = ChooseScaleBar([](double metres) {
            draw::DevicePoint a, b;
            if (!draw::world_to_device(500000.0 + metres, 5000000.0, &a)
                || !draw::world_to_device(500000.0, 5000000.0, &b))
                return 0.0;
            return std::hypot(double(a.x - b.x), double(a.y - b.y));
        });
        const draw::ColorRef blue = draw::dwg_colour(kBlue);
        const int y = kScaleBarRow;
        draw::scr_line("SOLID", 1, blue, kScaleBarRight, y, bar.left, y);
        draw::scr_line("SOLID", 1, blue, kScaleBarRight, y, kScaleBarRight, y - 3);
        draw::scr_line("SOLID", 1, blue, bar.left, y, bar.left, y - 3);
        if (!bar.label.empty())
            draw::scr_text(bar.label, u"Courier", blue, 12, 6, bar.label_column, 143, 0.0, 6);
    }

    FixFilter m_filter;
    PlanWindow m_window;
    double m_half_size = kPlanMinimumHalfSize;
    int m_slot = -1;
};

}  // namespace

void run_plan_view(ui::Hwnd owner)
{
    PlanView().run(owner);
}

}  // namespace gps
