#pragma once
// The point editor PT_EDIT: one point of the open coordinate file at a time, stepped through in number
// order, looked up by number or from the point list, saved (asking before it overwrites), deleted
// (asking first). Its menu bar 138 holds Save, Delete, Show and Cancel.
//
// The editor works on one current point record that lives for the whole run; it is zeros and empty texts
// whenever nothing is shown. Opening the editor while the view extents are not valid for the open file
// sets them to the bounding box of its points widened by a tenth of its width and height on each side (a
// file without points leaves them as they are).

#include <cstdint>
#include <functional>

#include "platform/ui/ui.h"
#include "store/point_record.h"

namespace store {

// Opens the editor showing the first point by number (empty fields when there is none); returns when it
// closes.
void run_point_edit(platform::ui::Hwnd owner);

// Opens the editor showing a point that a calculation offers to save: the number, E and N given, elevation
// 0, empty name, note and code. Nothing is stored until the user chooses Save.
void run_point_edit_with_point(platform::ui::Hwnd owner, uint32_t number, double e, double n);

// What "Show" opens (the point plot, owned by the editor). Until one is set "Show" does nothing; an empty
// function restores that.
using PointPlotRunner = std::function<void(platform::ui::Hwnd owner)>;
void set_point_plot_runner(PointPlotRunner runner);

// The editor's current record (zeros when nothing is shown).
const PointRecord& point_edit_current();

// Current record cleared and no plot runner (for tests).
void point_edit_reset_for_tests();

}  // namespace store
