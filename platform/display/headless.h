#pragma once
// The headless display: the program's user-interface thread runs beside a driver in lockstep. The program
// runs until its queue is empty and no timer is due, then parks; only then does the driver act, so
// everything the driver reads is stable and every run is the same. Time is virtual.

#include <cstdint>
#include <functional>

namespace platform::display::headless {

// Switches the clock to virtual time, installs the headless backend, starts `program` (the program's main
// function) on a new user-interface thread and returns when it has parked or ended.
void start(std::function<int()> program);

// Runs `action` on the driver's side while the program is parked (reading windows, injecting input
// through ui::input_* or sending messages to windows), then lets the program run until it parks again or
// ends. REQUIRES: start() was called. Returns false when the program had already ended. An action runs on
// the driver's thread: it must not run a message loop (a modal dialog, a message box); to have the
// program do such a thing, post a message for it.
bool act(const std::function<void()>& action);

// Advances virtual time by `ms`, running every timer in turn at its due time (the program runs until it
// parks after each). Returns false when the program ended meanwhile.
bool advance(uint64_t ms);

// Arms `input` (ui::input_* calls) to arrive while the program is busy: the program's thread runs it at
// the `polls`-th time long work looks for input (display::Backend::poll), as if the user tapped then. One
// input at a time; arming again replaces it; a reset forgets it.
void arm_input_during_work(int polls, std::function<void()> input);

bool running();
// Waits for the program's thread to end and returns its exit code. If it is still running, asks the main
// window to close first (ui::post_quit_message as last resort).
int finish();

}  // namespace platform::display::headless
