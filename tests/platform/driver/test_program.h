#pragma once
// A small program for the driver's tests: a main window with a menu bar, a form with one control of
// each kind, an about box known by number, and message boxes, each opened by a command. What its
// windows hear goes into a log that the tests read while the program is parked.

#include <string>
#include <vector>

namespace platform::driver::testing {

constexpr int kOpenForm = 900;
constexpr int kAskYesNoCancel = 901;
constexpr int kTellOk = 902;
constexpr int kOpenAbout = 903;
constexpr int kAskYesNo = 904;
constexpr int kWarnWithIcon = 905;
constexpr int kProgramExitCode = 7;

// The program logs (testing_support::program_log) "main <id>" for a command to the main window, "form <id>
// <code>" for the form's notifications, "box <result>" for a message box's answer, "destroyed" when the main
// window goes.
int program_starts();

// The program's main function.
int test_program();

}  // namespace platform::driver::testing
