// The real window: the program under SDL on a virtual X server, driven with xdotool and photographed
// with xwd. What the window shows, reduced by the scale, must be the screen the headless display paints
// for the same state, pixel for pixel.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "app/launch.h"
#include "platform/gdi/gdi.h"
#include "tests/app/app_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/host_files.h"
#include "tests/app/xwd_image.h"

namespace {

namespace fs = std::filesystem;
namespace gdi = platform::gdi;
using testing_support::AppTest;
using testing_support::ChildProcess;
using testing_support::TempDir;
using testing_support::XwdImage;

constexpr int kScale = 2;

// SDL asks the session bus for the screen saver and input methods; a bus the test's environment names but
// that does not answer would hold the window back for the bus's long time-outs. The program runs without.
constexpr const char* kNoSessionBus = "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/varno-test-bus";

// In sanitised builds the leak check is left to the headless tests: under X11 the font and X libraries
// leave a few blocks at exit whose allocation stacks the quick frame walk cannot follow (so no suppression
// can name them), and the slow walk makes the program too slow to draw. Other builds ignore the variable.
std::string sanitizer_options()
{
    const char* given = std::getenv("ASAN_OPTIONS");
    std::string options = given ? given : "";
    return "ASAN_OPTIONS=" + options + (options.empty() ? "" : ":") + "detect_leaks=0";
}

std::string find_tool(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0)
            return dir + "/" + name;
    return "";
}

void sleep_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// An X server of our own on a display number nobody uses.
class VirtualDisplay {
public:
    bool start(const std::string& xvfb)
    {
        for (int n = 71; n < 300; ++n) {
            if (fs::exists("/tmp/.X" + std::to_string(n) + "-lock")
                || fs::exists("/tmp/.X11-unix/X" + std::to_string(n)))
                continue;
            m_name = ":" + std::to_string(n);
            m_server = std::make_unique<ChildProcess>(
                xvfb, std::vector<std::string> {m_name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            for (int i = 0; i < 100 && m_server->running(); ++i) {
                if (fs::exists("/tmp/.X11-unix/X" + std::to_string(n)))
                    return true;
                sleep_ms(50);
            }
            m_server.reset();  // lost a race for that number, or it failed: try the next
        }
        return false;
    }
    ~VirtualDisplay()
    {
        if (m_server) {
            m_server->terminate();
            m_server->wait(5000);
        }
    }
    std::string env() const { return "DISPLAY=" + m_name; }

private:
    std::string m_name;
    std::unique_ptr<ChildProcess> m_server;
};

class SdlWindow : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_xvfb = find_tool("Xvfb");
        m_xdotool = find_tool("xdotool");
        m_xwd = find_tool("xwd");
        if (m_xvfb.empty() || m_xdotool.empty() || m_xwd.empty())
            GTEST_SKIP() << "needs Xvfb, xdotool and xwd (scripts/install-deps installs them)";
        ASSERT_TRUE(m_display.start(m_xvfb)) << "no virtual X server could be started";
    }

    // Runs an X client to its end; its standard output.
    std::string x_client(const std::string& tool, const std::vector<std::string>& args, int* code = nullptr)
    {
        ChildProcess p(tool, args, {m_display.env()});
        int c = p.wait(10000);
        if (code)
            *code = c;
        return p.output();
    }

    // The id of the program's window, waiting up to 30 s for it (a loaded machine starts slowly); on
    // failure `why` tells whether the program is still running, how it ended and what the X tool said.
    std::string find_window_id(ChildProcess& varno, std::string* why)
    {
        std::string tool_errors;
        for (int i = 0; i < 600; ++i) {
            ChildProcess search(m_xdotool, {"search", "--name", "^Varno$"}, {m_display.env()});
            search.wait(10000);
            const std::string& out = search.output();
            if (!out.empty())
                return out.substr(0, out.find('\n'));
            tool_errors = search.errors();
            if (!varno.running())
                break;
            sleep_ms(50);
        }
        if (varno.running())
            *why = "the program is still running without a window";
        else
            *why = "the program ended with code " + std::to_string(varno.wait(5000)) + ": " + varno.errors();
        if (!tool_errors.empty())
            *why += "; xdotool said: " + tool_errors;
        return "";
    }

