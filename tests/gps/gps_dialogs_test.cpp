// The GPS dialogs as a user meets them from the main window's GPS menu: the port selection (the numbered
// ports, the driver's port, the hidden interface, the choice kept in the link and the preferences file),
// the satellite view's plot where the formulas put it, and the averaged position fed by replayed logs
// (hemisphere letters, Save Pt refused before the first sample and storing the mean after).

#include "app/main_window.h"
#include "app/preferences.h"
#include "draw/gdi_style.h"
#include "draw/palette.h"
#include "gps/port_choices.h"
#include "platform/registry/registry.h"
#include "platform/text/text.h"
#include "resources/gps_resources.h"
#include "store/coord_file.h"
#include "store/point_index.h"

#include "gps_app_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

namespace res = resources;
namespace registry = platform::registry;
using varno_test::GpsAppTest;
using varno_test::nmea_line;
using varno_test::shared_log;

const std::u16string kSettings = u"ControlPanel\\GPS Settings";

platform::gdi::Color palette(int index)
{
    return draw::to_gdi_color(draw::dwg_colour(index));
}

std::u16string preferences_file_port()
{
    app::PreferencesRecord r;
    if (app::load_preferences(app::program_directory(), &r) != 0)
        return u"(none)";
    return app::preferences_port_name(r);
}

using SerialPort = GpsAppTest;

TEST_F(SerialPort, TenPortsAndTheDriversPortTheChoiceKeptInTheLinkAndThePreferencesFile)
{
    auto& d = start_after([] { registry::set_text(platform::serial::kMultiplexerKey, u"DriverInterface", u"GPD0:"); });
    ASSERT_OK(d.menu("GPS/Serial Port"));
    // nothing hidden: no explanation first
    ASSERT_OK(d.expect_window("GPS_SERIALPORT"));
    ASSERT_OK(d.expect_count(res::kComboGpsPort, 11));
    ASSERT_OK(d.expect_item(res::kComboGpsPort, 0, "COM0:"));
    ASSERT_OK(d.expect_item(res::kComboGpsPort, 9, "COM9:"));
    ASSERT_OK(d.expect_item(res::kComboGpsPort, 10, "GPD0:"));
    ASSERT_OK(d.select(res::kComboGpsPort, "GPD0:"));
    ASSERT_OK(d.click("OK"));
    ASSERT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_EQ(gps::GetGpsPortName(), u"GPD0:");
        EXPECT_EQ(preferences_file_port(), u"GPD0:") << "saved at once, not only at the end";
    });

    // Cancel changes nothing; the list opens on the port in use.
    ASSERT_OK(d.menu("GPS/Serial Port"));
    ASSERT_OK(d.expect_text(res::kComboGpsPort, "GPD0:"));
    ASSERT_OK(d.select(res::kComboGpsPort, "COM1:"));
    ASSERT_OK(d.click("Cancel"));
    d.inspect([] { EXPECT_EQ(gps::GetGpsPortName(), u"GPD0:"); });
}

TEST_F(SerialPort, NoDriverGivesTenPortsAndAValueTooLongForTheBufferIsAbsent)
{
    auto& d = start_after(
        [] { registry::set_text(platform::serial::kMultiplexerKey, u"DriverInterface", u"GPSPORT10X:"); });
    ASSERT_OK(d.menu("GPS/Serial Port"));
    ASSERT_OK(d.expect_count(res::kComboGpsPort, 10));
    ASSERT_OK(d.click("Cancel"));
    d.inspect([] { registry::set_number(platform::serial::kMultiplexerKey, u"DriverInterface", 7); });
    ASSERT_OK(d.menu("GPS/Serial Port"));
    // a value not of text type
    ASSERT_OK(d.expect_count(res::kComboGpsPort, 10));
}

