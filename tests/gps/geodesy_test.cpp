// Ellipsoids and the UTM conversions: the table, the zone rules, the sign conventions, round trips, and the
// projection against GeographicLib's command-line tools as an independent reference.

#include "gps/ellipsoid.h"
#include "gps/utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

gps::Ellipsoid wgs84()
{
    gps::Ellipsoid e;
    gps::SelectEllipsoid(&e, "WGS84");
    return e;
}

// Latitude from the inverse back in signed degrees (the inverse reports southern ones as 360 - |lat|).
double signed_latitude(double reported)
{
    return reported >= 180.0 ? reported - 360.0 : reported;
}

TEST(Ellipsoid, EveryTableEntryIsSelectedWithItsAxesAndEccentricity)
{
    struct Row {
        const char* name;
        double a;
        double b;
        double inverse_f;
    };
    const Row rows[] = {
        {"GRS80", 6378137.0, 6356752.314, 298.257222101},
        {"CLARKE 1866", 6378206.4, 6356583.8, 294.9786982},
        {"ATS77", 6378135.0, 6356750.305, 298.257},
        {"NWL 9D", 6378145.0, 6356759.769, 298.25},
        {"INTERNATIONAL", 6378388.0, 6356911.946, 297.0},
        {"BESSEL", 6377397.155, 6356078.963, 299.1528128},
        {"KRASSOVSKY", 6378245.0, 6356863.019, 298.3},
        {"EVEREST", 6377276.345, 6356075.413, 300.8017},
        {"CLARKE 1880", 6378249.145, 6356514.869, 293.465},
        {"AUSTRALIAN N.", 6378160.0, 6356774.719, 298.25},
        {"WGS72", 6378135.0, 6356750.52, 298.26},
        {"AVG.TERRESTRIAL", 6378135.0, 6356750.305, 298.257},
        {"WGS84", 6378137.0, 6356752.314, 298.257223563},
    };
    for (const Row& row : rows) {
        gps::Ellipsoid e;
        EXPECT_TRUE(gps::SelectEllipsoid(&e, row.name)) << row.name;
        EXPECT_EQ(e.a, row.a) << row.name;
        EXPECT_EQ(e.b, row.b) << row.name;
        EXPECT_EQ(e.f, 1.0 / row.inverse_f) << row.name;
        const double one_minus_f = 1.0 - e.f;
        EXPECT_NEAR(e.e2, 1.0 - one_minus_f * one_minus_f, 1e-15) << row.name;
    }
}

TEST(Ellipsoid, UnknownOrMiscasedNameKeepsAxesAndRecomputesEccentricity)
{
    gps::Ellipsoid e;
    ASSERT_TRUE(gps::SelectEllipsoid(&e, "BESSEL"));
    e.f = 0.01;  // as if a caller had changed it
    e.e2 = 0.0;
    EXPECT_FALSE(gps::SelectEllipsoid(&e, "wgs84"));
    EXPECT_FALSE(gps::SelectEllipsoid(&e, "WGS84 "));
    EXPECT_EQ(e.a, 6377397.155);
    EXPECT_EQ(e.b, 6356078.963);
    EXPECT_EQ(e.f, 0.01);
    EXPECT_DOUBLE_EQ(e.e2, 0.02 - 0.0001);
}

TEST(UtmZones, ZoneAndCentralMeridianRules)
{
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(123.0), 10);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(126.0), 9);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(357.0), 31);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(0.0), 30);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(179.999), 1);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(180.0), 60);
    EXPECT_EQ(gps::UtmZoneOfWestLongitude(std::nan("")), 30);
    EXPECT_EQ(gps::UtmCentralMeridianWest(10), 123.0);
    EXPECT_EQ(gps::UtmCentralMeridianWest(30), 3.0);
    EXPECT_EQ(gps::UtmCentralMeridianWest(31), 357.0);
    EXPECT_EQ(gps::UtmCentralMeridianWest(60), 183.0 + 0.0);
    EXPECT_EQ(gps::UtmCentralMeridianWest(1), 177.0);

    const gps::Ellipsoid e = wgs84();
    double n = 0, east = 0;
    for (double lon : {-123.000001, -122.999999, -123.0}) {
        int zone = 0;
        gps::GeographicToGrid(e, 49.0, lon, &zone, &n, &east);
        EXPECT_EQ(zone, 10) << lon;
    }
    int zone = 0;
    gps::GeographicToGrid(e, 49.0, -126.0, &zone, &n, &east);
    EXPECT_EQ(zone, 9);
    zone = 0;
    gps::GeographicToGrid(e, 49.0, 3.0, &zone, &n, &east);
    EXPECT_EQ(zone, 31);
    EXPECT_NEAR(east, 500000.0, 1e-6);
    zone = 17;  // a zone given is kept
    gps::GeographicToGrid(e, 49.0, -123.0, &zone, &n, &east);
    EXPECT_EQ(zone, 17);
}

