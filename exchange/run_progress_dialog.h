#pragma once
// The progress of an export or import run: PT_INDEXING ("Processing ... ") with "Exporting points ..." or
// "Importing points ..." and a bar from 0 to 100 in steps of 5. A 1 ms timer drives the run in slices of
// 100 items, as many slices a tick as fit in about 10 ms, so a long run is paced by its work and the bar
// still moves. While a prompt of the run is open, ticks do no work. Closing the dialog ends it early.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/ui.h"

namespace exchange {

struct ProgressWork {
    std::u16string text;                        // "Importing points ..."
    int64_t step = 1;                           // items a step of the bar
    std::function<int(int max_items)> advance;  // a slice: the items done
    std::function<bool()> finished;
};

// False when the dialog could not be shown.
bool run_progress_dialog(platform::ui::Hwnd owner, const ProgressWork& work);

}  // namespace exchange
