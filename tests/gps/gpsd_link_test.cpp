// A fix reaches the receiver link from a real gpsd: the test starts gpsd on a pseudo-terminal, feeds it a
// receiver's log, and reads through the multiplexer port the way a GPS dialog does, in real time.

#include "gps/gps_link.h"
#include "gps/nmea.h"

#include "platform/clock/clock.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "tests/platform/serial/gpsd_daemon.h"
#include "tests/support/temp_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace nmea = gps::nmea;

const std::string kLog = std::string(VARNO_SHARED_DATA_DIR) + "/nmea/ublox-lea4h-gp-lf.nmea";

std::vector<std::string> lines_of(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line + "\n");
    return lines;
}

// Positions of the log's sentences that carry a valid fix, as the link decodes them.
std::vector<gps::FixDegrees> valid_positions(const std::vector<std::string>& lines)
{
    std::vector<gps::FixDegrees> positions;
    for (const std::string& line : lines) {
        if (line.size() < 8 || line[0] != '$')
            continue;
        nmea::Sentence s;
        s.length = std::min(line.size() - 2, nmea::kMaxSentenceLength);
        line.copy(s.text, s.length, 1);
        nmea::Fields f;
        nmea::SplitFields(s, &f);
        const std::string_view id = nmea::SentenceIdentifier(s);
        int lat_field = -1;
        if (id.ends_with("GGA") && f[5][0] >= '1' && f[5][0] <= '6')
            lat_field = 1;
        else if (id.ends_with("RMC") && f[1][0] == 'A')
            lat_field = 2;
        else if (id.ends_with("GLL") && f[5][0] == 'A')
            lat_field = 0;
        if (lat_field < 0)
            continue;
        gps::FixDegrees p;
        p.latitude = nmea::AngleToDegrees(nmea::ParseLatitude(f[lat_field], f[lat_field + 1]));
        p.longitude = nmea::AngleToDegrees(nmea::ParseLongitude(f[lat_field + 2], f[lat_field + 3]));
        positions.push_back(p);
    }
    return positions;
}

TEST(GpsdLink, AFixFromARealGpsdReachesTheLink)
{
    if (!std::filesystem::exists(kLog))
        GTEST_SKIP() << "no NMEA log at " << kLog;
    varno_test::GpsdDaemon gpsd;
    if (!gpsd.problem().empty())
        GTEST_SKIP() << gpsd.problem();
    testing_support::TempDevice device;
    ASSERT_TRUE(platform::serial::configure_gpsd("127.0.0.1:" + std::to_string(gpsd.port())));
    // The port selection offers the multiplexer's port by the registry; the link opens it by name.
    const auto driver_port
        = platform::registry::query_text(platform::serial::kMultiplexerKey, platform::serial::kMultiplexerValue);
    ASSERT_TRUE(driver_port);
    gps::SetGpsPortName(*driver_port);
    platform::serial::Handle port = gps::OpenGpsPort(gps::GetGpsPortName());
    ASSERT_NE(port, nullptr);

    const std::vector<std::string> lines = lines_of(kLog);
    const std::vector<gps::FixDegrees> expected = valid_positions(lines);
    ASSERT_FALSE(expected.empty());
    bool fixed = false;
    double northing = 0, easting = 0, elevation = 0;
    int zone = 0;
    // The log goes in over and over, a few lines every 50 ms, until a fix has come through (at most
    // about 15 seconds).
    for (size_t i = 0; i < 3000 && !fixed; ++i) {
        gpsd.send(lines[i % lines.size()]);
        if (i % 4 != 3)
            continue;
        usleep(50000);
        if (gps::ReadGpsPort(port) != 0)
            gps::PollGps(gps::GpsMode::Position);
        fixed = gps::TakeFix() && gps::GetFixGrid(&northing, &easting, &elevation, &zone);
    }
    platform::serial::close(port);
    ASSERT_TRUE(fixed) << "no fix came through gpsd";
    EXPECT_EQ(zone, 10);
    const gps::FixDegrees fix = gps::GetFixDegrees();
    bool known = false;
    for (const gps::FixDegrees& p : expected)
        known = known || (p.latitude == fix.latitude && p.longitude == fix.longitude);
    EXPECT_TRUE(known) << "the fix " << fix.latitude << ", " << fix.longitude << " is not a position of the log";
}

}  // namespace
