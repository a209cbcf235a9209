#pragma once
// The transformation dialogs: by parameters (Coords > Transform > By Parameters) and by control points
// (Coords > Transform > By Points). Both work on the parameter block of the run and share its job path.

#include "platform/ui/ui.h"

namespace calc {

void run_transform_by_parameters(platform::ui::Hwnd owner);
void run_transform_by_points(platform::ui::Hwnd owner);

}  // namespace calc
