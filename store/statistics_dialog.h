#pragma once
// The statistics PT_STATISTICS: the lines of store/statistics_lines.h in list box 1100, one line an entry,
// until "OK" or closing.

#include <string_view>

#include "platform/ui/ui.h"

namespace store {

// last_chosen_name: the file name last chosen in the file browser, shown in the title line.
void run_statistics(platform::ui::Hwnd owner, std::u16string_view last_chosen_name);

}  // namespace store
