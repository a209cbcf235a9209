#pragma once
// reset_program_state(): every process-wide table of the modules linked into the test, back to what a new
// process starts with. Each module registered its own reset (platform/reset/reset.h); a module that is not
// linked has no table to reset. Fixtures call it in SetUp and TearDown, so that no test depends on the
// ones that ran before it. A program still running under the headless driver is finished first.

#include <gtest/gtest.h>

#include "platform/reset/reset.h"

namespace testing_support {

inline void reset_program_state()
{
    platform::run_registered_resets();
}

// The fixture of tests that need no device: a clean process before and after each case.
class ProgramStateTest : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }
};

}  // namespace testing_support
