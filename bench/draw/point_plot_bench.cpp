// Painting the point plot: every point of the file with its mark and number, 10 000 and 100 000 points
// scattered over a square kilometre, on the "All" view. Budgets: one frame at 60 Hz (16 ms) for 10 000
// points, 100 ms for 100 000. The program runs headless; each iteration paints the plot window once.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "app/launch.h"
#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/ui/ui.h"
#include "store/coord_file.h"
#include "store/point_index.h"

namespace {

namespace driver = platform::driver;
namespace ui = platform::ui;

void use_temporary_device()
{
    static std::string root;
    if (!root.empty())
        return;
    std::string pattern = (std::filesystem::temp_directory_path() / "varno-bench-plot-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    root = pattern;
    platform::files::set_device_root(root);
    platform::registry::reset();
    std::atexit([] { std::filesystem::remove_all(root); });
}

// The program with a file of `count` scattered points, its point plot open on "All".
std::unique_ptr<driver::Driver> open_plot(int count)
{
    use_temporary_device();
    auto d = std::make_unique<driver::Driver>(app::run_program);
    bool made = false;
    d->inspect([&] {
        if (!store::coord_create(u"\\My Documents\\Plot" + std::u16string(1, u'0' + count % 10) + u".dat"))
            return;
        std::mt19937 rng(17);
        std::uniform_real_distribution<double> e(355000, 356000), n(5210000, 5211000);
        store::coord_begin_bulk();
        for (int i = 1; i <= count; ++i) {
            store::PointRecord p;
            p.number = uint32_t(i);
            p.easting = e(rng);
            p.northing = n(rng);
            if (store::point_store(p, false) != 1)
                return;
        }
        made = store::coord_end_bulk();
    });
    if (!made || !d->menu("Coords/Edit").ok || !d->menu("Show").ok || !d->menu("All").ok)
        return nullptr;
    return d;
}

void BM_PaintPointPlot(benchmark::State& state)
{
    std::unique_ptr<driver::Driver> d = open_plot(int(state.range(0)));
    if (!d) {
        state.SkipWithError("the point plot did not open");
        return;
    }
    for (auto _ : state) {
        d->inspect([] {
            const ui::Hwnd plot = ui::active_window();
            ui::invalidate(plot, true);
            ui::update_window(plot);
        });
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    d->quit();
}
BENCHMARK(BM_PaintPointPlot)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
