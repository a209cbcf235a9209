#include "device_fixture.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace platform::files;

TEST_F(DeviceTest, FoldersAreCreatedAndRemovedOnlyWhenThatMakesSense)
{
    EXPECT_TRUE(create_directory(u"\\My Documents\\Jobs"));
    EXPECT_FALSE(create_directory(u"\\MY DOCUMENTS\\JOBS"));        // exists, in another case
    EXPECT_FALSE(create_directory(u"\\Missing\\Jobs"));            // parent missing
    EXPECT_TRUE(is_directory(u"\\my documents\\jobs"));
    write_device_file(u"\\My Documents\\Jobs\\a.dat", "a");
    EXPECT_FALSE(remove_directory(u"\\My Documents\\Jobs"));        // not empty
    EXPECT_FALSE(remove(u"\\My Documents\\Jobs"));                  // a folder is no file
    EXPECT_TRUE(remove(u"\\My Documents\\Jobs\\A.DAT"));
    EXPECT_FALSE(remove(u"\\My Documents\\Jobs\\a.dat"));           // already gone
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
    EXPECT_FALSE(move(u"\\Temp\\a.dat", u"\\Temp\\z.dat"));        // source gone
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
