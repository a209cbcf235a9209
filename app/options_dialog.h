#pragma once
// The options dialog VARNO_OPTIONS ("Options"): the angle mode (1244: "Degrees", "Gons (Grads)",
// "Quadrantal") and the decimals of angles (1247), coordinates (1248), distances (1249) and areas (1250),
// each "0" to "7" with an entry's position equal to its value. It opens on the current display settings;
// choosing a mode proposes 6 angle decimals for gons and 0 otherwise. "OK" sets the display settings (the
// mode first, then the four decimal counts) and rebuilds the options string of the preferences record;
// "Cancel" and closing change nothing.

#include "platform/ui/ui.h"

namespace app {

void run_options_dialog(platform::ui::Hwnd owner);

}  // namespace app
