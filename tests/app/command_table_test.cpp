// The main window's command table: every label path, the commands that need an open coordinate file,
// and the about box.

#include <algorithm>
#include <map>

#include "app/commands.h"
#include "app/main_window.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "tests/app/app_fixture.h"

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using testing_support::AppTest;

struct Entry {
    const char* path;
    int id;
    bool needs_file;
};

// The whole menu tree of the main window, as the user sees it.
const Entry kTable[] = {
    {"Coords/Open", 40004, false},
    {"Coords/Close", 40005, false},
    {"Coords/Edit", 40017, true},
    {"Coords/Transform/By Parameters", 40202, true},
    {"Coords/Transform/By Points", 40203, true},
    {"Coords/ASCII/Import", 40205, true},
    {"Coords/ASCII/Export", 40206, true},
    {"Coords/Statistics", 40006, true},
    {"Coords/Options", 40285, false},
    {"Coords/Reindex", 40287, false},
    {"Calc/COGO", 40016, true},
    {"Calc/Map Check", 40032, false},
    {"Calc/Area", 40046, true},
    {"Calc/Traverse", 40181, true},
    {"GPS/Satellites", 40257, false},
    {"GPS/Navigation/Compass View", 40276, false},
    {"GPS/Navigation/Plan View", 40277, false},
    {"GPS/Position", 40259, false},
    {"GPS/Serial Port", 40278, false},
    {"About", 40003, false},
    {"Close", 40018, false},
};

using CommandTable = AppTest;

TEST_F(CommandTable, EveryEntryIsReachedByItsLabelPath)
{
    auto& d = start();
    d.inspect([] {
        ui::Hwnd bar = app::main_menu_bar();
        for (const Entry& e : kTable)
            EXPECT_EQ(controls::menu_command_for_path(bar, platform::text::from_utf8(e.path)), e.id) << e.path;
        // Surrounding spaces of a label do not matter.
        EXPECT_EQ(controls::menu_command_for_path(bar, u" Coords / Transform / By Points "), 40203);
        EXPECT_EQ(controls::menu_command_for_path(bar, u"Coords/Transform"), -1);
        EXPECT_EQ(controls::menu_command_for_path(bar, u"Coords/Print"), -1);
    });
}

TEST_F(CommandTable, TheMenuHoldsNothingElse)
{
    auto& d = start();
    d.inspect([] {
        std::map<std::string, int> expected, seen;
        for (const Entry& e : kTable)
            expected[e.path] = e.id;
        for (const auto& [path, id] : controls::menu_paths(app::main_menu_bar()))
            seen[platform::text::to_utf8(path)] = id;
        EXPECT_EQ(seen, expected);
    });
}

TEST_F(CommandTable, NeedsAnOpenFileExactlyWhereTheTableSays)
{
    for (const Entry& e : kTable)
        EXPECT_EQ(app::command_needs_open_file(e.id), e.needs_file) << e.path;
    EXPECT_FALSE(app::command_needs_open_file(1));
}

TEST_F(CommandTable, WithoutACoordinateFileThePointCommandsDoNothing)
{
    auto& d = start();
    std::vector<ui::Hwnd> before;
    d.inspect([&] { before = ui::top_level_windows(); });
    for (const Entry& e : kTable) {
        if (!e.needs_file)
            continue;
        ASSERT_OK(d.menu(e.path));
        EXPECT_OK(d.expect_window("main"));
        d.inspect([&] {
            EXPECT_EQ(ui::top_level_windows(), before) << e.path;
            EXPECT_TRUE(ui::dialog_stack().empty()) << e.path;
        });
    }
    EXPECT_TRUE(d.running());
}

TEST_F(CommandTable, CtrlAOpensTheAboutBoxAndOkClosesIt)
{
    auto& d = start();
    ASSERT_OK(d.key("ctrl+a"));
    EXPECT_OK(d.expect_window("103"));
    d.inspect([] {
        ui::Hwnd about = ui::active_window();
        EXPECT_EQ(ui::window_text(about), u"About Varno");
        EXPECT_EQ(ui::owner(about), app::main_window());
        EXPECT_FALSE(ui::is_enabled(app::main_window()));
        // Full screen: the work area under the navigation bar.
        ui::Rect r = ui::window_rect(about);
        EXPECT_EQ(r.top, ui::kWorkArea.top);
        EXPECT_EQ(r.width(), ui::kScreenWidth);
    });
    EXPECT_OK(d.expect_text(1031, "Varno"));
    EXPECT_OK(d.expect_text(1032, "Version 0.1"));
    EXPECT_OK(d.expect_text(1033, "Released 8 December 2026"));
    ASSERT_OK(d.command(ui::kIdOk));
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] { EXPECT_TRUE(ui::is_enabled(app::main_window())); });
}

TEST_F(CommandTable, AboutButtonOpensTheAboutBoxWithTheInputPanelLowered)
{
    auto& d = start();
    d.inspect([] { ui::set_input_panel(true); });
    ASSERT_OK(d.menu("About"));
    EXPECT_OK(d.expect_window("103"));
    d.inspect([] { EXPECT_FALSE(ui::input_panel_raised()); });
    // Nothing but ok ends it.
    EXPECT_OK(d.command(ui::kIdCancel));
    EXPECT_OK(d.key("escape"));
    EXPECT_OK(d.expect_window("103"));
    EXPECT_OK(d.command(ui::kIdOk));
    EXPECT_OK(d.expect_window("main"));
}

TEST_F(CommandTable, AcceleratorsDoNotReachIntoTheAboutBox)
{
    auto& d = start();
    ASSERT_OK(d.key("ctrl+a"));
    std::vector<ui::Hwnd> dialogs;
    d.inspect([&] { dialogs = ui::dialog_stack(); });
    EXPECT_EQ(dialogs.size(), 1u);
    // A second Ctrl+A inside the modal dialog opens no second about box.
    EXPECT_OK(d.key("ctrl+a"));
    d.inspect([&] { EXPECT_EQ(ui::dialog_stack(), dialogs); });
    EXPECT_OK(d.command(ui::kIdOk));
}

}  // namespace
