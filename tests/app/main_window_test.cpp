// The program's start-up and its main window, driven headless.

#include <algorithm>

#include "app/launch.h"
#include "app/main_window.h"
#include "app/program.h"
#include "draw/drawing_model.h"
#include "platform/controls/controls.h"
#include "platform/ui/ui.h"
#include "tests/app/app_fixture.h"

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using testing_support::AppTest;

using MainWindow = AppTest;

TEST_F(MainWindow, HasItsClassTitleAndMenuBar)
{
    auto& d = start();
    ASSERT_TRUE(d.running());
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] {
        ui::Hwnd w = app::main_window();
        ASSERT_TRUE(ui::is_window(w));
        EXPECT_EQ(ui::class_name(w), u"MV");
        EXPECT_EQ(ui::window_text(w), u"Varno");
        EXPECT_TRUE(ui::is_visible(w));
        EXPECT_EQ(ui::active_window(), w);
        EXPECT_EQ(ui::find_window(u"MV", u"Varno"), w);
        EXPECT_TRUE(ui::is_window(app::main_menu_bar()));
        EXPECT_EQ(controls::menu_bar_of(w), app::main_menu_bar());
    });
}

TEST_F(MainWindow, GivesUpTheMenuBarsHeight)
{
    auto& d = start();
    d.inspect([] {
        ui::Rect w = ui::window_rect(app::main_window());
        ui::Rect bar = ui::window_rect(app::main_menu_bar());
        ASSERT_GT(bar.height(), 0);
        // The default rectangle reaches the bottom of the screen; giving up the bar's rows leaves the
        // work area, so nothing is left uncovered between the window and its bar.
        EXPECT_EQ(w.left, ui::kWorkArea.left);
        EXPECT_EQ(w.top, ui::kWorkArea.top);
        EXPECT_EQ(w.width(), ui::kWorkArea.width());
        EXPECT_EQ(w.bottom, ui::kScreenHeight - bar.height());
        EXPECT_EQ(w.bottom, bar.top);
    });
}

TEST_F(MainWindow, StartUpEmptiesTheDrawingTable)
{
    // Leftovers of an earlier run in this process must not survive the start.
    draw::dwg_init();
    draw::DrawingSlot& slot = draw::dwg_slot(2);
    slot.first = std::make_unique<draw::Node>();
    slot.last = slot.first.get();
    slot.name = "AREA";
    slot.block_counter = 4;
    draw::dwg_set_current(2);

    auto& d = start();
    d.inspect([] {
        EXPECT_EQ(draw::dwg_current(), draw::kNoDrawing);
        for (int i = 0; i < draw::kDrawingSlots; ++i) {
            EXPECT_FALSE(draw::dwg_slot_in_use(i)) << i;
            EXPECT_EQ(draw::dwg_slot(i).first, nullptr) << i;
            EXPECT_EQ(draw::dwg_slot(i).last, nullptr) << i;
            EXPECT_EQ(draw::dwg_slot(i).name, "") << i;
            EXPECT_EQ(draw::dwg_slot(i).block_counter, draw::kFreeBlockCounter) << i;
        }
    });
}

TEST_F(MainWindow, ProgramDirectoryComesFromTheExecutablePath)
{
    auto& d = start();
    d.inspect([] { EXPECT_EQ(app::program_directory(), u"\\PROGRAM FILES\\VARNO\\"); });
}

TEST_F(MainWindow, CloseButtonEndsTheProgramWithCodeZero)
{
    auto& d = start();
    ui::Hwnd window = ui::kNoWindow, bar = ui::kNoWindow;
    d.inspect([&] {
        window = app::main_window();
        bar = app::main_menu_bar();
    });
    EXPECT_OK(d.menu("Close"));
    EXPECT_FALSE(d.running());
    EXPECT_EQ(d.finish(), 0);
    // The destruction took the menu bar with it.
    EXPECT_FALSE(ui::is_window(window));
    EXPECT_FALSE(ui::is_window(bar));
    EXPECT_EQ(app::main_window(), ui::kNoWindow);
    EXPECT_EQ(app::main_menu_bar(), ui::kNoWindow);
}

TEST_F(MainWindow, CloseRequestEndsTheProgramWithCodeZero)
{
    auto& d = start();
    EXPECT_OK(d.quit());
    EXPECT_EQ(d.finish(), 0);
}

TEST_F(MainWindow, CtrlQAndUnknownCommandsHaveNoEffect)
{
    auto& d = start();
    std::vector<ui::Hwnd> before;
    d.inspect([&] { before = ui::top_level_windows(); });
    EXPECT_OK(d.key("ctrl+q"));
    EXPECT_OK(d.command(1));
    EXPECT_OK(d.command(40999));
    EXPECT_TRUE(d.running());
    EXPECT_OK(d.expect_window("main"));
    d.inspect([&] { EXPECT_EQ(ui::top_level_windows(), before); });
}

TEST_F(MainWindow, WithoutAMenuBarTheWindowKeepsItsHeightAndStillWorks)
{
    auto& d = start_after([] { controls::set_menu_bar_failure(true); });
    d.inspect([] {
        EXPECT_EQ(app::main_menu_bar(), ui::kNoWindow);
        EXPECT_EQ(ui::window_rect(app::main_window()).bottom, ui::kScreenHeight);
        controls::set_menu_bar_failure(false);
    });
    EXPECT_OK(d.key("ctrl+a"));
    EXPECT_OK(d.expect_window("103"));
    EXPECT_OK(d.command(ui::kIdOk));
    EXPECT_OK(d.quit());
    EXPECT_EQ(d.finish(), 0);
}

TEST_F(MainWindow, WhenTheWindowCannotBeCreatedTheProgramEndsWithZero)
{
    static bool s_create_seen;
    s_create_seen = false;
    auto& d = start_after([] {
        // A class of that name that refuses every window: the main window's creation fails.
        ui::WindowClass refusing;
        refusing.name = u"MV";
        refusing.proc = [](ui::Hwnd h, uint32_t msg, ui::WParam wp, ui::LParam lp) -> ui::LResult {
            if (msg != ui::kMsgCreate)
                return ui::default_window_proc(h, msg, wp, lp);
            s_create_seen = true;
            return -1;
        };
        ui::register_class(refusing);
    });
    EXPECT_FALSE(d.running());
    EXPECT_EQ(d.finish(), 0);
    EXPECT_TRUE(s_create_seen);
    EXPECT_EQ(app::main_window(), ui::kNoWindow);
}

TEST_F(MainWindow, ASecondStartBringsTheFirstForwardAndEnds)
{
    auto& d = start();
    EXPECT_OK(d.key("ctrl+a"));
    d.inspect([] {
        std::vector<ui::Hwnd> before = ui::top_level_windows();
        // The second start finds the first main window, brings it (and its about box) forward and ends.
        EXPECT_EQ(app::win_main(), 0);
        EXPECT_EQ(ui::top_level_windows().size(), before.size());
        EXPECT_EQ(ui::template_name(ui::active_window()), "#103");
    });
    EXPECT_OK(d.command(ui::kIdOk));
    EXPECT_OK(d.expect_window("main"));
}

}  // namespace
