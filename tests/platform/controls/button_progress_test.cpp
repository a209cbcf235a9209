#include "platform/controls/control_kit.h"
#include "tests/platform/controls/control_fixture.h"

namespace platform::controls::testing {
namespace {

constexpr int kClicked = ui::kBnClicked;

class ButtonTest : public ControlTest { };

TEST_F(ButtonTest, ATapInsideClicksAndAReleaseOutsideDoesNot)
{
    Hwnd b = make(u"button", u"Get", kButtonPush, {10, 10, 70, 32}, 1006);
    take();
    tap(b, 5, 5);
    EXPECT_EQ(take(), (std::vector<Notification> {{1006, kClicked}}));
    drag(b, 5, 5, 100, 100);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(ui::capture(), ui::kNoWindow);
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButtonOnly)
{
    Hwnd a = make(u"button", u"A", ui::kStyleTabStop, {10, 10, 70, 32}, 1);
    make(u"button", u"B", ui::kStyleTabStop, {10, 40, 70, 62}, 2);
    ui::set_focus(a);
    take();
    key(ui::kKeySpace);
    chars(u" ");
    EXPECT_EQ(take(), (std::vector<Notification> {{1, kClicked}}));
}

TEST_F(ButtonTest, AnAutomaticCheckBoxTogglesAndAPlainOneLeavesItToTheDialog)
{
    Hwnd automatic = make(u"button", u"Closed", kButtonAutoCheckBox, {10, 10, 120, 30}, 1050);
    Hwnd plain = make(u"button", u"Mine", kButtonCheckBox, {10, 40, 120, 60}, 1051);
    tap(automatic, 3, 5);
    EXPECT_EQ(button_check(automatic), 1);
    tap(automatic, 3, 5);
    EXPECT_EQ(button_check(automatic), 0);
    tap(plain, 3, 5);
    EXPECT_EQ(button_check(plain), 0);
    button_set_check(plain, 5);
    EXPECT_EQ(button_check(plain), 1);
    EXPECT_EQ(take(), (std::vector<Notification> {{1050, kClicked}, {1050, kClicked}, {1051, kClicked}}));
}

TEST_F(ButtonTest, PostedClickTogglesAndNotifiesLikeATap)
{
    Hwnd box = make(u"button", u"Closed", kButtonAutoCheckBox, {10, 10, 120, 30}, 1050);
    take();
    post_click(box);
    ui::pump_messages();
    EXPECT_EQ(button_check(box), 1);
    EXPECT_EQ(ui::focus(), box);
    EXPECT_EQ(take(), (std::vector<Notification> {{1050, kClicked}}));
    post_click(m_parent);  // not a button: nothing queued
    EXPECT_EQ(ui::pump_messages(), 0);
}

TEST_F(ButtonTest, ADisabledButtonIgnoresTheStylus)
{
    Hwnd b = make(u"button", u"Get", ui::kStyleDisabled, {10, 10, 70, 32}, 1006);
    take();
    tap(b, 5, 5);
    post_click(b);
    ui::pump_messages();
    EXPECT_TRUE(take().empty());
}

TEST_F(ButtonTest, ACaptionCanChange)
{
    Hwnd b = make(u"button", u"A", 0, {10, 10, 70, 32}, 1);
    ui::set_window_text(b, u"B");
    EXPECT_EQ(ui::window_text(b), u"B");
    ui::paint_pending();  // paints the new caption without trouble
}

class ProgressTest : public ControlTest { };

TEST_F(ProgressTest, StepsWrapPastTheHighEndToTheLowEnd)
{
    Hwnd bar = make(u"msctls_progress32", u"", 0, {20, 20, 180, 37}, 0);
    progress_set_range(bar, 0, 100);
    progress_set_step(bar, 5);
    for (int i = 1; i <= 20; ++i) {
        progress_step_it(bar);
        ASSERT_EQ(progress_pos(bar), 5 * i);
    }
    progress_step_it(bar);
    EXPECT_EQ(progress_pos(bar), 5);
    progress_set_step(bar, 30);
    progress_set_pos(bar, 90);
    progress_step_it(bar);
    EXPECT_EQ(progress_pos(bar), 20);
}

TEST_F(ProgressTest, BackwardStepsWrapToTheHighEndAndPositionsAreClamped)
{
    Hwnd bar = make(u"msctls_progress32", u"", 0, {20, 20, 180, 37}, 0);
    progress_set_range(bar, 10, 20);
    EXPECT_EQ(progress_pos(bar), 10);
    progress_set_step(bar, -3);
    progress_step_it(bar);
    EXPECT_EQ(progress_pos(bar), 17);
    progress_set_pos(bar, 500);
    EXPECT_EQ(progress_pos(bar), 20);
    progress_set_pos(bar, -5);
    EXPECT_EQ(progress_pos(bar), 10);
    progress_set_range(bar, 5, 5);  // an empty range holds the low end
    progress_step_it(bar);
    EXPECT_EQ(progress_pos(bar), 5);
}

TEST_F(ProgressTest, TheBarFillsInProportionToThePosition)
{
    Hwnd bar = make(u"msctls_progress32", u"", 0, {20, 20, 124, 37}, 0);
    progress_set_range(bar, 0, 100);
    progress_set_pos(bar, 50);
    ui::paint_pending();
    ui::Rect r = ui::window_rect(bar);
    const gdi::Bitmap& s = ui::screen();
    int y = r.top + r.height() / 2;
    EXPECT_NE(s.pixel(r.left + 10, y), gdi::kWhite);
    EXPECT_NE(s.pixel(r.left + 50, y), gdi::kWhite);
    EXPECT_EQ(s.pixel(r.left + 60, y), gdi::kWhite);
}

class WrapTest : public ControlTest { };

TEST_F(WrapTest, LinesStayWithinTheWidthAndKeepEveryWordInOrder)
{
    gdi::FontRef font = gdi::ui_font();
    std::u16string text = u"Pt#12 exists.  Enter new pt#. A rather long sentence to wrap over several lines.";
    for (int width : {40, 80, 120, 200}) {
        std::vector<std::u16string> lines = kit::wrap_text(font, text, width);
        std::u16string joined;
        for (const std::u16string& line : lines) {
            EXPECT_LE(kit::measure(font, line).cx, width) << text::to_utf8(line);
            for (char16_t c : line)
                if (c != u' ')
                    joined += c;
        }
        std::u16string letters;
        for (char16_t c : text)
            if (c != u' ')
                letters += c;
        EXPECT_EQ(joined, letters) << "width " << width;
    }
}

TEST_F(WrapTest, LineFeedsBreakAndAWordWiderThanALineIsCut)
{
    gdi::FontRef font = gdi::ui_font();
    EXPECT_EQ(
        kit::wrap_text(font, u"one\r\ntwo\nthree", 200), (std::vector<std::u16string> {u"one", u"two", u"three"}));
    std::vector<std::u16string> cut = kit::wrap_text(font, u"MMMMMMMMMMMMMMMMMMMM", 30);
    EXPECT_GT(cut.size(), 2u);
    for (const std::u16string& line : cut)
        EXPECT_FALSE(line.empty());
    EXPECT_EQ(kit::wrap_text(font, u"", 50), (std::vector<std::u16string> {u""}));
}

}  // namespace
}  // namespace platform::controls::testing
