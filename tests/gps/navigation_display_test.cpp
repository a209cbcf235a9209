// The navigation displays through the driver: a log of the test's own walks due north along a central
// meridian at 5 m/s towards a target 600 m ahead, one fix a second, then sends two fixes in one second and
// one whose clock has gone back; the texts, the compass arrow and the plan's map are checked in both views.
// Sat. Status in the middle reads the satellites through the display's port; Save Pt. and To Pt. are
// refused with their messages when they cannot work.

#include "draw/gdi_style.h"
#include "draw/palette.h"
#include "formats/display_settings.h"
#include "gps/ellipsoid.h"
#include "gps/utm.h"
#include "platform/text/text.h"
#include "resources/gps_resources.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/point_index.h"

#include "gps_app_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

namespace res = resources;
using varno_test::GpsAppTest;
using varno_test::nmea_line;

platform::gdi::Color palette(int index)
{
    return draw::to_gdi_color(draw::dwg_colour(index));
}

// A GGA at 49 N + `half_minutes` half minutes of latitude (30", about 926.6 m, read by the link without
// truncation), 123 W (zone 10's central meridian), at `hhmmss`. Every line has the same length.
std::string gga(int half_minutes, const char* hhmmss)
{
    char body[96];
    std::snprintf(body, sizeof body, "GPGGA,%s.00,49%02d.%04d,N,12300.0000,W,1,08,1.0,10.0,M,0.0,M,,", hhmmss,
        half_minutes / 2, half_minutes % 2 * 5000);
    return nmea_line(body);
}

// Northing of 49 N + `half_minutes` half minutes, on the central meridian.
double northing_of(int half_minutes)
{
    gps::Ellipsoid wgs84;
    gps::SelectEllipsoid(&wgs84, "WGS84");
    int zone = 10;
    double n = 0, e = 0;
    gps::GeographicToGrid(wgs84, 49.0 + half_minutes / 120.0, -123.0, &zone, &n, &e);
    return n;
}

// A walk due north, a fix every 100 s (about 33 km/h), then two fixes in one second and a fix whose time
// has gone back an hour.
const std::string kWalk = gga(0, "120000") + gga(1, "120140") + gga(2, "120320") + gga(3, "120320") + gga(4, "110000");
constexpr double kTargetAhead = 6000.0;  // metres north of the third fix

double step(int i)
{
    return northing_of(i + 1) - northing_of(i);
}

// The texts the rules give for the walk, from the exact positions: the speed shown after the third fix
// (the mean of the two legs' speeds) and the arrival time there.
std::string speed_text(const char* unit)
{
    char out[32];
    std::snprintf(out, sizeof out, "%.1lf %s", (step(0) + step(1)) / 100 * 3.6 * 0.5, unit);
    return out;
}
std::string arrival_text(const char* unit)
{
    const double a = (step(0) / 100 + step(1) / 100) * 0.5;
    char out[32];
    std::snprintf(out, sizeof out, "%.1lf%s", kTargetAhead / a / 60, unit);
    return out;
}
std::string to_go_text(double metres, const char* between, const char* unit)
{
    char out[48];
    std::snprintf(out, sizeof out, "0º%s%.1lf%s", between, metres, unit);
    return out;
}

class Navigation : public GpsAppTest {
protected:
    // The walk played one sentence a second; point 1 is 600 m north of the third fix and picked.
    platform::driver::Driver& start_walk(bool with_target = true)
    {
        const std::string path = m_device->write_host_file("walk.nmea", kWalk);
        const unsigned rate = static_cast<unsigned>(gga(0, "120000").size());
        return start_with_log(path, rate, [with_target] {
            store::coord_create(u"\\My Documents\\Nav.dat");
            if (!with_target)
                return;
            store::PointRecord t;
            t.number = 1;
            t.easting = 500000.0;
            t.northing = northing_of(2) + kTargetAhead;
            store::point_store(t, false);
            store::list_selection_set_point(1, t.easting, t.northing);
        });
    }

    std::string text(int id)
    {
        std::string out;
        d().inspect([&] { out = platform::text::to_utf8(platform::ui::item_text(platform::ui::active_window(), id)); });
        return out;
    }
};

