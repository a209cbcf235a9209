// Building a page of the point list in a 100 000-point coordinate file: from the start, after a Go-To in
// the middle, and one page down, in number and in name order. Budget: under 16 ms a page.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/store/bench_points.h"
#include "store/coord_file.h"
#include "store/point_list_page.h"

namespace {

constexpr int kPoints = 100000;
const char16_t* kPath = u"\\Temp\\ListBench.dat";

void from_start(benchmark::State& state, int layout, store::ListOrder order)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(store::list_page_from_start(layout, order));
}

void go_to_middle(benchmark::State& state, int layout, store::ListOrder order)
{
    std::u16string target = order.by_name ? u"PT2500" : u"50000";
    bool found = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(store::list_page_go_to(layout, order, target, &found));
    if (!found)
        state.SkipWithError("nothing found");
}

void page_down(benchmark::State& state, int layout, store::ListOrder order)
{
    bool found = false;
    store::ListPage middle = store::list_page_go_to(layout, order, order.by_name ? u"PT2500" : u"50000", &found);
    if (middle.lines.empty()) {
        state.SkipWithError("no page");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(store::list_page_down(layout, order, middle.lines.back(), &found));
    if (!found)
        state.SkipWithError("the last line's point was not found");
}

constexpr store::ListOrder kNumbers {false, false};
constexpr store::ListOrder kNumbersDown {false, true};
constexpr store::ListOrder kNames {true, false};

BENCHMARK_CAPTURE(from_start, numbers, 0, kNumbers)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(from_start, numbers_descending, 1, kNumbersDown)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(from_start, names, 2, kNames)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(go_to_middle, numbers, 0, kNumbers)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(go_to_middle, names, 2, kNames)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page_down, numbers, 0, kNumbers)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page_down, names, 2, kNames)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!bench_points::make_points_file(kPath, kPoints)) {
        std::fprintf(stderr, "cannot make the coordinate file\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::coord_close();
    return 0;
}
