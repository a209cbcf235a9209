#include <random>

#include "platform/controls/control_kit.h"
#include "tests/platform/controls/control_fixture.h"

namespace platform::controls::testing {
namespace {

constexpr int kSetFocus = ui::kEnSetFocus, kKillFocus = ui::kEnKillFocus, kChange = ui::kEnChange;

class EditTest : public ControlTest { };

TEST_F(EditTest, TypingGoesToTheFocusedEditOnlyWithNotificationsInOrder)
{
    Hwnd a = make(u"edit", u"", ui::kStyleTabStop, {10, 10, 110, 30}, 1011);
    Hwnd b = make(u"edit", u"", ui::kStyleTabStop, {10, 40, 110, 60}, 1012);
    take();
    tap(a, 5, 5);
    EXPECT_EQ(ui::focus(), a);
    chars(u"12");
    EXPECT_EQ(ui::window_text(a), u"12");
    EXPECT_EQ(ui::window_text(b), u"");
    std::vector<Notification> expected {{1011, kSetFocus}, {1011, kChange}, {1011, kChange}};
    EXPECT_EQ(take(), expected);

    tap(b, 5, 5);
    chars(u"x");
    EXPECT_EQ(ui::window_text(a), u"12");
    EXPECT_EQ(ui::window_text(b), u"x");
    expected = {{1011, kKillFocus}, {1012, kSetFocus}, {1012, kChange}};
    EXPECT_EQ(take(), expected);
}

TEST_F(EditTest, ControlCharactersAndRefusedKeysChangeNothing)
{
    Hwnd a = make(u"edit", u"ab", 0, {10, 10, 110, 30}, 5);
    tap(a, 90, 5);
    take();
    chars(u"\r\t\x1b\x08");
    key(ui::kKeyRight);  // already at the end
    EXPECT_EQ(ui::window_text(a), u"ab");
    EXPECT_TRUE(take().empty());
    key(ui::kKeyHome);
    key(ui::kKeyBack);  // nothing before the caret
    EXPECT_EQ(ui::window_text(a), u"ab");
    EXPECT_TRUE(take().empty());
}

// The edit against a string-and-caret model, under random editing keys.
TEST_F(EditTest, EditingKeysFollowAStringModel)
{
    Hwnd e = make(u"edit", u"", 0, {0, 0, 60, 20}, 7);
    tap(e, 1, 1);
    std::mt19937 rng(12345);
    std::u16string model;
    int caret = 0;
    for (int step = 0; step < 400; ++step) {
        take();
        int op = int(rng() % 7);
        bool changes = false;
        switch (op) {
        case 0: {
            char16_t c = char16_t(u'a' + rng() % 26);
            chars(std::u16string(1, c));
            model.insert(size_t(caret++), 1, c);
            changes = true;
            break;
        }
        case 1:
            key(ui::kKeyBack);
            if (caret > 0) {
                model.erase(size_t(--caret), 1);
                changes = true;
            }
            break;
        case 2:
            key(ui::kKeyDelete);
            if (caret < int(model.size())) {
                model.erase(size_t(caret), 1);
                changes = true;
            }
            break;
        case 3:
            key(ui::kKeyLeft);
            caret = std::max(0, caret - 1);
            break;
        case 4:
            key(ui::kKeyRight);
            caret = std::min(int(model.size()), caret + 1);
            break;
        case 5:
            key(ui::kKeyHome);
            caret = 0;
            break;
        default:
            key(ui::kKeyEnd);
            caret = int(model.size());
            break;
        }
        ASSERT_EQ(ui::window_text(e), model) << "step " << step;
        ASSERT_EQ(edit_caret(e), caret) << "step " << step;
        ASSERT_EQ(take().size(), changes ? 1u : 0u) << "step " << step;
    }
}

TEST_F(EditTest, TextLimitStopsTypingButNotDeleting)
{
    Hwnd e = make(u"edit", u"", 0, {0, 0, 100, 20}, 9);
    edit_set_limit(e, 5);
    tap(e, 1, 1);
    take();
    chars(u"1234567");
    EXPECT_EQ(ui::window_text(e), u"12345");
    EXPECT_EQ(take().size(), 5u);
    key(ui::kKeyBack);
    chars(u"xy");
    EXPECT_EQ(ui::window_text(e), u"1234x");
    edit_set_limit(e, 0);
    chars(u"yz");
    EXPECT_EQ(ui::window_text(e), u"1234xyz");
}

TEST_F(EditTest, ShiftSelectionIsReplacedByTyping)
{
    Hwnd e = make(u"edit", u"abcdef", 0, {0, 0, 100, 20}, 9);
    tap(e, 1, 1);
    key(ui::kKeyHome);
    key(ui::kKeyRight, ui::kModShift);
    key(ui::kKeyRight, ui::kModShift);
    chars(u"X");
    EXPECT_EQ(ui::window_text(e), u"Xcdef");
    edit_set_selection(e, 0, -1);
    key(ui::kKeyDelete);
    EXPECT_EQ(ui::window_text(e), u"");
}

TEST_F(EditTest, NumberAndReadOnlyStylesRefuseWhatTheyMust)
{
    Hwnd n = make(u"edit", u"", kEditNumber, {0, 0, 100, 20}, 1);
    Hwnd r = make(u"edit", u"fixed", kEditReadOnly, {0, 30, 100, 50}, 2);
    tap(n, 1, 1);
    chars(u"1a2-");
    EXPECT_EQ(ui::window_text(n), u"12");
    tap(r, 1, 1);
    chars(u"zz");
    key(ui::kKeyBack);
    EXPECT_EQ(ui::window_text(r), u"fixed");
}

TEST_F(EditTest, ReachingAnEditByTabSelectsItsTextSoTypingReplacesIt)
{
    Hwnd a = make(u"edit", u"first", ui::kStyleTabStop, {0, 0, 100, 20}, 1);
    Hwnd b = make(u"edit", u"12.500", ui::kStyleTabStop, {0, 30, 100, 50}, 2);
    tap(a, 1, 5);
    chars(u"x");
    EXPECT_EQ(ui::window_text(a), u"xfirst");  // a tap places the caret, selecting nothing
    key(ui::kKeyTab);
    EXPECT_EQ(ui::focus(), b);
    chars(u"7");
    EXPECT_EQ(ui::window_text(b), u"7");
}

TEST_F(EditTest, TapPlacesTheCaretAtTheNearestCharacterBoundary)
{
    Hwnd e = make(u"edit", u"abcdef", 0, {0, 0, 150, 20}, 3);
    gdi::FontRef font = ui::font(e);
    int before_c = kit::measure(font, u"ab").cx;
    int after_c = kit::measure(font, u"abc").cx;
    // Text starts three pixels inside the box.
    tap(e, 3 + before_c + 1, 5);
    EXPECT_EQ(edit_caret(e), 2);
    tap(e, 3 + after_c - 1, 5);
    EXPECT_EQ(edit_caret(e), 3);
    tap(e, 140, 5);
    EXPECT_EQ(edit_caret(e), 6);
    tap(e, 0, 5);
    EXPECT_EQ(edit_caret(e), 0);
}

TEST_F(EditTest, ReadingTakesAtMostTheCharactersAsked)
{
    Hwnd e = make(u"edit", u"123456789012", 0, {0, 0, 150, 20}, 3);
    EXPECT_EQ(edit_text(e, 9), u"123456789");
    EXPECT_EQ(edit_text(e), u"123456789012");
    EXPECT_EQ(edit_text(e, 0), u"");
    EXPECT_EQ(edit_text(m_parent, 5), u"");  // not an edit
}

TEST_F(EditTest, PostedTypingFocusesReplacesAndNotifiesOnce)
{
    Hwnd a = make(u"edit", u"", ui::kStyleTabStop, {0, 0, 100, 20}, 1011);
    Hwnd b = make(u"edit", u"old", ui::kStyleTabStop, {0, 30, 100, 50}, 1012);
    edit_set_limit(b, 4);
    tap(a, 1, 1);
    take();
    post_type(b, u"123456");
    ui::pump_messages();
    EXPECT_EQ(ui::focus(), b);
    EXPECT_EQ(ui::window_text(b), u"1234");
    std::vector<Notification> expected {{1011, kKillFocus}, {1012, kSetFocus}, {1012, kChange}};
    EXPECT_EQ(take(), expected);
    EXPECT_EQ(edit_caret(b), 4);
}

TEST_F(EditTest, CaretStaysInsideANarrowBoxWhileTyping)
{
    Hwnd e = make(u"edit", u"", 0, {0, 0, 40, 20}, 3);
    tap(e, 1, 1);
    chars(u"WWWWWWWWWWWWWWWW");
    ui::paint_pending();
    // The caret is a one-pixel black column as tall as a line; with the text scrolled it lies inside the
    // box, left of the right border.
    const gdi::Bitmap& screen = ui::screen();
    ui::Rect r = ui::window_rect(e);
    int lh = kit::line_height(ui::font(e));
    int y = r.top + (r.height() - lh) / 2 + lh / 2;
    bool found = false;
    for (int x = r.right - 4; x > r.left + 1 && !found; --x) {
        bool column = true;
        for (int dy = -lh / 2 + 1; dy < lh / 2 - 1; ++dy)
            column = column && screen.pixel(x, y + dy) == gdi::kBlack;
        found = column;
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace platform::controls::testing
