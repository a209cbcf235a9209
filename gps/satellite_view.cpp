#include "gps/satellite_view.h"

#include "forms/fields.h"
#include "forms/form.h"
#include "gps/link_port.h"
#include "gps/sky_plot.h"
#include "platform/text/text.h"
#include "resources/gps_resources.h"

#include <optional>

namespace gps {

namespace {

namespace ui = platform::ui;
namespace res = resources;

constexpr int kTimer = 1;

constexpr forms::Declaration kSatellites {
    .dialog = res::kDialogGpsSats, .cancel_result = ui::kIdCancel, .close_result = ui::kIdOk, .ok_result = ui::kIdOk};

class SatelliteView : public forms::Form {
public:
    SatelliteView()
        : Form(kSatellites)
    {
    }

private:
    bool on_open() override
    {
        redraw();
        m_port.emplace(true);
        if (m_port->is_open())
            ui::set_timer(hwnd(), kTimer, 1000);
        return true;
    }

    bool on_timer(int id) override
    {
        if (id != kTimer)
            return false;
        if (m_port->read_and_poll(GpsMode::Satellites))
            redraw();
        return true;
    }

    // A paint (the dialog shown or uncovered) draws the plot again; the timer draws it between paints.
    bool on_paint(platform::gdi::DC&) override
    {
        draw_sky_plot(hwnd(), res::kSkyPlotBottom);
        return true;
    }

    void redraw()
    {
        const int tracked = draw_sky_plot(hwnd(), res::kSkyPlotBottom);
        forms::show_text(hwnd(), res::kStaticSatelliteCount, platform::text::wformat(u"%d satellites", tracked));
    }

    std::optional<LinkPort> m_port;  // closed with the dialog, unless borrowed
};

}  // namespace

void run_satellite_view(ui::Hwnd owner)
{
    SatelliteView().run(owner);
}

}  // namespace gps
