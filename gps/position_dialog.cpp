#include "gps/position_dialog.h"

#include "forms/fields.h"
#include "forms/form.h"
#include "gps/hemisphere_text.h"
#include "gps/link_port.h"
#include "gps/position_average.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/gps_resources.h"
#include "store/coord_file.h"
#include "store/point_edit_dialog.h"

#include <optional>

namespace gps {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

constexpr int kTimer = 1;
constexpr int kSecondsDecimals = 5;

constexpr forms::Declaration kPosition {.dialog = res::kDialogGpsPoint,
    .menu_bar = res::kMenuBarGpsPoint,
    .menu_error = u"GPS Point",
    .cancel_command = res::kCmdGpsPointOk,
    .cancel_result = ui::kIdOk,
    .close_result = ui::kIdOk};

class PositionDialog : public forms::Form {
public:
    PositionDialog()
        : Form(kPosition)
    {
    }

private:
    bool on_open() override
    {
        for (int id : {res::kStaticGpsNorth, res::kStaticGpsEast, res::kStaticGpsElevation,
                 res::kStaticGpsNorthDeviation, res::kStaticGpsEastDeviation, res::kStaticGpsElevationDeviation,
                 res::kStaticGpsLatitude, res::kStaticGpsLongitude, res::kStaticGpsStatus})
            forms::show_text(hwnd(), id, u"");
        forms::show_text(hwnd(), res::kStaticGpsSamples, u"0");
        m_port.emplace(false);
        if (m_port->is_open())
            ui::set_timer(hwnd(), kTimer, 1000);
        m_average = PositionAverage {};
        return true;
    }

    bool on_timer(int id) override
    {
        if (id != kTimer)
            return false;
        m_port->read_and_poll(GpsMode::Position);
        double northing = 0, easting = 0, elevation = 0;
        int zone = 0;
        if (!TakeFix() || !GetFixGrid(&northing, &easting, &elevation, &zone))
            return true;
        // The grid of the fix's own zone is not used: every sample goes into the zone of the first.
        const FixDegrees fix = GetFixDegrees();
        if (m_average.add(fix.latitude, fix.longitude, fix.altitude))
            show();
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != res::kCmdGpsPointSave)
            return false;
        save_point();
        return true;
    }

    void show()
    {
        forms::show_coordinate(hwnd(), res::kStaticGpsNorth, m_average.northing().mean);
        forms::show_coordinate(hwnd(), res::kStaticGpsEast, m_average.easting().mean);
        forms::show_coordinate(hwnd(), res::kStaticGpsElevation, m_average.elevation().mean);
        forms::show_coordinate(hwnd(), res::kStaticGpsNorthDeviation, m_average.northing().deviation);
        forms::show_coordinate(hwnd(), res::kStaticGpsEastDeviation, m_average.easting().deviation);
        forms::show_coordinate(hwnd(), res::kStaticGpsElevationDeviation, m_average.elevation().deviation);
        forms::show_text(hwnd(), res::kStaticGpsSamples, platform::text::wformat(u"%d", m_average.count()));
        const GeographicPosition mean = m_average.mean_position();
        forms::show_text(hwnd(), res::kStaticGpsLatitude, LatitudeText(mean.latitude, kSecondsDecimals));
        forms::show_text(hwnd(), res::kStaticGpsLongitude, LongitudeText(mean.longitude_east, kSecondsDecimals));
    }

    void save_point()
    {
        if (!store::coord_is_open()) {
            controls::message_box(hwnd(), u"Error", u"No coordinate file open.");
            return;
        }
        if (m_average.count() == 0) {
            controls::message_box(hwnd(), u"GPS Point", u"No GPS position yet: nothing to save.");
            return;
        }
        store::run_point_edit_with_point(hwnd(), 0, m_average.easting().mean, m_average.northing().mean);
    }

    std::optional<LinkPort> m_port;  // closed with the dialog
    PositionAverage m_average;
};

}  // namespace

void run_position_dialog(ui::Hwnd owner)
{
    PositionDialog().run(owner);
}

}  // namespace gps
