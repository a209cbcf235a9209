#include "formats/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace formats;

TEST(TextHelpers, EveryRoutineTakesTheEmptyText)
{
    EXPECT_EQ(trim_trailing_white_space(u""), u"");
    EXPECT_EQ(trim_leading_spaces(u""), u"");
    EXPECT_EQ(collapse_spaces(u""), u"");
    EXPECT_EQ(remove_spaces(u""), u"");
    EXPECT_EQ(remove_spaces_ansi(""), "");
    EXPECT_EQ(trim_ansi(""), "");
    EXPECT_EQ(trim_trailing_ansi(""), "");
    EXPECT_EQ(upper_ansi(""), "");
    EXPECT_EQ(strip_quotes_ansi(""), "");
    EXPECT_EQ(left_pad(u"", 3, u'*'), u"***");
    EXPECT_EQ(word(u"", 0, 4), u"    ");
    EXPECT_EQ(word(u"", -1, 2, 5), u"  ");
}

TEST(TextHelpers, TrimTrailingWhiteSpaceOfEveryKind)
{
    EXPECT_EQ(trim_trailing_white_space(u"  Lot 7 \t\r\n\u00A0\u3000"), u"  Lot 7");
    EXPECT_EQ(trim_trailing_white_space(u" \t "), u"");
    EXPECT_EQ(trim_trailing_white_space(u"a\u00BA"), u"a\u00BA");
}

TEST(TextHelpers, TrimLeadingSpacesOnlyRemovesCode32)
{
    EXPECT_EQ(trim_leading_spaces(u"   12 "), u"12 ");
    EXPECT_EQ(trim_leading_spaces(u"\t 12"), u"\t 12");
    EXPECT_EQ(trim_leading_spaces(u"    "), u"");
}

TEST(TextHelpers, CollapseAndRemoveSpaces)
{
    EXPECT_EQ(collapse_spaces(u"   1   1000.000  2000.000 \t"), u"1 1000.000 2000.000");
    EXPECT_EQ(collapse_spaces(u"     "), u"");
    EXPECT_EQ(remove_spaces(u" 12 \u00BA 30 ' "), u"12\u00BA30'");
    EXPECT_EQ(remove_spaces_ansi(" a b\tc "), "ab\tc");
}

TEST(TextHelpers, EightBitTrimsTakeSpacesAndCode25)
{
    EXPECT_EQ(trim_ansi("\x19  CP 1 \x19\x19 "), "CP 1");
    EXPECT_EQ(trim_ansi(" \x19 \x19"), "");
    EXPECT_EQ(trim_ansi("x"), "x");
    EXPECT_EQ(trim_trailing_ansi("  CP 1 \x19 "), "  CP 1");
    EXPECT_EQ(trim_trailing_ansi("   "), "");
}

TEST(TextHelpers, UpperCaseCoversTheCodePageLetters)
{
    EXPECT_EQ(upper_ansi("abc xyz 123"), "ABC XYZ 123");
    EXPECT_EQ(upper_ansi("caf\xE9 \xFF"), "CAF\xC9 \x9F");
    EXPECT_EQ(upper_ansi("\xBA\xDF"), "\xBA\xDF");  // degree mark and sharp s have no capital here
}

TEST(TextHelpers, StripQuotes)
{
    EXPECT_EQ(strip_quotes_ansi("\"Lot 7\""), "Lot 7");
    EXPECT_EQ(strip_quotes_ansi("Lot 7\""), "Lot 7");
    EXPECT_EQ(strip_quotes_ansi("\"Lot 7"), "Lot 7");
    EXPECT_EQ(strip_quotes_ansi("\"\"x\"\""), "\"x\"");
    EXPECT_EQ(strip_quotes_ansi("\""), "");
    EXPECT_EQ(strip_quotes_ansi("\"\""), "");
}

TEST(TextHelpers, LeftPad)
{
    EXPECT_EQ(left_pad(u"42", 6, u' '), u"    42");
    EXPECT_EQ(left_pad(u"1234567", 6, u' '), u"1234567");
    EXPECT_EQ(left_pad(u"42", 0, u' '), u"42");
    EXPECT_EQ(left_pad(u"42", -5, u' '), u"42");
    EXPECT_EQ(left_pad(u"7", 3, u'0'), u"007");
}

TEST(TextHelpers, WordPicksACollapsedWordAndPadsIt)
{
    std::u16string line = u"    17    1000.000   2500.125 ";
    EXPECT_EQ(word(line, 0, 6), u"    17");
    EXPECT_EQ(word(line, 1, 0), u"1000.000");
    EXPECT_EQ(word(line, 2, 10), u"  2500.125");
    EXPECT_EQ(word(line, 3, 4), u"    ");
    EXPECT_EQ(word(line, 99, 0), u"");
    EXPECT_EQ(word(u"CP A      7  10.000", -1, 0, 10), u"7  10.000");
    EXPECT_EQ(word(u"CP A      7", -1, 0, 50), u"");
}

std::vector<std::u16string> keys_of(const std::vector<std::u16string>& lines, int key_word, int width)
{
    std::vector<std::u16string> keys;
    for (const std::u16string& line : lines)
        keys.push_back(word(line, key_word, width));
    return keys;
}

// Against std::sort on the same keys: the lines come out in key order, and none is lost or duplicated.
TEST(TextHelpers, SortLinesOrdersByTheKeyWord)
{
    std::mt19937 random(77);
    for (int count : {0, 1, 2, 3, 7, 50, 51}) {
        for (bool descending : {false, true}) {
            std::vector<std::u16string> lines;
            for (int i = 0; i < count; ++i) {
                std::string number = std::to_string(random() % 100000);
                std::u16string padded = left_pad(std::u16string(number.begin(), number.end()), 6, u' ');
                lines.push_back(padded + u" " + std::u16string(1, char16_t(u'A' + i % 26)) + u" x");
            }
            std::vector<std::u16string> sorted = lines;
            sort_lines(sorted, 0, 6, descending);
            std::vector<std::u16string> keys = keys_of(sorted, 0, 6);
            if (descending)
                EXPECT_TRUE(std::is_sorted(keys.rbegin(), keys.rend()));
            else
                EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
            std::vector<std::u16string> a = lines, b = sorted;
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            EXPECT_EQ(a, b);
        }
    }
}

TEST(TextHelpers, SortLinesComparesPaddedNumbersNumerically)
{
    std::vector<std::u16string> lines = {u"  100 a", u"    9 b", u"   20 c"};
    sort_lines(lines, 0, 6, false);
    EXPECT_EQ(lines, (std::vector<std::u16string> {u"    9 b", u"   20 c", u"  100 a"}));
    sort_lines(lines, 1, 15, true);
    EXPECT_EQ(lines, (std::vector<std::u16string> {u"   20 c", u"    9 b", u"  100 a"}));
}

}  // namespace
