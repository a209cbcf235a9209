// Start-up to an idle main window, and the about box opening and closing, all headless.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/launch.h"
#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/ui/ui.h"

namespace {

namespace driver = platform::driver;

// A device of its own in a temporary folder, for the whole run.
void use_temporary_device()
{
    static std::string root;
    if (!root.empty())
        return;
    std::string pattern = (std::filesystem::temp_directory_path() / "varno-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    root = pattern;
    platform::files::set_device_root(root);
    platform::registry::reset();
    std::atexit([] { std::filesystem::remove_all(root); });
}

void BM_StartToIdleMainWindow(benchmark::State& state)
{
    use_temporary_device();
    for (auto _ : state) {
        auto d = std::make_unique<driver::Driver>(app::run_program);
        state.PauseTiming();
        if (!d->expect_window("main").ok)
            state.SkipWithError("the main window did not come up");
        d->quit();
        d.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToIdleMainWindow)->Unit(benchmark::kMillisecond);

void BM_AboutBoxOpen(benchmark::State& state)
{
    use_temporary_device();
    driver::Driver d(app::run_program);
    for (auto _ : state) {
        d.key("ctrl+a");
        state.PauseTiming();
        if (!d.expect_window("103").ok)
            state.SkipWithError("the about box did not open");
        d.command(platform::ui::kIdOk);
        state.ResumeTiming();
    }
    d.quit();
}
BENCHMARK(BM_AboutBoxOpen)->Unit(benchmark::kMillisecond);

void BM_AboutBoxClose(benchmark::State& state)
{
    use_temporary_device();
    driver::Driver d(app::run_program);
    for (auto _ : state) {
        state.PauseTiming();
        d.key("ctrl+a");
        state.ResumeTiming();
        d.command(platform::ui::kIdOk);
        state.PauseTiming();
        if (!d.expect_window("main").ok)
            state.SkipWithError("the about box did not close");
        state.ResumeTiming();
    }
    d.quit();
}
BENCHMARK(BM_AboutBoxClose)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
