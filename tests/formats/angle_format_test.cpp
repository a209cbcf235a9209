#include "formats/angle_format.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "tests/support/program_state.h"

namespace {

using formats::format_dms;
using formats::format_dot_ms;
using formats::format_quadrant_bearing;

constexpr double kPi = 3.141592653589793;

double dms(double d, double m, double s)
{
    return d + m / 60 + s / 3600;
}

std::string narrow(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

using AngleFormat = testing_support::ProgramStateTest;

TEST_F(AngleFormat, DegreesMinutesSeconds)
{
    EXPECT_EQ(format_dms(123.5), u"123\u00BA 30' 00\"");
    EXPECT_EQ(format_dms(-0.25), u"-0\u00BA 15' 00\"");
    EXPECT_EQ(format_dms(29.999), u"29\u00BA 59' 56\"");
    EXPECT_EQ(format_dms(0), u"0\u00BA 00' 00\"");
    formats::set_angle_decimals(2);
    EXPECT_EQ(format_dms(dms(10, 12, 34.56)), u"10\u00BA 12' 34.56\"");
    formats::set_angle_decimals(7);
    EXPECT_EQ(format_dms(dms(10, 2, 3.25)), u"10\u00BA 02' 03.2500000\"");
}

TEST_F(AngleFormat, SecondsRoundingCarriesIntoMinutesAndDegrees)
{
    EXPECT_EQ(format_dms(359.99999), u"360\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(dms(10, 59, 59.9999)), u"11\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(dms(10, 20, 59.6)), u"10\u00BA 21' 00\"");
    formats::set_angle_decimals(2);
    EXPECT_EQ(format_dms(dms(10, 59, 59.9999)), u"11\u00BA 00' 00.00\"");
    EXPECT_EQ(format_dms(dms(10, 59, 59.994)), u"10\u00BA 59' 59.99\"");
    formats::set_angle_decimals(7);
    EXPECT_EQ(format_dms(dms(10, 59, 59.9999)), u"10\u00BA 59' 59.9999000\"");
}

TEST_F(AngleFormat, SecondsJustBelowTheRoundingLimitStay)
{
    // Seconds of 59.2 print as 59, not as a minute up.
    EXPECT_EQ(format_dms(dms(10, 20, 59.2)), u"10\u00BA 20' 59\"");
    EXPECT_EQ(format_dms(dms(10, 20, 59.4)), u"10\u00BA 20' 59\"");
    formats::set_angle_decimals(1);
    EXPECT_EQ(format_dms(dms(10, 20, 59.93)), u"10\u00BA 20' 59.9\"");
}

TEST_F(AngleFormat, SecondsAlwaysHaveTwoWholeDigits)
{
    EXPECT_EQ(format_dms(dms(0, 0, 9.9999)), u"0\u00BA 00' 10\"");
    EXPECT_EQ(format_dms(dms(0, 0, 9.2)), u"0\u00BA 00' 09\"");
    formats::set_angle_decimals(3);
    EXPECT_EQ(format_dms(dms(0, 0, 9.99999)), u"0\u00BA 00' 10.000\"");
    EXPECT_EQ(format_dms(dms(0, 0, 0.5)), u"0\u00BA 00' 00.500\"");
}

// No text of any angle at any count shows 60 seconds, 60 minutes or a minus in the seconds.
TEST_F(AngleFormat, NoFieldOverflowsAcrossASweep)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> minute(0, 60);
    for (int k = 0; k <= 7; ++k) {
        formats::set_angle_decimals(k);
        for (int i = 0; i < 2000; ++i) {
            double near_whole_minute = std::floor(minute(random)) / 60 - (i % 5) * 1e-12;
            double a = (i % 360) + (i % 2 ? near_whole_minute : minute(random) / 60);
            std::string text = narrow(format_dms(a));
            EXPECT_EQ(text.find("' 60"), std::string::npos) << text;
            EXPECT_EQ(text.find(" 60'"), std::string::npos) << text;
            EXPECT_EQ(text.find("' -"), std::string::npos) << text;
            EXPECT_EQ(text.find("' 0-"), std::string::npos) << text;
        }
    }
}

TEST_F(AngleFormat, RangeOfTheDegreeMinuteSecondText)
{
    EXPECT_EQ(format_dms(-190), u"170\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(-180), u"-180\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(360), u"360\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(720), u"360\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(725), u"5\u00BA 00' 00\"");
    EXPECT_EQ(format_dms(370.5), u"10\u00BA 30' 00\"");
    EXPECT_EQ(format_dms(-1e300).empty(), false);  // finishes, whatever the text
    EXPECT_EQ(format_dms(1e300).empty(), false);
}

TEST_F(AngleFormat, NonFiniteAnglesGiveEmptyText)
{
    double inf = std::numeric_limits<double>::infinity();
    for (double a : {inf, -inf, std::nan("")}) {
        EXPECT_EQ(format_dms(a), u"");
        EXPECT_EQ(format_dot_ms(a), u"");
        EXPECT_EQ(format_quadrant_bearing(a), u"");
        EXPECT_EQ(formats::format_gons(a), u"");
        EXPECT_EQ(formats::format_gons_compact(a), u"");
        EXPECT_EQ(formats::format_latitude_longitude(a, 5), u"");
    }
}

TEST_F(AngleFormat, WholeDegreesFlag)
{
    formats::set_whole_degrees(true);
    EXPECT_EQ(format_dms(359.7), u"359\u00BA");
    EXPECT_EQ(format_dms(0.2), u"0\u00BA");
    EXPECT_EQ(format_dms(-10.5), u"350\u00BA");
    EXPECT_EQ(format_quadrant_bearing(135), u"S45\u00BAE");
    formats::set_angle_mode(formats::kAngleGons);  // the flag does not apply in gons
    EXPECT_EQ(format_dms(359.7), u"359\u00BA 42' 00.000000\"");
}

TEST_F(AngleFormat, CompactDotMinuteSecond)
{
    EXPECT_EQ(format_dot_ms(0.0), u"   0.0000");
    EXPECT_EQ(format_dot_ms(45.504166666666666), u"  45.3015");
    EXPECT_EQ(format_dot_ms(-45.5), u"- 45.3000");
    EXPECT_EQ(format_dot_ms(123.5), u" 123.3000");
    EXPECT_EQ(format_dot_ms(dms(10, 0, 59.2)), u"  10.0059");
    EXPECT_EQ(format_dot_ms(dms(10, 0, 59.6)), u"  10.0100");
    EXPECT_EQ(format_dot_ms(dms(10, 59, 59.7)), u"  11.0000");
    EXPECT_EQ(format_dot_ms(359.99999), u" 360.0000");
    EXPECT_EQ(format_dot_ms(725), u"   5.0000");
}

TEST_F(AngleFormat, QuadrantBearingBoundaries)
{
    EXPECT_EQ(format_quadrant_bearing(0), u"N0\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(90), u"N90\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(135), u"S45\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(180), u"S0\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(270), u"S90\u00BA 00' 00\"W");
    EXPECT_EQ(format_quadrant_bearing(315), u"N45\u00BA 00' 00\"W");
    EXPECT_EQ(format_quadrant_bearing(360), u"N0\u00BA 00' 00\"E");
    // A hair off a cardinal direction takes the letters of the direction it prints as.
    EXPECT_EQ(format_quadrant_bearing(90.0000001), u"N90\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(180.0000001), u"S0\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(359.9999999), u"N0\u00BA 00' 00\"E");
    EXPECT_EQ(format_quadrant_bearing(-90), u"S90\u00BA 00' 00\"W");
    EXPECT_EQ(format_quadrant_bearing(-450), u"S90\u00BA 00' 00\"W");
    EXPECT_EQ(format_quadrant_bearing(810), u"N90\u00BA 00' 00\"E");
}

TEST_F(AngleFormat, GonsDisplayAndCompact)
{
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_EQ(formats::format_gons(kPi / 2), u"100.000000");
    EXPECT_EQ(formats::format_gons(-kPi / 2), u"300.000000");
    EXPECT_EQ(formats::format_gons(0), u"0.000000");
    EXPECT_EQ(formats::format_gons(2 * kPi - 1e-9), u"0.000000") << "never 400, which reads back as 0";
    formats::set_angle_decimals(2);
    EXPECT_EQ(formats::format_gons(kPi), u"200.00");
    EXPECT_EQ(formats::format_gons_compact(kPi), u"200.000000");
    EXPECT_EQ(formats::format_gons(5 * kPi), u"200.00");  // 900 degrees
    // -900 degrees: +360 once on conversion, then +360 while <= -360, leaving -180.
    EXPECT_EQ(formats::format_gons_compact(-5 * kPi), u"-200.000000");
    EXPECT_EQ(formats::format_gons(-5 * kPi), u"-200.00");
}

TEST_F(AngleFormat, AzimuthFollowsTheAngleMode)
{
    EXPECT_EQ(formats::format_azimuth(kPi / 2), u"90\u00BA 00' 00\"");
    EXPECT_EQ(formats::format_azimuth_compact(kPi / 2), u"  90.0000");
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_EQ(formats::format_azimuth(kPi / 2), u"100.000000");
    EXPECT_EQ(formats::format_azimuth_compact(kPi / 2), u"100.000000");
    formats::set_angle_mode(formats::kAngleQuadrant);
    formats::set_angle_decimals(0);
    EXPECT_EQ(formats::format_azimuth(3 * kPi / 4), u"S45\u00BA 00' 00\"E");
    EXPECT_EQ(formats::format_azimuth_compact(3 * kPi / 4), u"S45\u00BA 00' 00\"E");
    formats::set_angle_mode(5);
    EXPECT_EQ(formats::format_azimuth(1), u"");
    EXPECT_EQ(formats::format_azimuth_compact(1), u"");
}

TEST_F(AngleFormat, LatitudeLongitude)
{
    EXPECT_EQ(formats::format_latitude_longitude(12.5, 5), u" 12\u00B0 30\u2032 00.00000");
    EXPECT_EQ(formats::format_latitude_longitude(-0.5, 5), u"-0\u00B0 30\u2032 00.00000");
    EXPECT_EQ(formats::format_latitude_longitude(dms(48, 7, 3.25), 2), u" 48\u00B0 07\u2032 03.25");
    EXPECT_EQ(formats::format_latitude_longitude(-200, 1), u" 160\u00B0 00\u2032 00.0");
    EXPECT_EQ(formats::format_latitude_longitude(dms(12, 59, 59.9999999), 5), u" 13\u00B0 00\u2032 00.00000");
    EXPECT_EQ(formats::format_latitude_longitude(dms(12, 59, 59.9999999), 7), u" 12\u00B0 59\u2032 59.9999999");
}

TEST(AngleUnits, RadiansAndDegrees)
{
    EXPECT_DOUBLE_EQ(formats::radians_to_degrees(kPi), 180);
    EXPECT_DOUBLE_EQ(formats::radians_to_degrees(-kPi / 2), 270);
    EXPECT_DOUBLE_EQ(formats::radians_to_degrees(-3 * kPi), -180);  // 360 is added once only
    EXPECT_EQ(formats::radians_to_degrees(0), 0);
    EXPECT_DOUBLE_EQ(formats::degrees_to_radians(-90), -kPi / 2);
    EXPECT_EQ(formats::degrees_to_radians(1), 0.017453292519943295);
}

using DisplaySettings = testing_support::ProgramStateTest;

TEST_F(DisplaySettings, DefaultsAndTheAngleModeRule)
{
    EXPECT_EQ(formats::angle_mode(), formats::kAngleDegrees);
    EXPECT_EQ(formats::angle_decimals(), 0);
    EXPECT_EQ(formats::coordinate_decimals(), 3);
    EXPECT_EQ(formats::distance_decimals(), 3);
    EXPECT_EQ(formats::area_decimals(), 3);
    EXPECT_FALSE(formats::whole_degrees());
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_EQ(formats::angle_decimals(), 6);
    formats::set_angle_decimals(4);
    formats::set_angle_mode(formats::kAngleQuadrant);
    EXPECT_EQ(formats::angle_decimals(), 6);
    formats::set_angle_mode(formats::kAngleDegrees);
    EXPECT_EQ(formats::angle_decimals(), 0);
    formats::set_angle_mode(9);
    EXPECT_EQ(formats::angle_mode(), 9);
    EXPECT_EQ(formats::angle_decimals(), 0);
}

TEST_F(DisplaySettings, DecimalCountsAreHeldWithinZeroToSeven)
{
    formats::set_angle_decimals(-1);
    formats::set_coordinate_decimals(8);
    formats::set_distance_decimals(1000);
    formats::set_area_decimals(7);
    EXPECT_EQ(formats::angle_decimals(), 0);
    EXPECT_EQ(formats::coordinate_decimals(), 7);
    EXPECT_EQ(formats::distance_decimals(), 7);
    EXPECT_EQ(formats::area_decimals(), 7);
    formats::reset_display_settings();
    EXPECT_EQ(formats::distance_decimals(), 3);
}

}  // namespace
