// The single-instance rule across two real processes sharing a device root.

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "platform/files/files.h"
#include "tests/platform/ui/ui_fixture.h"
#include "tests/support/host_files.h"

using namespace uitest;

namespace {

// Sleeps until woken from another thread, at most a short while.
struct WakeBackend : platform::display::Backend {
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
    int wakes = 0;
    int raises = 0;
    void wait(std::optional<uint64_t>) override
    {
        std::unique_lock lock(mutex);
        cv.wait_for(lock, std::chrono::milliseconds(200), [this] { return woken; });
        woken = false;
    }
    void present(const platform::gdi::Bitmap&) override { }
    void raise() override { ++raises; }
    void wake() override
    {
        std::lock_guard lock(mutex);
        woken = true;
        ++wakes;
        cv.notify_all();
    }
};

void signal(int fd)
{
    char b = 1;
    ASSERT_EQ(::write(fd, &b, 1), 1);
}

void await(int fd)
{
    char b;
    if (::read(fd, &b, 1) != 1)
        _exit(100);
}

// The second process: what it sees, as bits of its exit code.
[[noreturn]] void second_instance(int go, int again)
{
    await(go);
    int bits = 0;
    ui::Hwnd h = ui::find_window(u"mv", u"Varno");
    if (h != ui::kNoWindow && !ui::is_window(h))
        bits |= 1;
    if (ui::find_window(u"MV", u"Other title") == ui::kNoWindow)
        bits |= 2;
    if (ui::set_foreground_window(h | 1))
        bits |= 4;
    await(again);  // the first instance has gone; its lock file stays behind
    if (ui::find_window(u"MV", u"Varno") == ui::kNoWindow)
        bits |= 8;
    _exit(bits);
}

}  // namespace

class InstanceTest : public UiTest { };

TEST_F(InstanceTest, ASecondProcessFindsTheFirstAndBringsItForward)
{
    testing_support::TempDir dir;
    ASSERT_TRUE(platform::files::set_device_root(dir.path()));
    int go[2], again[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(again), 0);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
        second_instance(go[0], again[0]);

    WakeBackend wb;
    platform::display::set_backend(&wb);
    ui::WindowClass c;
    c.name = u"MV";
    c.proc = probe_proc;
    ui::register_class(c);
    ui::Hwnd main_window = make_top(u"Varno", ui::kNoWindow, ui::kWorkArea, u"MV");
    ui::Hwnd other = make_top(u"Other", ui::kNoWindow, ui::kWorkArea);
    ASSERT_EQ(ui::active_window(), other);
    signal(go[1]);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (wb.raises == 0 && std::chrono::steady_clock::now() < deadline) {
        ui::pump_messages();
        if (wb.raises == 0)
            wb.wait(std::nullopt);
    }
    EXPECT_EQ(wb.raises, 1);
    EXPECT_GE(wb.wakes, 1);
    EXPECT_EQ(ui::active_window(), main_window);
    EXPECT_EQ(ui::top_level_windows().back(), main_window);

    ui::reset();  // gives up the lock, as an ended process does
    signal(again[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1 | 2 | 4 | 8);
    platform::display::set_backend(&backend);
}

TEST_F(InstanceTest, WithoutAnotherProcessNothingIsFoundElsewhere)
{
    testing_support::TempDir dir;
    ASSERT_TRUE(platform::files::set_device_root(dir.path()));
    EXPECT_EQ(ui::find_window(u"MV", u"Varno"), ui::kNoWindow);
    EXPECT_FALSE(ui::set_foreground_window(0xFFFFFFF0u));
    ui::Hwnd w = make_top(u"Varno");
    EXPECT_EQ(ui::find_window(u"Probe", u"VARNO"), w);  // this process's own window
}
