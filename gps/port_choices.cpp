#include "gps/port_choices.h"

#include "platform/registry/registry.h"
#include "platform/serial/serial.h"

namespace gps {

namespace {

namespace registry = platform::registry;

const std::u16string kSettingsKey = u"ControlPanel\\GPS Settings";
const std::u16string kRedirect = u"Redirect";
const std::u16string kHide = u"Hide";

bool present(const std::u16string& name)
{
    return registry::query(kSettingsKey, name).has_value();
}

}  // namespace

std::vector<std::u16string> NumberedPorts()
{
    std::vector<std::u16string> ports;
    for (int i = 0; i < kNumberedPorts; ++i)
        ports.push_back(u"COM" + std::u16string(1, char16_t(u'0' + i)) + u":");
    return ports;
}

std::optional<DriverInterfacePort> ReadDriverInterfacePort()
{
    const std::optional<registry::Value> value
        = registry::query(platform::serial::kMultiplexerKey, platform::serial::kMultiplexerValue);
    if (!value || value->type != registry::Type::Text || value->text.empty())
        return std::nullopt;
    // The platform stores the text without its terminator; it needs two bytes a character.
    const size_t bytes = value->text.size() * 2;
    if (bytes > kDriverInterfaceBytes)
        return std::nullopt;
    DriverInterfacePort port;
    port.value_bytes = bytes;
    port.fills_buffer = bytes > kDriverInterfaceBytes - 1;
    port.name = value->text.substr(0, kDriverInterfaceChars);
    return port;
}

InterfaceHiding ReadInterfaceHiding()
{
    return {present(kRedirect), present(kHide)};
}

int UnhideInterface(const InterfaceHiding& which)
{
    int deleted = 0;
    if (which.redirect && registry::delete_value(kSettingsKey, kRedirect))
        ++deleted;
    if (which.hide && registry::delete_value(kSettingsKey, kHide))
        ++deleted;
    return deleted;
}

}  // namespace gps
