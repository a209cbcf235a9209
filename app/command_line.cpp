#include "app/command_line.h"

#include <charconv>

namespace app {

namespace {

// Walks the arguments; an option's value is its "=" part or the next argument.
class ArgReader {
public:
    explicit ArgReader(const std::vector<std::string>& args)
        : m_args(args)
    {
    }

    bool done() const { return m_next >= m_args.size(); }

    // Splits the next argument into its name and, when it has one, its "=" value.
    std::string take_name()
    {
        const std::string& arg = m_args[m_next++];
        m_inline.reset();
        size_t eq = arg.find('=');
        if (arg.rfind("--", 0) != 0 || eq == std::string::npos)
            return arg;
        m_inline = arg.substr(eq + 1);
        return arg.substr(0, eq);
    }

    bool has_inline() const { return m_inline.has_value(); }

    // The value of the option just taken; nullopt when there is none.
    std::optional<std::string> value()
    {
        if (m_inline)
            return m_inline;
        if (done())
            return std::nullopt;
        return m_args[m_next++];
    }

    // The value of an option whose value may be left out: only a next argument that is not an option.
    std::optional<std::string> optional_value()
    {
        if (m_inline)
            return m_inline;
        if (done() || m_args[m_next].rfind("-", 0) == 0)
            return std::nullopt;
        return m_args[m_next++];
    }

private:
    const std::vector<std::string>& m_args;
    size_t m_next = 0;
    std::optional<std::string> m_inline;
};

bool parse_scale(const std::string& text, int* out)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 16)
        return false;
    *out = value;
    return true;
}

bool valid_port(const std::string& text)
{
    size_t eq = text.find('=');
    return eq != std::string::npos && eq > 0 && eq + 1 < text.size();
}

// Reads one option into `o`; returns an error text, empty when it was good.
std::string read_option(ArgReader& reader, LaunchOptions& o)
{
    const std::string name = reader.take_name();
    auto need = [&](std::optional<std::string>* into) -> std::string {
        *into = reader.value();
        return *into && !(*into)->empty() ? "" : "option " + name + " needs a value";
    };
    if (name == "--device-root")
        return need(&o.device_root);
    if (name == "--card")
        return need(&o.card);
    if (name == "--script")
        return need(&o.script);
    if (name == "--scale") {
        std::optional<std::string> v = reader.value();
        if (!v || !parse_scale(*v, &o.scale))
            return "option --scale needs a whole number from 1 to 16";
        return "";
    }
    if (name == "--port") {
        std::optional<std::string> v = reader.value();
        if (!v || !valid_port(*v))
            return "option --port needs NAME=SPEC, such as COM3:=tty:/dev/ttyUSB0@4800";
        o.ports.push_back(*v);
        return "";
    }
    if (name == "--gpsd") {
        o.gpsd = reader.optional_value().value_or("");
        return "";
    }
    if ((name == "--headless" || name == "--help" || name == "-h") && reader.has_inline())
        return "option " + name + " takes no value";
    if (name == "--headless") {
        o.headless = true;
        return "";
    }
    if (name == "--help" || name == "-h") {
        o.help = true;
        return "";
    }
    if (name.rfind("-", 0) == 0)
        return "unknown option " + name;
    return "unexpected argument " + name;
}

}  // namespace

ParsedCommandLine parse_command_line(const std::vector<std::string>& args)
{
    ParsedCommandLine result;
    ArgReader reader(args);
    while (!reader.done()) {
        result.error = read_option(reader, result.options);
        if (!result.error.empty())
            return result;
    }
    if (result.options.help)
        return result;
    if (result.options.headless && !result.options.script)
        result.error = "--headless needs --script FILE (or - for standard input)";
    else if (result.options.script && !result.options.headless)
        result.error = "--script needs --headless";
    return result;
}

std::string usage_text()
{
    return "Usage: varno [OPTIONS]\n"
           "Varno, field-survey computations on a 240x320 handheld screen.\n"
           "\n"
           "  --device-root DIR     host folder holding the device's files\n"
           "                        (default: $XDG_DATA_HOME/varno or ~/.local/share/varno)\n"
           "  --card DIR            host folder shown as \\Storage Card (default: the current folder)\n"
           "  --scale N             window pixels per screen pixel, 1 to 16 (default 2)\n"
           "  --headless --script FILE\n"
           "                        run without a window, driven by the script FILE (- reads commands from\n"
           "                        standard input and answers each); exit code 0 when every line held,\n"
           "                        1 at the first that failed, 2 for a script that cannot be read\n"
           "  --port NAME=SPEC      what stands behind a serial port name, such as\n"
           "                        COM3:=tty:/dev/ttyUSB0@4800, COM4:=gpsd:localhost:2947 or\n"
           "                        COM5:=replay:track.nmea@480\n"
           "  --gpsd [HOST:PORT]    use a gpsd daemon as the GPS multiplexer (default 127.0.0.1:2947)\n"
           "  --help                this text\n";
}

}  // namespace app
