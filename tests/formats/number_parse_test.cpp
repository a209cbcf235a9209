#include "formats/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using formats::parse_number;
using formats::parse_number_ansi;

// Parses with both forms and insists they agree, so every case checks the wide and the 8-bit parser.
bool parse_both(const std::string& text, double* out)
{
    double wide = *out;
    double narrow = *out;
    bool wide_ok = parse_number(std::u16string(text.begin(), text.end()), &wide);
    bool narrow_ok = parse_number_ansi(text, &narrow);
    EXPECT_EQ(wide_ok, narrow_ok) << text;
    EXPECT_EQ(wide, narrow) << text;
    *out = narrow;
    return narrow_ok;
}

TEST(NumberParse, ReadsSignsFractionsAndExponents)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1e3", 1000},
        {"2.5E-1", 0.25},
        {"1e+2", 100},
        {"-12.5", -12.5},
        {"+7", 7},
        {"12.", 12},
        {".5", 0.5},
        {"-.25", -0.25},
        {"0.1", 0.1},
        {"1234567.891", 1234567.891},
        {"-0.001", -0.001},
        {"1e-400", 0},
        {"0e999999999", 0},
        {"1e", 1},
        {"1e-", 1},
        {"7E0", 7},
    };
    for (const Case& c : cases) {
        double value = 0;
        ASSERT_TRUE(parse_both(c.text, &value)) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
}

TEST(NumberParse, EmptyTextAndLoneSignReadAsZero)
{
    for (const char* text : {"", "+", "-", ".", "-."}) {
        double value = 99;
        ASSERT_TRUE(parse_both(text, &value)) << '"' << text << '"';
        EXPECT_EQ(value, 0) << '"' << text << '"';
    }
}

TEST(NumberParse, MalformedTextFailsAndLeavesTheOutputAlone)
{
    for (const char* text : {"1 2", " 1", "1 ", "12a", "a", "1.2.3", "1e3.5", "1e2e3", "--1", "+-1", "1e+-2", "1,5",
             "0x10", "1e3a", "inf", "nan"}) {
        double value = 42.5;
        EXPECT_FALSE(parse_both(text, &value)) << text;
        EXPECT_EQ(value, 42.5) << text;
    }
}

TEST(NumberParse, OverflowToInfinityFails)
{
    double value = 3;
    EXPECT_FALSE(parse_both("1e400", &value));
    EXPECT_FALSE(parse_both("-1e309", &value));
    EXPECT_FALSE(parse_both(std::string(400, '9'), &value));
    EXPECT_FALSE(parse_both("1e99999999999999999999", &value));
    EXPECT_EQ(value, 3);
    ASSERT_TRUE(parse_both("1e308", &value));
    EXPECT_DOUBLE_EQ(value, 1e308);
}

TEST(NumberParse, OnlyAsciiDigitsAreDigits)
{
    double value = 5;
    EXPECT_FALSE(parse_number(u"\uFF11\uFF12", &value));  // full-width 1 2
    EXPECT_FALSE(parse_number(u"1\u00B2", &value));       // superscript two
    EXPECT_FALSE(parse_number_ansi("1\xB2", &value));
    EXPECT_EQ(value, 5);
}

TEST(NumberParse, AgreesWithTheCLibraryOnDecimalTexts)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> length(1, 8);
    for (int i = 0; i < 2000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        for (int n = length(random); n > 0; --n)
            text += char('0' + digit(random));
        text += '.';
        for (int n = length(random); n > 0; --n)
            text += char('0' + digit(random));
        if (i % 3 == 0)
            text += "e" + std::to_string(int(random() % 21) - 10);
        double value = 0;
        ASSERT_TRUE(parse_both(text, &value)) << text;
        double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_NEAR(value, expected, std::fabs(expected) * 1e-14) << text;
    }
}

TEST(NumberParse, ToDoubleGivesZeroForTextThatDoesNotParse)
{
    EXPECT_EQ(formats::parse_number_to_double("-3.25"), -3.25);
    EXPECT_EQ(formats::parse_number_to_double("5000000.125"), 5000000.125);
    EXPECT_EQ(formats::parse_number_to_double("Northing"), 0);
    EXPECT_EQ(formats::parse_number_to_double("12 "), 0);
    EXPECT_EQ(formats::parse_number_to_double(""), 0);
}

TEST(NumberCheck, AcceptsSignDigitsAndOneDotOnly)
{
    for (const char* text : {"", "+", "-", "0", "-12.5", "+.5", "12.", "007"})
        EXPECT_EQ(formats::check_number_text(text), 1) << '"' << text << '"';
    for (const char* text : {"1e3", "1 2", " 1", "1.2.3", "..", "12a", "--1", "+-1", "1-", "1+"})
        EXPECT_EQ(formats::check_number_text(text), -1) << text;
}

}  // namespace
