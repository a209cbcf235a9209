#pragma once
// The field traverse TRAV_MAIN, "Field Traverse": the field book a line a slot ("At=..." for a setup,
// "To=..." for an observation), Edit, At, To, Delete, and its menu bar 172: File (New, Open, Close, Save,
// Save As), Set Up, Calc, Exit. New and Close reset the job and forget its path; leaving the dialog forgets
// the path and keeps the job for the next opening.

#include "calc/traverse.h"
#include "platform/ui/ui.h"

namespace calc {

void run_traverse(platform::ui::Hwnd owner);

// The job of the run.
const TraverseJob& traverse_job();

// The list line of a record: "At=%lu " with the HI and "HCR=%s "; "To=%lu " with "SS " for a side shot,
// "HCR=", the text, " SD=" and the slope distance; empty for a free slot.
std::u16string traverse_list_line(const TraverseRecord& record);

}  // namespace calc
