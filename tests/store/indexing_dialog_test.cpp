// The indexing dialog through the headless driver: a small program whose main window opens or reindexes a
// coordinate file on a command, as the program's Open and Reindex do.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/messages.h"
#include "platform/controls/controls.h"
#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "resources/store_resources.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/indexing_dialog.h"
#include "store/point_index.h"
#include "store_fixture.h"
#include "point_helpers.h"

namespace {

using namespace store;
namespace ui = platform::ui;
namespace controls = platform::controls;
namespace pf = platform::files;
using platform::driver::Driver;

constexpr int kCmdOpen = 40004;
constexpr int kCmdReindex = 40287;

// Shared with the program's thread; written only while the program is parked.
struct ProgramState {
    std::u16string path;
    std::vector<std::string> log;
};
ProgramState s_program;

ui::LResult main_proc(ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    if (msg == ui::kMsgCommand && ui::loword(wparam) == kCmdOpen) {
        s_program.log.push_back("open " + std::to_string(coord_open_with_indexes(s_program.path)));
        return 0;
    }
    if (msg == ui::kMsgCommand && ui::loword(wparam) == kCmdReindex) {
        s_program.log.push_back("reindex " + std::to_string(coord_reindex(s_program.path)));
        return 0;
    }
    if (msg == ui::kMsgDestroy) {
        ui::post_quit_message(0);
        return 0;
    }
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

int indexing_program()
{
    ui::reset();
    controls::register_classes();
    resources::install_store_resources();
    formats::set_message_sink([](const std::u16string& caption, const std::u16string& text) {
        controls::message_box(ui::active_window(), caption, text, controls::kMbOk);
    });
    ui::register_class({u"IndexingTestMain", main_proc});
    ui::Hwnd main = ui::create_window(u"IndexingTestMain", u"Varno", ui::kStyleVisible, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    if (main == ui::kNoWindow)
        return 1;
    // As the program does: builds run behind the indexing dialog over the main window.
    set_index_build_runner([main](IndexBuild& build) { run_indexing_dialog(main, build); });
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

struct BarState {
    bool present = false;
    ui::Rect rect;
    int position = -1;
    std::u16string title;
};

class IndexingDialogTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        s_program = ProgramState();
        s_program.path = kLot;
    }

    void TearDown() override
    {
        m_driver.reset();
        set_index_build_runner({});
        StoreTest::TearDown();
    }

    void make_file(int count)
    {
        ASSERT_TRUE(coord_create(kLot));
        for (int i = 1; i <= count; ++i)
            ASSERT_EQ(point_store(make_point(uint32_t(i), "N" + std::to_string(i % 37)), false), 1);
        coord_close();
        pf::remove(kLotNumbers);
        pf::remove(kLotNames);
        m_messages.clear();
    }

    Driver& driver()
    {
        if (!m_driver)
            m_driver = std::make_unique<Driver>(indexing_program);
        return *m_driver;
    }

    // The progress bar of the active window and the window's title.
    BarState bar()
    {
        BarState state;
        driver().inspect([&] {
            ui::Hwnd dialog = ui::active_window();
            state.title = ui::window_text(dialog);
            ui::Hwnd progress = ui::child_by_id(dialog, resources::kIndexingProgress);
            if (progress == ui::kNoWindow || ui::class_name(progress) != u"msctls_progress32")
                return;
            state.present = true;
            ui::Rect screen = ui::window_rect(progress);
            ui::Point origin = ui::screen_to_client(dialog, {screen.left, screen.top});
            state.rect = {origin.x, origin.y, origin.x + (screen.right - screen.left),
                origin.y + (screen.bottom - screen.top)};
            state.position = controls::progress_pos(progress);
        });
        return state;
    }

    std::vector<std::string> log()
    {
        std::vector<std::string> out;
        driver().inspect([&] { out = s_program.log; });
        return out;
    }

    std::unique_ptr<Driver> m_driver;
};

TEST_F(IndexingDialogTest, MissingIndexesAreBuiltBehindTheDialogNumbersThenNames)
{
    make_file(1000);
    Driver& d = driver();
    ASSERT_TRUE(d.command(kCmdOpen).ok);
    ASSERT_TRUE(d.expect_window("PT_INDEXING").ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point numbers ...").ok);
    BarState start = bar();
    EXPECT_EQ(start.title, u"Processing ... ");
    ASSERT_TRUE(start.present);
    EXPECT_EQ(start.rect.left, 20);
    EXPECT_EQ(start.rect.top, 20);
    EXPECT_EQ(start.rect.right - start.rect.left, 160);
    EXPECT_EQ(start.rect.bottom - start.rect.top, 17);
    EXPECT_EQ(start.position, 0);
    EXPECT_TRUE(log().empty());

    // 100 records a tick of 1 ms, a step of 5 every 50 records.
    ASSERT_TRUE(d.wait(3).ok);
    EXPECT_EQ(bar().position, 30);
    ASSERT_TRUE(d.wait(7).ok);
    ASSERT_TRUE(d.expect_window("PT_INDEXING").ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point names ...").ok);
    EXPECT_EQ(bar().position, 0);
    ASSERT_TRUE(d.wait(10).ok);
    EXPECT_TRUE(d.expect_window("main").ok);
    EXPECT_EQ(log(), (std::vector<std::string>{"open 1"}));

    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(1000, &got), 1);
        EXPECT_EQ(point_find_nearest_by_name(u"N36", &got), 1);
        EXPECT_EQ(got.number, 998u);   // the highest record of that name (998 = 26 * 37 + 36) comes first
    });
}

TEST_F(IndexingDialogTest, AnEmptyFileOpensWithoutTheDialog)
{
    make_file(0);
    Driver& d = driver();
    ASSERT_TRUE(d.command(kCmdOpen).ok);
    EXPECT_TRUE(d.expect_window("main").ok);
    EXPECT_EQ(log(), (std::vector<std::string>{"open 1"}));
    d.inspect([] { EXPECT_TRUE(coord_is_open()); });
}

TEST_F(IndexingDialogTest, DamagedIndexesAreRebuiltAtOpenSayingWhyAndReindexRebuildsThemToo)
{
    make_file(150);
    write_bytes(kLotNumbers, std::string(2000, '\x01'));
    write_bytes(kLotNames, std::string(100, '\x02'));
    Driver& d = driver();
    ASSERT_TRUE(d.command(kCmdOpen).ok);
    ASSERT_TRUE(d.expect_window("PT_INDEXING").ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point numbers ... (index damaged)").ok);
    ASSERT_TRUE(d.wait(2).ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point names ... (index damaged)").ok);
    ASSERT_TRUE(d.wait(2).ok);
    EXPECT_TRUE(d.expect_window("main").ok);
    EXPECT_EQ(log(), (std::vector<std::string>{"open 1"}));
    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(7, &got), 1);
    });

    ASSERT_TRUE(d.command(kCmdReindex).ok);
    ASSERT_TRUE(d.expect_window("PT_INDEXING").ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point numbers ...").ok);
    ASSERT_TRUE(d.wait(2).ok);
    EXPECT_TRUE(d.expect_text(resources::kIndexingText, "Indexing point names ...").ok);
    ASSERT_TRUE(d.wait(2).ok);
    EXPECT_TRUE(d.expect_window("main").ok);
    EXPECT_EQ(log(), (std::vector<std::string>{"open 1", "reindex 1"}));
    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(7, &got), 1);
        EXPECT_EQ(point_last_by_number(&got), 150u);
    });
}

}  // namespace
