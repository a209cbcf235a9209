#pragma once
// The whole program under the driver with "COM3:" behind a replay port: a log of the test's own or one of
// the shared receiver logs, played on the virtual clock, so `wait` delivers the bytes and runs the
// dialogs' one-second timers. Pixels are read from the active window's client area.

#include "gps/gps_link.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "tests/app/app_fixture.h"
#include "tests/support/nmea_line.h"

#include <filesystem>
#include <functional>
#include <string>

namespace varno_test {

using testing_support::nmea_line;

inline std::string shared_log(const std::string& name)
{
    return std::string(VARNO_SHARED_DATA_DIR) + "/nmea/" + name;
}

class GpsAppTest : public testing_support::AppTest {
protected:
    // Starts the program with COM3: replaying the host file `path` at `rate` bytes per second, after `before`.
    platform::driver::Driver& start_with_log(
        const std::string& path, unsigned rate = 480, std::function<void()> before = {})
    {
        return start_after([path, rate, before] {
            platform::serial::configure_port(u"COM3:", "replay:" + path + "@" + std::to_string(rate));
            if (before)
                before();
        });
    }
    // The same with a log of the test's own.
    platform::driver::Driver& start_with_text(const std::string& log, unsigned rate = 100000)
    {
        return start_with_log(m_device->write_host_file("own.nmea", log), rate);
    }

    // Pixels of the active window's client area in [left, right) x [top, bottom) of a palette colour.
    int ink(int left, int top, int right, int bottom, platform::gdi::Color colour)
    {
        int count = 0;
        d().inspect([&] {
            namespace ui = platform::ui;
            ui::paint_pending();
            const ui::Hwnd window = ui::active_window();
            const platform::gdi::Point origin = ui::client_to_screen(window, {0, 0});
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    count += ui::screen().pixel(origin.x + x, origin.y + y) == colour ? 1 : 0;
        });
        return count;
    }
};

}  // namespace varno_test