TEST_F(SerialPort, HiddenInterfaceModifyDeletesWhatIsPresentAndAFullBufferIsTerminated)
{
    auto& d = start_after([] {
        registry::set_number(kSettings, u"Hide", 1);
        // Ten characters: twenty bytes, the whole buffer, no room for the terminator.
        registry::set_text(platform::serial::kMultiplexerKey, u"DriverInterface", u"GPSPORT10:");
    });
    ASSERT_OK(d.menu("GPS/Serial Port"));
    ASSERT_OK(d.expect_window("UNHIDE_GPSID"));
    ASSERT_OK(d.click("Modify"));
    ASSERT_OK(d.expect_box("Info", "You may now reboot the computer."));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.expect_box("ERROR: getGPSIDport(): len", "20"));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.expect_window("GPS_SERIALPORT"));
    // nine characters and the terminator
    ASSERT_OK(d.expect_item(res::kComboGpsPort, 10, "GPSPORT10"));
    d.inspect([] {
        EXPECT_FALSE(registry::query(kSettings, u"Hide"));
        EXPECT_FALSE(registry::query(kSettings, u"Redirect"));
    });
    ASSERT_OK(d.click("Cancel"));

    // Nothing hidden any more: straight to the list. Redirect alone, cancelled, stays.
    ASSERT_OK(d.menu("GPS/Serial Port"));
    ASSERT_OK(d.expect_box("ERROR: getGPSIDport(): len", "20"));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.expect_window("GPS_SERIALPORT"));
    ASSERT_OK(d.click("Cancel"));
    d.inspect([] { registry::set_text(kSettings, u"Redirect", u"1"); });
    ASSERT_OK(d.menu("GPS/Serial Port"));
    ASSERT_OK(d.expect_window("UNHIDE_GPSID"));
    ASSERT_OK(d.click("Cancel"));
    ASSERT_OK(d.expect_box("ERROR: getGPSIDport(): len", "20"));
    d.inspect([] { EXPECT_TRUE(registry::query(kSettings, u"Redirect")); });
}

// ---- The satellite view -------------------------------------------------------------------------------

class Satellites : public GpsAppTest {
protected:
    // Tracked-colour pixels within `r` of (x, y).
    int tracked_near(int x, int y, int r = 10) { return ink(x - r, y - r, x + r, y + r, palette(12)); }
};

TEST_F(Satellites, SkyPlotAndBarsWhereTheFormulasPutThem)
{
    // PRN 1 overhead (40 dB), PRN 2 on the horizon due east (35 dB), PRN 3 at 45 degrees due south,
    // not tracked.
    auto& d = start_with_text(nmea_line("GPGSV,1,1,03,01,90,000,40,02,00,090,35,03,45,180,00"));
    ASSERT_OK(d.menu("GPS/Satellites"));
    ASSERT_OK(d.expect_window("GPS_SATS"));
    ASSERT_OK(d.wait(1000));
    ASSERT_OK(d.expect_text(res::kStaticSatelliteCount, "2 satellites"));

    EXPECT_GT(tracked_near(80, 68), 0) << "elevation 90 at the centre";
    EXPECT_GT(tracked_near(136, 68), 0) << "elevation 0, azimuth 90: on the horizon to the right";
    EXPECT_EQ(tracked_near(24, 68), 0) << "nothing on the left";
    EXPECT_EQ(tracked_near(80, 96), 0) << "the untracked one is not in the tracked colour";
    EXPECT_GT(ink(70, 86, 90, 106, palette(6)), 0) << "but in colour 6, 28 pixels below the centre";

    // Bars at x = 8 + 18 i, 8 wide, rising from row 172 by the ratio in whole dB.
    EXPECT_EQ(ink(8, 133, 16, 173, palette(12)), 8 * 40);
    EXPECT_EQ(ink(8, 120, 16, 132, palette(12)), 0);
    EXPECT_EQ(ink(26, 138, 34, 173, palette(12)), 8 * 35);
    EXPECT_EQ(ink(16, 120, 26, 173, palette(12)), 0) << "the gap between bars";
    EXPECT_EQ(ink(44, 120, 52, 172, palette(12)), 0) << "no bar for a ratio of 0";
    EXPECT_GT(ink(40, 175, 56, 190, palette(6)), 0) << "its number under its place";
    ASSERT_OK(d.click("OK"));
    ASSERT_OK(d.expect_window("main"));
}

TEST_F(Satellites, NoDataShowsTheFrameAndAReceiverCountBeyondTheTableIsBounded)
{
    auto& d = start_with_text(
        nmea_line("GPGSV,10,1,40,05,60,045,30,,,,,,,,,,,,") + nmea_line("GPGSV,10,10,40,40,10,300,20,,,,,,,,,,,,"));
    ASSERT_OK(d.menu("GPS/Satellites"));
    ASSERT_OK(d.expect_text(res::kStaticSatelliteCount, "0 satellites"));
    EXPECT_EQ(ink(0, 0, 240, 190, palette(12)), 0);
    EXPECT_GT(ink(20, 8, 140, 130, palette(0)), 300) << "the circles and letters";
    // Forty in view, and message 10 would go past the table: the view draws the table's entries only.
    ASSERT_OK(d.wait(1000));
    ASSERT_OK(d.expect_text(res::kStaticSatelliteCount, "1 satellites"));
    EXPECT_EQ(ink(8, 142, 16, 173, palette(12)), 8 * 30);
}

