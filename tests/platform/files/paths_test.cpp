#include "platform/text/text.h"
#include "tests/support/temp_device.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, DeviceRootGetsItsStandardFolders)
{
    EXPECT_EQ(device_root(), fs::canonical(m_root).string());
    for (const char* folder : {"Program Files/Varno", "My Documents", "Temp", "Windows"})
        EXPECT_TRUE(fs::is_directory(m_root + "/" + folder)) << folder;
    EXPECT_EQ(host_path(executable_path()), device_root() + "/Program Files/Varno/Varno.exe");
}

TEST_F(DeviceTest, RenamedStandardFolderIsFoundNotDuplicated)
{
    fs::rename(m_root + "/Program Files", m_root + "/PROGRAM FILES");
    ASSERT_TRUE(set_device_root(m_root));
    EXPECT_FALSE(fs::exists(m_root + "/Program Files"));
    EXPECT_TRUE(is_directory(u"\\Program Files\\VARNO"));
}

TEST_F(DeviceTest, DeviceRootThatCannotBeCreatedFails)
{
    write_host_file(m_temp + "/plain", "x");
    EXPECT_FALSE(set_device_root(m_temp + "/plain/device"));
}

TEST_F(DeviceTest, ExistingComponentsMatchWithoutCase)
{
    write_device_file(u"\\My Documents\\x.dat", "abc");
    EXPECT_EQ(host_path(u"\\MY DOCUMENTS\\X.DAT"), device_root() + "/My Documents/x.dat");
    EXPECT_EQ(host_path(u"my documents/X.Dat"), device_root() + "/My Documents/x.dat");
    Handle h = open_existing(u"\\MY DOCUMENTS\\x.DAT", Access::Read);
    ASSERT_NE(h, nullptr);
    char buf[8];
    EXPECT_EQ(read(h, buf, sizeof buf), 3u);
    close(h);
}

TEST_F(DeviceTest, NewComponentsKeepTheirCase)
{
    EXPECT_EQ(host_path(u"\\my documents\\NewDir\\Lot7.DAT"), device_root() + "/My Documents/NewDir/Lot7.DAT");
    ASSERT_TRUE(create_directory(u"\\my documents\\NewDir"));
    write_device_file(u"\\MY DOCUMENTS\\newdir\\Lot7.DAT", "1");
    EXPECT_TRUE(fs::exists(m_root + "/My Documents/NewDir/Lot7.DAT"));
}

TEST_F(DeviceTest, ExactSpellingWinsOverAnotherCase)
{
    write_host_file(m_root + "/Temp/a.txt", "lower");
    write_host_file(m_root + "/Temp/A.txt", "upper");
    EXPECT_EQ(host_path(u"\\Temp\\A.txt"), device_root() + "/Temp/A.txt");
    EXPECT_EQ(host_path(u"\\Temp\\a.txt"), device_root() + "/Temp/a.txt");
}

TEST_F(DeviceTest, DotDotStaysInsideTheDevice)
{
    EXPECT_EQ(host_path(u"\\Temp\\..\\windows\\.\\x"), device_root() + "/Windows/x");
    EXPECT_EQ(host_path(u"\\"), device_root());
    for (const char16_t* bad :
        {u"\\..", u"\\..\\etc\\passwd", u"\\Temp\\..\\..\\device\\Temp", u"..\\x", u"\\Storage Card\\..\\..\\x"}) {
        EXPECT_EQ(host_path(bad), "") << platform::text::to_utf8(bad);
        EXPECT_EQ(create_always(bad, Access::ReadWrite), nullptr);
        EXPECT_EQ(attributes(bad), kInvalidAttributes);
    }
    EXPECT_FALSE(create_directory(u"\\..\\escaped"));
    EXPECT_FALSE(fs::exists(m_temp + "/escaped"));
    FindData data;
    EXPECT_EQ(find_first(u"\\..\\*.*", &data), nullptr);
}

TEST_F(DeviceTest, NulInsideANameIsRefused)
{
    std::u16string path(u"\\Temp\\a\0b", 9);
    EXPECT_EQ(host_path(path), "");
    EXPECT_EQ(create_always(path, Access::ReadWrite), nullptr);
}

TEST_F(DeviceTest, StorageCardMapsToTheCardFolder)
{
    write_host_file(m_card + "/Survey.TXT", "card bytes");
    EXPECT_EQ(attributes(u"\\STORAGE CARD"), kAttrDirectory | kAttrTemporary);
    EXPECT_EQ(host_path(u"\\storage card\\survey.txt"), fs::canonical(m_card).string() + "/Survey.TXT");
    Handle h = open_existing(u"\\Storage Card\\SURVEY.txt", Access::Read);
    ASSERT_NE(h, nullptr);
    char buf[32];
    EXPECT_EQ(read(h, buf, sizeof buf), 10u);
    close(h);
    write_device_file(u"\\Storage Card\\out.dat", "xyz");
    EXPECT_EQ(read_host_file(m_card + "/out.dat"), "xyz");
    EXPECT_FALSE(create_directory(u"\\Storage Card"));
    EXPECT_FALSE(remove_directory(u"\\storage card"));
}
