#pragma once
// EXPECT_OK and ASSERT_OK for what the headless driver returns (platform::driver::Result): a failure shows
// the call and the driver's message, what was expected and what was seen.

#include <gtest/gtest.h>

#define EXPECT_OK(result)                                                                                              \
    do {                                                                                                               \
        auto r_ = (result);                                                                                            \
        EXPECT_TRUE(r_.ok) << #result << ": " << r_.message;                                                           \
    } while (0)

#define ASSERT_OK(result)                                                                                              \
    do {                                                                                                               \
        auto r_ = (result);                                                                                            \
        ASSERT_TRUE(r_.ok) << #result << ": " << r_.message;                                                           \
    } while (0)
