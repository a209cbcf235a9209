#pragma once
// The point list PT_LIST: the points of the open coordinate file fifty at a time, in number or name order,
// ascending or descending, in one of three column layouts (store/point_list_page.h), with Go-To by number
// or name, paging Up and Down, a horizontal offset ("<<", ">>"), and the menu bar 160 ("Format", " OK ",
// "Cancel"). The list box uses a fixed-pitch font 17 pixels high.
//
// The layout is kept from one opening to the next; the order starts ascending and the Go-To mode by
// number at every opening.

#include <optional>

#include "platform/ui/ui.h"
#include "store/point_record.h"

namespace store {

// Opens the list and returns when it closes. The list selection (store/list_selection.h) is cleared when
// the list opens; after " OK " on a line it holds that point's number, E and N; otherwise its number is 0.
void run_point_list(platform::ui::Hwnd owner);

// The same, answering with the whole record of the point picked; nothing when none was.
std::optional<PointRecord> pick_point(platform::ui::Hwnd owner);

// The layout the next opening starts with (0 .. 2).
int point_list_layout();
void point_list_reset_for_tests();

}  // namespace store
