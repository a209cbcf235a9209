// The averaged GPS position as computation: the running mean and population deviation against an
// independent two-pass computation (small cases, a long run of UTM-sized coordinates, the stationary part
// of a real log), samples on both sides of a zone edge, and the hemisphere letters of the mean.

#include "gps/ellipsoid.h"
#include "gps/hemisphere_text.h"
#include "gps/position_average.h"
#include "gps/utm.h"

#include "link_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using varno_test::LinkTest;

gps::Ellipsoid wgs84()
{
    gps::Ellipsoid e;
    gps::SelectEllipsoid(&e, "WGS84");
    return e;
}

// Mean and population deviation by two passes in long double.
struct TwoPass {
    long double mean = 0, deviation = 0;
};
TwoPass two_pass(const std::vector<double>& x)
{
    long double sum = 0;
    for (double v : x)
        sum += v;
    TwoPass r;
    r.mean = sum / x.size();
    long double squares = 0;
    for (double v : x)
        squares += (v - r.mean) * (v - r.mean);
    r.deviation = std::sqrt(squares / x.size());
    return r;
}

struct Projected {
    std::vector<double> north, east, elevation;
};

// Each fix projected into `zone` as an independent check of the averaging's own projection.
void project(Projected* p, double lat, double lon, double elevation, int zone)
{
    double n = 0, e = 0;
    gps::GeographicToGrid(wgs84(), lat, lon, &zone, &n, &e);
    p->north.push_back(n);
    p->east.push_back(e);
    p->elevation.push_back(elevation);
}

void expect_matches(const gps::PositionAverage& a, const Projected& p, double tolerance)
{
    const TwoPass n = two_pass(p.north), e = two_pass(p.east), h = two_pass(p.elevation);
    EXPECT_NEAR(a.northing().mean, double(n.mean), tolerance);
    EXPECT_NEAR(a.easting().mean, double(e.mean), tolerance);
    EXPECT_NEAR(a.elevation().mean, double(h.mean), tolerance);
    EXPECT_NEAR(a.northing().deviation, double(n.deviation), tolerance);
    EXPECT_NEAR(a.easting().deviation, double(e.deviation), tolerance);
    EXPECT_NEAR(a.elevation().deviation, double(h.deviation), tolerance);
}

TEST(PositionAverage, SmallCasesAndRefusedSamples)
{
    gps::PositionAverage a;
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(a.northing().mean, 0.0);
    EXPECT_FALSE(a.add(NAN, 10, 0));
    EXPECT_FALSE(a.add(45, INFINITY, 0));
    EXPECT_FALSE(a.add(45, 10, NAN));
    EXPECT_EQ(a.count(), 0) << "a refused sample is not counted";

    ASSERT_TRUE(a.add(45, 10, 10));
    EXPECT_EQ(a.count(), 1);
    EXPECT_EQ(a.northing().deviation, 0.0);
    EXPECT_EQ(a.easting().deviation, 0.0);
    EXPECT_EQ(a.elevation().deviation, 0.0);
    EXPECT_EQ(a.zone(), 32);

    ASSERT_TRUE(a.add(45, 10, 12));
    EXPECT_DOUBLE_EQ(a.elevation().mean, 11.0);
    EXPECT_DOUBLE_EQ(a.elevation().deviation, 1.0);
    EXPECT_EQ(a.northing().deviation, 0.0) << "the same place twice has no spread";
    const gps::GeographicPosition m = a.mean_position();
    EXPECT_NEAR(m.latitude, 45, 1e-8);
    EXPECT_NEAR(m.longitude_east, 10, 1e-8);
}

