#include "tests/support/temp_device.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, FoldersAreCreatedAndRemovedOnlyWhenThatMakesSense)
{
    EXPECT_TRUE(create_directory(u"\\My Documents\\Jobs"));
    EXPECT_FALSE(create_directory(u"\\MY DOCUMENTS\\JOBS"));  // exists, in another case
    EXPECT_FALSE(create_directory(u"\\Missing\\Jobs"));       // parent missing
    EXPECT_TRUE(is_directory(u"\\my documents\\jobs"));
    write_device_file(u"\\My Documents\\Jobs\\a.dat", "a");
    EXPECT_FALSE(remove_directory(u"\\My Documents\\Jobs"));  // not empty
    EXPECT_FALSE(remove(u"\\My Documents\\Jobs"));            // a folder is no file
    EXPECT_TRUE(remove(u"\\My Documents\\Jobs\\A.DAT"));
    EXPECT_FALSE(remove(u"\\My Documents\\Jobs\\a.dat"));  // already gone
    EXPECT_TRUE(remove_directory(u"\\My Documents\\Jobs"));
    EXPECT_EQ(attributes(u"\\My Documents\\Jobs"), kInvalidAttributes);
    EXPECT_FALSE(remove_directory(u"\\"));
}

TEST_F(DeviceTest, MoveRenamesButNeverReplaces)
{
    write_device_file(u"\\Temp\\a.dat", "A");
    write_device_file(u"\\Temp\\b.dat", "B");
    EXPECT_FALSE(move(u"\\Temp\\a.dat", u"\\Temp\\B.DAT"));
    EXPECT_EQ(read_host_file(m_root + "/Temp/b.dat"), "B");
    EXPECT_TRUE(move(u"\\TEMP\\A.DAT", u"\\My Documents\\c.dat"));
    EXPECT_EQ(read_host_file(m_root + "/My Documents/c.dat"), "A");
    EXPECT_FALSE(move(u"\\Temp\\a.dat", u"\\Temp\\z.dat"));  // source gone
}

TEST_F(DeviceTest, MoveToAnotherCaseOfTheSameNameRenames)
{
    write_device_file(u"\\Temp\\lot.dat", "L");
    EXPECT_TRUE(move(u"\\Temp\\lot.dat", u"\\Temp\\LOT.DAT"));
    EXPECT_TRUE(fs::exists(m_root + "/Temp/LOT.DAT"));
    EXPECT_EQ(read_host_file(m_root + "/Temp/LOT.DAT"), "L");
}

TEST_F(DeviceTest, MoveBetweenDeviceAndCard)
{
    write_device_file(u"\\Temp\\out.dat", "to card");
    EXPECT_TRUE(move(u"\\Temp\\out.dat", u"\\Storage Card\\out.dat"));
    EXPECT_EQ(read_host_file(m_card + "/out.dat"), "to card");
    EXPECT_EQ(attributes(u"\\Temp\\out.dat"), kInvalidAttributes);
}

TEST_F(DeviceTest, ReplaceTakesTheNameOfAnExistingFileWhereMoveWouldNot)
{
    write_device_file(u"\\Temp\\a.dat", "A");
    write_device_file(u"\\Temp\\b.dat", "B");
    EXPECT_TRUE(replace(u"\\Temp\\a.dat", u"\\TEMP\\B.DAT"));
    EXPECT_EQ(read_host_file(m_root + "/Temp/b.dat"), "A");  // the name found, not a second spelling
    EXPECT_FALSE(fs::exists(m_root + "/Temp/B.DAT"));
    EXPECT_EQ(attributes(u"\\Temp\\a.dat"), kInvalidAttributes);
    EXPECT_FALSE(replace(u"\\Temp\\a.dat", u"\\Temp\\b.dat"));  // source gone
    EXPECT_TRUE(replace(u"\\Temp\\b.dat", u"\\Temp\\c.dat"));   // a new name is fine too
    EXPECT_EQ(read_host_file(m_root + "/Temp/c.dat"), "A");
}

TEST_F(DeviceTest, ReplaceRefusesFoldersAndOpenFilesAndChangesNothing)
{
    write_device_file(u"\\Temp\\new.dat", "new");
    write_device_file(u"\\Temp\\old.dat", "old");
    ASSERT_TRUE(create_directory(u"\\Temp\\Folder"));
    EXPECT_FALSE(replace(u"\\Temp\\new.dat", u"\\Temp\\Folder"));
    EXPECT_FALSE(replace(u"\\Temp\\Folder", u"\\Temp\\other"));
    for (const char16_t* held : {u"\\Temp\\old.dat", u"\\Temp\\new.dat"}) {
        Handle h = open_existing(held, Access::Read);
        ASSERT_NE(h, nullptr);
        EXPECT_FALSE(replace(u"\\Temp\\new.dat", u"\\Temp\\old.dat"));
        close(h);
    }
    EXPECT_EQ(read_host_file(m_root + "/Temp/old.dat"), "old");
    EXPECT_EQ(read_host_file(m_root + "/Temp/new.dat"), "new");
    EXPECT_TRUE(is_directory(u"\\Temp\\Folder"));
}

