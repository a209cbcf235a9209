#pragma once
// GPS_NAV_DISPLAY: guidance from the GPS position to a target point of the open coordinate file, in two
// views sharing the template and the menu bar 170 (To Pt., Save Pt., Sat. Status, OK). Both show the
// heading of travel, the speed, the azimuth and distance to the target and the arrival time; the compass
// view draws a track-up compass with an arrow to the target, the plan view the travelled track and the
// target north-up in the drawing "NAV_DWG" with a north arrow and a scale bar.
//
// The target is the point picked last in the point list (none: no azimuth, distance or arrival time).
// While a view is open it holds the receiver link's port, which the satellite view opened from it
// borrows. Angles are shown in whole degrees while a view is open; the angle settings are restored when
// it closes.

#include "platform/ui/ui.h"

namespace gps {

void run_compass_view(platform::ui::Hwnd owner);
void run_plan_view(platform::ui::Hwnd owner);

}  // namespace gps
