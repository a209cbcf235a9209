// The receiver link: port handling, the latched fix and its hold, the sentence handlers and the
// satellite table, fed through a real replay port.

#include "gps/gps_link.h"

#include "gps/ellipsoid.h"
#include "gps/utm.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

namespace {

using varno_test::LinkTest;
using varno_test::nmea_line;

const std::string kGga = nmea_line("GPGGA,030858.00,4907.85331,N,12243.19743,W,1,03,9.97,516.7,M,-16.7,M,,");
const double kLat = 49.0 + 7.0 / 60.0 + 51.19 / 3600.0;       // 0.8533 minute = 51.19 seconds, truncated
const double kLon = -(122.0 + 43.0 / 60.0 + 11.84 / 3600.0);  // 0.1974 minute = 11.844 seconds

TEST_F(LinkTest, PortNameDefaultsToCom3AndIsCutTo19Characters)
{
    EXPECT_EQ(gps::GetGpsPortName(), u"COM3:");
    gps::SetGpsPortName(u"GPD0:");
    EXPECT_EQ(gps::GetGpsPortName(), u"GPD0:");
    gps::SetGpsPortName(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(gps::GetGpsPortName(), u"ABCDEFGHIJKLMNOPQRS");
    gps::SetGpsPortName(u"");
    EXPECT_EQ(gps::GetGpsPortName(), u"");
    EXPECT_EQ(gps::OpenGpsPort(gps::GetGpsPortName()), nullptr);
}

TEST_F(LinkTest, OpeningFallsBackToSharedReadingAndFailsWhenHeldExclusively)
{
    const std::string path = m_device->write_host_file("log.nmea", kGga);
    ASSERT_TRUE(platform::serial::configure_port(u"COM3:", "replay:" + path));
    namespace serial = platform::serial;
    serial::Handle reader = serial::open(u"COM3:", serial::Access::Read, serial::kShareRead);
    ASSERT_NE(reader, nullptr);
    serial::Handle second = gps::OpenGpsPort(u"COM3:");  // read-only, sharing reads
    EXPECT_NE(second, nullptr);
    serial::close(second);
    serial::close(reader);

    serial::Handle exclusive = gps::OpenGpsPort(u"COM3:");
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(gps::OpenGpsPort(u"COM3:"), nullptr);
    serial::close(exclusive);
    EXPECT_EQ(gps::OpenGpsPort(u"COM9:"), nullptr);  // not configured
}

TEST_F(LinkTest, ReadingStopsWhenTheBufferIsFull)
{
    play(std::string(700, 'x'));
    EXPECT_EQ(gps::ReadGpsPort(nullptr), 0u);
    platform::clock::advance_ms(700);
    EXPECT_EQ(gps::ReadGpsPort(m_port), 512u);
    EXPECT_EQ(gps::ReadGpsPort(m_port), 0u);
    gps::PollGps(gps::GpsMode::Position);  // garbage without '$' is discarded
    EXPECT_EQ(gps::ReadGpsPort(m_port), 188u);
}

TEST_F(LinkTest, AValidGgaGivesAFixProjectedOnWgs84)
{
    play(kGga);
    tick(kGga.size());
    ASSERT_TRUE(gps::TakeFix());
    EXPECT_TRUE(gps::TakeFix());  // the flag stays set
    const gps::FixDegrees fix = gps::GetFixDegrees();
    EXPECT_NEAR(fix.latitude, kLat, 1e-9);
    EXPECT_NEAR(fix.longitude, kLon, 1e-9);
    EXPECT_EQ(gps::GetFixTime(), 3 * 3600 + 8 * 60 + 58);

    double n = 0, e = 0, elevation = 0;
    int zone = 0;
    ASSERT_TRUE(gps::GetFixGrid(&n, &e, &elevation, &zone));
    gps::Ellipsoid wgs84;
    gps::SelectEllipsoid(&wgs84, "WGS84");
    int expected_zone = 0;
    double expected_n = 0, expected_e = 0;
    gps::GeographicToGrid(wgs84, kLat, kLon, &expected_zone, &expected_n, &expected_e);
    EXPECT_EQ(zone, 10);
    EXPECT_NEAR(n, expected_n, 1e-6);
    EXPECT_NEAR(e, expected_e, 1e-6);
    EXPECT_EQ(elevation, 516.7);
    // Taken: the flag is clear until the next poll brings a fix.
    EXPECT_FALSE(gps::TakeFix());
    EXPECT_FALSE(gps::GetFixGrid(&n, &e, &elevation, &zone));
}

TEST_F(LinkTest, VoidStatusAndNoMeasuredQualityGiveNoFix)
{
    const std::string log = nmea_line("GPGLL,4907.85331,N,12243.19743,W,030858.00,V,N")
        + nmea_line("GPRMC,030858.00,V,4907.85331,N,12243.19743,W,0.0,0.0,100806,,,N")
        + nmea_line("GPGGA,030858.00,4907.85331,N,12243.19743,W,0,03,9.97,516.7,M,-16.7,M,,")
        + nmea_line("GPGGA,030858.00,4907.85331,N,12243.19743,W,7,03,9.97,516.7,M,-16.7,M,,")
        + nmea_line("GPGGA,030858.00,4907.85331,N,12243.19743,W,8,03,9.97,516.7,M,-16.7,M,,")
        + nmea_line("GPGGA,030858.00,4907.85331,N,12243.19743,W,,03,9.97,516.7,M,-16.7,M,,");
    play(log);
    tick(log.size());
    EXPECT_FALSE(gps::TakeFix());
}

TEST_F(LinkTest, EveryQualityFromOneToSixIsAFix)
{
    for (char q = '1'; q <= '6'; ++q) {
        gps::ResetGpsLink();
        platform::serial::close(m_port);
        const std::string gga
            = nmea_line(std::string("GPGGA,030858.00,4907.85331,N,12243.19743,W,") + q + ",03,9.97,516.7,M,-16.7,M,,");
        play(gga);
        tick(gga.size());
        EXPECT_TRUE(gps::TakeFix()) << q;
    }
}

TEST_F(LinkTest, RmcAndGllFromAnyTalkerButNotOtherIdentifiers)
{
    const std::string log = nmea_line("GNRMC,120000.00,A,0030.0000,S,00030.0000,W,0.0,0.0,010120,,,A");
    play(log);
    tick(log.size());
    ASSERT_TRUE(gps::TakeFix());
    EXPECT_DOUBLE_EQ(gps::GetFixDegrees().latitude, -0.5);
    EXPECT_DOUBLE_EQ(gps::GetFixDegrees().longitude, -0.5);
    EXPECT_EQ(gps::GetFixTime(), 12 * 3600);

    for (const char* id : {"GLGLL", "GAGLL", "GBGLL", "GQGLL"}) {
        gps::ResetGpsLink();
        platform::serial::close(m_port);
        const std::string gll = nmea_line(std::string(id) + ",4404.14066,N,12118.85481,W,171925.00,A,A");
        play(gll);
        tick(gll.size());
        EXPECT_TRUE(gps::TakeFix()) << id;
        EXPECT_NEAR(gps::GetFixDegrees().latitude, 44.0 + 4.1406 / 60.0, 1e-5) << id;
    }
    for (const char* id : {"G1GLL", "gpGLL", "GPGLLX", "GPGL"}) {
        gps::ResetGpsLink();
        platform::serial::close(m_port);
        const std::string gll = nmea_line(std::string(id) + ",4404.14066,N,12118.85481,W,171925.00,A,A");
        play(gll);
        tick(gll.size());
        EXPECT_FALSE(gps::TakeFix()) << id;
    }
}

TEST_F(LinkTest, ASentenceSplitAcrossTwoReadsIsParsedOnTheTickThatCompletesIt)
{
    play(kGga);
    EXPECT_EQ(tick(40), 40u);
    EXPECT_FALSE(gps::TakeFix());
    tick(kGga.size() - 40);
    EXPECT_TRUE(gps::TakeFix());
}

TEST_F(LinkTest, SentencesWithAWrongChecksumAreNotUsed)
{
    std::string bad = kGga;
    bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';
    play(bad);
    tick(bad.size());
    EXPECT_FALSE(gps::TakeFix());
}

TEST_F(LinkTest, AFixIsHeldForLessThanThreeSeconds)
{
    // At 50 bytes per second each 50-byte sentence without a fix arrives one second after the one before.
    std::string body = "GPTXT,01,01,02,";
    body += std::string(44 - body.size(), 'x');
    const std::string no_fix = nmea_line(body);
    ASSERT_EQ(no_fix.size(), 50u);
    play(kGga + no_fix + no_fix + no_fix, 50);
    tick(kGga.size() * 20);
    ASSERT_TRUE(gps::TakeFix());
    tick(1000);
    EXPECT_TRUE(gps::TakeFix());
    tick(1000);
    EXPECT_TRUE(gps::TakeFix());  // two seconds after the fix
    tick(1000);
    EXPECT_FALSE(gps::TakeFix());  // three seconds after it
}

TEST_F(LinkTest, NothingReadLeavesTheFlagAndAPollWithoutSentencesClearsIt)
{
    play(kGga + "$GPGSA,A,1");
    tick(kGga.size());
    ASSERT_TRUE(gps::TakeFix());
    EXPECT_EQ(tick(0), 0u);  // nothing came: nothing parsed, the flag keeps its value
    EXPECT_TRUE(gps::TakeFix());
    tick(10);  // only a fragment came
    EXPECT_FALSE(gps::TakeFix());
    gps::ResetFix();
}

TEST_F(LinkTest, TakeFixRestoresTheLatchedPositionOverLaterInvalidSentences)
{
    const std::string later = nmea_line("GPGGA,030859.00,5000.00000,N,12000.00000,W,0,03,9.97,900.0,M,-16.7,M,,");
    play(kGga + later);
    tick(kGga.size() + later.size());
    ASSERT_TRUE(gps::TakeFix());
    const gps::FixDegrees fix = gps::GetFixDegrees();
    EXPECT_NEAR(fix.latitude, kLat, 1e-9);
    EXPECT_EQ(fix.altitude, 516.7);
    EXPECT_EQ(gps::GetFixTime(), 3 * 3600 + 8 * 60 + 58);
}

TEST_F(LinkTest, TheNewestFixOfABatchIsLatched)
{
    const std::string newer = nmea_line("GPGGA,030859.00,4907.85396,N,12243.19848,W,1,03,9.97,517.0,M,-16.7,M,,");
    play(kGga + newer);
    tick(kGga.size() + newer.size());
    ASSERT_TRUE(gps::TakeFix());
    EXPECT_EQ(gps::GetFixDegrees().altitude, 517.0);
    EXPECT_EQ(gps::GetFixTime(), 3 * 3600 + 8 * 60 + 59);
}

TEST_F(LinkTest, ModesParseOnlyTheirOwnSentences)
{
    const std::string gsv = nmea_line("GPGSV,1,1,01,07,45,090,30");
    play(kGga + gsv + kGga + gsv);
    tick(kGga.size() + gsv.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatelliteCount(), 1);
    EXPECT_FALSE(gps::TakeFix());  // the GGA was passed over
    gps::ResetGpsLink();
    tick(kGga.size() + gsv.size(), gps::GpsMode::Position);
    EXPECT_TRUE(gps::TakeFix());
    EXPECT_EQ(gps::GetSatelliteCount(), 0);
}

TEST_F(LinkTest, SatellitesFillTheTableFourPerMessage)
{
    const std::string log = nmea_line("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00")
        + nmea_line("GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00")
        + nmea_line("GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00,,,,");
    play(log);
    tick(log.size(), gps::GpsMode::Satellites);
    ASSERT_EQ(gps::GetSatelliteCount(), 11);
    const int prns[] = {3, 4, 6, 13, 14, 16, 18, 19, 22, 24, 27};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(gps::GetSatellite(i).prn, prns[i]) << i;
    EXPECT_EQ(gps::GetSatellite(5).snr100, 3900);
    EXPECT_EQ(gps::GetSatellite(5).elevation, 57);
    EXPECT_EQ(gps::GetSatellite(5).azimuth, 208);
    EXPECT_EQ(gps::GetSatellite(7).snr100, 0);
    EXPECT_EQ(gps::GetSatellite(9).snr100, 4300);
    EXPECT_EQ(gps::GetSatellite(-1).prn, 0);
    EXPECT_EQ(gps::GetSatellite(gps::kSatelliteCapacity).prn, 0);
}

TEST_F(LinkTest, TheFourthSatelliteKeepsItsSnrBeforeTheChecksum)
{
    // NMEA 4.1 adds a signal id after the fourth group; without it the SNR is the last field.
    const std::string log = nmea_line("GPGSV,1,1,04,01,10,100,11,02,20,200,22,03,30,300,33,04,40,040,44")
        + nmea_line("GPGSV,1,1,04,01,10,100,11,02,20,200,22,03,30,300,33,04,40,040,45,1");
    play(log);
    tick(log.size() / 2 + 1, gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatellite(3).snr100, 4400);
    tick(log.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatellite(3).snr100, 4500);
}

TEST_F(LinkTest, GsvMessageNumbersAndCountsOutsideTheTableAreBounded)
{
    const std::string fill = nmea_line("GPGSV,7,7,28,25,10,100,11,26,20,200,22,27,30,300,33,28,40,040,44");
    const std::string beyond = nmea_line("GPGSV,9,8,40,29,10,100,11,30,20,200,22,31,30,300,33,32,40,040,44");
    const std::string zero = nmea_line("GPGSV,9,0,40,33,10,100,11,34,20,200,22,35,30,300,33,36,40,040,44");
    const std::string many = nmea_line("GPGSV,9,1,99,01,10,100,11,02,20,200,22,03,30,300,33,04,40,040,44");
    const std::string huge = nmea_line("GPGSV,1,1,04,01,10,100,99999999999,,,,,,,,,,,,");
    const std::string glonass = nmea_line("GLGSV,1,1,01,65,10,100,11");
    play(fill + beyond + zero + many + huge + glonass);
    tick(fill.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatelliteCount(), 28);
    EXPECT_EQ(gps::GetSatellite(27).prn, 28);
    tick(beyond.size() + zero.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatellite(27).prn, 28);  // messages 8 and 0 were not written anywhere
    EXPECT_EQ(gps::GetSatellite(0).prn, 0);
    tick(many.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatelliteCount(), gps::kSatelliteCapacity);
    EXPECT_EQ(gps::GetSatellite(0).prn, 1);
    tick(huge.size() + glonass.size(), gps::GpsMode::Satellites);
    EXPECT_EQ(gps::GetSatelliteCount(), 4);  // GLGSV did not count
    EXPECT_EQ(gps::GetSatellite(0).prn, 1);
    EXPECT_GT(gps::GetSatellite(0).snr100, 0);  // saturated, not overflowed
}

TEST_F(LinkTest, NavigationPortIsSharedUntilCleared)
{
    EXPECT_FALSE(gps::IsNavigationOpen());
    play(kGga);
    gps::SetNavigationPort(m_port);
    EXPECT_TRUE(gps::IsNavigationOpen());
    EXPECT_EQ(gps::GetNavigationPort(), m_port);
    gps::ClearNavigationPort();
    EXPECT_FALSE(gps::IsNavigationOpen());
    EXPECT_EQ(gps::GetNavigationPort(), nullptr);
}

}  // namespace
