#pragma once
// The varno executable between its command line and the program: chooses the device root and the storage
// card folder, configures the serial ports, then runs the program in an SDL window or under the headless
// driver's script.

#include <iosfwd>

#include "app/command_line.h"

namespace app {

// The program as the driver starts it: makes the window manager ready, then runs win_main.
int run_program();

// Runs what the options ask for; the process's exit code. `out` receives --help and the driver's
// answers, `err` what went wrong. 1 when the device root cannot be made, the window cannot be opened or
// a port cannot be configured; in headless mode the script's code (0, 1 or 2).
int launch(const LaunchOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace app
