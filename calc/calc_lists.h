#pragma once
// The lists of the calculation dialogs: Courier of the calculations' size, filled a line an entry.

#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace calc {

// Gives the list the calculations' Courier, narrowed where `columns` characters would not fit its width
// otherwise (0: the usual width).
void set_calc_list_font(platform::ui::Hwnd list, int columns = 0);
// How many characters of that font a row of the list shows whole (scroll bar and frame aside).
size_t calc_list_columns(platform::ui::Hwnd list);
// The six point and leg types ("Corner" to "POC") into a drop-down list, in index order.
void fill_curve_type_box(platform::ui::Hwnd combo);
// Replaces the entries; the selection stays on the same index when there still is one.
void fill_list(platform::ui::Hwnd list, const std::vector<std::u16string>& lines);

}  // namespace calc