// ---- The averaged position ----------------------------------------------------------------------------

using Position = GpsAppTest;

TEST_F(Position, SouthernEasternLogShowsItsHemispheresAndSavesTheMean)
{
    const std::string log = shared_log("globalsat-bu353s4-southern-gp.nmea");
    if (!std::filesystem::exists(log))
        GTEST_SKIP() << "no NMEA logs at " << log;
    auto& d = start_with_log(log, 480, [] { store::coord_create(u"\\My Documents\\Gps.dat"); });
    ASSERT_OK(d.menu("GPS/Position"));
    ASSERT_OK(d.expect_window("GPS_POINT"));
    ASSERT_OK(d.expect_text(res::kStaticGpsSamples, "0"));
    ASSERT_OK(d.wait(15000));
    std::u16string lat, lon, north, east, count;
    d.inspect([&] {
        const platform::ui::Hwnd w = platform::ui::active_window();
        lat = platform::ui::item_text(w, res::kStaticGpsLatitude);
        lon = platform::ui::item_text(w, res::kStaticGpsLongitude);
        north = platform::ui::item_text(w, res::kStaticGpsNorth);
        east = platform::ui::item_text(w, res::kStaticGpsEast);
        count = platform::ui::item_text(w, res::kStaticGpsSamples);
    });
    EXPECT_EQ(lat.substr(0, 8), u" 37° 47′") << "Hamilton, 37.78 S";
    EXPECT_EQ(lat.back(), u'S');
    EXPECT_EQ(lon.substr(0, 9), u" 175° 18′");
    EXPECT_EQ(lon.back(), u'E');
    EXPECT_GE(std::stoi(std::string(count.begin(), count.end())), 10);
    EXPECT_EQ(north[0], u'-') << "no false northing in the south";

    // Save Pt hands the mean to the editor; what is saved is the mean shown.
    ASSERT_OK(d.menu("Save Pt"));
    ASSERT_OK(d.expect_window("PT_EDIT"));
    ASSERT_OK(d.expect_text(1013, platform::text::to_utf8(north)));
    ASSERT_OK(d.expect_text(1014, platform::text::to_utf8(east)));
    ASSERT_OK(d.type(1011, "7"));
    ASSERT_OK(d.menu("Save"));
    ASSERT_OK(d.expect_box("Save pt", "Pt saved."));
    ASSERT_OK(d.answer("ok"));
    d.inspect([&] {
        store::PointRecord p;
        ASSERT_EQ(store::point_read_by_number(7, &p), 1);
        EXPECT_NEAR(p.northing, std::stod(platform::text::to_utf8(north)), 1e-9);
        EXPECT_NEAR(p.easting, std::stod(platform::text::to_utf8(east)), 1e-9);
    });
}

TEST_F(Position, SavePtIsRefusedBeforeTheFirstSampleAndWithoutAFile)
{
    // The simulator's fixes are never valid: no sample ever arrives.
    const std::string log = shared_log("garmin-gpsmap76s-simulator-gp.nmea");
    if (!std::filesystem::exists(log))
        GTEST_SKIP() << "no NMEA logs at " << log;
    auto& d = start_with_log(log, 4800);
    ASSERT_OK(d.menu("GPS/Position"));
    ASSERT_OK(d.wait(3000));
    ASSERT_OK(d.menu("Save Pt"));
    ASSERT_OK(d.expect_box("Error", "No coordinate file open."));
    ASSERT_OK(d.answer("ok"));
    d.inspect([] { store::coord_create(u"\\My Documents\\Gps.dat"); });
    ASSERT_OK(d.menu("Save Pt"));
    ASSERT_OK(d.expect_box("GPS Point", "No GPS position yet: nothing to save."));
    ASSERT_OK(d.answer("ok"));
    ASSERT_OK(d.expect_text(res::kStaticGpsSamples, "0"));
    ASSERT_OK(d.expect_text(res::kStaticGpsNorth, ""));
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.expect_window("main"));
}

TEST_F(Position, APortThatCannotOpenLeavesTheFieldsEmpty)
{
    auto& d = start_after([] {});
    d.inspect([] { gps::SetGpsPortName(u"COM9:"); });
    ASSERT_OK(d.menu("GPS/Position"));
    ASSERT_OK(d.wait(3000));
    ASSERT_OK(d.expect_text(res::kStaticGpsSamples, "0"));
    ASSERT_OK(d.expect_text(res::kStaticGpsLatitude, ""));
}

}  // namespace
