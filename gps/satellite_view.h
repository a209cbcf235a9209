#pragma once
// GPS_SATS: the sky plot and signal bars of the satellites in view, redrawn on a one-second timer from
// the receiver link, with "<n> satellites" tracked below. Opened from a navigation display it reads
// through that display's port and leaves it open.

#include "platform/ui/ui.h"

namespace gps {

void run_satellite_view(platform::ui::Hwnd owner);

}  // namespace gps
