#include "platform/text/text.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(LetterCase, ConvertsAsciiAndLatin1Letters)
{
    EXPECT_EQ(to_upper(std::u16string_view(u"my documents \u00E9\u00E0\u00FE\u00FF\u0161\u0153")),
        u"MY DOCUMENTS \u00C9\u00C0\u00DE\u0178\u0160\u0152");
    EXPECT_EQ(to_lower(u'\u00C9'), u'\u00E9');
    EXPECT_EQ(to_lower(u'\u0178'), u'\u00FF');
}

TEST(LetterCase, LeavesSignsAndUnpairedLettersAlone)
{
    EXPECT_EQ(to_upper(u'\u00F7'), u'\u00F7');  // division sign
    EXPECT_EQ(to_lower(u'\u00D7'), u'\u00D7');  // multiplication sign
    EXPECT_EQ(to_upper(u'\u00DF'), u'\u00DF');  // sharp s has no one-character capital
    EXPECT_EQ(to_upper(u'\u00B5'), u'\u00B5');
    EXPECT_EQ(to_upper(u'@'), u'@');
    EXPECT_EQ(to_upper(u'{'), u'{');
}

TEST(LetterCase, CompareIgnoresCaseAndOrdersByLength)
{
    EXPECT_EQ(compare_no_case(u"Storage Card", u"STORAGE card"), 0);
    EXPECT_TRUE(equal_no_case(u"\u00C9t\u00E9", u"\u00E9T\u00C9"));
    EXPECT_FALSE(equal_no_case(u"abc", u"abcd"));
    EXPECT_LT(compare_no_case(u"abc", u"abcd"), 0);
    EXPECT_GT(compare_no_case(u"b", u"A"), 0);
    EXPECT_LT(compare_no_case(u"a", u"B"), 0);
    EXPECT_EQ(compare_no_case(u"", u""), 0);
}

TEST(Trim, TakesTheGivenCharactersOffBothEndsOnly)
{
    EXPECT_EQ(trim(u" \t Coords / Open\t "), u"Coords / Open");
    EXPECT_EQ(trim(u"\t \t"), u"");
    EXPECT_EQ(trim(u""), u"");
    EXPECT_EQ(trim(u"x"), u"x");
    // With spaces alone a tab stays, at either end.
    EXPECT_EQ(trim(u"  \t12 \t ", u" "), u"\t12 \t");
    EXPECT_EQ(trim(u"\u00A0a\u00A0", u" \t"), u"\u00A0a\u00A0");
}
