// The file browser's listing and walk, on real folders of a temporary device.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_browser_model.h"
#include "platform/files/files.h"
#include "tests/support/temp_device.h"

namespace {

namespace files = platform::files;
namespace fs = std::filesystem;
using Entries = std::vector<std::u16string>;

class FileBrowserModel : public testing_support::DeviceTest {
protected:
    void touch(const std::u16string& device_path) { write_bytes(device_path, "x"); }
    void folder(const std::u16string& device_path) { ASSERT_TRUE(files::create_directory(device_path)); }
};

TEST_F(FileBrowserModel, TheRootListsFoldersTaggedAndTheCardAsCard)
{
    touch(u"\\readme.txt");
    const app::FolderListing root = app::list_folder(u"");
    EXPECT_EQ(root.entries,
        (Entries {u"<Subdir> My Documents", u"<Subdir> Program Files", u"readme.txt", u"<Card> Storage Card",
            u"<Subdir> Temp", u"<Subdir> Windows"}));
    EXPECT_TRUE(root.over_long_paths.empty());
}

TEST_F(FileBrowserModel, AnEmptyOrMissingFolderListsNoFiles)
{
    EXPECT_EQ(app::list_folder(u"\\Temp").entries, Entries {u"No files."});
    EXPECT_EQ(app::list_folder(u"\\Not There").entries, Entries {u"No files."});
}

TEST_F(FileBrowserModel, OverLongPathsAfterTheFirstItemAreReportedAndStillListed)
{
    const std::u16string deep = u"\\Temp\\" + std::u16string(200, u'd');
    folder(deep);
    const std::u16string first = std::u16string(60, u'a');  // 6 + 200 + 1 + 60 = 267: past 259
    const std::u16string fits = std::u16string(52, u'b');   // exactly 259
    const std::u16string over = std::u16string(53, u'c');   // 260
    for (const auto& name : {first, fits, over})
        touch(deep + u"\\" + name);
    const app::FolderListing l = app::list_folder(deep);
    EXPECT_EQ(l.entries, (Entries {first, fits, over}));
    EXPECT_EQ(l.over_long_paths, Entries {deep + u"\\" + over});
}

TEST_F(FileBrowserModel, EntryNamesLoseTheirTagOnly)
{
    EXPECT_EQ(app::entry_name(u"<Subdir> My Documents"), u"My Documents");
    EXPECT_EQ(app::entry_name(u"<Card> Storage Card"), u"Storage Card");
    EXPECT_EQ(app::entry_name(u"lot 7.dat"), u"lot 7.dat");
    EXPECT_EQ(app::entry_name(u"No files."), u"No files.");
    EXPECT_EQ(app::last_component(u"\\Temp\\a.dat"), u"a.dat");
    EXPECT_EQ(app::last_component(u"a.dat"), u"a.dat");
    EXPECT_EQ(app::last_component(u"\\Temp\\"), u"");
}

TEST_F(FileBrowserModel, WalkingInChoosingFilesAndGoingBack)
{
    folder(u"\\Temp\\Jobs");
    touch(u"\\Temp\\a.dat");
    touch(u"\\Temp\\b.dat");
    touch(u"\\Temp\\Jobs\\lot7.dat");
    app::FileBrowserModel m;
    m.start();
    EXPECT_EQ(m.path_text(), u" ");
    EXPECT_EQ(m.folder(), u"");

    m.select(u"<Subdir> Temp", m.path_text());
    EXPECT_EQ(m.folder(), u"\\Temp");
    EXPECT_EQ(m.path_text(), u"\\Temp");
    EXPECT_EQ(m.listing().entries, (Entries {u"a.dat", u"b.dat", u"<Subdir> Jobs"}));

    m.select(u"a.dat", m.path_text());
    EXPECT_EQ(m.path_text(), u"\\Temp\\a.dat");
    EXPECT_EQ(m.chosen_name(), u"a.dat");
    m.select(u"b.dat", m.path_text());  // the text names a file: its folder is kept
    EXPECT_EQ(m.path_text(), u"\\Temp\\b.dat");

    const int serial = m.listing_serial();
    m.select(u"No files.", u"typed by hand");  // nothing to choose: the typed text stays
    EXPECT_EQ(m.path_text(), u"typed by hand");
    EXPECT_EQ(m.listing_serial(), serial);

    m.select(u"<Subdir> Jobs", m.path_text());
    EXPECT_EQ(m.path_text(), u"\\Temp\\Jobs");
    m.back();
    EXPECT_EQ(m.folder(), u"\\Temp");
    EXPECT_EQ(m.path_text(), u"\\Temp");
    EXPECT_EQ(m.listing().entries.size(), 3u);
    m.back();
    EXPECT_EQ(m.folder(), u"");
    EXPECT_EQ(m.path_text(), u" ");
    EXPECT_EQ(m.listing().entries, app::list_folder(u"").entries);
    m.back();  // at the root it stays there
    EXPECT_EQ(m.folder(), u"");
}

TEST_F(FileBrowserModel, AFileIsPutAfterTheFolderOfTheText)
{
    touch(u"\\readme.txt");
    touch(u"\\Temp\\a.dat");
    app::FileBrowserModel m;
    m.start();
    m.select(u"readme.txt", u" ");  // a blank text stands for the root
    EXPECT_EQ(m.path_text(), u"\\readme.txt");
    m.select(u"readme.txt", u"\\Temp");  // a folder typed by hand
    EXPECT_EQ(m.path_text(), u"\\Temp\\readme.txt");
    m.select(u"readme.txt", u"\\new.dat");  // a file in the root: the new name goes beside it
    EXPECT_EQ(m.path_text(), u"\\readme.txt");
    m.select(u"readme.txt", u"word");  // text without a backslash is kept whole
    EXPECT_EQ(m.path_text(), u"word\\readme.txt");
    m.select(u"readme.txt", std::u16string(300, u'z'));
    EXPECT_EQ(m.path_text(), std::u16string(259, u'z') + u"\\readme.txt");
}

TEST_F(FileBrowserModel, TheCardIsEnteredLikeAFolder)
{
    testing_support::write_host_file(m_card + "/host.dat", "x");
    app::FileBrowserModel m;
    m.start();
    m.select(u"<Card> Storage Card", m.path_text());
    EXPECT_EQ(m.folder(), u"\\Storage Card");
    EXPECT_EQ(m.listing().entries, Entries {u"host.dat"});
    m.select(u"host.dat", m.path_text());
    EXPECT_EQ(m.path_text(), u"\\Storage Card\\host.dat");
}

TEST_F(FileBrowserModel, MyDeviceListsTheDocumentsByPathAndChoosesOne)
{
    folder(u"\\My Documents\\Jobs");
    touch(u"\\My Documents\\Jobs\\lot7.dat");
    touch(u"\\My Documents\\notes.txt");
    app::FileBrowserModel m;
    m.start();
    m.select(u"My Device", m.path_text());
    EXPECT_EQ(m.folder(), u"\\My Device");
    EXPECT_EQ(m.path_text(), u"\\My Device");
    EXPECT_EQ(m.listing().entries, (Entries {u"\\My Documents\\notes.txt", u"\\My Documents\\Jobs\\lot7.dat"}));
    m.select(u"\\My Documents\\Jobs\\lot7.dat", m.path_text());
    EXPECT_EQ(m.path_text(), u"\\My Documents\\Jobs\\lot7.dat");
    EXPECT_EQ(m.chosen_name(), u"lot7.dat");
    m.back();
    EXPECT_EQ(m.folder(), u"");
    EXPECT_EQ(m.path_text(), u" ");
}

}  // namespace
