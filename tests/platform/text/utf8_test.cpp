#include "platform/text/text.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Utf8, RoundTripsEveryPlaneBoundary)
{
    const char32_t points[]
        = {0x0, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFD, 0xFFFF, 0x10000, 0x10FFFF, 0x1F600};
    for (char32_t cp : points) {
        std::u16string wide;
        if (cp < 0x10000) {
            wide.push_back(static_cast<char16_t>(cp));
        } else {
            wide.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
        EXPECT_EQ(from_utf8(to_utf8(wide)), wide) << std::hex << static_cast<uint32_t>(cp);
    }
}

TEST(Utf8, EncodesKnownSequences)
{
    EXPECT_EQ(to_utf8(u"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(to_utf8(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(to_utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(from_utf8("Gr\xC3\xBC\xC3\x9F"
                        "e"),
        u"Gr\u00FC\u00DFe");
}

TEST(Utf8, MalformedBytesBecomeReplacementWithoutEatingNeighbours)
{
    EXPECT_EQ(from_utf8("a\xFF"
                        "b"),
        u"a\uFFFDb");
    EXPECT_EQ(from_utf8("\xC3"), u"\uFFFD");  // cut short at the end
    EXPECT_EQ(from_utf8("\xC3"
                        "A"),
        u"\uFFFDA");                                              // continuation missing: A survives
    EXPECT_EQ(from_utf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong '/'
    EXPECT_EQ(from_utf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");  // overlong three-byte form
    EXPECT_EQ(from_utf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(from_utf8("\xF4\x90\x80\x80").size(), 4u);          // above U+10FFFF
    EXPECT_EQ(from_utf8(std::string("x\0y", 3)), std::u16string(u"x\0y", 3));
}

TEST(Utf8, LoneSurrogatesEncodeAsReplacement)
{
    EXPECT_EQ(to_utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(to_utf8(std::u16string(1, char16_t(0xDC00)) + u"a"),
        "\xEF\xBF\xBD"
        "a");
    EXPECT_EQ(to_utf8(std::u16string {char16_t(0xD800), u'a'}),
        "\xEF\xBF\xBD"
        "a");
}
