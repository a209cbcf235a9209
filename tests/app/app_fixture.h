#pragma once
// Runs the program headless under the driver, on a device of its own in a temporary folder.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "tests/app/child_process.h"

namespace testing_support {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_device.path().empty());
        ASSERT_TRUE(platform::files::set_device_root(m_device.path()));
        platform::registry::reset();
    }

    // Starts `program` (by default the whole program) and returns the driver, parked at the first idle.
    platform::driver::Driver& start(std::function<int()> program);
    platform::driver::Driver& start();

    const std::string& device_root() const { return m_device.path(); }

    TempDir m_device;
    std::unique_ptr<platform::driver::Driver> m_driver;
};

// Fails the test with the driver's message.
#define EXPECT_OK(result)                                                      \
    do {                                                                       \
        auto r_ = (result);                                                    \
        EXPECT_TRUE(r_.ok) << #result << ": " << r_.message;                   \
    } while (0)
#define ASSERT_OK(result)                                                      \
    do {                                                                       \
        auto r_ = (result);                                                    \
        ASSERT_TRUE(r_.ok) << #result << ": " << r_.message;                   \
    } while (0)

}  // namespace testing_support
