#pragma once
// Time for the program. Real under the SDL display; virtual under the headless driver, where it moves only
// when the driver advances it, so every headless run is the same.

#include <cstdint>

namespace platform::clock {

// Monotonic milliseconds since an arbitrary origin; timers are due against this.
uint64_t now_ms();

// Local time of day in seconds since midnight, [0, 86400).
uint32_t local_seconds_of_day();

// Switches to virtual time starting at 0 ms; the time of day then starts at `start_seconds_of_day`
// and moves with the virtual clock. REQUIRES: called before the program starts.
void use_virtual_time(uint32_t start_seconds_of_day = 12 * 3600);
bool is_virtual();

// Moves virtual time forward. REQUIRES: virtual time in use. Timers are run by the driver, not here.
void advance_ms(uint64_t ms);

// Back to real time (tests).
void use_real_time();

}  // namespace platform::clock
