#pragma once
// Inside the serial layer: the parsed form of a device spec and the devices that serve the ports.

#include "platform/serial/serial.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::serial {

enum class DeviceKind { Tty, Gpsd, Replay };

struct DeviceSpec {
    DeviceKind kind = DeviceKind::Tty;
    std::string path;                    // tty, replay: host path
    uint32_t baud = kDefaultBaud;        // tty
    std::string host = "127.0.0.1";      // gpsd, without brackets
    uint16_t port = kDefaultGpsdPort;    // gpsd
    uint32_t rate = kDefaultReplayRate;  // replay, bytes per second, > 0
};

// nullopt when the device spec is malformed (unknown kind, empty path, bad number, unsupported baud).
std::optional<DeviceSpec> parse_spec(std::string_view spec);

// One open device. Reads never block and return 0 when nothing is waiting.
class Device {
public:
    virtual ~Device() = default;
    virtual uint32_t read(uint8_t* buffer, uint32_t count) = 0;
};

// Each returns nullptr when the device cannot be opened.
std::unique_ptr<Device> open_tty_device(const DeviceSpec& spec, Access access);
std::unique_ptr<Device> open_gpsd_device(const DeviceSpec& spec);
std::unique_ptr<Device> open_replay_device(const DeviceSpec& spec);

}  // namespace platform::serial
