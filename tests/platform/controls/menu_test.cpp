#include "platform/controls/control_kit.h"
#include "platform/controls/menu_popup.h"
#include "tests/platform/controls/control_fixture.h"

namespace platform::controls::testing {
namespace {

constexpr int kBar = 500;

MenuBarTemplate test_bar()
{
    MenuBarTemplate t;
    t.id = kBar;
    MenuBarButton coords {u"Coords", 0, {}};
    coords.popup.push_back({u"Open", 40004, {}});
    coords.popup.push_back({u"Transform", 0, {{u"By Parameters", 40202, {}}, {u"By Points", 40203, {}}}});
    coords.popup.push_back({u"", 0, {}});  // separator
    coords.popup.push_back({u"Options", 40285, {}});
    t.buttons.push_back(coords);
    t.buttons.push_back({u" About ", 40003, {}});
    t.buttons.push_back({u"Close", 40018, {}});
    return t;
}

class MenuTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        add_menu_bar_template(test_bar());
        m_bar = create_menu_bar(m_parent, kBar);
        ASSERT_NE(m_bar, ui::kNoWindow);
        ui::pump_messages();
        take();
    }
    MenuBarState& st() { return *menu_bar_state(m_bar); }
    void tap_button(int index)
    {
        ui::Rect r = st().buttons[size_t(index)];
        tap(m_bar, r.left + r.width() / 2, r.top + r.height() / 2);
    }
    void tap_item(int level, int index)
    {
        ASSERT_LT(size_t(level), st().popups.size());
        const OpenPopup& p = st().popups[size_t(level)];
        ui::Rect r = p.rects[size_t(index)];
        tap(p.hwnd, r.left + r.width() / 2, r.top + r.height() / 2);
    }
    int popup_windows()
    {
        int n = 0;
        for (Hwnd h : ui::top_level_windows())
            n += kit::is_class(h, kit::kPopupMenuClass) ? 1 : 0;
        return n;
    }

    Hwnd m_bar = ui::kNoWindow;
};

TEST_F(MenuTest, TheBarLiesAlongTheBottomOwnedByItsWindowAndNeverActive)
{
    ui::Rect r = ui::window_rect(m_bar);
    EXPECT_EQ(r.top, ui::kScreenHeight - ui::kMenuBarHeight);
    EXPECT_EQ(r.bottom, ui::kScreenHeight);
    EXPECT_EQ(r.width(), ui::kScreenWidth);
    EXPECT_EQ(ui::owner(m_bar), m_parent);
    EXPECT_EQ(menu_bar_of(m_parent), m_bar);
    EXPECT_EQ(ui::active_window(), m_parent);
    // Buttons left to right without overlap, inside the bar.
    for (size_t i = 0; i + 1 < st().buttons.size(); ++i)
        EXPECT_LE(st().buttons[i].right, st().buttons[i + 1].left);
    EXPECT_LE(st().buttons.back().right, ui::kScreenWidth);
}

TEST_F(MenuTest, CreationFailsWhileTheSwitchIsSetForUnknownIdsAndForNoWindow)
{
    set_menu_bar_failure(true);
    EXPECT_EQ(create_menu_bar(m_parent, kBar), ui::kNoWindow);
    set_menu_bar_failure(false);
    EXPECT_EQ(create_menu_bar(m_parent, 999), ui::kNoWindow);
    EXPECT_EQ(create_menu_bar(ui::kNoWindow, kBar), ui::kNoWindow);
    EXPECT_NE(create_menu_bar(m_parent, kBar), ui::kNoWindow);
}

TEST_F(MenuTest, PathsNameCommandsWithLabelsTrimmed)
{
    EXPECT_EQ(menu_command_for_path(m_bar, u"Coords/Transform/By Parameters"), 40202);
    EXPECT_EQ(menu_command_for_path(m_bar, u" Coords / Transform /By Points "), 40203);
    EXPECT_EQ(menu_command_for_path(m_bar, u"About"), 40003);
    EXPECT_EQ(menu_command_for_path(m_bar, u"Coords/Transform"), -1);  // a pop-up, not a command
    EXPECT_EQ(menu_command_for_path(m_bar, u"Coords"), -1);
    EXPECT_EQ(menu_command_for_path(m_bar, u"Coords/Open/More"), -1);
    EXPECT_EQ(menu_command_for_path(m_bar, u"Calc/COGO"), -1);
    EXPECT_EQ(menu_command_for_path(m_parent, u"About"), -1);  // not a bar
    for (const auto& [path, command] : menu_paths(m_bar))
        EXPECT_EQ(menu_command_for_path(m_bar, path), command) << text::to_utf8(path);
    EXPECT_EQ(menu_paths(m_bar).size(), 6u);
}

TEST_F(MenuTest, AButtonCaptionCanChange)
{
    EXPECT_TRUE(menu_bar_set_button_text(m_bar, 1, u"Info"));
    EXPECT_FALSE(menu_bar_set_button_text(m_bar, 3, u"x"));
    EXPECT_EQ(menu_command_for_path(m_bar, u"Info"), 40003);
    EXPECT_EQ(menu_command_for_path(m_bar, u"About"), -1);
}

TEST_F(MenuTest, APlainButtonPostsItsCommandToTheWindow)
{
    tap_button(1);
    EXPECT_EQ(take(), (std::vector<Notification> {{40003, 0}}));
}

