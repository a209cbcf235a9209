// The field helpers over the edit controls of a window: how much of a field is read, trimming, and the
// formats values are read and shown with.

#include <gtest/gtest.h>

#include <cmath>

#include "formats/display_settings.h"
#include "forms/fields.h"
#include "platform/controls/controls.h"

namespace {

namespace ui = platform::ui;

constexpr int kField = 10;

class FieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::reset();
        platform::controls::register_classes();
        formats::reset_display_settings();
        m_dialog = ui::create_window(u"static", u"", ui::kStyleVisible, 0, 0, 240, 268, ui::kNoWindow);
        ui::create_window(u"edit", u"", ui::kStyleVisible | ui::kStyleChild, 4, 4, 200, 22, m_dialog, kField);
    }
    void TearDown() override
    {
        ui::reset();
        formats::reset_display_settings();
    }

    ui::Hwnd typed(std::u16string_view text)
    {
        ui::set_item_text(m_dialog, kField, text);
        return m_dialog;
    }
    std::u16string shown() const { return ui::item_text(m_dialog, kField); }

    ui::Hwnd m_dialog = ui::kNoWindow;
};

TEST_F(FieldsTest, AFieldIsCutToItsLengthBeforeItIsTrimmed)
{
    EXPECT_EQ(forms::read_text(typed(u" 12.5  x"), kField, 6), u" 12.5 ");
    EXPECT_EQ(forms::read_trimmed(typed(u"  12.5 \t x"), kField, 7), u"12.5");
    // Leading tabs are no spaces; trailing white space of any kind goes.
    EXPECT_EQ(forms::read_trimmed(typed(u"\t12\u00A0\u3000"), kField), u"\t12");
    EXPECT_EQ(forms::read_number(typed(u"1234.5678"), kField, 6), 1234.5);
    EXPECT_EQ(forms::read_number(typed(u"  -7.25  "), kField), -7.25);
    EXPECT_EQ(forms::read_text(typed(u"a whole field of text"), kField), u"a whole field of text");
}

TEST_F(FieldsTest, NumbersThatDoNotParseAreNothingAndAnEmptyFieldIsZero)
{
    EXPECT_EQ(forms::read_coordinate(typed(u"12a"), kField), std::nullopt);
    EXPECT_EQ(forms::read_distance(typed(u"1 2"), kField), std::nullopt);
    EXPECT_EQ(forms::read_number(typed(u"   "), kField), 0.0);
    EXPECT_EQ(forms::read_number(typed(u"1e3"), kField), 1000.0);
}

TEST_F(FieldsTest, PointNumbersReadAsWholeNumbersWithinTheRangeOfPoints)
{
    EXPECT_EQ(forms::read_point_number(typed(u"  +42xyz"), kField), 42u);
    EXPECT_EQ(forms::read_point_number(typed(u"4294967295"), kField), 4294967295u);
    EXPECT_EQ(forms::read_point_number(typed(u"4294967296"), kField), 0u);
    EXPECT_EQ(forms::read_point_number(typed(u"4294967296"), kField, 9), 429496729u);
    EXPECT_EQ(forms::read_point_number(typed(u"-3"), kField), 0u);
    EXPECT_EQ(forms::read_point_number(typed(u""), kField), 0u);
}

TEST_F(FieldsTest, AnglesFollowTheAngleModeAndAnEmptyFieldIsNoAngle)
{
    EXPECT_EQ(forms::read_angle(typed(u"  "), kField), std::nullopt);
    EXPECT_NEAR(*forms::read_angle(typed(u"12.3030 "), kField), 12.5083333, 1e-6);
    EXPECT_NEAR(*forms::read_angle(typed(u"S45E"), kField), 135.0, 1e-9);
    formats::set_angle_mode(formats::kAngleGons);
    EXPECT_NEAR(*forms::read_angle(typed(u"100"), kField), 90.0, 1e-9);
}

TEST_F(FieldsTest, RecordTextsAreStored8BitWithoutTrailingWhiteSpaceAndCutToTheirField)
{
    char name[8];
    forms::read_record_text(typed(u"  OAK 	 "), kField, 14, name);
    EXPECT_EQ(std::string(name, sizeof name), std::string("  OAK\0\0\0", 8));
    forms::read_record_text(typed(u"éЖ 1234567890"), kField, 14, name);
    EXPECT_EQ(std::string(name, sizeof name), std::string("\xE9? 1234\0", 8));
    // Read first, then trimmed: the spaces before the cut are trimmed away.
    forms::read_record_text(typed(u"AB   CD"), kField, 4, name);
    EXPECT_STREQ(name, "AB");
    // A field filled to its end has no NUL: it is shown whole, and no further.
    const char full[4] = {'W', 'X', 'Y', 'Z'};
    forms::show_record_text(m_dialog, kField, full);
    EXPECT_EQ(shown(), u"WXYZ");
    forms::show_record_text(m_dialog, kField, name);
    EXPECT_EQ(shown(), u"AB");
}

TEST_F(FieldsTest, ValuesAreShownInTheFormatsOfTheDisplaySettings)
{
    forms::show_point_number(m_dialog, kField, 4294967295u);
    EXPECT_EQ(shown(), u"4294967295");
    forms::show_point_number(m_dialog, kField, 0);
    EXPECT_EQ(shown(), u"");
    formats::set_coordinate_decimals(2);
    formats::set_distance_decimals(4);
    forms::show_coordinate(m_dialog, kField, 5001.256);
    EXPECT_EQ(shown(), u"5001.26");
    forms::show_distance(m_dialog, kField, 12.5);
    EXPECT_EQ(shown(), u"12.5000");
    forms::show_azimuth(m_dialog, kField, M_PI / 2);
    EXPECT_EQ(shown(), u"90\u00BA 00' 00\"");
    forms::show_text(m_dialog, kField, u"as it is ");
    EXPECT_EQ(shown(), u"as it is ");
}

}  // namespace
