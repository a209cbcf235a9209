#pragma once
// Runs the program headless under the driver, on a device of its own in a temporary folder.

#include <functional>

#include "app/launch.h"
#include "app/program.h"
#include "tests/support/program_harness.h"

namespace testing_support {

class AppTest : public ProgramTest {
protected:
    using ProgramTest::start;
    // Starts the whole program and returns the driver, parked at the first idle.
    platform::driver::Driver& start() { return start(app::run_program); }
    // Starts it with `before` run between installing the program and opening its main window.
    platform::driver::Driver& start_after(std::function<void()> before)
    {
        return start([before = std::move(before)] {
            app::install_program();
            before();
            return app::win_main();
        });
    }
};

}  // namespace testing_support
