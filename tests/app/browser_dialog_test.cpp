// The file browser PATHNAMES driven as a user drives it, from Coords/Open and Coords/Reindex.

#include "app/file_browser_dialog.h"
#include "app/program.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "tests/app/session_fixture.h"

namespace {

namespace files = platform::files;
using testing_support::SessionTest;

class BrowserDialog : public SessionTest {
protected:
    void make_points_file(const std::u16string& path)
    {
        ASSERT_TRUE(store::coord_create(path));
        store::coord_close();
    }
};

TEST_F(BrowserDialog, TheRootListsTheFoldersAndTheCardWithABlankPath)
{
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    EXPECT_OK(d.expect_window("PATHNAMES"));
    EXPECT_OK(d.expect_text(1002, " "));
    EXPECT_OK(d.expect_count(1001, 5));
    EXPECT_OK(d.expect_item(1001, 0, "<Subdir> My Documents"));
    EXPECT_OK(d.expect_item(1001, 2, "<Card> Storage Card"));
    EXPECT_OK(d.expect_item(1001, 3, "<Subdir> Temp"));
    EXPECT_OK(d.expect_text("Back", "Back"));
    EXPECT_OK(d.menu("Cancel"));
    EXPECT_OK(d.expect_window("main"));
}

TEST_F(BrowserDialog, CancelReturnsNothingAndNothingHappens)
{
    make_points_file(u"\\Temp\\Job.dat");
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Subdir> Temp"));
    ASSERT_OK(d.select(1001, "Job.dat"));
    EXPECT_OK(d.expect_text(1002, "\\Temp\\Job.dat"));
    ASSERT_OK(d.menu("Cancel"));
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_EQ(app::file_browser_result(), u"");
        EXPECT_FALSE(store::coord_is_open());
    });
    // Escape cancels too, here from Reindex.
    ASSERT_OK(d.menu("Coords/Reindex"));
    ASSERT_OK(d.type(1002, "\\Temp\\Job.dat"));
    ASSERT_OK(d.key("escape"));
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_EQ(app::file_browser_result(), u"");
        EXPECT_FALSE(store::coord_is_open());
    });
}

TEST_F(BrowserDialog, AFileChosenInTempIsShownAfterItsFolderAndOkOpensIt)
{
    make_points_file(u"\\Temp\\Lot7.dat");
    make_points_file(u"\\Temp\\Lot8.dat");
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Subdir> Temp"));
    EXPECT_OK(d.expect_text(1002, "\\Temp"));
    ASSERT_OK(d.select(1001, "Lot7.dat"));
    EXPECT_OK(d.expect_text(1002, "\\Temp\\Lot7.dat"));
    ASSERT_OK(d.select(1001, "Lot8.dat"));
    EXPECT_OK(d.expect_text(1002, "\\Temp\\Lot8.dat"));
    ASSERT_OK(d.menu("OK"));
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_EQ(app::file_browser_result(), u"\\Temp\\Lot8.dat");
        EXPECT_EQ(app::file_browser_last_name(), u"Lot8.dat");
        EXPECT_EQ(store::coord_full_path(), u"\\Temp\\Lot8.dat");
    });
}

TEST_F(BrowserDialog, BackGoesUpOneFolderAndFromTheTopToTheRoot)
{
    ASSERT_TRUE(files::create_directory(u"\\Temp\\Jobs"));
    write_bytes(u"\\Temp\\Jobs\\a.txt", {1});
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Subdir> Temp"));
    ASSERT_OK(d.select(1001, "<Subdir> Jobs"));
    EXPECT_OK(d.expect_text(1002, "\\Temp\\Jobs"));
    EXPECT_OK(d.expect_item(1001, 0, "a.txt"));
    ASSERT_OK(d.click("Back"));
    EXPECT_OK(d.expect_text(1002, "\\Temp"));
    EXPECT_OK(d.expect_count(1001, 1));
    EXPECT_OK(d.expect_item(1001, 0, "<Subdir> Jobs"));
    ASSERT_OK(d.click("Back"));
    EXPECT_OK(d.expect_text(1002, " "));
    EXPECT_OK(d.expect_item(1001, 3, "<Subdir> Temp"));
    ASSERT_OK(d.select(1001, "<Subdir> Program Files"));
    ASSERT_OK(d.select(1001, "<Subdir> Varno"));
    EXPECT_OK(d.expect_item(1001, 0, "No files."));
    ASSERT_OK(d.select(1001, "No files."));  // nothing to choose
    EXPECT_OK(d.expect_text(1002, "\\Program Files\\Varno"));
    EXPECT_OK(d.menu("Cancel"));
}

TEST_F(BrowserDialog, TheStorageCardShowsTheHostFolder)
{
    testing_support::write_host_file(m_card + "/survey.dat", "not points");
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Card> Storage Card"));
    EXPECT_OK(d.expect_text(1002, "\\Storage Card"));
    ASSERT_OK(d.select(1001, "survey.dat"));
    ASSERT_OK(d.menu("OK"));
    EXPECT_OK(d.expect_box("Error", "Not a coordinate file."));
    EXPECT_OK(d.answer("ok"));
}

TEST_F(BrowserDialog, OverLongPathsAreReportedAndStillListed)
{
    const std::u16string deep = u"\\Temp\\" + std::u16string(200, u'd');
    ASSERT_TRUE(files::create_directory(deep));
    write_bytes(deep + u"\\" + std::u16string(10, u'a'), {1});
    write_bytes(deep + u"\\" + std::u16string(60, u'b'), {1});
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Subdir> Temp"));
    ASSERT_OK(d.select(1001, 0));
    const std::string over = platform::text::to_utf8(deep + u"\\" + std::u16string(60, u'b'));
    EXPECT_OK(d.expect_box("MAX_PATH exceeded", over));
    ASSERT_OK(d.answer("ok"));
    EXPECT_OK(d.expect_window("PATHNAMES"));
    EXPECT_OK(d.expect_count(1001, 2));
    EXPECT_OK(d.menu("Cancel"));
}

TEST_F(BrowserDialog, WithoutItsMenuBarTheBrowserSaysSoAndStillRuns)
{
    auto& d = start([] {
        app::install_program();
        platform::controls::set_menu_bar_failure(true);
        app::run_file_browser(platform::ui::kNoWindow);
        return app::file_browser_result().empty() ? 0 : 1;
    });
    EXPECT_OK(d.expect_box("Area", "menu error"));
    ASSERT_OK(d.answer("ok"));
    EXPECT_OK(d.expect_window("PATHNAMES"));
    EXPECT_OK(d.type(1002, "\\Temp\\x.dat"));
    EXPECT_OK(d.key("escape"));
    EXPECT_EQ(d.finish(), 0);
}

TEST_F(BrowserDialog, StatisticsShowTheNameLastChosen)
{
    make_points_file(u"\\Temp\\Lot7.dat");
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Statistics"));  // nothing open: nothing happens
    EXPECT_OK(d.expect_window("main"));
    ASSERT_OK(d.menu("Coords/Open"));
    ASSERT_OK(d.select(1001, "<Subdir> Temp"));
    ASSERT_OK(d.select(1001, "Lot7.dat"));
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.menu("Coords/Statistics"));
    EXPECT_OK(d.expect_window("PT_STATISTICS"));
    EXPECT_OK(d.expect_item(1100, 0, "Statistics:   Lot7.dat"));
    ASSERT_OK(d.click("OK"));
    ASSERT_OK(d.menu("Coords/Edit"));
    EXPECT_OK(d.expect_window("PT_EDIT"));
}

}  // namespace
