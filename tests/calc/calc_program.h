#pragma once
// The program the calculation dialog tests drive: a main window whose commands open the dialogs under
// test, the resources installed, and the File menu's paths taken from a queue the test fills (an empty
// queue answers as a cancelled browser does).

#include <deque>
#include <functional>
#include <string>

#include "platform/ui/ui.h"

namespace testing_support {

std::deque<std::u16string>& job_paths();

int run_calc_program(const char16_t* name, std::function<void(platform::ui::Hwnd main, int command)> on_command);

}  // namespace testing_support
