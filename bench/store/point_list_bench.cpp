// Building a page of the point list in a 100 000-point coordinate file: from the start, after a Go-To in
// the middle, and one page down, in number and in name order. Budget: under 16 ms a page.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/point_list_page.h"

namespace {

constexpr int kPoints = 100000;
const char16_t* kPath = u"\\Temp\\ListBench.dat";

// Points 1 .. kPoints in shuffled record order with names that repeat every 5003 points; the indexes are
// built from the records without a dialog.
bool make_file()
{
    if (!store::coord_create(kPath))
        return false;
    std::vector<uint32_t> numbers(kPoints);
    for (int i = 0; i < kPoints; ++i)
        numbers[size_t(i)] = uint32_t(i + 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
    for (uint32_t n : numbers) {
        store::PointRecord p;
        p.number = n;
        p.easting = 1000.0 + n * 0.5;
        p.northing = 5000.0 + n * 0.25;
        p.elevation = 10.0;
        std::snprintf(p.name, sizeof p.name, "PT%u", n * 7919 % 5003);
        std::strcpy(p.code, "CD");
        if (!store::coord_append(p, nullptr))
            return false;
    }
    store::set_index_build_runner([](uint32_t, store::IndexBuild&) {});
    return store::coord_reindex(0, kPath) == 1;
}

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

constexpr store::ListOrder kNumbers{false, false};
constexpr store::ListOrder kNumbersDown{false, true};
constexpr store::ListOrder kNames{true, false};

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
    std::string root = (std::filesystem::temp_directory_path() / "varno-bench-list-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root) || !make_file()) {
        std::fprintf(stderr, "cannot make the coordinate file under %s\n", root.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::coord_close();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
