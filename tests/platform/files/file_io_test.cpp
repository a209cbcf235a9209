#include "tests/support/temp_device.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, WriteSeekReadRoundTrip)
{
    Handle h = create_always(u"\\Temp\\data.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> bytes(100000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    EXPECT_EQ(write(h, bytes.data(), 100000), 100000u);
    EXPECT_EQ(size(h), 100000);
    EXPECT_EQ(seek(h, 0, Origin::Current), 100000);
    EXPECT_EQ(seek(h, 50000, Origin::Begin), 50000);
    std::vector<uint8_t> back(60000);
    EXPECT_EQ(read(h, back.data(), 60000), 50000u);  // real end of file: a short count
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + 50000, bytes.begin() + 50000));
    EXPECT_EQ(read(h, back.data(), 10), 0u);
    EXPECT_EQ(seek(h, -10, Origin::End), 99990);
    EXPECT_EQ(seek(h, -5, Origin::Current), 99985);
    EXPECT_TRUE(flush(h));
    close(h);
}

TEST_F(DeviceTest, SeekRefusesNegativePositionsAndKeepsThePlace)
{
    Handle h = create_always(u"\\Temp\\s.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    write(h, "0123456789", 10);
    EXPECT_EQ(seek(h, 4, Origin::Begin), 4);
    EXPECT_EQ(seek(h, -5, Origin::Current), -1);
    EXPECT_EQ(seek(h, -11, Origin::End), -1);
    EXPECT_EQ(seek(h, INT64_MAX, Origin::Current), -1);
    char c = 0;
    EXPECT_EQ(read(h, &c, 1), 1u);
    EXPECT_EQ(c, '4');
    EXPECT_EQ(seek(h, 20, Origin::Begin), 20);  // past the end is allowed; a write there extends
    EXPECT_EQ(write(h, "Z", 1), 1u);
    EXPECT_EQ(size(h), 21);
    close(h);
}

TEST_F(DeviceTest, SetEndOfFileCutsAndExtends)
{
    Handle h = create_always(u"\\Temp\\e.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    write(h, "abcdefgh", 8);
    seek(h, 3, Origin::Begin);
    EXPECT_TRUE(set_end_of_file(h));
    EXPECT_EQ(size(h), 3);
    seek(h, 6, Origin::Begin);
    EXPECT_TRUE(set_end_of_file(h));
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/e.bin"), std::string("abc\0\0\0", 6));
}

TEST_F(DeviceTest, OpenModesAndTheirFailures)
{
    EXPECT_EQ(open_existing(u"\\Temp\\missing.dat", Access::Read), nullptr);
    EXPECT_EQ(open_existing(u"\\Temp", Access::Read), nullptr);  // a folder is no file
    EXPECT_EQ(create_always(u"\\Temp", Access::ReadWrite), nullptr);
    EXPECT_EQ(create_always(u"\\NoSuchFolder\\x.dat", Access::ReadWrite), nullptr);
    EXPECT_EQ(open_existing(u"\\", Access::Read), nullptr);

    write_device_file(u"\\Temp\\f.dat", "old contents");
    EXPECT_EQ(create_new(u"\\temp\\F.DAT", Access::ReadWrite), nullptr);
    Handle fresh = create_new(u"\\Temp\\g.dat", Access::ReadWrite);
    ASSERT_NE(fresh, nullptr);
    close(fresh);

    Handle replaced = create_always(u"\\Temp\\f.dat", Access::ReadWrite);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(size(replaced), 0);
    close(replaced);
}

TEST_F(DeviceTest, ReadHandleCannotWrite)
{
    write_device_file(u"\\Temp\\r.dat", "keep");
    Handle h = open_existing(u"\\Temp\\r.dat", Access::Read);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "xx", 2), 0u);
    EXPECT_FALSE(set_end_of_file(h));
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/r.dat"), "keep");
}

TEST_F(DeviceTest, ReadOnlyHostFileOpensOnlyForReading)
{
    write_device_file(u"\\Temp\\ro.dat", "locked");
    fs::permissions(m_root + "/Temp/ro.dat", fs::perms::owner_read);
    EXPECT_EQ(open_existing(u"\\Temp\\ro.dat", Access::ReadWrite), nullptr);
    EXPECT_EQ(create_always(u"\\Temp\\ro.dat", Access::ReadWrite), nullptr);
    Handle h = open_existing(u"\\Temp\\ro.dat", Access::Read);
    EXPECT_NE(h, nullptr);
    close(h);
    EXPECT_EQ(attributes(u"\\Temp\\ro.dat"), kAttrReadOnly);
}

TEST_F(DeviceTest, NullHandlesAreHarmless)
{
    char buf[4];
    EXPECT_EQ(read(nullptr, buf, 4), 0u);
    EXPECT_EQ(write(nullptr, buf, 4), 0u);
    EXPECT_EQ(seek(nullptr, 0, Origin::Begin), -1);
    EXPECT_EQ(size(nullptr), -1);
    EXPECT_FALSE(flush(nullptr));
    EXPECT_FALSE(set_end_of_file(nullptr));
    close(nullptr);
}
