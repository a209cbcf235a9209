#pragma once
// What stands between the window manager and the outside world: the SDL window for people, or the headless
// driver for tests and scripts. Exactly one is installed before the program starts.

#include <cstdint>
#include <optional>

#include "platform/gdi/gdi.h"

namespace platform::display {

class Backend {
public:
    virtual ~Backend() = default;
    // Called on the user-interface thread when its queue is empty and no timer is due. Waits until input
    // arrives (delivered through ui::input_*), until `deadline_ms` on the platform clock passes (the next
    // timer), or until something was posted from elsewhere; then returns. Under the headless driver this is
    // where the program parks and the driver acts.
    virtual void wait(std::optional<uint64_t> deadline_ms) = 0;
    // Called on the user-interface thread in the middle of long work (a plot drawing many points): delivers
    // input that has already arrived, through ui::input_*, without waiting.
    virtual void poll() { }
    // The screen changed; show it.
    virtual void present(const gdi::Bitmap& screen) = 0;
    // Another instance asked this one to come forward.
    virtual void raise() { }
    // Called from any thread (through display::wake): a backend blocked in wait() must return soon. A
    // backend that parks for a driver may leave it to the driver's next step.
    virtual void wake() { }
};

// Installs the backend (not owned; lives until replaced). nullptr removes it: get_message then only
// returns what is queued or due and never waits.
void set_backend(Backend* backend);
Backend* backend();

// Wakes a waiting backend from another thread (the single-instance listener uses it). Safe from any
// thread at any time; set_backend waits for a wake in progress to finish.
void wake();

}  // namespace platform::display
