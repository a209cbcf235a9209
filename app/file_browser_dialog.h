#pragma once
// The file browser PATHNAMES: a full-screen dialog that lists the device's folders and files (list 1001),
// shows the path being chosen (edit 1002, which the user may also type into) and goes one folder up with
// "Back" (1003). Its menu bar 139 holds "OK" (40065) and "Cancel" (40066). What it lists and how a choice
// builds the path is app/file_browser_model.h.

#include <string>

#include "platform/ui/ui.h"

namespace app {

// Runs the browser; returns when it closes. Afterwards file_browser_result() holds the path chosen with
// "OK" (the path text, at most 259 characters, as it stands; the caller strips and checks it), or is empty
// after "Cancel" or closing. A menu bar that cannot be created shows "Area" / "menu error" and the
// browser still runs (Escape cancels it).
void run_file_browser(platform::ui::Hwnd owner);

// The path of the latest run ("" after Cancel).
const std::u16string& file_browser_result();
// The last path component of the most recent choice: a file chosen in the list, or the path taken by OK.
// Kept from one run to the next.
const std::u16string& file_browser_last_name();

// Forgets the result and the last chosen name (tests).
void file_browser_reset_for_tests();

}  // namespace app