TEST_F(Navigation, CompassViewSpeedArrivalArrowAndClockTrouble)
{
    auto& d = start_walk();
    d.inspect([] { formats::set_angle_decimals(2); });
    ASSERT_OK(d.menu("GPS/Navigation/Compass View"));
    ASSERT_OK(d.expect_window("GPS_NAV_DISPLAY"));
    ASSERT_OK(d.expect_text(res::kStaticNavTarget, "Initializing GPS..."));
    ASSERT_OK(d.wait(1000));
    // The first fix: two legs and the 6 km beyond to go, due north.
    ASSERT_OK(d.expect_text(res::kStaticNavLabels, "To:"));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead + step(0) + step(1), "  ", "m"));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, ""));
    ASSERT_OK(d.wait(1000));
    char first_leg[32];
    std::snprintf(first_leg, sizeof first_leg, "%.1lf km/h", step(0) / 100 * 3.6 * 0.5);
    // the mean of 0 and the first leg's speed
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, first_leg));
    ASSERT_OK(d.expect_text(res::kStaticNavLabels, "To:          ETA:"));
    ASSERT_OK(d.wait(1000));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, speed_text("km/h")));
    ASSERT_OK(d.expect_text(res::kStaticNavArrival, arrival_text("min.")));
    ASSERT_OK(d.expect_text(res::kStaticNavHeading, "0º"));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead, "       ", "m"));
    // The arrow's head is 8 rows short of its tip: its left corner at (50, 70) ahead, (50, 86) behind.
    EXPECT_GT(ink(48, 68, 53, 73, palette(0)), 0);
    EXPECT_EQ(ink(48, 84, 53, 89, palette(0)), 0);
    EXPECT_GT(ink(55, 30, 76, 52, palette(12)), 0) << "N at the top, heading north";

    // Two fixes in one second, and a clock gone back: the position moves on, speed and arrival stay.
    ASSERT_OK(d.wait(1000));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead - step(2), "       ", "m"));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, speed_text("km/h")));
    ASSERT_OK(d.expect_text(res::kStaticNavArrival, arrival_text("min.")));
    ASSERT_OK(d.wait(1000));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead - step(2) - step(3), "       ", "m"));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, speed_text("km/h")));
    ASSERT_OK(d.expect_text(res::kStaticNavArrival, arrival_text("min.")));
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_EQ(formats::angle_decimals(), 2) << "the angle decimals restored";
        EXPECT_FALSE(formats::whole_degrees());
        EXPECT_FALSE(gps::IsNavigationOpen());
    });

    // Opened again, the previous speed starts from 0 at the first fix.
    ASSERT_OK(d.menu("GPS/Navigation/Compass View"));
    ASSERT_OK(d.wait(2000));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, first_leg));
}

TEST_F(Navigation, PlanViewTrackTargetNorthArrowAndScaleBar)
{
    auto& d = start_walk();
    ASSERT_OK(d.menu("GPS/Navigation/Plan View"));
    ASSERT_OK(d.wait(3000));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, speed_text("km/h.")));
    ASSERT_OK(d.expect_text(res::kStaticNavArrival, arrival_text(" min.")));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead, "      ", " m"));
    // The track (red) in the map band only, the north arrow's shaft, the scale bar ending at column 200.
    EXPECT_GT(ink(0, 30, 160, 130, palette(6)), 5);
    EXPECT_EQ(ink(0, 0, 240, 30, palette(6)) + ink(0, 130, 240, 268, palette(6)), 0);
    EXPECT_GE(ink(210, 21, 211, 45, palette(0)), 20);
    EXPECT_GE(ink(180, 147, 201, 148, palette(12)), 15);
    EXPECT_EQ(ink(201, 140, 240, 148, palette(12)), 0);
    // Heading and Speed are not covered.
    ASSERT_OK(d.expect_text("Heading", "Heading"));
    EXPECT_GT(ink(2, 2, 50, 18, palette(0)), 0);

    // The fix filter rejects a leg in no time while moving: the view stays where it was.
    ASSERT_OK(d.wait(1000));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead, "      ", " m"));
    // A clock gone back: accepted, speed and arrival kept.
    ASSERT_OK(d.wait(1000));
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(kTargetAhead - step(2) - step(3), "      ", " m"));
    ASSERT_OK(d.expect_text(res::kStaticNavSpeed, speed_text("km/h.")));
    ASSERT_OK(d.expect_text(res::kStaticNavArrival, arrival_text(" min.")));
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.expect_window("main"));
}

