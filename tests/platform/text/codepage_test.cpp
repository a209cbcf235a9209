#include "platform/text/text.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Codepage, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    std::u16string wide = from_ansi(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(to_ansi(wide), all);
}

TEST(Codepage, HighControlRangeHoldsTypographicCharacters)
{
    EXPECT_EQ(from_ansi("\x80"), u"\u20AC");
    EXPECT_EQ(from_ansi("\x85\x91\x92\x96\x97\x99\x9F"), u"\u2026\u2018\u2019\u2013\u2014\u2122\u0178");
    EXPECT_EQ(from_ansi("\x8A\x9A\x8C\x9C\x8E\x9E"), u"\u0160\u0161\u0152\u0153\u017D\u017E");
    EXPECT_EQ(to_ansi(u"\u20AC 5"), "\x80 5");
    EXPECT_EQ(to_ansi(u"\u00B0\u00E9\u00FF"), "\xB0\xE9\xFF");
}

TEST(Codepage, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(to_ansi(u"\u0391\u03B2"), "??");   // Greek
    EXPECT_EQ(to_ansi(u"\u0080"), "?");          // C1 control whose byte holds the euro sign
    EXPECT_EQ(to_ansi(u"a\U0001F600b"), "a?b");  // a surrogate pair is one character
    EXPECT_EQ(to_ansi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}
