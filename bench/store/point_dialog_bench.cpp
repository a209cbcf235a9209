// Opening and closing the point dialogs on a 100 000-point coordinate file, headless: the point list
// (which builds its first page), the point editor and the statistics. Budget: under 16 ms each way. The
// point editor's first opening on a file widens view extents that are not valid yet from every point: its
// own case invalidates them before each opening.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/store/bench_points.h"
#include "platform/controls/controls.h"
#include "platform/driver/driver.h"
#include "platform/ui/ui.h"
#include "resources/resources.h"
#include "store/coord_file.h"
#include "store/point_edit_dialog.h"
#include "store/point_list_dialog.h"
#include "store/statistics_dialog.h"
#include "store/view_extents.h"

namespace {

namespace ui = platform::ui;
namespace driver = platform::driver;

constexpr int kPoints = 100000;
constexpr int kOpenList = 900, kOpenEditor = 901, kOpenStatistics = 902, kOpenEditorFirst = 903;

ui::LResult main_proc(ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    if (msg == ui::kMsgDestroy) {
        ui::post_quit_message(0);
        return 0;
    }
    if (msg != ui::kMsgCommand)
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    switch (ui::loword(wparam)) {
    case kOpenList:
        store::run_point_list(hwnd);
        break;
    case kOpenEditor:
        store::run_point_edit(hwnd);
        break;
    case kOpenStatistics:
        store::run_statistics(hwnd, u"Bench.dat");
        break;
    case kOpenEditorFirst:
        store::view_extents_invalidate();
        store::run_point_edit(hwnd);
        break;
    default:
        break;
    }
    return 0;
}

int program()
{
    ui::reset();
    platform::controls::register_classes();
    resources::install_all();
    ui::register_class({u"PointBenchMain", main_proc});
    if (ui::create_window(u"PointBenchMain", u"Varno", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
            ui::kUseDefault, ui::kUseDefault, ui::kNoWindow)
        == ui::kNoWindow)
        return 1;
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return 0;
}

driver::Driver& the_driver()
{
    static driver::Driver d(program);
    return d;
}

struct DialogCase {
    int open_command;
    const char* name;
    int close_command;
};
const DialogCase kList {kOpenList, "PT_LIST", 40231};
const DialogCase kEditor {kOpenEditor, "PT_EDIT", 40141};
const DialogCase kEditorFirst {kOpenEditorFirst, "PT_EDIT", 40141};
const DialogCase kStatistics {kOpenStatistics, "PT_STATISTICS", ui::kIdOk};

void open_dialog(benchmark::State& state, const DialogCase& c)
{
    driver::Driver& d = the_driver();
    for (auto _ : state) {
        d.command(c.open_command);
        state.PauseTiming();
        if (!d.expect_window(c.name).ok)
            state.SkipWithError("the dialog did not open");
        d.command(c.close_command);
        state.ResumeTiming();
    }
}

void close_dialog(benchmark::State& state, const DialogCase& c)
{
    driver::Driver& d = the_driver();
    for (auto _ : state) {
        state.PauseTiming();
        d.command(c.open_command);
        state.ResumeTiming();
        d.command(c.close_command);
        state.PauseTiming();
        if (!d.expect_window("main").ok)
            state.SkipWithError("the dialog did not close");
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(open_dialog, point_list, kList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(close_dialog, point_list, kList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(open_dialog, point_edit, kEditor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(close_dialog, point_edit, kEditor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(open_dialog, point_edit_first, kEditorFirst)->Unit(benchmark::kMillisecond)->UseRealTime();
// The statistics read every record of the file, so each opening takes long: a few runs are enough.
BENCHMARK_CAPTURE(open_dialog, statistics, kStatistics)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_CAPTURE(close_dialog, statistics, kStatistics)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    if (!bench_points::make_points_file(u"\\Temp\\Bench.dat", kPoints)) {
        std::fprintf(stderr, "cannot make the coordinate file\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    the_driver().finish();
    store::coord_close();
    return 0;
}
