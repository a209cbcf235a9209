// Real receiver logs played end to end through a replay port at 4800 baud on the virtual clock: every log
// is read without a fault with a consumer's one-second tick, the first fix matches the position of the
// log's first valid GGA, and the simulator's positions never count as fixes.

#include "gps/gps_link.h"

#include "link_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

using varno_test::LinkTest;

const std::string kLogDir = std::string(VARNO_SHARED_DATA_DIR) + "/nmea";

// The receivers' first valid positions, decoded from the logs with all their digits (decimal degrees).
struct LogCheck {
    const char* file;
    bool has_fix;
    double latitude;
    double longitude;
};

const LogCheck kLogs[] = {
    {"garmin-gpsmap76s-simulator-gp.nmea", false, 0, 0},
    {"ublox-lea4h-gp-lf.nmea", true, 49.130888500, -122.719957167},
    {"bt451-nofix-stationary-moving-gp.nmea", true, 55.797018833, 23.569021667},
    {"globalsat-bu353s4-southern-gp.nmea", true, -37.784788333, 175.314896667},
    {"navika100-fix-gp-gsv-signalid.nmea", true, 37.965442167, -122.532423833},
    {"ublox-neo-m8n-mixed-gn-gp-gl.nmea", true, 44.069010500, -121.314246333},
    {"ublox-zed-f9p-multignss-southern.nmea", true, -45.877567167, 170.500111333},
    {"trimble-rtk-gp-gn.nmea", true, 41.574965910, -93.750571901},
    {"gps320fw-coldboot-garbage.nmea", true, 48.149988333, 11.584663333},
};

// The link keeps four digits of the minute fraction and whole hundredths of a second, each truncated; a
// log's first valid sentence may be a GLL or RMC a moment before the GGA, one unit away in that fourth
// digit (bt451: 5547.82107 against 5547.82113).
constexpr double kTruncation = 2 * 0.0001 / 60.0 + 0.01 / 3600.0;

struct PlayResult {
    int ticks_with_fix = 0;
    bool got_first = false;
    gps::FixDegrees first;
    double first_northing = 0, first_easting = 0, first_elevation = 0;
    int first_zone = 0;
};

class NmeaLogs : public LinkTest, public ::testing::WithParamInterface<LogCheck> {
protected:
    // Ticks every `tick_ms` until the whole log has been played and parsed.
    PlayResult play_through(const std::string& path, gps::GpsMode mode, int tick_ms)
    {
        PlayResult run;
        const auto size = std::filesystem::file_size(path);
        const int ticks = static_cast<int>(size * 1000 / 480 / tick_ms) + 5000 / tick_ms;
        for (int t = 0; t < ticks; ++t) {
            tick(tick_ms, mode);
            if (mode != gps::GpsMode::Position || !gps::TakeFix())
                continue;
            ++run.ticks_with_fix;
            if (!run.got_first) {
                run.got_first = true;
                run.first = gps::GetFixDegrees();
                EXPECT_TRUE(
                    gps::GetFixGrid(&run.first_northing, &run.first_easting, &run.first_elevation, &run.first_zone));
            }
        }
        EXPECT_EQ(gps::ReadGpsPort(m_port), 0u) << "the log was not read to its end";
        return run;
    }
};

TEST_P(NmeaLogs, PlaysToTheEndWithAOneSecondTick)
{
    if (!std::filesystem::is_directory(kLogDir))
        GTEST_SKIP() << "no NMEA logs in " << kLogDir;
    const LogCheck& check = GetParam();
    const std::string path = kLogDir + "/" + check.file;
    play_file(path, "");  // the replay device's default rate, 480 bytes per second
    const PlayResult run = play_through(path, gps::GpsMode::Position, 1000);
    if (!check.has_fix) {
        EXPECT_EQ(run.ticks_with_fix, 0);
        return;
    }
    EXPECT_GT(run.ticks_with_fix, 1);
    // The grid position is the projection of the fix in its own zone.
    const int expected_zone = static_cast<int>(std::floor((check.longitude + 180.0) / 6.0)) + 1;
    EXPECT_EQ(run.first_zone, expected_zone);
    EXPECT_GT(run.first_easting, 166000.0);
    EXPECT_LT(run.first_easting, 834000.0);
    EXPECT_EQ(run.first_northing < 0, check.latitude < 0);
}

TEST_P(NmeaLogs, TheFirstFixMatchesTheFirstValidPositionOfTheLog)
{
    if (!std::filesystem::is_directory(kLogDir))
        GTEST_SKIP() << "no NMEA logs in " << kLogDir;
    const LogCheck& check = GetParam();
    const std::string path = kLogDir + "/" + check.file;
    play_file(path, "@480");
    // Polled so often that every poll finds at most one new sentence: the first fix reported is the
    // log's first valid one, not the newest of a second's batch.
    const PlayResult run = play_through(path, gps::GpsMode::Position, 20);
    ASSERT_EQ(run.got_first, check.has_fix);
    if (!check.has_fix)
        return;
    EXPECT_NEAR(run.first.latitude, check.latitude, kTruncation);
    EXPECT_NEAR(run.first.longitude, check.longitude, kTruncation);
}

TEST_P(NmeaLogs, SatelliteViewReadsTheWholeLog)
{
    if (!std::filesystem::is_directory(kLogDir))
        GTEST_SKIP() << "no NMEA logs in " << kLogDir;
    const std::string path = kLogDir + "/" + GetParam().file;
    play_file(path, "@480");
    play_through(path, gps::GpsMode::Satellites, 1000);
    const std::string log = testing_support::read_host_file(path);
    if (log.find("$GPGSV,") != std::string::npos)
        EXPECT_GT(gps::GetSatelliteCount(), 0);
    else
        EXPECT_EQ(gps::GetSatelliteCount(), 0);
    EXPECT_LE(gps::GetSatelliteCount(), gps::kSatelliteCapacity);
    for (int i = 0; i < gps::GetSatelliteCount(); ++i)
        EXPECT_GE(gps::GetSatellite(i).prn, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Receivers, NmeaLogs, ::testing::ValuesIn(kLogs), [](const ::testing::TestParamInfo<LogCheck>& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

}  // namespace
