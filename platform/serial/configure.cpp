// Port settings in the registry stand-in: which device stands behind which port name.

#include "platform/serial/device.h"
#include "platform/serial/serial.h"

#include "platform/registry/registry.h"
#include "platform/text/text.h"

namespace platform::serial {

bool valid_spec(std::string_view spec)
{
    return parse_spec(spec).has_value();
}

bool configure_port(std::u16string_view name, std::string_view spec)
{
    if (name.empty() || !valid_spec(spec))
        return false;
    return registry::set_text(kPortsKey, text::to_upper(name), text::from_utf8(spec));
}

bool configure_port_argument(std::string_view name_equals_spec)
{
    const size_t equals = name_equals_spec.find('=');
    if (equals == std::string_view::npos)
        return false;
    return configure_port(text::from_utf8(name_equals_spec.substr(0, equals)), name_equals_spec.substr(equals + 1));
}

bool configure_gpsd(std::string_view host_port)
{
    const std::string spec = host_port.empty() ? std::string("gpsd") : "gpsd:" + std::string(host_port);
    if (!valid_spec(spec))
        return false;
    return configure_port(kMultiplexerPort, spec)
        && registry::set_text(kMultiplexerKey, kMultiplexerValue, kMultiplexerPort);
}

std::optional<std::string> port_spec(std::u16string_view name)
{
    if (name.empty())
        return std::nullopt;
    const std::optional<std::u16string> spec = registry::query_text(kPortsKey, text::to_upper(name));
    if (!spec)
        return std::nullopt;
    return text::to_utf8(*spec);
}

}  // namespace platform::serial
