#include "platform/text/text.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Format, QuotedFormats)
{
    EXPECT_EQ(format("%7lu %s", 42ul, "PT"), "     42 PT");
    EXPECT_EQ(format("%-15s|", "Easting"), "Easting        |");
    EXPECT_EQ(format("%12u", 7u), "           7");
    EXPECT_EQ(format("%.3lf", 2.0 / 3.0), "0.667");
    EXPECT_EQ(format("%3d.%02d%02d", 12, 5, 7), " 12.0507");
}

TEST(Format, LongResultsAreNotCut)
{
    std::string big(1000, 'x');
    EXPECT_EQ(format("<%s>", big.c_str()), "<" + big + ">");
}

TEST(WFormat, NumericConversionsMatchTheCLibrary)
{
    EXPECT_EQ(wformat(u"%7lu %s", 42ul, u"PT"), u"     42 PT");
    EXPECT_EQ(wformat(u"%12u", 4000000000u), u"  4000000000");
    EXPECT_EQ(wformat(u"%.3lf", -1.23456), u"-1.235");
    EXPECT_EQ(wformat(u"%+08.2f|%-6d|%x|%X|%o", 3.14159, -5, 255u, 255u, 8u), u"+0003.14|-5    |ff|FF|10");
    EXPECT_EQ(
        wformat(u"%lld %I64d %hd %hhu", -9000000000ll, 9000000000ll, 70000, 300), u"-9000000000 9000000000 4464 44");
    EXPECT_EQ(wformat(u"%e", 12345.678), u"1.234568e+04");
    EXPECT_EQ(wformat(u"%d%%", 50), u"50%");
}

TEST(WFormat, StarWidthAndPrecisionTakeArguments)
{
    EXPECT_EQ(wformat(u"%*d|%-*d|%.*f", 5, 42, 4, 7, 2, 1.005), u"   42|7   |1.00");
    EXPECT_EQ(wformat(u"%*s|", -6, u"ab"), u"ab    |");  // a negative width left-justifies
    EXPECT_EQ(wformat(u"%.*s", -1, u"abc"), u"abc");     // a negative precision is none
}

TEST(WFormat, WideAndNarrowStrings)
{
    EXPECT_EQ(
        wformat(u"%s is not a coordinate file.", u"Lot\u00E9\u20AC"), u"Lot\u00E9\u20AC is not a coordinate file.");
    EXPECT_EQ(wformat(u"%ls/%hs/%S", u"\u03A9", "caf\xE9", "\x80"), u"\u03A9/caf\u00E9/\u20AC");
    EXPECT_EQ(wformat(u"[%-15s]", u"Z\u00FCrich"), u"[Z\u00FCrich         ]");
    EXPECT_EQ(wformat(u"[%6s][%.2s]", u"\u00E9t\u00E9", u"\u00E9t\u00E9"), u"[   \u00E9t\u00E9][\u00E9t]");
    EXPECT_EQ(wformat(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)");
}

TEST(WFormat, CharactersAndOddSpecifications)
{
    EXPECT_EQ(wformat(u"%c%c%3c", u'\u00E9', u'x', u'y'), u"\u00E9x  y");
    EXPECT_EQ(wformat(u"%hc", static_cast<int>(static_cast<unsigned char>('\x80'))), u"\u20AC");
    EXPECT_EQ(wformat(u"50%"), u"50%");        // cut short: shown as written
    EXPECT_EQ(wformat(u"%k %d", 3), u"%k 3");  // unknown conversion consumes nothing
    int untouched = 17;
    EXPECT_EQ(wformat(u"a%nb%d", &untouched, 9), u"ab9");
    EXPECT_EQ(untouched, 17);  // %n never writes through its argument
}

TEST(WFormat, DynamicFormatBuiltWithFormat)
{
    // A caller builds the precision into the format first, then formats the value.
    std::u16string fmt = from_utf8(format("%%.%dlf", 4));
    EXPECT_EQ(fmt, u"%.4lf");
    EXPECT_EQ(wformat(fmt.c_str(), 3.14159265), u"3.1416");
}
