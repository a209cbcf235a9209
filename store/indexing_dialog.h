#pragma once
// The indexing dialog PT_INDEXING ("Processing ... "): a modal pop-up that drives an index build with a
// 1 ms timer, 100 records a tick, and shows its progress in a bar from 0 to 100 in steps of 5, with
// "Indexing point numbers ..." or "Indexing point names ..." under it. It ends when the build has read
// its last record; closing it stops the timer and ends it early (the caller finishes the build).

#include <cstdint>

namespace store {

class IndexBuild;

// Runs the dialog over owner (a platform::ui::Hwnd, 0 for none) until the build finishes or the dialog
// is closed. Returns false when the dialog could not be shown (its template is not installed): the build
// is then untouched.
bool run_indexing_dialog(uint32_t owner, IndexBuild& build);

}  // namespace store
