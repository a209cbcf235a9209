// The installed backend. The pointer is guarded so that wake() from another thread never meets a
// backend that is being replaced.

#include <mutex>

#include "platform/display/display.h"
#include "platform/reset/reset.h"

namespace platform::display {

namespace {

struct DisplayState {
    std::mutex mutex;            // guards backend against wake() from other threads
    Backend* backend = nullptr;  // not owned
};

// Never destroyed: a listener thread may still wake the display while the process exits.
DisplayState& s_display()
{
    static DisplayState* s = new DisplayState;
    return *s;
}

}  // namespace

void set_backend(Backend* backend)
{
    std::lock_guard lock(s_display().mutex);
    s_display().backend = backend;
}

Backend* backend()
{
    std::lock_guard lock(s_display().mutex);
    return s_display().backend;
}

void wake()
{
    std::lock_guard lock(s_display().mutex);
    if (s_display().backend)
        s_display().backend->wake();
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Platform, [] { set_backend(nullptr); });

}  // namespace

}  // namespace platform::display