TEST(UtmForward, OnTheCentralMeridianTheNorthingIsTheScaledArc)
{
    const gps::Ellipsoid e = wgs84();
    int zone = 0;
    double n = 0, east = 0;
    gps::GeographicToGrid(e, 49.0, -123.0, &zone, &n, &east);
    EXPECT_EQ(east, 500000.0);
    EXPECT_DOUBLE_EQ(n, 0.9996 * gps::MeridianDistance(e, 49.0 * std::numbers::pi / 180.0));
    // GeographicLib's exact projection puts 49 N on the central meridian at 5 427 455.7812 m.
    EXPECT_NEAR(n, 5427455.7812, 0.001);
}

TEST(UtmForward, SouthernLatitudesHaveNegativeNorthingsAndComeBackAsThreeSixtyMinus)
{
    const gps::Ellipsoid e = wgs84();
    int zone = 0;
    double n = 0, east = 0;
    gps::GeographicToGrid(e, -37.5, 178.5, &zone, &n, &east);
    EXPECT_EQ(zone, 60);
    EXPECT_LT(n, -4000000.0);
    EXPECT_GT(east, 500000.0);  // east of the central meridian at 177 E
    double lat = 0, lon_west = 0;
    gps::GridToGeographic(e, n, east, zone, &lat, &lon_west);
    EXPECT_NEAR(lat, 360.0 - 37.5, 1e-8);
    EXPECT_NEAR(lon_west, 360.0 - 178.5, 1e-8);
}

TEST(UtmForward, EastAndWestOfTheCentralMeridianAreMirrorImages)
{
    const gps::Ellipsoid e = wgs84();
    double n_east = 0, e_east = 0, n_west = 0, e_west = 0;
    int zone = 10;
    gps::GeographicToGrid(e, 40.0, -120.5, &zone, &n_east, &e_east);
    gps::GeographicToGrid(e, 40.0, -125.5, &zone, &n_west, &e_west);
    EXPECT_NEAR(e_east - 500000.0, 500000.0 - e_west, 1e-6);
    EXPECT_NEAR(n_east, n_west, 1e-6);
}

TEST(UtmForward, PointsAcrossThePrimeMeridianAreProjectedTheShortWayRound)
{
    const gps::Ellipsoid e = wgs84();
    // Zone 31 has its central meridian at 3 E: 0.5 W and 6.5 E lie 3.5 degrees either side of it.
    int zone = 31;
    double n_west = 0, e_west = 0, n_east = 0, e_east = 0;
    gps::GeographicToGrid(e, 51.0, -0.5, &zone, &n_west, &e_west);
    gps::GeographicToGrid(e, 51.0, 6.5, &zone, &n_east, &e_east);
    EXPECT_NEAR(e_west - 500000.0, 500000.0 - e_east, 1e-6);
    EXPECT_NEAR(n_west, n_east, 1e-6);
    // A longitude a hair east of 0 (where -lon + 360 rounds to 360) projects like 0 itself.
    int zone_tiny = 0, zone_zero = 0;
    double n_tiny = 0, e_tiny = 0, n_zero = 0, e_zero = 0;
    gps::GeographicToGrid(e, 51.0, 1e-17, &zone_tiny, &n_tiny, &e_tiny);
    gps::GeographicToGrid(e, 51.0, 0.0, &zone_zero, &n_zero, &e_zero);
    EXPECT_EQ(zone_tiny, zone_zero);
    EXPECT_NEAR(e_tiny, e_zero, 1e-6);
    EXPECT_NEAR(n_tiny, n_zero, 1e-6);
}

