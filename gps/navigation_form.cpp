#include "gps/navigation_form.h"

#include "forms/fields.h"
#include "formats/angle_format.h"
#include "formats/display_settings.h"
#include "gps/gps_link.h"
#include "gps/satellite_view.h"
#include "platform/controls/controls.h"
#include "resources/gps_resources.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/point_edit_dialog.h"
#include "store/point_list_dialog.h"

#include <numbers>

namespace gps {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

constexpr int kTimer = 2;
constexpr int kRedrawCommand = 0x7F20;  // posted by a paint: draw the picture again

constexpr forms::Declaration kNavigation {.dialog = res::kDialogGpsNav,
    .menu_bar = res::kMenuBarGpsNav,
    .menu_error = u"GPS Navigation",
    .cancel_result = 1,
    .close_result = 1,
    .ok_result = 1};

std::u16string azimuth_text(double degrees)
{
    return formats::format_azimuth(degrees * std::numbers::pi / 180.0);
}

}  // namespace

NavigationForm::NavigationForm(NavView view)
    : Form(kNavigation)
    , m_view(view)
{
}

NavigationForm::~NavigationForm()
{
    platform::serial::close(m_port);
    ClearNavigationPort();
    if (m_angles_saved) {
        formats::set_angle_decimals(m_saved_decimals);
        formats::set_whole_degrees(false);
    }
}

bool NavigationForm::on_open()
{
    forms::show_text(hwnd(), res::kStaticNavTarget, u"Initializing GPS...");
    for (int id : {res::kStaticNavLabels, res::kStaticNavArrival, res::kStaticNavHeading, res::kStaticNavSpeed})
        forms::show_text(hwnd(), id, u"");
    m_first_done = false;
    m_port = OpenGpsPort(GetGpsPortName());
    if (m_port != nullptr)
        ui::set_timer(hwnd(), kTimer, 1000);
    read_target();
    m_enabled = true;
    SetNavigationPort(m_port);
    m_saved_decimals = formats::angle_decimals();
    m_angles_saved = true;
    formats::set_angle_decimals(0);
    formats::set_whole_degrees(true);
    open_view();
    return true;
}

bool NavigationForm::on_timer(int id)
{
    if (id != kTimer)
        return false;
    // While a command's dialog is open the display reads nothing: the satellite view reads the port.
    if (!m_enabled)
        return true;
    if (ReadGpsPort(m_port) != 0)
        PollGps(GpsMode::Position);
    if (!TakeFix())
        return true;
    double northing = 0, easting = 0, elevation = 0;
    int zone = 0;
    if (!GetFixGrid(&northing, &easting, &elevation, &zone))
        return true;
    m_last_fix = {easting, northing};
    m_have_fix = true;
    update({easting, northing}, elevation, GetFixTime());
    return true;
}

bool NavigationForm::on_action(int id, int, ui::Hwnd)
{
    switch (id) {
    case res::kCmdNavToPoint:
        to_point();
        return true;
    case res::kCmdNavSavePoint:
        save_point();
        return true;
    case res::kCmdNavSatStatus:
        satellite_status();
        return true;
    case kRedrawCommand:
        redraw();
        return true;
    default:
        return false;
    }
}

bool NavigationForm::on_paint(platform::gdi::DC&)
{
    // The picture is drawn on the window outside paint messages; it comes back once the paint is done.
    ui::post_message(hwnd(), ui::kMsgCommand, kRedrawCommand);
    return false;
}

void NavigationForm::read_target()
{
    const store::PointRecord& picked = store::list_selection();
    if (picked.number != 0)
        m_target = GridPoint {picked.easting, picked.northing};
    else
        m_target.reset();
}

void NavigationForm::to_point()
{
    m_enabled = false;
    if (store::coord_is_open()) {
        store::list_selection_clear();
        store::run_point_list(hwnd());
        read_target();
    } else {
        controls::message_box(hwnd(), u"Error", u"No coordinate file open.");
    }
    m_enabled = true;
}

void NavigationForm::save_point()
{
    m_enabled = false;
    if (!store::coord_is_open())
        controls::message_box(hwnd(), u"Error", u"No coordinate file open.");
    else if (!m_have_fix)
        controls::message_box(hwnd(), u"GPS Navigation", u"No GPS position yet: nothing to save.");
    else
        store::run_point_edit_with_point(hwnd(), 0, m_last_fix.east, m_last_fix.north);
    m_enabled = true;
}

void NavigationForm::satellite_status()
{
    m_enabled = false;
    run_satellite_view(hwnd());
    m_enabled = true;
}

void NavigationForm::show_target(const GridPoint& p, int spaces)
{
    if (!m_target) {
        forms::show_text(hwnd(), res::kStaticNavTarget, u"");
        return;
    }
    forms::show_text(hwnd(), res::kStaticNavTarget,
        azimuth_text(NavAzimuth(p, *m_target)) + std::u16string(size_t(spaces), u' ')
            + NavDistanceText(NavDistance(p, *m_target), m_view));
}

void NavigationForm::show_motion(const GridPoint& q, const GridPoint& p, int32_t dt)
{
    std::optional<double> to_go;
    if (m_target)
        to_go = NavDistance(p, *m_target);
    if (const std::optional<MotionUpdate> u = m_speed.update(NavDistance(q, p), dt, to_go)) {
        if (m_target && u->arrival_minutes)
            forms::show_text(hwnd(), res::kStaticNavArrival, NavArrivalText(*u->arrival_minutes, m_view));
        forms::show_text(hwnd(), res::kStaticNavSpeed, NavSpeedText(u->shown_kmh, m_view));
    }
    m_heading = NavAzimuth(q, p);
    forms::show_text(hwnd(), res::kStaticNavHeading, azimuth_text(m_heading));
}

}  // namespace gps
