// Real time from steady_clock and the C library's local time; virtual time from a counter the headless
// driver advances. The headless driver and the user-interface thread take turns reading and advancing,
// so every field is atomic: a read never sees a torn value.

#include "platform/clock/clock.h"
#include "platform/reset/reset.h"

#include <atomic>
#include <chrono>
#include <ctime>

namespace platform::clock {
namespace {

constexpr uint32_t kSecondsPerDay = 86400;

struct ClockState {
    std::atomic<bool> virtual_mode {false};
    std::atomic<uint64_t> virtual_ms {0};             // ms since use_virtual_time
    std::atomic<uint32_t> virtual_start_seconds {0};  // time of day when virtual time began
};

ClockState s_clock;

uint32_t real_seconds_of_day()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    if (localtime_r(&now, &local) == nullptr)
        return static_cast<uint32_t>(now % kSecondsPerDay);
    // tm_sec may read 60 during a leap second; keep the result inside the day.
    uint32_t seconds = static_cast<uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    return seconds < kSecondsPerDay ? seconds : kSecondsPerDay - 1;
}

}  // namespace

uint64_t now_ms()
{
    if (s_clock.virtual_mode.load())
        return s_clock.virtual_ms.load();
    auto since_origin = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since_origin).count());
}

uint32_t local_seconds_of_day()
{
    if (!s_clock.virtual_mode.load())
        return real_seconds_of_day();
    uint64_t elapsed = s_clock.virtual_ms.load() / 1000;
    return static_cast<uint32_t>((s_clock.virtual_start_seconds.load() + elapsed) % kSecondsPerDay);
}

void use_virtual_time(uint32_t start_seconds_of_day)
{
    s_clock.virtual_ms.store(0);
    s_clock.virtual_start_seconds.store(start_seconds_of_day % kSecondsPerDay);
    s_clock.virtual_mode.store(true);
}

bool is_virtual()
{
    return s_clock.virtual_mode.load();
}

void advance_ms(uint64_t ms)
{
    // Real time cannot be moved; a call then is a caller's mistake and changes nothing.
    if (!s_clock.virtual_mode.load())
        return;
    s_clock.virtual_ms.fetch_add(ms);
}

void use_real_time()
{
    s_clock.virtual_mode.store(false);
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Platform, use_real_time);

}  // namespace platform::clock
