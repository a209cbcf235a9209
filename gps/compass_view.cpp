// The compass view: a track-up compass rose drawn in the off-screen buffer with an arrow to the target.

#include "draw/offscreen_buffer.h"
#include "draw/paint_state.h"
#include "draw/palette.h"
#include "draw/view.h"
#include "forms/fields.h"
#include "gps/compass_figure.h"
#include "gps/navigation_display.h"
#include "gps/navigation_form.h"
#include "resources/gps_resources.h"

namespace gps {

namespace {

namespace ui = platform::ui;
namespace res = resources;

// Rows 0 to 160 of the client area: the rose (rows 30 to 126) between the top line and the bottom lines.
constexpr int kBufferBottom = 160;
constexpr int kBlack = 0;
constexpr int kBlue = 12;

class CompassView : public NavigationForm {
public:
    CompassView()
        : NavigationForm(NavView::Compass)
    {
    }

private:
    void update(const GridPoint& p, double, int32_t t) override
    {
        m_p = p;
        m_tp = t;
        if (!m_first_done) {
            m_q = p;
            m_tq = t;
            m_speed.reset();
            if (target()) {
                show_target(p, 2);
                forms::show_text(hwnd(), res::kStaticNavLabels, u"To:");
            }
            m_first_done = true;
            return;
        }
        if (NavDistance(m_q, p) > 0.05) {
            show_target(p, 7);
            forms::show_text(hwnd(), res::kStaticNavLabels, target() ? u"To:          ETA:" : u"");
            show_motion(m_q, p, m_tp - m_tq);
            m_drawn = true;
            redraw();
        }
        m_q = p;
        m_tq = t;
    }

    void redraw() override
    {
        if (!m_drawn)
            return;
        draw::dwg_begin_paint(hwnd(), platform::gdi::kRopCopyPen, false);
        draw::view_set_device_rect(0, 0, ui::client_rect(hwnd()).width(), kBufferBottom);
        if (draw::buf_create()) {
            draw_rose();
            draw::buf_blit();
            draw::buf_free();
        }
        draw::dwg_end_paint();
        // The buffer covers the top line: its texts paint themselves again over it.
        for (int id : {res::kLabelNavHeading, res::kLabelNavSpeed, res::kStaticNavHeading, res::kStaticNavSpeed})
            ui::invalidate(item(id));
    }

    void draw_rose()
    {
        const double h = m_heading;
        const draw::ColorRef black = draw::dwg_colour(kBlack), blue = draw::dwg_colour(kBlue);
        draw::buf_circle("Solid", 1, black, kCompassX, kCompassY, 26, 3.0);
        draw::buf_circle("Solid", 1, black, kCompassX, kCompassY, 48, 3.0);
        for (const Tick& tick : CompassTicks(h))
            draw::buf_line("Solid", 1, blue, kCompassX + tick.from.x, kCompassY + tick.from.y, kCompassX + tick.to.x,
                kCompassY + tick.to.y);
        static const char16_t* const kLetters[] = {u"N", u"S", u"E", u"W"};
        const std::array<PixelOffset, 4> at = CompassLetters(h);
        for (int i = 0; i < 4; ++i)
            draw::buf_text(kLetters[i], u"Courier", blue, 16, 8, kCompassX + at[i].x, kCompassY + at[i].y, 0.0, 4);
        if (!target())
            return;
        const std::array<PixelOffset, 8> arrow = CompassArrow(NavAzimuth(m_p, *target()) - h);
        for (int i = 0; i + 1 < 8; ++i)
            draw::buf_line("Solid", 1, black, kCompassX + arrow[i].x, kCompassY + arrow[i].y,
                kCompassX + arrow[i + 1].x, kCompassY + arrow[i + 1].y);
    }

    bool m_drawn = false;
};

}  // namespace

void run_compass_view(ui::Hwnd owner)
{
    CompassView().run(owner);
}

}  // namespace gps
