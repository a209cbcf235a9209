#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/support/program_state.h"

using namespace platform::clock;

namespace {

using ClockTest = testing_support::ProgramStateTest;

}  // namespace

TEST_F(ClockTest, RealTimeMovesForwardAndStaysInTheDay)
{
    ASSERT_FALSE(is_virtual());
    uint64_t before = now_ms();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    uint64_t after = now_ms();
    EXPECT_GE(after - before, 19u);
    EXPECT_LT(local_seconds_of_day(), 86400u);
}

TEST_F(ClockTest, VirtualTimeMovesOnlyWhenAdvanced)
{
    use_virtual_time(8 * 3600);
    EXPECT_TRUE(is_virtual());
    EXPECT_EQ(now_ms(), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(now_ms(), 0u);
    EXPECT_EQ(local_seconds_of_day(), 8u * 3600);
    advance_ms(999);
    EXPECT_EQ(local_seconds_of_day(), 8u * 3600);  // whole seconds only
    advance_ms(1);
    EXPECT_EQ(now_ms(), 1000u);
    EXPECT_EQ(local_seconds_of_day(), 8u * 3600 + 1);
}

TEST_F(ClockTest, VirtualTimeOfDayWrapsAtMidnight)
{
    use_virtual_time(86399);
    advance_ms(1000);
    EXPECT_EQ(local_seconds_of_day(), 0u);
    advance_ms(86400ull * 1000 * 3 + 5000);
    EXPECT_EQ(local_seconds_of_day(), 5u);
}

TEST_F(ClockTest, SwitchingModesRestartsVirtualTime)
{
    use_virtual_time();
    advance_ms(5000);
    EXPECT_EQ(local_seconds_of_day(), 12u * 3600 + 5);
    use_real_time();
    EXPECT_FALSE(is_virtual());
    advance_ms(1000000);  // ignored in real time
    use_virtual_time(100);
    EXPECT_EQ(now_ms(), 0u);
    EXPECT_EQ(local_seconds_of_day(), 100u);
}

TEST_F(ClockTest, AdvancesFromAnotherThreadAreAllSeen)
{
    use_virtual_time(0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 1000; ++i)
                advance_ms(3);
        });
    uint64_t last = 0;
    for (int i = 0; i < 1000; ++i) {
        uint64_t now = now_ms();
        EXPECT_GE(now, last);
        last = now;
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(now_ms(), 12000u);
}
