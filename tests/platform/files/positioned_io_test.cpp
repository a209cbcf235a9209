#include "tests/support/temp_device.h"

#include <vector>

using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, PositionedTransfersLeaveTheFilePositionAlone)
{
    Handle h = create_always(u"\\Temp\\pages.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "0123456789", 10), 10u);
    EXPECT_EQ(seek(h, 2, Origin::Begin), 2);
    EXPECT_EQ(write_at(h, 6, "ab", 2), 2u);
    EXPECT_EQ(write_at(h, 14, "XY", 2), 2u);  // past the end: the gap reads as zeros
    char back[16] = {};
    EXPECT_EQ(read_at(h, 0, back, 16), 16u);
    EXPECT_EQ(std::string(back, 16), std::string("012345ab89\0\0\0\0XY", 16));
    EXPECT_EQ(read_at(h, 15, back, 8), 1u);  // a short count at the end of the file
    EXPECT_EQ(read_at(h, 40, back, 8), 0u);
    EXPECT_EQ(seek(h, 0, Origin::Current), 2);  // untouched by any of them
    EXPECT_EQ(read(h, back, 2), 2u);
    EXPECT_EQ(std::string(back, 2), "23");
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/pages.bin").size(), 16u);
}

TEST_F(DeviceTest, PositionedTransfersRefuseWhatPlainOnesRefuse)
{
    Handle h = create_always(u"\\Temp\\r.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "abcd", 4), 4u);
    close(h);
    char back[4] = {};
    EXPECT_EQ(read_at(nullptr, 0, back, 4), 0u);
    EXPECT_EQ(write_at(nullptr, 0, "x", 1), 0u);
    h = open_existing(u"\\Temp\\r.bin", Access::Read);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write_at(h, 0, "zz", 2), 0u);  // a read handle cannot write
    EXPECT_EQ(read_at(h, -1, back, 4), 0u);
    EXPECT_EQ(read_at(h, 1, back, 3), 3u);
    EXPECT_EQ(std::string(back, 3), "bcd");
    close(h);
}

TEST_F(DeviceTest, PositionedTransfersCountWithTheFaultSwitch)
{
    Handle h = create_always(u"\\Temp\\f.bin", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    arm_write_fault(Fault {1, 1, 3});
    EXPECT_EQ(write(h, "aaaaa", 5), 5u);        // skipped
    EXPECT_EQ(write_at(h, 5, "bbbbb", 5), 3u);  // the short one
    EXPECT_EQ(write_at(h, 8, "ccccc", 5), 5u);  // plan used up
    arm_read_fault(Fault {0, 2, 4});
    char back[13] = {};
    EXPECT_EQ(read_at(h, 0, back, 13), 4u);
    EXPECT_EQ(read(h, back, 13), 4u);  // from 5, where the plain write left the position
    EXPECT_EQ(std::string(back, 4), "bbbc");
    EXPECT_EQ(read_at(h, 0, back, 13), 13u);
    EXPECT_EQ(std::string(back, 13), "aaaaabbbccccc");
    close(h);
}