TEST_F(Navigation, SatStatusReadsThroughTheDisplaysPortAndTheDisplayGoesOn)
{
    const std::string sats = nmea_line("GPGSV,1,1,02,07,60,045,41,09,30,200,33");
    std::string log = gga(0, "120000") + sats;
    for (int i = 1; i < 12; ++i)
        log += gga(i, ("12" + std::to_string(1000 + i * 2)).c_str());
    auto& d = start_with_text(log, 100);
    ASSERT_OK(d.menu("GPS/Navigation/Compass View"));
    ASSERT_OK(d.wait(1000));
    ASSERT_OK(d.menu("Sat. Status"));
    ASSERT_OK(d.expect_window("GPS_SATS"));
    ASSERT_OK(d.wait(6000));
    ASSERT_OK(d.expect_text(res::kStaticSatelliteCount, "2 satellites"));
    ASSERT_OK(d.click("OK"));
    ASSERT_OK(d.expect_window("GPS_NAV_DISPLAY"));
    ASSERT_OK(d.wait(4000));
    EXPECT_NE(text(res::kStaticNavSpeed), "") << "the port is still open and read";
}

TEST_F(Navigation, SaveAndToPointRefusedWhenTheyCannotWorkAndSaveOffersThePosition)
{
    auto& d = start_with_text(nmea_line("GPGSV,1,1,00"));
    ASSERT_OK(d.menu("GPS/Navigation/Plan View"));
    ASSERT_OK(d.menu("To Pt."));
    ASSERT_OK(d.expect_box("Error", "No coordinate file open."));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.menu("Save Pt."));
    ASSERT_OK(d.expect_box("Error", "No coordinate file open."));
    ASSERT_OK(d.answer("ok"));
    d.inspect([] { store::coord_create(u"\\My Documents\\Nav.dat"); });
    ASSERT_OK(d.menu("Save Pt."));
    ASSERT_OK(d.expect_box("GPS Navigation", "No GPS position yet: nothing to save."));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.menu("OK"));
}

TEST_F(Navigation, SavePtOffersTheLastFixAndToPtPicksTheTarget)
{
    auto& d = start_walk(false);
    ASSERT_OK(d.menu("GPS/Navigation/Compass View"));
    ASSERT_OK(d.wait(2000));
    // no target
    ASSERT_OK(d.expect_text(res::kStaticNavTarget, ""));
    ASSERT_OK(d.menu("Save Pt."));
    ASSERT_OK(d.expect_window("PT_EDIT"));
    ASSERT_OK(d.expect_text(1014, "500000.000"));
    char north[32];
    std::snprintf(north, sizeof north, "%.3f", northing_of(1));
    ASSERT_OK(d.expect_text(1013, north));
    ASSERT_OK(d.type(1011, "5"));
    ASSERT_OK(d.menu("Save"));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.key("escape"));
    ASSERT_OK(d.expect_window("GPS_NAV_DISPLAY"));
    // The saved point becomes the target through the point list.
    ASSERT_OK(d.menu("To Pt."));
    ASSERT_OK(d.expect_window("PT_LIST"));
    ASSERT_OK(d.select(1190, 0));
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.expect_window("GPS_NAV_DISPLAY"));
    ASSERT_OK(d.wait(1000));
    // a leg behind
    EXPECT_EQ(text(res::kStaticNavTarget), to_go_text(step(1), "       ", "m").replace(0, 1, "180"));
    // the arrow points back: its tip at (65, 98), its head's corner at (50, 86)
    EXPECT_GT(ink(48, 84, 53, 89, palette(0)), 0);
    EXPECT_EQ(ink(48, 68, 53, 73, palette(0)), 0);
}

}  // namespace