TEST(UtmRoundTrip, GeographicToGridToGeographicWithinThreeDegreesOfTheCentralMeridian)
{
    for (const char* name : {"WGS84", "CLARKE 1866", "INTERNATIONAL", "BESSEL"}) {
        gps::Ellipsoid e;
        ASSERT_TRUE(gps::SelectEllipsoid(&e, name));
        for (int zone : {1, 10, 17, 30, 31, 33, 60}) {
            const double cm_east = -gps::UtmCentralMeridianWest(zone);
            for (double lat = -80.0; lat <= 84.0; lat += 8.2) {
                for (double dlon = -2.95; dlon <= 2.95; dlon += 0.59) {
                    int z = zone;
                    double n = 0, east = 0, lat_back = 0, lon_west = 0;
                    gps::GeographicToGrid(e, lat, cm_east + dlon, &z, &n, &east);
                    gps::GridToGeographic(e, n, east, zone, &lat_back, &lon_west);
                    EXPECT_NEAR(signed_latitude(lat_back), lat, 1e-8) << name << " " << zone << " " << dlon;
                    double lon_east = -lon_west;
                    double diff = std::remainder(lon_east - (cm_east + dlon), 360.0);
                    EXPECT_NEAR(diff, 0.0, 1e-8) << name << " " << zone << " " << lat << " " << dlon;
                    EXPECT_GE(lon_west, 0.0);
                    EXPECT_LT(lon_west, 360.0);
                }
            }
        }
    }
}

TEST(UtmInverse, OutlandishGridValuesEndTheSearch)
{
    const gps::Ellipsoid e = wgs84();
    double lat = 0, lon = 0;
    gps::GridToGeographic(e, 1e15, 500000.0, 10, &lat, &lon);  // returns at all: the search is bounded
    gps::GridToGeographic(e, std::nan(""), 500000.0, 10, &lat, &lon);
    EXPECT_TRUE(std::isnan(lat));
    gps::GridToGeographic(e, 0.0, 500000.0, 10, &lat, &lon);
    EXPECT_NEAR(lat, 0.0, 1e-9);
    EXPECT_NEAR(lon, 123.0, 1e-12);
}

// ---- GeographicLib as the reference ---------------------------------------------------------------------

bool tool_available(const char* name)
{
    const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

struct Geo {
    double lat;
    double lon_east;
};

std::string temp_file_with(const std::string& text)
{
    char path[] = "/tmp/varno-geodesy-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    const ssize_t written = write(fd, text.data(), text.size());
    EXPECT_EQ(written, static_cast<ssize_t>(text.size()));
    close(fd);
    return path;
}

// Runs the tool over the points (one "lat lon" line each) and returns its output lines.
std::vector<std::string> run_tool(const std::string& arguments, const std::vector<Geo>& points)
{
    std::ostringstream input;
    input.precision(15);
    for (const Geo& p : points)
        input << p.lat << ' ' << p.lon_east << '\n';
    const std::string path = temp_file_with(input.str());
    const std::string command = arguments + " --input-file " + path;
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    if (pipe) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe))
            lines.emplace_back(line);
        EXPECT_EQ(pclose(pipe), 0) << command;
    }
    std::remove(path.c_str());
    return lines;
}

std::vector<Geo> grid_of_points(double cm_east)
{
    std::vector<Geo> points;
    for (double lat = -79.5; lat <= 83.5; lat += 6.52)
        for (double dlon = -3.0; dlon <= 3.0; dlon += 0.75)
            points.push_back({lat, cm_east + dlon});
    return points;
}

