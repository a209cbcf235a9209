// Parsing of device specs: "tty:PATH[@BAUD]", "gpsd[:HOST[:PORT]]", "replay:PATH[@RATE]".

#include "platform/serial/device.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace platform::serial {

namespace {

constexpr std::array<uint32_t, 19> kBaudRates {
    50, 75, 110, 134, 150, 200, 300, 600, 1200, 1800, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800};

// A whole decimal number made only of digits, fitting in uint32_t.
std::optional<uint32_t> parse_number(std::string_view text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

// Splits "PATH@NUMBER" at the last '@' when digits follow it; otherwise the whole text is the path.
void split_path_and_number(std::string_view text, std::string* path, std::optional<uint32_t>* number, bool* bad_number)
{
    *bad_number = false;
    const size_t at = text.rfind('@');
    if (at != std::string_view::npos) {
        std::string_view digits = text.substr(at + 1);
        bool all_digits = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
        if (all_digits || digits.empty()) {
            *number = parse_number(digits);
            *bad_number = !number->has_value();
            *path = std::string(text.substr(0, at));
            return;
        }
    }
    *path = std::string(text);
}

std::optional<DeviceSpec> parse_path_spec(DeviceKind kind, std::string_view rest)
{
    DeviceSpec spec;
    spec.kind = kind;
    std::optional<uint32_t> number;
    bool bad_number = false;
    split_path_and_number(rest, &spec.path, &number, &bad_number);
    if (spec.path.empty() || bad_number)
        return std::nullopt;
    if (kind == DeviceKind::Tty) {
        if (number && std::find(kBaudRates.begin(), kBaudRates.end(), *number) == kBaudRates.end())
            return std::nullopt;
        spec.baud = number.value_or(kDefaultBaud);
    } else {
        if (number && *number == 0)
            return std::nullopt;
        spec.rate = number.value_or(kDefaultReplayRate);
    }
    return spec;
}

// "[HOST][:PORT]" after "gpsd:"; a bracketed host may hold colons.
std::optional<DeviceSpec> parse_gpsd_endpoint(std::string_view rest)
{
    DeviceSpec spec;
    spec.kind = DeviceKind::Gpsd;
    std::string_view host = rest;
    std::string_view port;
    if (!rest.empty() && rest.front() == '[') {
        const size_t close = rest.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = rest.substr(1, close - 1);
        std::string_view after = rest.substr(close + 1);
        if (!after.empty() && after.front() != ':')
            return std::nullopt;
        port = after.empty() ? after : after.substr(1);
    } else if (const size_t colon = rest.find(':'); colon != std::string_view::npos) {
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (port.empty())
            return std::nullopt;
    }
    if (!host.empty())
        spec.host = std::string(host);
    if (!port.empty()) {
        std::optional<uint32_t> number = parse_number(port);
        if (!number || *number == 0 || *number > 65535)
            return std::nullopt;
        spec.port = static_cast<uint16_t>(*number);
    }
    return spec;
}

}  // namespace

std::optional<DeviceSpec> parse_spec(std::string_view spec)
{
    if (spec.starts_with("tty:"))
        return parse_path_spec(DeviceKind::Tty, spec.substr(4));
    if (spec.starts_with("replay:"))
        return parse_path_spec(DeviceKind::Replay, spec.substr(7));
    if (spec == "gpsd")
        return parse_gpsd_endpoint("");
    if (spec.starts_with("gpsd:"))
        return parse_gpsd_endpoint(spec.substr(5));
    return std::nullopt;
}

}  // namespace platform::serial
