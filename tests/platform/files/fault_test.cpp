#include "tests/support/temp_device.h"

using namespace platform::files;
using namespace testing_support;

TEST_F(DeviceTest, WriteFaultSkipsThenShortensThenPasses)
{
    arm_write_fault(Fault {1, 1, 3});
    Handle h = create_always(u"\\Temp\\w.dat", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(write(h, "aaaaa", 5), 5u);  // skipped
    EXPECT_EQ(write(h, "bbbbb", 5), 3u);  // the short one really moves its three bytes
    EXPECT_EQ(write(h, "ccccc", 5), 5u);  // plan used up
    close(h);
    EXPECT_EQ(read_host_file(m_root + "/Temp/w.dat"), "aaaaabbbccccc");
}

TEST_F(DeviceTest, FaultWithCountMinusOneLastsUntilCleared)
{
    write_device_file(u"\\Temp\\r.dat", "0123456789");
    arm_read_fault(Fault {0, -1, 2});
    Handle h = open_existing(u"\\Temp\\r.dat", Access::Read);
    ASSERT_NE(h, nullptr);
    char buf[10];
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(read(h, buf, 10), 2u);
    EXPECT_EQ(read(h, buf, 1), 1u);  // asking for less than `moved` is not cut
    clear_faults();
    EXPECT_EQ(read(h, buf, 10), 3u);  // the rest of the file
    close(h);
}

TEST_F(DeviceTest, ArmingReplacesThePlanAndDirectionsAreSeparate)
{
    Handle h = create_always(u"\\Temp\\x.dat", Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    arm_write_fault(Fault {5, 1, 0});
    arm_write_fault(Fault {0, 2, 0});
    arm_read_fault(Fault {0, -1, 0});
    EXPECT_EQ(write(h, "ab", 2), 0u);
    EXPECT_EQ(write(h, "ab", 2), 0u);
    EXPECT_EQ(write(h, "ab", 2), 2u);
    seek(h, 0, Origin::Begin);
    char buf[2];
    EXPECT_EQ(read(h, buf, 2), 0u);   // the read plan is its own
    arm_read_fault(Fault {0, 0, 0});  // a count of zero disarms
    EXPECT_EQ(read(h, buf, 2), 2u);
    close(h);
}

// The simulated power loss: what a flush made durable stays; what was written since is dropped, or torn a
// sector at a time, and the device is off afterwards.
TEST_F(DeviceTest, PowerLossKeepsFlushedBytesAndDropsOrTearsTheRestBySector)
{
    const std::string flushed(1536, 'F');  // three sectors
    auto run = [&](const PowerLoss& plan) {
        clear_power_loss();
        Handle h = create_always(u"\\Temp\\p.dat", Access::ReadWrite);
        EXPECT_EQ(write_at(h, 0, flushed.data(), uint32_t(flushed.size())), 1536u);
        EXPECT_TRUE(flush(h));
        arm_power_loss(plan);
        const std::string fresh(2048, 'N');  // over all three sectors and one more
        EXPECT_EQ(write_at(h, 0, fresh.data(), uint32_t(fresh.size())), 2048u);
        EXPECT_TRUE(power_is_off());
        EXPECT_EQ(write_at(h, 0, "x", 1), 0u) << "the device is off";
        EXPECT_FALSE(flush(h));
        close(h);
        clear_power_loss();
        return read_host_file(m_root + "/Temp/p.dat");
    };
    EXPECT_EQ(run({1, 0, false}), flushed) << "dropped: as it was flushed";
    bool torn_seen = false;
    for (uint32_t seed = 0; seed < 16; ++seed) {
        std::string after = run({1, seed, true});
        ASSERT_TRUE(after.size() == 1536 || after.size() == 2048) << "the flushed size or the present one";
        for (size_t sector = 0; sector * 512 < after.size(); ++sector) {
            std::string bytes = after.substr(sector * 512, 512);
            bool old = sector < 3 ? bytes == std::string(512, 'F') : bytes == std::string(512, '\0');
            EXPECT_TRUE(old || bytes == std::string(512, 'N')) << "sector " << sector << " is whole";
        }
        torn_seen = torn_seen || (after.find('F') != std::string::npos && after.find('N') != std::string::npos);
    }
    EXPECT_TRUE(torn_seen) << "some seed tears the write";
}

TEST_F(DeviceTest, PowerLossCountsWritesFromArmingAndSparesWhatAFlushCovered)
{
    arm_power_loss({3, 0, false});
    Handle h = create_always(u"\\Temp\\q.dat", Access::ReadWrite);
    EXPECT_EQ(write(h, "aaaa", 4), 4u);
    EXPECT_TRUE(flush(h));
    EXPECT_EQ(write(h, "bbbb", 4), 4u);
    EXPECT_EQ(power_loss_writes(), 2);
    EXPECT_FALSE(power_is_off());
    EXPECT_EQ(write(h, "cccc", 4), 4u);  // the third: the power goes
    EXPECT_TRUE(power_is_off());
    close(h);
    clear_power_loss();
    EXPECT_EQ(read_host_file(m_root + "/Temp/q.dat"), "aaaa");
}