    bool capture(const std::string& window, XwdImage* image, std::string* error)
    {
        const std::string file = m_work.path() + "/window.xwd";
        int code = 0;
        x_client(m_xwd, {"-id", window, "-silent", "-out", file}, &code);
        if (code != 0) {
            *error = "xwd failed";
            return false;
        }
        return testing_support::parse_xwd(testing_support::read_host_file(file), image, error);
    }

    // Differences between the window (every pixel of each scale x scale block) and the screen.
    static std::string compare(const XwdImage& window, const gdi::Bitmap& screen)
    {
        if (window.width != screen.width() * kScale || window.height != screen.height() * kScale)
            return "window is " + std::to_string(window.width) + "x" + std::to_string(window.height);
        int wrong = 0;
        std::string first;
        for (int y = 0; y < window.height; ++y)
            for (int x = 0; x < window.width; ++x)
                if (window.pixel(x, y) != screen.pixel(x / kScale, y / kScale) && wrong++ == 0)
                    first = "first at window pixel " + std::to_string(x) + "," + std::to_string(y);
        return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ, " + first;
    }

    // Photographs the window until it shows `screen` (the program may still be drawing).
    std::string wait_for_picture(const std::string& window, const gdi::Bitmap& screen)
    {
        std::string why;
        for (int i = 0; i < 100; ++i) {
            XwdImage image;
            std::string error;
            if (!capture(window, &image, &error))
                why = error;
            else if ((why = compare(image, screen)).empty())
                return "";
            sleep_ms(100);
        }
        return why;
    }

    // The headless screen after `steps` (driver operations).
    gdi::Bitmap headless_screen(const std::function<void(platform::driver::Driver&)>& steps)
    {
        auto& d = start();
        steps(d);
        const std::string png = m_work.path() + "/headless.png";
        EXPECT_OK(d.screenshot(png));
        gdi::Bitmap screen;
        EXPECT_TRUE(gdi::read_png(png, &screen));
        EXPECT_OK(d.quit());
        d.finish();
        m_driver.reset();
        return screen;
    }

    std::string m_xvfb, m_xdotool, m_xwd;
    VirtualDisplay m_display;
    TempDir m_work;
};

TEST_F(SdlWindow, ShowsTheScreenScaledAndOpensTheAboutBoxOnCtrlA)
{
    const gdi::Bitmap main_screen = headless_screen([](auto&) {});
    const gdi::Bitmap about_screen = headless_screen([](auto& d) { EXPECT_OK(d.key("ctrl+a")); });
    ASSERT_EQ(main_screen.width(), 240);

    ChildProcess varno(VARNO_BINARY, {"--device-root", m_work.path() + "/device", "--scale", std::to_string(kScale)},
        {m_display.env(), "SDL_VIDEODRIVER=x11", kNoSessionBus, sanitizer_options()});
    std::string why;
    const std::string window = find_window_id(varno, &why);
    ASSERT_NE(window, "") << "no window titled Varno appeared: " << why;
    EXPECT_EQ(wait_for_picture(window, main_screen), "");

    // A window manager would activate the window; the bare server only gives it the keyboard focus.
    int code = 0;
    x_client(m_xdotool, {"windowactivate", "--sync", window}, &code);
    if (code != 0)
        x_client(m_xdotool, {"windowfocus", "--sync", window});
    x_client(m_xdotool, {"key", "ctrl+a"}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(wait_for_picture(window, about_screen), "");

    // Closing the window (SDL's quit on the termination signal) ends the program through its main window.
    varno.terminate();
    EXPECT_EQ(varno.wait(10000), 0) << varno.errors();
}

}  // namespace
