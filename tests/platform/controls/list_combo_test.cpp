#include <random>

#include "platform/controls/control_kit.h"
#include "platform/controls/row_list.h"
#include "tests/platform/controls/control_fixture.h"

namespace platform::controls::testing {
namespace {

constexpr int kSelChange = ui::kLbnSelChange;

class ListTest : public ControlTest {
protected:
    Hwnd make_list(int entries, uint32_t style = 0, int height = 100)
    {
        Hwnd l = make(u"listbox", u"", style | ui::kStyleTabStop, {10, 10, 150, 10 + height}, 1100);
        for (int i = 0; i < entries; ++i)
            list_add(l, u"Row " + text::from_utf8(std::to_string(i)));
        take();
        return l;
    }
    // Client y of the middle of row `row` counted from the top shown.
    int row_y(Hwnd l, int row) { return 1 + row * row_height(ui::font(l)) + row_height(ui::font(l)) / 2; }
};

TEST_F(ListTest, ATapSelectsTheRowAndAlwaysNotifies)
{
    Hwnd l = make_list(5);
    tap(l, 20, row_y(l, 2));
    EXPECT_EQ(list_selection(l), 2);
    EXPECT_EQ(ui::focus(), l);
    tap(l, 20, row_y(l, 2));
    EXPECT_EQ(take(), (std::vector<Notification> {{1100, kSelChange}, {1100, kSelChange}}));
    tap(l, 20, 95);  // below the last entry
    EXPECT_EQ(list_selection(l), 2);
    EXPECT_TRUE(take().empty());
}

TEST_F(ListTest, KeysMoveTheSelectionNotifyingOnlyWhenItMoves)
{
    Hwnd l = make_list(30);
    ui::set_focus(l);
    key(ui::kKeyDown);
    EXPECT_EQ(list_selection(l), 0);
    key(ui::kKeyUp);  // already first
    key(ui::kKeyDown);
    EXPECT_EQ(list_selection(l), 1);
    EXPECT_EQ(take().size(), 2u);
    key(ui::kKeyEnd);
    EXPECT_EQ(list_selection(l), 29);
    EXPECT_EQ(list_top_index(l), 30 - list_visible_rows(l));
    key(ui::kKeyNext);
    EXPECT_EQ(list_selection(l), 29);
    key(ui::kKeyHome);
    EXPECT_EQ(list_top_index(l), 0);
    int page = list_visible_rows(l) - 1;
    key(ui::kKeyNext);
    EXPECT_EQ(list_selection(l), page);
    EXPECT_EQ(take().size(), 3u);
}

TEST_F(ListTest, TheSelectionStaysInViewWhenSetAndScrollingNeverLeavesTheEnds)
{
    Hwnd l = make_list(40);
    int visible = list_visible_rows(l);
    ASSERT_GT(visible, 2);
    list_set_selection(l, 25);
    EXPECT_LE(list_top_index(l), 25);
    EXPECT_GT(list_top_index(l) + visible, 25);
    list_set_top_index(l, 1000);
    EXPECT_EQ(list_top_index(l), 40 - visible);
    list_set_top_index(l, -3);
    EXPECT_EQ(list_top_index(l), 0);
    EXPECT_TRUE(take().empty());  // setting the selection does not notify
}

TEST_F(ListTest, DragScrollsWithoutSelectingAndTheWheelScrollsThreeRowsANotch)
{
    Hwnd l = make_list(40);
    int rh = row_height(ui::font(l));
    drag(l, 20, 80, 20, 80 - 3 * rh);
    EXPECT_EQ(list_top_index(l), 3);
    EXPECT_EQ(list_selection(l), -1);
    EXPECT_TRUE(take().empty());
    ui::Rect r = ui::window_rect(l);
    ui::input_wheel(r.left + 5, r.top + 5, -120);
    ui::pump_messages();
    EXPECT_EQ(list_top_index(l), 6);
    ui::input_wheel(r.left + 5, r.top + 5, 240);
    ui::pump_messages();
    EXPECT_EQ(list_top_index(l), 0);
}

TEST_F(ListTest, EntriesFollowAVectorModelUnderInsertsAndDeletes)
{
    Hwnd l = make_list(0);
    std::vector<std::u16string> model;
    int selected = -1;  // index in model, following its entry
    std::mt19937 rng(7);
    for (int step = 0; step < 300; ++step) {
        int op = int(rng() % 4);
        if (op == 0 || model.empty()) {
            int at = model.empty() ? 0 : int(rng() % (model.size() + 1));
            std::u16string t = u"e" + text::from_utf8(std::to_string(step));
            ASSERT_EQ(list_insert(l, at, t), at);
            model.insert(model.begin() + at, t);
            if (selected >= at)
                ++selected;
        } else if (op == 1) {
            int at = int(rng() % model.size());
            ASSERT_TRUE(list_delete(l, at));
            model.erase(model.begin() + at);
            selected = selected == at ? -1 : (selected > at ? selected - 1 : selected);
        } else if (op == 2) {
            selected = int(rng() % model.size());
            ASSERT_TRUE(list_set_selection(l, selected));
        } else {
            ASSERT_FALSE(list_delete(l, int(model.size())));
            ASSERT_EQ(list_insert(l, int(model.size()) + 1, u"x"), -1);
        }
        ASSERT_EQ(list_count(l), int(model.size()));
        ASSERT_EQ(list_selection(l), selected) << "step " << step;
        for (size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(list_text(l, int(i)), model[i]);
    }
}

TEST_F(ListTest, SortedListsInsertInOrderIgnoringCaseAndKeepItemData)
{
    Hwnd l = make(u"listbox", u"", kListSort, {0, 0, 100, 100}, 5);
    EXPECT_EQ(list_add(l, u"delta"), 0);
    EXPECT_EQ(list_add(l, u"Alpha"), 0);
    EXPECT_EQ(list_add(l, u"charlie"), 1);
    EXPECT_EQ(list_add(l, u"Bravo"), 1);
    list_set_data(l, 2, 4242);
    EXPECT_EQ(list_text(l, 2), u"charlie");
    EXPECT_EQ(list_data(l, 2), 4242);
    EXPECT_EQ(list_data(l, 9), 0);
    EXPECT_EQ(list_text(l, -1), u"");
    list_reset(l);
    EXPECT_EQ(list_count(l), 0);
    EXPECT_EQ(list_selection(l), -1);
}

TEST_F(ListTest, PostedSelectionNotifiesAndOutOfRangeIsIgnored)
{
    Hwnd l = make_list(5);
    post_select(l, 3);
    post_select(l, 9);
    ui::pump_messages();
    EXPECT_EQ(list_selection(l), 3);
    EXPECT_EQ(take(), (std::vector<Notification> {{1100, kSelChange}}));
}

TEST_F(ListTest, AFixedPitchListDrawsEveryCharacterTheSameWidth)
{
    Hwnd l = make_list(0, kListFixedPitch);
    list_add(l, u"iiiiiiii");
    list_add(l, u"MMMMMMMM");
    ui::paint_pending();
    // The rightmost ink of both rows ends within a pixel or two of each other.
    const gdi::Bitmap& s = ui::screen();
    ui::Rect r = ui::window_rect(l);
    int rh = row_height(gdi::ui_font());
    auto right_ink = [&](int row) {
        int last = -1;
        for (int y = r.top + 1 + row * rh; y < r.top + 1 + (row + 1) * rh; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                if (s.pixel(x, y) == gdi::kBlack)
                    last = std::max(last, x);
        return last;
    };
    EXPECT_NEAR(right_ink(0), right_ink(1), 3);
}

class ComboTest : public ControlTest {
protected:
    Hwnd make_combo(int entries, int height = 20)
    {
        Hwnd c = make(u"combobox", u"", kComboDropDownList | ui::kStyleTabStop, {10, 40, 130, 40 + height}, 1244);
        for (int i = 0; i < entries; ++i)
            combo_add(c, u"Unit " + text::from_utf8(std::to_string(i)));
        take();
        return c;
    }
    Hwnd drop_window()
    {
        for (Hwnd h : ui::top_level_windows())
            if (kit::is_class(h, kit::kComboDropClass))
                return h;
        return ui::kNoWindow;
    }
};

TEST_F(ComboTest, ATapOpensTheListAndATapOnAnEntryPicksIt)
{
    Hwnd c = make_combo(4);
    tap(c, 10, 5);
    ASSERT_TRUE(combo_dropped(c));
    Hwnd drop = drop_window();
    ASSERT_NE(drop, ui::kNoWindow);
    EXPECT_EQ(ui::active_window(), m_parent);
    EXPECT_EQ(ui::focus(), c);
    int rh = row_height(ui::font(c));
    tap(drop, 10, 1 + 2 * rh + rh / 2);
    EXPECT_FALSE(combo_dropped(c));
    EXPECT_FALSE(ui::is_window(drop));
    EXPECT_EQ(combo_selection(c), 2);
    EXPECT_EQ(ui::window_text(c), u"Unit 2");
    EXPECT_EQ(take(), (std::vector<Notification> {{1244, ui::kCbnDropDown}, {1244, ui::kCbnSelChange}}));
}

TEST_F(ComboTest, ATapElsewhereClosesTheListWithoutChoosing)
{
    Hwnd c = make_combo(4);
    combo_set_selection(c, 1);
    tap(c, 10, 5);
    ASSERT_TRUE(combo_dropped(c));
    take();
    tap_screen(200, 250);
    EXPECT_FALSE(combo_dropped(c));
    EXPECT_EQ(combo_selection(c), 1);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(ui::capture(), ui::kNoWindow);
}

TEST_F(ComboTest, UpAndDownChangeTheSelectionWhenFocused)
{
    Hwnd c = make_combo(3);
    ui::set_focus(c);
    key(ui::kKeyDown);
    key(ui::kKeyDown);
    key(ui::kKeyDown);
    key(ui::kKeyDown);  // stays on the last
    key(ui::kKeyUp);
    EXPECT_EQ(combo_selection(c), 1);
    EXPECT_EQ(ui::window_text(c), u"Unit 1");
    EXPECT_EQ(take().size(), 4u);
}

TEST_F(ComboTest, ATemplateHeightBecomesTheOpenListAndTheBoxIsOneLine)
{
    Hwnd c = make_combo(20, 120);
    EXPECT_LT(ui::window_rect(c).height(), 30);
    tap(c, 10, 5);
    Hwnd drop = drop_window();
    ASSERT_NE(drop, ui::kNoWindow);
    EXPECT_GT(ui::window_rect(drop).height(), 60);
    EXPECT_LE(ui::window_rect(drop).bottom, ui::kScreenHeight);
}

TEST_F(ComboTest, SettingTheSelectionShowsItWithoutNotifyingAndPostedSelectionNotifies)
{
    Hwnd c = make_combo(3);
    EXPECT_TRUE(combo_set_selection(c, 2));
    EXPECT_FALSE(combo_set_selection(c, 3));
    EXPECT_EQ(ui::window_text(c), u"Unit 2");
    EXPECT_TRUE(take().empty());
    post_select(c, 0);
    ui::pump_messages();
    EXPECT_EQ(combo_selection(c), 0);
    EXPECT_EQ(take(), (std::vector<Notification> {{1244, ui::kCbnSelChange}}));
    combo_reset(c);
    EXPECT_EQ(combo_count(c), 0);
    EXPECT_EQ(ui::window_text(c), u"");
}

TEST_F(ComboTest, DestroyingTheDialogWithTheListOpenLeavesNoListBehind)
{
    Hwnd c = make_combo(3);
    tap(c, 10, 5);
    ASSERT_NE(drop_window(), ui::kNoWindow);
    ui::destroy_window(m_parent);
    ui::pump_messages();
    EXPECT_EQ(drop_window(), ui::kNoWindow);
    EXPECT_FALSE(combo_dropped(c));
}

}  // namespace
}  // namespace platform::controls::testing
