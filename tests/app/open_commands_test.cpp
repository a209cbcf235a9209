// Open and Reindex once a path has been chosen, and the commands that close the coordinate file.

#include <filesystem>

#include "app/open_commands.h"
#include "app/program.h"
#include "app/program_directory.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "tests/app/app_fixture.h"

namespace {

namespace ui = platform::ui;
namespace files = platform::files;
using testing_support::AppTest;

class OpenCommands : public AppTest {
protected:
    // Runs `step` on the program's thread, with the message loop of any message box it shows.
    platform::driver::Driver& run(std::function<void()> step)
    {
        return start([step] {
            app::install_program();
            step();
            return 0;
        });
    }
};

TEST_F(OpenCommands, TrailingWhiteSpaceIsStripped)
{
    EXPECT_EQ(app::strip_trailing_space(u"\\My Documents\\a.dat \t\r\n"), u"\\My Documents\\a.dat");
    EXPECT_EQ(app::strip_trailing_space(u"  "), u"");
    EXPECT_EQ(app::strip_trailing_space(u" lead"), u" lead");
}

TEST_F(OpenCommands, AMissingFileBecomesANewEmptyCoordinateFile)
{
    auto& d = run([] { app::open_chosen_file(ui::kNoWindow, u"\\My Documents\\Lot7.dat   "); });
    EXPECT_EQ(d.finish(), 0);
    EXPECT_TRUE(store::coord_is_open());
    EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Lot7.dat");
    EXPECT_EQ(file_size(u"\\My Documents\\Lot7.dat"), 287);
    EXPECT_EQ(store::coord_record_count(), 0);
}

TEST_F(OpenCommands, AFileThatIsNotACoordinateFileIsRefusedAndTheOpenOneStays)
{
    ASSERT_TRUE(store::coord_create(u"\\My Documents\\Job.dat"));
    write_bytes(u"\\My Documents\\notes.txt", "hello, not points");
    auto& d = run([] { app::open_chosen_file(ui::kNoWindow, u"\\My Documents\\notes.txt"); });
    EXPECT_OK(d.expect_box("Error", "Not a coordinate file."));
    EXPECT_OK(d.answer("ok"));
    EXPECT_EQ(d.finish(), 0);
    EXPECT_TRUE(store::coord_is_open());
    EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Job.dat");
    EXPECT_EQ(file_size(u"\\My Documents\\notes.txt"), 17);
}

TEST_F(OpenCommands, ANewFileThatCannotBeCreatedIsReportedWithItsPath)
{
    auto& d = run([] { app::open_chosen_file(ui::kNoWindow, u"\\No Such Folder\\Lot7.dat"); });
    EXPECT_OK(d.expect_box("Error opening new file", "\\No Such Folder\\Lot7.dat"));
    EXPECT_OK(d.answer("ok"));
    EXPECT_EQ(d.finish(), 0);
    EXPECT_FALSE(store::coord_is_open());
}

TEST_F(OpenCommands, AnExistingCoordinateFileIsNeverReplaced)
{
    ASSERT_TRUE(store::coord_create(u"\\My Documents\\Kept.dat"));
    store::PointRecord point {};
    point.number = 7;
    ASSERT_TRUE(store::coord_append(point, nullptr));
    store::coord_close();
    auto& d = run([] { app::open_chosen_file(ui::kNoWindow, u"\\My Documents\\Kept.dat"); });
    EXPECT_EQ(d.finish(), 0);
    EXPECT_EQ(file_size(u"\\My Documents\\Kept.dat"), 287 + 87);
}

TEST_F(OpenCommands, EmptyPathsDoNothing)
{
    auto& d = run([] {
        app::open_chosen_file(ui::kNoWindow, u"");
        app::open_chosen_file(ui::kNoWindow, u" \t ");
        app::reindex_chosen_file(ui::kNoWindow, u"   ");
    });
    EXPECT_EQ(d.finish(), 0);
    EXPECT_FALSE(store::coord_is_open());
}

TEST_F(OpenCommands, ReindexRefusesAFileThatIsNotACoordinateFile)
{
    write_bytes(u"\\Temp\\list.csv", "1,2,3\n");
    auto& d = run([] { app::reindex_chosen_file(ui::kNoWindow, u"\\Temp\\list.csv "); });
    EXPECT_OK(d.expect_box("Error", "\\Temp\\list.csv is not a coordinate file."));
    EXPECT_OK(d.answer("ok"));
    EXPECT_EQ(d.finish(), 0);
}

TEST_F(OpenCommands, CoordsCloseClosesTheOpenFile)
{
    auto& d = start_after([] { store::coord_create(u"\\My Documents\\Open.dat"); });
    d.inspect([] { EXPECT_TRUE(store::coord_is_open()); });
    EXPECT_OK(d.menu("Coords/Close"));
    d.inspect([] { EXPECT_FALSE(store::coord_is_open()); });
    EXPECT_OK(d.expect_window("main"));
}

TEST_F(OpenCommands, EndingTheProgramClosesTheOpenFile)
{
    auto& d = start_after([] { store::coord_create(u"\\My Documents\\Open.dat"); });
    EXPECT_OK(d.menu("Close"));
    EXPECT_EQ(d.finish(), 0);
    EXPECT_FALSE(store::coord_is_open());
}

}  // namespace
