#include "formats/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/program_state.h"

namespace {

using Shown = std::pair<std::u16string, std::u16string>;

class MessagesTest : public testing_support::ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        formats::set_message_sink(
            [this](const std::u16string& caption, const std::u16string& text) { m_shown.emplace_back(caption, text); });
    }

    std::vector<Shown> m_shown;
};

TEST_F(MessagesTest, SinkReceivesCaptionAndTextInOrder)
{
    formats::message(u"Error", u"Not a coordinate file.");
    formats::message(u"Pt list", u"menu error");
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[0], Shown(u"Error", u"Not a coordinate file."));
    EXPECT_EQ(m_shown[1], Shown(u"Pt list", u"menu error"));
}

TEST_F(MessagesTest, NumberIsShownAsDecimalWithSign)
{
    formats::message_number(u"n", 0);
    formats::message_number(u"n", -42);
    formats::message_number(u"n", 2147483647L);
    ASSERT_EQ(m_shown.size(), 3u);
    EXPECT_EQ(m_shown[0].second, u"0");
    EXPECT_EQ(m_shown[1].second, u"-42");
    EXPECT_EQ(m_shown[2].second, u"2147483647");
}

TEST_F(MessagesTest, AnsiTextsAreConvertedFromTheEightBitCodePage)
{
    // 0xBA is the masculine ordinal (the degree mark of angle texts), 0x80 the euro sign in Windows-1252.
    formats::message_ansi("Caption \xBA", std::string("cost \x80 5", 8));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].first, u"Caption \u00BA");
    EXPECT_EQ(m_shown[0].second, u"cost \u20AC 5");
}

TEST_F(MessagesTest, EmptySinkRestoresTheDefaultWriter)
{
    formats::set_message_sink({});
    testing::internal::CaptureStderr();
    formats::message(u"Error opening file:", u"\\Program Files\\Varno\\Varno.prefs");
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "Error opening file:: \\Program Files\\Varno\\Varno.prefs\n");
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(MessagesTest, SinkMayReplaceItselfWhileRunning)
{
    int later_calls = 0;
    formats::set_message_sink([&](const std::u16string&, const std::u16string&) {
        formats::set_message_sink([&](const std::u16string&, const std::u16string&) { ++later_calls; });
    });
    formats::message(u"a", u"b");
    formats::message(u"c", u"d");
    EXPECT_EQ(later_calls, 1);
}

}  // namespace
