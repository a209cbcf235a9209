// A log played back as if a receiver were sending it: `rate` bytes per second from the moment of opening,
// by platform::clock, so the playback follows virtual time in headless runs. The bytes that may have
// arrived by now are rate * elapsed; those not read yet are waiting.

#include "platform/serial/device.h"

#include "platform/clock/clock.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform::serial {

namespace {

class ReplayDevice final : public Device {
public:
    ReplayDevice(std::vector<uint8_t> log, uint32_t rate)
        : m_log(std::move(log))
        , m_rate(rate)
        , m_opened_ms(clock::now_ms())
    {
    }

    uint32_t read(uint8_t* buffer, uint32_t count) override
    {
        const uint64_t now_ms = clock::now_ms();
        // A clock restarted under the port (tests switching to virtual time) counts as no time passed.
        const uint64_t elapsed_ms = now_ms > m_opened_ms ? now_ms - m_opened_ms : 0;
        // Whole bytes only; elapsed * rate stays far below 2^64 for any realistic run.
        uint64_t arrived = elapsed_ms * m_rate / 1000;
        if (arrived > m_log.size())
            arrived = m_log.size();
        const uint64_t waiting = arrived - m_position;
        const uint32_t take = waiting < count ? static_cast<uint32_t>(waiting) : count;
        std::copy_n(m_log.begin() + static_cast<std::ptrdiff_t>(m_position), take, buffer);
        m_position += take;
        return take;
    }

private:
    std::vector<uint8_t> m_log;  // the whole file, read at open
    uint64_t m_rate;             // bytes per second, > 0
    uint64_t m_opened_ms;        // clock::now_ms() at open
    uint64_t m_position = 0;     // bytes handed out so far, <= arrived
};

}  // namespace

std::unique_ptr<Device> open_replay_device(const DeviceSpec& spec)
{
    std::ifstream file(spec.path, std::ios::binary);
    if (!file)
        return nullptr;
    std::vector<uint8_t> log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return nullptr;
    return std::make_unique<ReplayDevice>(std::move(log), spec.rate);
}

}  // namespace platform::serial
