#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "tests/support/program_state.h"

namespace {

using formats::parse_angle;
using formats::parse_angle_ansi;

constexpr double kSecond = 1.0 / 3600;

double dms(double d, double m, double s)
{
    return d + m / 60 + s / 3600;
}

using AngleParse = testing_support::ProgramStateTest;

TEST_F(AngleParse, CompactNotationPadsMinutesAndSeconds)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"12."), 12);
    EXPECT_DOUBLE_EQ(parse_angle(u"12.3"), 12.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"12.305"), dms(12, 30, 50));
    EXPECT_DOUBLE_EQ(parse_angle(u"45.3015"), dms(45, 30, 15));
    EXPECT_DOUBLE_EQ(parse_angle(u".3"), 0.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"45"), 45);
    EXPECT_DOUBLE_EQ(parse_angle(u"+45.3"), 45.5);
}

TEST_F(AngleParse, DigitsBeyondSecondsFollowTheAngleDecimals)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"10.123456"), dms(10, 12, 34));
    formats::set_angle_decimals(2);
    EXPECT_DOUBLE_EQ(parse_angle(u"10.123456"), dms(10, 12, 34.56));
    formats::set_angle_decimals(7);
    EXPECT_NEAR(parse_angle(u"10.12345678912"), dms(10, 12, 34.5678912), 1e-12);
}

TEST_F(AngleParse, NegativeAnglesNegateTheWhole)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"-10.3000"), -10.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"-0.1500"), -0.25);
    EXPECT_DOUBLE_EQ(parse_angle(u"-45"), -45);
    EXPECT_DOUBLE_EQ(parse_angle(u"-  45.3015"), -dms(45, 30, 15));
}

TEST_F(AngleParse, QuadrantBearings)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"N45.3000W"), 314.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"S10E"), 170);
    EXPECT_DOUBLE_EQ(parse_angle(u"s10w"), 190);
    EXPECT_DOUBLE_EQ(parse_angle(u"n10.3e"), 10.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"S0.0000E"), 180);
    EXPECT_DOUBLE_EQ(parse_angle(u"S0W"), 180);
    EXPECT_DOUBLE_EQ(parse_angle(u"N0.0000E"), 0);
    EXPECT_DOUBLE_EQ(parse_angle(u"N0.0000W"), 0);
    EXPECT_DOUBLE_EQ(parse_angle(u"N0W"), 360);
    EXPECT_DOUBLE_EQ(parse_angle(u"SE"), 180);
}

TEST_F(AngleParse, OneLetterIsNoBearing)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"N45"), 45);
    EXPECT_DOUBLE_EQ(parse_angle(u"S45.3"), 45.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"45W"), 0);  // no first letter: W is garbage
}

TEST_F(AngleParse, DegreeMarkForm)
{
    formats::set_angle_decimals(1);
    EXPECT_NEAR(parse_angle(u"12\u00BA34'56.7\""), 12.582416666666667, 1e-12);
    EXPECT_DOUBLE_EQ(parse_angle(u"123\u00BA 30' 00\""), 123.5);
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA"), 12);
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA30"), 12.5);
    formats::set_angle_decimals(0);
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA34'56.7\""), dms(12, 34, 56));
}

TEST_F(AngleParse, DegreeMarkFormReadsOneDigitFieldsAsMinutesAndSeconds)
{
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA5'3\""), dms(12, 5, 3));
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA 5' 30\""), dms(12, 5, 30));
    formats::set_angle_decimals(1);
    EXPECT_DOUBLE_EQ(parse_angle(u"12\u00BA34'5.5\""), dms(12, 34, 5.5));
}

TEST_F(AngleParse, GonsModeReadsTheWholeTextAsGons)
{
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_DOUBLE_EQ(parse_angle(u"100"), 90);
    EXPECT_DOUBLE_EQ(parse_angle(u"400"), 360);
    EXPECT_DOUBLE_EQ(parse_angle(u"50.5"), 45.45);
    EXPECT_DOUBLE_EQ(parse_angle(u"N50E"), 0);  // no bearings in gons
    EXPECT_DOUBLE_EQ(parse_angle_ansi("+100"), 90);
    EXPECT_DOUBLE_EQ(parse_angle_ansi("-200"), -180);
}

