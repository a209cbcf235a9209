#pragma once
// Running a program under the headless driver for a test, and the parts every small test program repeats.
//
// ProgramTest gives each case a temporary device (temp_device.h) and runs a program on it under the
// driver: start() returns the driver with the program parked at its first idle, log() reads what the
// program wrote to program_log() while it is parked, and the program is finished before the device goes.
// WithProgram<F> adds the same to another fixture F derived from DeviceTest.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/driver/driver.h"
#include "platform/ui/ui.h"
#include "tests/support/expect_ok.h"
#include "tests/support/temp_device.h"

namespace testing_support {

// What a test program tells its test, a line at a time; run_test_program empties it as the program starts.
std::vector<std::string>& program_log();

// The paths a test program's file browser answers with, in turn: a test fills the queue (while the program
// is parked), the program's path chooser takes the next one; an empty queue answers as a cancelled browser
// does (""). run_test_program empties it as the program starts.
std::deque<std::u16string>& chosen_paths();
std::u16string next_chosen_path();

// The main function of a small test program: a fresh window manager with the controls' classes, then
// `install` (templates, resources, a message sink), then a visible top-level window titled "Varno" of class
// `class_name` with procedure `proc`, whose message loop runs until the quit message. The quit code, or 1
// when the window cannot be made.
int run_test_program(
    const std::u16string& class_name, platform::ui::WndProc proc, const std::function<void()>& install = {});

// The procedure of a test program's main window: each command id goes to `on_command`, and destroying the
// window quits with 0.
platform::ui::WndProc command_window(std::function<void(platform::ui::Hwnd, int)> on_command);

// A fixture with a program run under the headless driver, over a fixture with a device (DeviceTest or one
// derived from it). The program is finished before the device goes.
template <class DeviceFixture> class WithProgram : public DeviceFixture {
protected:
    void TearDown() override
    {
        m_driver.reset();
        DeviceFixture::TearDown();
    }

    // Starts `program` (its main function) under the driver; the driver, with the program parked.
    platform::driver::Driver& start(std::function<int()> program)
    {
        m_driver.reset();
        m_driver = std::make_unique<platform::driver::Driver>(std::move(program));
        return *m_driver;
    }
    // The driver of the program started last. REQUIRES: start() was called.
    platform::driver::Driver& d() { return *m_driver; }
    // Waits for the program to end (its main window asked to close if it still runs) and forgets the
    // driver; the exit code.
    int finish()
    {
        int code = m_driver ? m_driver->finish() : -1;
        m_driver.reset();
        return code;
    }
    // program_log(), read while the program is parked.
    std::vector<std::string> log()
    {
        std::vector<std::string> out;
        EXPECT_TRUE(m_driver && m_driver->inspect([&] { out = program_log(); })) << "the program is not running";
        return out;
    }

    std::unique_ptr<platform::driver::Driver> m_driver;
};

using ProgramTest = WithProgram<DeviceTest>;

}  // namespace testing_support
