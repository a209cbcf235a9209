#pragma once
// The program: start-up, the message loop and the exit code.

namespace app {

// Makes the window manager ready for the program: forgets every window, registers the control classes,
// installs the resources and the message sink of the computation modules. Call once before win_main
// (tests: before each run).
void install_program();

// Runs the program on the calling thread, which becomes the user-interface thread: the single-instance
// check, the main window with its menu bar, the accelerators, the drawing table, the program directory,
// the session, then the message loop. Returns the exit code: 0 when another instance was brought
// forward or the main window could not be created, else the code of the quit message.
int win_main();

}  // namespace app