TEST_F(AngleParse, MalformedTextGivesZero)
{
    for (const char16_t* text : {u"", u"-", u"+", u".", u"12a", u"1.2x", u"12.30 ", u"abc", u"1.2.3", u"N"})
        EXPECT_EQ(parse_angle(text), 0) << std::string(text, text + std::char_traits<char16_t>::length(text));
    for (const char* text : {"", "x", "1.a", "1..2"})
        EXPECT_EQ(parse_angle_ansi(text), 0) << text;
}

TEST_F(AngleParse, EightBitFormHasNoLettersNorDegreeMark)
{
    EXPECT_DOUBLE_EQ(parse_angle_ansi("+90"), 90);
    EXPECT_DOUBLE_EQ(parse_angle_ansi("-90"), -90);
    EXPECT_DOUBLE_EQ(parse_angle_ansi("10.3000"), 10.5);
    EXPECT_DOUBLE_EQ(parse_angle_ansi("-10.3"), -10.5);
    EXPECT_EQ(parse_angle_ansi("N10E"), 0);
    EXPECT_EQ(parse_angle_ansi("12\xBA"
                               "30"),
        0);
}

// What the formatters print, the parser reads back: degree/minute/second text to the printed precision
// for every angle-decimal count, and the compact D.MS text to the second.
TEST_F(AngleParse, FormattedAnglesReadBack)
{
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> angle(0, 360);
    for (int k = 0; k <= 7; ++k) {
        formats::set_angle_decimals(k);
        double tolerance = (0.5 * std::pow(10.0, -k) + 1e-6) * kSecond;
        for (int i = 0; i < 300; ++i) {
            double a = angle(random);
            std::u16string text = formats::format_dms(a);
            EXPECT_NEAR(parse_angle(text), a, tolerance) << k << " " << a;
            EXPECT_NEAR(parse_angle(formats::format_dot_ms(a)), a, 0.5 * kSecond + 1e-9) << a;
        }
    }
}

TEST_F(AngleParse, QuadrantBearingsReadBack)
{
    formats::set_angle_mode(formats::kAngleQuadrant);  // six angle decimals
    for (double a : {0.0, 0.1, 44.99, 90.0, 90.5, 135.25, 180.0, 200.75, 270.0, 300.125, 359.5}) {
        std::u16string text = formats::format_quadrant_bearing(a);
        double back = parse_angle(text);
        EXPECT_NEAR(back, a, 1e-9) << a;
    }
}

TEST_F(AngleParse, GonsReadBack)
{
    formats::set_angle_mode(formats::kAngleGons);
    for (double degrees : {0.0, 12.3456, 90.0, 179.99, 270.5, 359.9}) {
        std::u16string text = formats::format_gons(formats::degrees_to_radians(degrees));
        EXPECT_NEAR(parse_angle(text), degrees, 1e-6) << degrees;
    }
}

}  // namespace

// What the parser reads in one of its forms is told apart from what it reads as 0 for being in none; a text
// said not to read always gives 0.
TEST_F(AngleParse, TextsInNoFormAreToldApart)
{
    using formats::angle_text_parses;
    auto platform_text = [](const char16_t* t) { return std::string(t, t + std::char_traits<char16_t>::length(t)); };
    for (const char16_t* good : {u"", u"0", u"45", u"12.", u"45.3015", u"-12.3", u"N45.3E", u"s10w", u"S0.0000E",
             u"12\u00BA34'56.7\"", u"12\u00BA5'3\""})
        EXPECT_TRUE(angle_text_parses(good)) << platform_text(good);
    for (const char16_t* bad : {u"12a", u"1.2x", u"N45xE", u"1..2", u"x", u"12 3", u"--4"}) {
        EXPECT_FALSE(angle_text_parses(bad)) << platform_text(bad);
        EXPECT_EQ(parse_angle(bad), 0) << platform_text(bad);
    }
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_TRUE(angle_text_parses(u"100.5"));
    EXPECT_FALSE(angle_text_parses(u"N45E"));
}
