#pragma once
// GPS_POINT ("GPS Point (Averaged):"): the running average of the fixes since the dialog opened, with
// the population standard deviations, the sample count, and the mean as latitude and longitude; "Save Pt"
// hands the mean easting and northing to the point editor. The averaging starts over at every opening.

#include "platform/ui/ui.h"

namespace gps {

void run_position_dialog(platform::ui::Hwnd owner);

}  // namespace gps
