#pragma once
// The about box (dialog 103, "About Varno"): full screen with the "ok" button in the navigation bar, the
// input panel lowered; the program icon, the version line and the release date. "ok" (command 1) ends it.

#include "platform/ui/ui.h"

namespace app {

// Runs the about box modally over `owner`; returns when it ends (1), or -1 when it cannot be created.
int run_about_box(platform::ui::Hwnd owner);

}  // namespace app