TEST(PositionAverage, LongRunOfUtmSizedCoordinatesKeepsItsMillimetres)
{
    // 3600 samples a centimetre apart around 49 N 123 W (northing about 5.4 million metres).
    std::mt19937 random(7);
    std::normal_distribution<double> metres(0.0, 0.01);
    const double per_metre_lat = 1.0 / 111200.0, per_metre_lon = 1.0 / 73000.0;
    gps::PositionAverage a;
    Projected p;
    for (int i = 0; i < 3600; ++i) {
        const double lat = 49.0 + metres(random) * per_metre_lat;
        const double lon = -123.0 + metres(random) * per_metre_lon;
        const double h = 100.0 + metres(random);
        ASSERT_TRUE(a.add(lat, lon, h));
        project(&p, lat, lon, h, 10);
    }
    EXPECT_EQ(a.count(), 3600);
    expect_matches(a, p, 1e-6);
    EXPECT_NEAR(a.northing().deviation, 0.01, 0.001);
}

TEST(PositionAverage, SamplesAcrossAZoneEdgeAreAveragedInTheZoneOfTheFirst)
{
    // A surveyor at 126 W, the edge of zones 9 and 10: fixes fall on both sides of it.
    gps::PositionAverage a;
    Projected p;
    const double lons[] = {-126.00001, -125.99999, -126.00002, -125.99998};
    for (double lon : lons) {
        ASSERT_TRUE(a.add(49.5, lon, 5.0));
        project(&p, 49.5, lon, 5.0, 9);
    }
    EXPECT_EQ(a.zone(), 9);
    expect_matches(a, p, 1e-6);
    EXPECT_LT(a.easting().deviation, 2.0) << "four fixes within 3 m of each other";
    const gps::GeographicPosition m = a.mean_position();
    EXPECT_NEAR(m.latitude, 49.5, 1e-8);
    EXPECT_NEAR(m.longitude_east, -126.0, 1e-7);
}

TEST(PositionAverage, HemisphereLettersOfTheMean)
{
    struct Case {
        double lat, lon;
        const char16_t* lat_text;
        const char16_t* lon_text;
    };
    const Case cases[] = {
        {-34.5, 18.25, u" 34° 30′ 00.00000 S", u" 18° 15′ 00.00000 E"},
        {37.75, -122.5, u" 37° 45′ 00.00000 N", u" 122° 30′ 00.00000 W"},
        {-45.877567167, 170.500111333, u" 45° 52′ 39.24180 S", u" 170° 30′ 00.40080 E"},
    };
    for (const Case& c : cases) {
        gps::PositionAverage a;
        ASSERT_TRUE(a.add(c.lat, c.lon, 0));
        const gps::GeographicPosition m = a.mean_position();
        EXPECT_EQ(gps::LatitudeText(m.latitude, 5), c.lat_text) << c.lat;
        EXPECT_EQ(gps::LongitudeText(m.longitude_east, 5), c.lon_text) << c.lon;
    }
    EXPECT_EQ(gps::LatitudeText(NAN, 5), u"");
}

// The stationary receiver of a real log, averaged as the dialog averages it (a fix on each one-second
// tick that has one), against the two-pass computation over the same fixes.
class StationaryLog : public LinkTest { };

TEST_F(StationaryLog, AveragesAsAnIndependentComputationDoes)
{
    const std::string path = std::string(VARNO_SHARED_DATA_DIR) + "/nmea/navika100-fix-gp-gsv-signalid.nmea";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no NMEA logs at " << path;
    play_file(path, "@480");
    gps::PositionAverage a;
    Projected p;
    for (int t = 0; t < 40; ++t) {
        tick(1000);
        double n, e, h;
        int zone;
        if (!gps::TakeFix() || !gps::GetFixGrid(&n, &e, &h, &zone))
            continue;
        const gps::FixDegrees fix = gps::GetFixDegrees();
        ASSERT_TRUE(a.add(fix.latitude, fix.longitude, fix.altitude));
        project(&p, fix.latitude, fix.longitude, fix.altitude, 10);
        EXPECT_NEAR(p.north.back(), n, 1e-6) << "the fix's own zone is the first's here";
    }
    ASSERT_GE(a.count(), 15);
    expect_matches(a, p, 0.001);
    EXPECT_LT(a.northing().deviation, 0.1) << "a stationary receiver";
}

}  // namespace
