// The control sequences of drawing text.

#include <gtest/gtest.h>

#include "draw/text_codes.h"

namespace {

using draw::widen_drawing_text;

TEST(TextCodes, SequencesWidenAndStopAtTheEnd)
{
    EXPECT_EQ(widen_drawing_text("45%%d"), u"45\u00B0");
    EXPECT_EQ(widen_drawing_text("a%b"), u"ab");
    EXPECT_EQ(widen_drawing_text("%%C%%c%%P%%p%%D"), u"\u00D8\u00F8\u00B1\u00B1\u00B0");
    EXPECT_EQ(widen_drawing_text("5%%x"), u"5%%x");
    EXPECT_EQ(widen_drawing_text("100%"), u"100");
    EXPECT_EQ(widen_drawing_text("100%%"), u"100%%");
    EXPECT_EQ(widen_drawing_text(std::string_view("a%\0b", 4)), u"a");
    EXPECT_EQ(widen_drawing_text("caf\xE9"), u"caf\u00E9");  // Windows-1252
    EXPECT_EQ(widen_drawing_text(""), u"");
}

}  // namespace
