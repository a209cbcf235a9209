#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/support/program_state.h"

namespace {

using formats::format_decimals;
using formats::format_fixed_decimals;

using NumberFormat = testing_support::ProgramStateTest;

TEST_F(NumberFormat, DecimalsFromZeroToSeven)
{
    EXPECT_EQ(format_decimals(1234.56789, 0), u"1235");
    EXPECT_EQ(format_decimals(1234.56789, 3), u"1234.568");
    EXPECT_EQ(format_decimals(1234.56789, 7), u"1234.5678900");
    EXPECT_EQ(format_decimals(-0.5, 2), u"-0.50");
    EXPECT_EQ(formats::format_decimals_ansi(2.25, 1), "2.2");  // the exact binary value is a tie: to even
}

TEST_F(NumberFormat, DecimalCountsOutsideTheRangeAreHeldAtItsEnds)
{
    EXPECT_EQ(format_decimals(3.75, -4), u"4");
    EXPECT_EQ(format_decimals(0.5, 1000), format_decimals(0.5, formats::kMaxFormatDecimals));
    EXPECT_EQ(format_decimals(0.5, 1000).size(), 2u + formats::kMaxFormatDecimals);
}

TEST_F(NumberFormat, UnitFormattersFollowTheirOwnSetting)
{
    EXPECT_EQ(formats::format_coordinate(1.23456), u"1.235");
    formats::set_coordinate_decimals(1);
    formats::set_distance_decimals(0);
    formats::set_area_decimals(5);
    EXPECT_EQ(formats::format_coordinate(1.23456), u"1.2");
    EXPECT_EQ(formats::format_distance(1.23456), u"1");
    EXPECT_EQ(formats::format_area(1.23456), u"1.23456");
}

TEST_F(NumberFormat, FixedDecimalsExamples)
{
    EXPECT_EQ(format_fixed_decimals(0.999, 2), "1.00");
    EXPECT_EQ(format_fixed_decimals(-3.5, 0), "-4");
    EXPECT_EQ(format_fixed_decimals(0.05, 2), "0.05");
    EXPECT_EQ(format_fixed_decimals(123.456, 0), "123");
    EXPECT_EQ(format_fixed_decimals(5000000.1234, 3), "5000000.123");
    EXPECT_EQ(format_fixed_decimals(-12.0004, 3), "-12.000");
    EXPECT_EQ(format_fixed_decimals(0, 4), "0.0000");
    EXPECT_EQ(format_fixed_decimals(0.0000004, 7), "0.0000004");
}

TEST_F(NumberFormat, FixedDecimalsKeepTheMinusOfAValueRoundingToZero)
{
    EXPECT_EQ(format_fixed_decimals(-0.001, 2), "-0.00");
    EXPECT_EQ(format_fixed_decimals(-0.4, 0), "-0");
}

TEST_F(NumberFormat, FixedDecimalsPrintAnyMagnitudeInFull)
{
    EXPECT_EQ(format_fixed_decimals(3000000000.25, 2), "3000000000.25");
    EXPECT_EQ(format_fixed_decimals(-9007199254740992.0, 1), "-9007199254740992.0");
    // Scaled past 2^53 the rounding cannot be undone exactly; the whole part must not come out one short.
    EXPECT_EQ(format_fixed_decimals(73232112111305.0, 3), "73232112111305.000");
    EXPECT_EQ(format_fixed_decimals(-513494192854893.0, 4), "-513494192854893.0000");
    EXPECT_EQ(format_fixed_decimals(2860262774900650.0, 9), "2860262774900650.000000000");
    std::string huge = format_fixed_decimals(1e300, 3);
    EXPECT_EQ(huge.substr(0, 2), "10");
    EXPECT_EQ(huge.size(), 301u + 4u);
    EXPECT_EQ(huge.substr(huge.size() - 4), ".000");
}

TEST_F(NumberFormat, FixedDecimalsCountIsHeldWithinRange)
{
    EXPECT_EQ(format_fixed_decimals(1.5, -3), "2");
    EXPECT_EQ(format_fixed_decimals(0.123456789123, 15), "0.1234567891");
}

TEST_F(NumberFormat, FixedDecimalsOfNonFiniteValuesDoNotCrash)
{
    EXPECT_EQ(format_fixed_decimals(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(format_fixed_decimals(-std::numeric_limits<double>::infinity(), 0), "-inf");
    EXPECT_NE(format_fixed_decimals(std::nan(""), 3).find("nan"), std::string::npos);
}

// Every value printed with n decimals reads back within half a unit of its last place, with exactly n
// fraction digits.
TEST_F(NumberFormat, FixedDecimalsReadBackWithinHalfAUnit)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<double> value(-2e6, 2e6);
    for (int i = 0; i < 4000; ++i) {
        double x = i % 2 ? value(random) : value(random) / 1e6;
        int n = i % 8;
        std::string text = format_fixed_decimals(x, n);
        size_t dot = text.find('.');
        if (n == 0)
            EXPECT_EQ(dot, std::string::npos) << text;
        else
            EXPECT_EQ(text.size() - dot - 1, size_t(n)) << text;
        double back = formats::parse_number_to_double(text);
        EXPECT_LE(std::fabs(back - x), 0.5 * std::pow(10.0, -n) + 1e-9) << x << " " << n << " " << text;
    }
}

}  // namespace