TEST_F(DeviceTest, AReadOnlyFolderTakesNoNewNamesButItsFilesStayWritable)
{
    ASSERT_TRUE(create_directory(u"\\Temp\\Locked"));
    write_device_file(u"\\Temp\\Locked\\kept.dat", "kept");
    write_device_file(u"\\Temp\\outside.dat", "outside");
    ReadOnlyFolder locked(m_root + "/Temp/Locked");
    EXPECT_EQ(create_new(u"\\Temp\\Locked\\new.dat", Access::ReadWrite), nullptr);
    EXPECT_EQ(create_always(u"\\Temp\\Locked\\new.dat", Access::ReadWrite), nullptr);
    EXPECT_FALSE(replace(u"\\Temp\\outside.dat", u"\\Temp\\Locked\\kept.dat"));
    EXPECT_FALSE(fs::exists(m_root + "/Temp/Locked/new.dat"));

    Handle h = create_always(u"\\Temp\\Locked\\kept.dat", Access::ReadWrite);  // an existing name
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "rewritten", 9), 9u);
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/Locked/kept.dat"), "rewritten");
}

// ---- Writing through a side file -------------------------------------------------------------------

class SideFileTest : public DeviceTest {
protected:
    SideWrite write_text(const std::u16string& path, const std::string& text)
    {
        return write_through_side_file(path, text.data(), uint32_t(text.size()));
    }
    bool side_exists(const std::string& host) { return fs::exists(host + ".new"); }
};

TEST_F(SideFileTest, AWriteThatComesUpShortLeavesTheOldFileWholeAndNoSideFile)
{
    const std::string host = m_root + "/Temp/job.txt";
    write_device_file(u"\\Temp\\job.txt", "the last good contents");
    for (uint32_t moved : {0u, 5u}) {
        arm_write_fault(Fault {0, 1, moved});
        EXPECT_EQ(write_text(u"\\Temp\\job.txt", "new contents, longer than before"), SideWrite::ShortWrite);
        EXPECT_EQ(read_host_file(host), "the last good contents") << moved;
        EXPECT_FALSE(side_exists(host));
    }
    EXPECT_EQ(write_text(u"\\Temp\\job.txt", "new"), SideWrite::Replaced);
    EXPECT_EQ(read_host_file(host), "new");  // whole: nothing of the longer old file is left
    EXPECT_FALSE(side_exists(host));

    // With no file before, a failed write leaves none rather than an empty or partial one.
    arm_write_fault(Fault {0, -1, 2});
    EXPECT_EQ(write_text(u"\\Temp\\fresh.txt", "contents"), SideWrite::ShortWrite);
    EXPECT_FALSE(fs::exists(m_root + "/Temp/fresh.txt"));
    EXPECT_FALSE(side_exists(m_root + "/Temp/fresh.txt"));
}

TEST_F(SideFileTest, AStaleSideFileIsReplacedAndAnOpenTargetIsLeftAlone)
{
    const std::string host = m_root + "/Temp/job.txt";
    write_device_file(u"\\Temp\\job.txt", "old");
    write_host_file(host + ".new", "stale leftover from an interrupted save, long");
    EXPECT_EQ(side_path(u"\\Temp\\job.txt"), u"\\Temp\\job.txt.new");
    EXPECT_EQ(write_text(u"\\Temp\\job.txt", "fresh"), SideWrite::Replaced);
    EXPECT_EQ(read_host_file(host), "fresh");
    EXPECT_FALSE(side_exists(host));

    Handle h = open_existing(u"\\Temp\\job.txt", Access::Read);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write_text(u"\\Temp\\job.txt", "while open"), SideWrite::NotReplaced);
    close(h);
    EXPECT_EQ(read_host_file(host), "fresh");
    EXPECT_FALSE(side_exists(host));
}

TEST_F(SideFileTest, AReadOnlyFolderMakesNoSideFileAndChangesNothing)
{
    ASSERT_TRUE(create_directory(u"\\Temp\\Locked"));
    write_device_file(u"\\Temp\\Locked\\job.txt", "old");
    ReadOnlyFolder locked(m_root + "/Temp/Locked");
    EXPECT_EQ(write_text(u"\\Temp\\Locked\\job.txt", "new"), SideWrite::NoSideFile);
    EXPECT_EQ(read_host_file(m_root + "/Temp/Locked/job.txt"), "old");
    EXPECT_FALSE(side_exists(m_root + "/Temp/Locked/job.txt"));
}
