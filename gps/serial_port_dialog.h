#pragma once
// GPS_SERIALPORT ("GPS Serial Port"): the user picks the port the receiver link opens, from COM0: to
// COM9: and the GPS intermediate driver's port when the platform has one. When the platform hides that
// driver's interface, UNHIDE_GPSID first offers to expose it ("Modify").

#include "platform/ui/ui.h"

namespace gps {

// Runs the dialog over `owner`. True when OK chose a port: the link's port name is then that port (the
// caller saves it with the preferences). False for Cancel, or OK with nothing selected.
bool run_serial_port_dialog(platform::ui::Hwnd owner);

}  // namespace gps
