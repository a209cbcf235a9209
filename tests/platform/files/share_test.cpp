#include "tests/support/temp_device.h"

using namespace platform::files;
using namespace testing_support;

namespace {

struct ShareCase {
    Access first_access;
    uint32_t first_share;
    Access second_access;
    uint32_t second_share;
    bool allowed;
};

}  // namespace

TEST_F(DeviceTest, ShareModesDecideWhetherASecondOpenSucceeds)
{
    constexpr uint32_t kRW = kShareRead | kShareWrite;
    const ShareCase cases[] = {
        {Access::Read, kShareNone, Access::Read, kRW, false},  // first forbids all
        {Access::Read, kShareRead, Access::Read, kShareRead, true},
        {Access::Read, kShareRead, Access::ReadWrite, kRW, false},  // first forbids writers
        {Access::Read, kRW, Access::ReadWrite, kRW, true},
        {Access::ReadWrite, kRW, Access::Read, kShareRead, false},  // second forbids the writer
        {Access::ReadWrite, kRW, Access::Read, kRW, true},
        {Access::Read, kRW, Access::Read, kShareNone, false},        // second forbids the reader
        {Access::ReadWrite, kShareWrite, Access::Read, kRW, false},  // first forbids readers
    };
    write_device_file(u"\\Temp\\shared.dat", "data");
    for (const ShareCase& c : cases) {
        Handle first = open_existing(u"\\Temp\\shared.dat", c.first_access, c.first_share);
        ASSERT_NE(first, nullptr);
        Handle second = open_existing(u"\\TEMP\\SHARED.DAT", c.second_access, c.second_share);
        EXPECT_EQ(second != nullptr, c.allowed)
            << int(c.first_access) << "/" << c.first_share << " then " << int(c.second_access) << "/" << c.second_share;
        close(second);
        close(first);
    }
}

TEST_F(DeviceTest, CreateAlwaysCannotEmptyAFileAReaderProtects)
{
    write_device_file(u"\\Temp\\guarded.dat", "precious");
    Handle reader = open_existing(u"\\Temp\\guarded.dat", Access::Read, kShareRead);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(create_always(u"\\Temp\\guarded.dat", Access::Read, kShareRead), nullptr);
    EXPECT_EQ(read_host_file(m_root + "/Temp/guarded.dat"), "precious");
    close(reader);
    Handle writer = create_always(u"\\Temp\\guarded.dat", Access::ReadWrite);
    EXPECT_NE(writer, nullptr);
    close(writer);
}

TEST_F(DeviceTest, ClosingReleasesTheShareLock)
{
    write_device_file(u"\\Temp\\lock.dat", "x");
    Handle only = open_existing(u"\\Temp\\lock.dat", Access::ReadWrite, kShareNone);
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(open_existing(u"\\Temp\\lock.dat", Access::Read), nullptr);
    EXPECT_FALSE(remove(u"\\Temp\\lock.dat"));
    EXPECT_FALSE(move(u"\\Temp\\lock.dat", u"\\Temp\\moved.dat"));
    close(only);
    Handle again = open_existing(u"\\Temp\\lock.dat", Access::Read);
    EXPECT_NE(again, nullptr);
    close(again);
    EXPECT_TRUE(remove(u"\\Temp\\lock.dat"));
}