TEST(UtmAgainstGeographicLib, ForwardAgreesToAMillimetreWithinThreeDegrees)
{
    if (!tool_available("TransverseMercatorProj"))
        GTEST_SKIP() << "GeographicLib's TransverseMercatorProj is not installed (geographiclib-tools)";
    struct Case {
        const char* name;
        const char* inverse_f;
        int zone;
    };
    const Case cases[] = {
        {"WGS84", "298.257223563", 10},
        {"WGS84", "298.257223563", 31},
        {"WGS84", "298.257223563", 60},
        {"WGS84", "298.257223563", 33},
        {"INTERNATIONAL", "297", 17},
        {"CLARKE 1866", "294.9786982", 1},
    };
    for (const Case& c : cases) {
        gps::Ellipsoid e;
        ASSERT_TRUE(gps::SelectEllipsoid(&e, c.name));
        const double cm_east = -gps::UtmCentralMeridianWest(c.zone);
        const std::vector<Geo> points = grid_of_points(cm_east);
        std::ostringstream args;
        args.precision(12);
        args << "TransverseMercatorProj -k 0.9996 -p 6 -l " << cm_east << " -e " << e.a << " 1/" << c.inverse_f;
        const std::vector<std::string> lines = run_tool(args.str(), points);
        ASSERT_EQ(lines.size(), points.size()) << args.str();
        for (size_t i = 0; i < points.size(); ++i) {
            double x = 0, y = 0;
            ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf %lf", &x, &y), 2) << lines[i];
            int zone = c.zone;
            double n = 0, east = 0;
            gps::GeographicToGrid(e, points[i].lat, points[i].lon_east, &zone, &n, &east);
            EXPECT_NEAR(east, 500000.0 + x, 0.001)
                << c.name << " zone " << c.zone << " at " << points[i].lat << ", " << points[i].lon_east;
            EXPECT_NEAR(n, y, 0.001) << c.name << " zone " << c.zone << " at " << points[i].lat << ", "
                                     << points[i].lon_east;
        }
    }
}

TEST(UtmAgainstGeographicLib, InverseAgreesWithinThreeDegrees)
{
    if (!tool_available("TransverseMercatorProj"))
        GTEST_SKIP() << "GeographicLib's TransverseMercatorProj is not installed (geographiclib-tools)";
    const gps::Ellipsoid e = wgs84();
    const int zone = 18;
    const double cm_east = -gps::UtmCentralMeridianWest(zone);
    const std::vector<Geo> points = grid_of_points(cm_east);
    std::ostringstream args;
    args << "TransverseMercatorProj -k 0.9996 -p 6 -l " << cm_east;
    const std::vector<std::string> lines = run_tool(args.str(), points);
    ASSERT_EQ(lines.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        double x = 0, y = 0, lat = 0, lon_west = 0;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf %lf", &x, &y), 2);
        gps::GridToGeographic(e, y, 500000.0 + x, zone, &lat, &lon_west);
        // 1e-8 degrees is about a millimetre on the ground.
        EXPECT_NEAR(signed_latitude(lat), points[i].lat, 1e-8) << points[i].lat << ", " << points[i].lon_east;
        EXPECT_NEAR(std::remainder(-lon_west - points[i].lon_east, 360.0), 0.0,
            1e-8 / std::cos(points[i].lat * std::numbers::pi / 180.0));
    }
}

TEST(UtmAgainstGeographicLib, AutomaticZonesMatchGeoConvert)
{
    if (!tool_available("GeoConvert"))
        GTEST_SKIP() << "GeographicLib's GeoConvert is not installed (geographiclib-tools)";
    std::vector<Geo> points;
    // Away from zone edges and from the Norway and Svalbard exceptions, which the program does not make.
    for (double lat : {-60.0, -33.3, -0.5, 0.5, 21.0, 49.0, 55.0})
        for (double lon = -178.5; lon < 180.0; lon += 13.0)
            points.push_back({lat, lon});
    const std::vector<std::string> lines = run_tool("GeoConvert -u -p 3", points);
    ASSERT_EQ(lines.size(), points.size());
    const gps::Ellipsoid e = wgs84();
    for (size_t i = 0; i < points.size(); ++i) {
        int tool_zone = 0;
        char hemisphere = 0;
        double tool_e = 0, tool_n = 0;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d%c %lf %lf", &tool_zone, &hemisphere, &tool_e, &tool_n), 4)
            << lines[i];
        int zone = 0;
        double n = 0, east = 0;
        gps::GeographicToGrid(e, points[i].lat, points[i].lon_east, &zone, &n, &east);
        EXPECT_EQ(zone, tool_zone) << points[i].lat << ", " << points[i].lon_east;
        EXPECT_NEAR(east, tool_e, 0.002);
        EXPECT_NEAR(hemisphere == 's' ? n + 10000000.0 : n, tool_n, 0.002);
    }
}

}  // namespace
