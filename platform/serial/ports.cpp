// The open ports of the process: each handle owns its device and remembers its port name, access and
// share mode, so a second open of a port is refused as the handheld refuses it.

#include "platform/reset/reset.h"
#include "platform/serial/device.h"
#include "platform/serial/serial.h"

#include "platform/text/text.h"

#include <algorithm>
#include <vector>

namespace platform::serial {

class Port {
public:
    Port(std::u16string name, Access access, uint32_t share, bool multiplexed, std::unique_ptr<Device> device)
        : m_name(std::move(name))
        , m_access(access)
        , m_share(share)
        , m_multiplexed(multiplexed)
        , m_device(std::move(device))
    {
    }

    const std::u16string& name() const { return m_name; }
    Access access() const { return m_access; }
    uint32_t share() const { return m_share; }
    bool multiplexed() const { return m_multiplexed; }
    Device& device() { return *m_device; }

private:
    std::u16string m_name;  // upper case
    Access m_access;
    uint32_t m_share;
    bool m_multiplexed;  // gpsd: every open has its own connection
    std::unique_ptr<Device> m_device;
};

namespace {

struct SerialState {
    std::vector<std::unique_ptr<Port>> open;  // every handle given out and not closed yet
};

SerialState s_serial;

// What `access` needs the other handles' share mode to allow.
uint32_t share_needed(Access access)
{
    return access == Access::ReadWrite ? (kShareRead | kShareWrite) : kShareRead;
}

bool share_allows(const std::u16string& name, Access access, uint32_t share)
{
    for (const auto& port : s_serial.open) {
        if (port->multiplexed() || port->name() != name)
            continue;
        if ((port->share() & share_needed(access)) != share_needed(access))
            return false;
        if ((share & share_needed(port->access())) != share_needed(port->access()))
            return false;
    }
    return true;
}

std::unique_ptr<Device> open_device(const DeviceSpec& spec, Access access)
{
    switch (spec.kind) {
    case DeviceKind::Tty:
        return open_tty_device(spec, access);
    case DeviceKind::Gpsd:
        return open_gpsd_device(spec);
    case DeviceKind::Replay:
        return open_replay_device(spec);
    }
    return nullptr;
}

bool is_open(Handle port)
{
    return std::any_of(
        s_serial.open.begin(), s_serial.open.end(), [port](const std::unique_ptr<Port>& p) { return p.get() == port; });
}

}  // namespace

Handle open(std::u16string_view name, Access access, uint32_t share)
{
    if (name.empty())
        return nullptr;
    const std::optional<std::string> text = port_spec(name);
    if (!text)
        return nullptr;
    const std::optional<DeviceSpec> spec = parse_spec(*text);
    if (!spec)
        return nullptr;
    const std::u16string upper = text::to_upper(name);
    const bool multiplexed = spec->kind == DeviceKind::Gpsd;
    if (!multiplexed && !share_allows(upper, access, share))
        return nullptr;
    std::unique_ptr<Device> device = open_device(*spec, access);
    if (!device)
        return nullptr;
    s_serial.open.push_back(std::make_unique<Port>(upper, access, share, multiplexed, std::move(device)));
    return s_serial.open.back().get();
}

uint32_t read(Handle port, void* buffer, uint32_t count)
{
    if (port == nullptr || buffer == nullptr || count == 0 || !is_open(port))
        return 0;
    return port->device().read(static_cast<uint8_t*>(buffer), count);
}

void close(Handle port)
{
    std::erase_if(s_serial.open, [port](const std::unique_ptr<Port>& p) { return p.get() == port; });
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Platform, [] { s_serial.open.clear(); });

}  // namespace

}  // namespace platform::serial
