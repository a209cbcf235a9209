#include "platform/registry/registry_file.h"

#include "registry_fixture.h"

#include <random>

using namespace platform::registry;

TEST(RegistryEscape, RandomTextRoundTrips)
{
    std::mt19937 random(20261208);
    // Weighted toward the characters the escape treats specially.
    const char16_t specials[] = {u'\\', u'"', u'\n', u'\r', u'\t', 0, 0x1F, 0x7F, u']', u'u', 0xD800, 0xDBFF, 0xDC00,
        0xDFFF, 0xFFFF, 0x00E9, 0x20AC};
    for (int round = 0; round < 2000; ++round) {
        std::u16string s;
        int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            if (random() % 2)
                s.push_back(specials[random() % std::size(specials)]);
            else
                s.push_back(static_cast<char16_t>(random() % 0x10000));
        }
        std::string escaped = escape(s);
        EXPECT_EQ(escaped.find('\n'), std::string::npos);
        EXPECT_EQ(unescape(escaped), s) << escaped;
    }
}

TEST(RegistryEscape, BrokenEscapesAreRejected)
{
    EXPECT_EQ(unescape("ends with \\"), std::nullopt);
    EXPECT_EQ(unescape("\\q"), std::nullopt);
    EXPECT_EQ(unescape("\\u12"), std::nullopt);
    EXPECT_EQ(unescape("\\u12G4"), std::nullopt);
    EXPECT_EQ(unescape("\\u00e9"), u"\u00E9");
}

TEST(RegistryParse, DamagedLinesAreSkippedTheRestIsKept)
{
    Key root;
    parse("# comment\r\n"
          "\"top\"=number:1\n"
          "[Good\\\\Key]\r\n"
          "\"n\"=number:4294967295\n"
          "\"too big\"=number:4294967296\n"
          "\"neg\"=number:-1\n"
          "\"odd hex\"=binary:abc\n"
          "\"bad hex\"=binary:zz\n"
          "\"no close=text:\"x\"\n"
          "\"bad escape\"=text:\"\\q\"\n"
          "\"unknown\"=float:1.5\n"
          "garbage line\n"
          "\"t\"=text:\"fine\"\n"
          "[broken \\q key]\n"
          "\"lost\"=number:3\n"
          "[Other]\n"
          "\"x\"=binary:\n",
        &root);
    ASSERT_NE(root.find_value(u"top"), nullptr);
    Key* good = find_key(root, {u"Good", u"Key"});
    ASSERT_NE(good, nullptr);
    ASSERT_EQ(good->values.size(), 2u);
    EXPECT_EQ(good->find_value(u"n")->number, 4294967295u);
    EXPECT_EQ(good->find_value(u"t")->text, u"fine");
    EXPECT_EQ(root.subkeys.size(), 2u);  // the broken key and its value are gone
    Key* other = find_key(root, {u"Other"});
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->find_value(u"x")->type, Type::Binary);
}

TEST(RegistryParse, ArbitraryBytesNeverCrash)
{
    std::mt19937 random(7);
    const char alphabet[] = "[]\"=\\:\n\r\xC3\xA9\xFFtextnumberbinary0123456789abcdefu";
    for (int round = 0; round < 500; ++round) {
        std::string junk;
        int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i)
            junk.push_back(alphabet[random() % (sizeof alphabet - 1)]);
        Key root;
        parse(junk, &root);
        Key again;
        parse(serialize(root), &again);  // whatever was read writes back and reads the same
        EXPECT_EQ(serialize(again), serialize(root));
    }
}

TEST_F(RegistryTest, HandWrittenFileIsRead)
{
    write_registry_file("[Drivers\\\\BuiltIn\\\\GPSID]\n\"Prefix\"=text:\"GPD\"\n\"Index\"=number:0\n");
    EXPECT_EQ(query_text(u"drivers\\builtin\\gpsid", u"prefix"), u"GPD");
    EXPECT_EQ(query_number(u"Drivers\\BuiltIn\\GPSID", u"Index"), 0u);
}
