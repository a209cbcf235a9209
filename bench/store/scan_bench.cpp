// The whole-file scans on a 100 000-point coordinate file: the live count, the bounding box, a point near a
// position that no point is near (so every record is read), and gathering the statistics, which the
// statistics dialog does when it opens. Budget: under 16 ms, the time a dialog may take to open.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/store/bench_points.h"
#include "store/coord_file.h"
#include "store/statistics_lines.h"

namespace {

constexpr int kPoints = 100000;

void live_count(benchmark::State& state)
{
    for (auto _ : state) {
        int live = store::coord_live_count();
        if (live != kPoints)
            state.SkipWithError("the live count is wrong");
        benchmark::DoNotOptimize(live);
    }
}

void bounding_box(benchmark::State& state)
{
    for (auto _ : state) {
        double box[4];
        if (!store::coord_bounding_box(&box[0], &box[1], &box[2], &box[3]))
            state.SkipWithError("no file open");
        benchmark::DoNotOptimize(box);
    }
}

void point_near_nothing(benchmark::State& state)
{
    for (auto _ : state) {
        int near = store::coord_point_near(-9.0e6, -9.0e6, 0.001);
        if (near != 0)
            state.SkipWithError("a point lies near a position far from every point");
        benchmark::DoNotOptimize(near);
    }
}

void gather_statistics(benchmark::State& state)
{
    for (auto _ : state) {
        store::StatisticsInput in = store::gather_statistics(u"Bench.dat");
        if (in.point_count != kPoints || in.numbers.size() != size_t(kPoints))
            state.SkipWithError("the statistics miss points");
        benchmark::DoNotOptimize(in);
    }
}

BENCHMARK(live_count)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bounding_box)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(point_near_nothing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gather_statistics)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (!bench_points::make_points_file(u"\\Temp\\Scan.dat", kPoints)) {
        std::fprintf(stderr, "cannot make the coordinate file\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::coord_close();
    return 0;
}