TEST_F(MenuTest, NestedPopupsOpenAboveAndBesideAndAChoiceClosesThemAll)
{
    tap_button(0);
    ASSERT_EQ(st().popups.size(), 1u);
    ui::Rect first = ui::window_rect(st().popups[0].hwnd);
    EXPECT_LE(first.bottom, ui::kScreenHeight - ui::kMenuBarHeight);
    EXPECT_EQ(ui::active_window(), m_parent);
    tap_item(0, 1);  // Transform
    ASSERT_EQ(st().popups.size(), 2u);
    ui::Rect second = ui::window_rect(st().popups[1].hwnd);
    EXPECT_TRUE(second.left >= first.right - 4 || second.right <= first.left + 4);
    EXPECT_TRUE(take().empty());
    tap_item(1, 0);  // By Parameters
    EXPECT_EQ(take(), (std::vector<Notification> {{40202, 0}}));
    EXPECT_TRUE(st().popups.empty());
    EXPECT_EQ(popup_windows(), 0);
    EXPECT_EQ(ui::capture(), ui::kNoWindow);
}

TEST_F(MenuTest, ATapElsewhereOrOnTheSameButtonClosesThePopups)
{
    tap_button(0);
    ASSERT_EQ(popup_windows(), 1);
    tap_screen(200, 60);
    EXPECT_EQ(popup_windows(), 0);
    tap_button(0);
    tap_item(0, 1);
    ASSERT_EQ(popup_windows(), 2);
    tap_item(0, 2);  // the separator chooses nothing
    EXPECT_EQ(popup_windows(), 2);
    tap_button(0);
    EXPECT_EQ(popup_windows(), 0);
    EXPECT_TRUE(take().empty());
}

TEST_F(MenuTest, ATapOnAnotherButtonWhileAPopupIsOpenActsOnThatButton)
{
    tap_button(0);
    tap_item(0, 1);
    ASSERT_EQ(popup_windows(), 2);
    tap_button(1);
    EXPECT_EQ(popup_windows(), 0);
    EXPECT_EQ(take(), (std::vector<Notification> {{40003, 0}}));
    EXPECT_EQ(ui::capture(), ui::kNoWindow);
}

std::vector<int>& other_commands()
{
    static std::vector<int> log;
    return log;
}

TEST_F(MenuTest, ACommandGoesToTheWindowOfTheBarTapped)
{
    ui::register_class({u"MenuTestOther", [](Hwnd h, uint32_t msg, ui::WParam w, ui::LParam l) -> ui::LResult {
                            if (msg == ui::kMsgCommand)
                                other_commands().push_back(ui::loword(w));
                            return ui::default_window_proc(h, msg, w, l);
                        }});
    other_commands().clear();
    Hwnd other = ui::create_window(u"MenuTestOther", u"Other", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, m_parent);
    ui::set_foreground_window(other);
    Hwnd other_bar = create_menu_bar(other, kBar);
    ASSERT_NE(other_bar, ui::kNoWindow);
    ui::pump_messages();
    EXPECT_EQ(menu_bar_of(other), other_bar);
    EXPECT_EQ(menu_bar_of(m_parent), m_bar);
    // The newer bar lies on top: a tap there reaches the other window only.
    MenuBarState& os = *menu_bar_state(other_bar);
    tap_screen(os.buttons[0].left + 5, ui::kScreenHeight - 10);
    ASSERT_EQ(os.popups.size(), 1u);
    ui::Rect r = os.popups[0].rects[0];
    tap(os.popups[0].hwnd, r.left + 5, r.top + 5);
    EXPECT_EQ(other_commands(), (std::vector<int> {40004}));
    EXPECT_TRUE(take().empty());
}

TEST_F(MenuTest, TheBarIgnoresTapsWhileItsWindowIsDisabled)
{
    ui::enable_window(m_parent, false);
    ui::pump_messages();
    tap_button(1);
    tap_button(0);
    EXPECT_EQ(popup_windows(), 0);
    ui::enable_window(m_parent, true);
    ui::pump_messages();
    tap_button(1);
    EXPECT_EQ(take(), (std::vector<Notification> {{40003, 0}}));
}

// Dark pixels below the bar's top line: the buttons' captions and separators.
int ink_in_bar(Hwnd bar)
{
    ui::paint_pending();
    ui::Rect r = ui::window_rect(bar);
    int ink = 0;
    for (int y = r.top + 1; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ink += ui::screen().pixel(x, y) == gdi::kBlack ? 1 : 0;
    return ink;
}

TEST_F(MenuTest, TheBarShowsNoButtonsWhileItsWindowIsDisabled)
{
    const int shown = ink_in_bar(m_bar);
    EXPECT_GT(shown, 0);
    ui::enable_window(m_parent, false);
    EXPECT_EQ(ink_in_bar(m_bar), 0);
    ui::enable_window(m_parent, true);
    EXPECT_EQ(ink_in_bar(m_bar), shown);
}

TEST_F(MenuTest, DestroyingTheWindowTakesTheBarAndItsPopupsAlong)
{
    tap_button(0);
    ui::destroy_window(m_parent);
    ui::pump_messages();
    EXPECT_FALSE(ui::is_window(m_bar));
    EXPECT_EQ(popup_windows(), 0);
}

}  // namespace
}  // namespace platform::controls::testing
