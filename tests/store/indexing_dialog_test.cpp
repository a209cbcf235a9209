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
#include "point_files.h"
#include "store_fixture.h"
#include "tests/support/program_harness.h"

namespace {

using namespace store;
namespace ui = platform::ui;
namespace controls = platform::controls;
namespace pf = platform::files;
using platform::driver::Driver;

constexpr int kCmdOpen = 40004;
constexpr int kCmdReindex = 40287;

// The coordinate file the program opens or reindexes; set while the program is parked.
std::u16string s_path;

void on_command(ui::Hwnd hwnd, int id)
{
    auto& log = testing_support::program_log();
    // As the program does: builds run behind the indexing dialog over the main window.
    set_index_build_runner([hwnd](IndexBuild& build) { run_indexing_dialog(hwnd, build); });
    if (id == kCmdOpen)
        log.push_back("open " + std::to_string(coord_open_with_indexes(s_path)));
    if (id == kCmdReindex)
        log.push_back("reindex " + std::to_string(coord_reindex(s_path)));
}

int indexing_program()
{
    return testing_support::run_test_program(u"IndexingTestMain", testing_support::command_window(on_command), [] {
        resources::install_store_resources();
        formats::set_message_sink([](const std::u16string& caption, const std::u16string& text) {
            controls::message_box(ui::active_window(), caption, text, controls::kMbOk);
        });
    });
}

struct BarState {
    bool present = false;
    ui::Rect rect;
    int position = -1;
    std::u16string title;
};

class IndexingDialogTest : public testing_support::WithProgram<StoreTest> {
protected:
    void SetUp() override
    {
        WithProgram::SetUp();
        s_path = kLot;
    }

    void make_file(int count)
    {
        ASSERT_TRUE(create_unindexed(count, [](int i) { return "N" + std::to_string(i % 37); }));
        m_messages.clear();
    }

    Driver& driver() { return m_driver ? *m_driver : start(indexing_program); }

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
            state.rect = {
                origin.x, origin.y, origin.x + (screen.right - screen.left), origin.y + (screen.bottom - screen.top)};
            state.position = controls::progress_pos(progress);
        });
        return state;
    }
};

TEST_F(IndexingDialogTest, MissingIndexesAreBuiltBehindTheDialogNumbersThenNames)
{
    make_file(1000);
    Driver& d = driver();
    ASSERT_OK(d.command(kCmdOpen));
    ASSERT_OK(d.expect_window("PT_INDEXING"));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point numbers ..."));
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
    ASSERT_OK(d.wait(3));
    EXPECT_EQ(bar().position, 30);
    ASSERT_OK(d.wait(7));
    ASSERT_OK(d.expect_window("PT_INDEXING"));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point names ..."));
    EXPECT_EQ(bar().position, 0);
    ASSERT_OK(d.wait(10));
    EXPECT_OK(d.expect_window("main"));
    EXPECT_EQ(log(), (std::vector<std::string> {"open 1"}));

    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(1000, &got), 1);
        EXPECT_EQ(point_find_nearest_by_name(u"N36", &got), 1);
        EXPECT_EQ(got.number, 998u);  // the highest record of that name (998 = 26 * 37 + 36) comes first
    });
}

TEST_F(IndexingDialogTest, AnEmptyFileOpensWithoutTheDialog)
{
    make_file(0);
    Driver& d = driver();
    ASSERT_OK(d.command(kCmdOpen));
    EXPECT_OK(d.expect_window("main"));
    EXPECT_EQ(log(), (std::vector<std::string> {"open 1"}));
    d.inspect([] { EXPECT_TRUE(coord_is_open()); });
}

TEST_F(IndexingDialogTest, DamagedIndexesAreRebuiltAtOpenSayingWhyAndReindexRebuildsThemToo)
{
    make_file(150);
    write_bytes(kLotNumbers, std::string(2000, '\x01'));
    write_bytes(kLotNames, std::string(100, '\x02'));
    Driver& d = driver();
    ASSERT_OK(d.command(kCmdOpen));
    ASSERT_OK(d.expect_window("PT_INDEXING"));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point numbers ... (index damaged)"));
    ASSERT_OK(d.wait(2));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point names ... (index damaged)"));
    ASSERT_OK(d.wait(2));
    EXPECT_OK(d.expect_window("main"));
    EXPECT_EQ(log(), (std::vector<std::string> {"open 1"}));
    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(7, &got), 1);
    });

    ASSERT_OK(d.command(kCmdReindex));
    ASSERT_OK(d.expect_window("PT_INDEXING"));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point numbers ..."));
    ASSERT_OK(d.wait(2));
    EXPECT_OK(d.expect_text(resources::kIndexingText, "Indexing point names ..."));
    ASSERT_OK(d.wait(2));
    EXPECT_OK(d.expect_window("main"));
    EXPECT_EQ(log(), (std::vector<std::string> {"open 1", "reindex 1"}));
    d.inspect([] {
        PointRecord got;
        EXPECT_EQ(point_read_by_number(7, &got), 1);
        EXPECT_EQ(point_last_by_number(&got), 150u);
    });
}

}  // namespace
