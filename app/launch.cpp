#include "app/launch.h"

#include <iostream>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/display/sdl/sdl_display.h"
#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"

namespace app {

namespace ui = platform::ui;
namespace files = platform::files;

namespace {

bool prepare_device(const LaunchOptions& o, std::ostream& err)
{
    const std::string root = o.device_root.value_or(files::default_device_root());
    if (!files::set_device_root(root)) {
        err << "varno: cannot make the device folder " << root << "\n";
        return false;
    }
    if (o.card)
        files::set_card_folder(*o.card);
    platform::registry::reset();
    return true;
}

// What stands behind the serial port names. A malformed spec is a usage error (2); a registry that
// cannot be saved is an environment error (1). 0 when every port is configured.
int configure_ports(const LaunchOptions& o, std::ostream& err)
{
    namespace serial = platform::serial;
    for (const std::string& port : o.ports) {
        const std::string spec = port.substr(port.find('=') + 1);
        if (!serial::valid_spec(spec)) {
            err << "varno: --port " << port << ": not a device spec (tty:PATH[@BAUD], gpsd[:HOST[:PORT]] or "
                << "replay:PATH[@RATE])\n";
            return 2;
        }
        if (!serial::configure_port_argument(port)) {
            err << "varno: --port " << port << ": cannot record the port in the registry\n";
            return 1;
        }
    }
    if (o.gpsd && !serial::configure_gpsd(*o.gpsd)) {
        err << "varno: --gpsd " << *o.gpsd << ": not a HOST:PORT endpoint, or the registry cannot be saved\n";
        return 2;
    }
    return 0;
}

// The window's close button asks the main window to close, as its Close command does.
void close_main_window()
{
    if (main_window() != ui::kNoWindow)
        ui::post_message(main_window(), ui::kMsgClose);
    else
        ui::post_quit_message(0);
}

int run_in_window(int scale, std::ostream& err)
{
    platform::display::sdl::SdlBackend backend({scale, "Varno", close_main_window});
    if (!backend.open()) {
        err << "varno: cannot open a window: " << backend.error() << "\n";
        return 1;
    }
    platform::display::set_backend(&backend);
    int code = run_program();
    platform::display::set_backend(nullptr);
    return code;
}

int run_headless(const std::string& script, std::istream& in, std::ostream& out)
{
    if (script == "-")
        return platform::driver::run_script(in, out, run_program, true);
    return platform::driver::run_script_file(script, out, run_program);
}

}  // namespace

int run_program()
{
    install_program();
    return win_main();
}

int launch(const LaunchOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << usage_text();
        return 0;
    }
    if (!prepare_device(options, err))
        return 1;
    if (int code = configure_ports(options, err))
        return code;
    if (options.headless)
        return run_headless(*options.script, in, out);
    return run_in_window(options.scale, err);
}

}  // namespace app
