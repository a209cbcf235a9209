#include "tests/support/temp_device.h"

using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, WriteFaultSkipsThenShortensThenPasses)
{
    arm_write_fault(Fault{1, 1, 3});
    Handle h = create_always(u"\\Temp\\w.dat", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "aaaaa", 5), 5u);   // skipped
    EXPECT_EQ(write(h, "bbbbb", 5), 3u);   // the short one really moves its three bytes
    EXPECT_EQ(write(h, "ccccc", 5), 5u);   // plan used up
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/w.dat"), "aaaaabbbccccc");
}

TEST_F(DeviceTest, FaultWithCountMinusOneLastsUntilCleared)
{
    write_device_file(u"\\Temp\\r.dat", "0123456789");
    arm_read_fault(Fault{0, -1, 2});
    Handle h = open_existing(u"\\Temp\\r.dat", Access::Read);
    ASSERT_NE(h, nullptr);
    char buf[10];
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(read(h, buf, 10), 2u);
    EXPECT_EQ(read(h, buf, 1), 1u);        // asking for less than `moved` is not cut
    clear_faults();
    EXPECT_EQ(read(h, buf, 10), 3u);       // the rest of the file
    close(h);
}

TEST_F(DeviceTest, ArmingReplacesThePlanAndDirectionsAreSeparate)
{
    Handle h = create_always(u"\\Temp\\x.dat", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    arm_write_fault(Fault{5, 1, 0});
    arm_write_fault(Fault{0, 2, 0});
    arm_read_fault(Fault{0, -1, 0});
    EXPECT_EQ(write(h, "ab", 2), 0u);
    EXPECT_EQ(write(h, "ab", 2), 0u);
    EXPECT_EQ(write(h, "ab", 2), 2u);
    seek(h, 0, Origin::Begin);
    char buf[2];
    EXPECT_EQ(read(h, buf, 2), 0u);        // the read plan is its own
    arm_read_fault(Fault{0, 0, 0});        // a count of zero disarms
    EXPECT_EQ(read(h, buf, 2), 2u);
    close(h);
}
