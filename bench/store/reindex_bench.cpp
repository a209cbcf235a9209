// Rebuilding both indexes of a 100 000-point coordinate file, as Reindex does (without its dialog): every
// record read and keyed, both index files written and closed. Two files: points stored by ascending number
// with a few dozen recurring names (a surveyed job), and points in no order with names all different (the
// worst case for the index pages). Also reading a point by number from the scattered file, and opening it
// with the indexes a clean close left.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"

namespace {

constexpr int kPoints = 100000;
const char16_t* const kSurveyed = u"\\My Documents\\Surveyed.dat";
const char16_t* const kScattered = u"\\My Documents\\Scattered.dat";

// Writes the file directly: header, then one 87-byte record per point.
bool write_file(const char16_t* path, bool scattered)
{
    if (!store::coord_create(path))
        return false;
    store::coord_close();
    std::vector<uint32_t> numbers(kPoints);
    for (int i = 0; i < kPoints; ++i)
        numbers[i] = uint32_t(i + 1);
    std::mt19937 random(99);
    if (scattered)
        std::shuffle(numbers.begin(), numbers.end(), random);
    std::ofstream out(platform::files::host_path(path), std::ios::binary | std::ios::app);
    const char* codes[] = {"EXI", "E", "A", "M", "FENCE", "TREE", "CL", "EP", "BM", "IP", "HUB", "WALL"};
    for (int i = 0; i < kPoints; ++i) {
        store::PointRecord p;
        p.number = numbers[i];
        p.easting = 355000.0 + double(random() % 100000) / 100;
        p.northing = 4611000.0 + double(random() % 100000) / 100;
        if (scattered)
            std::snprintf(p.name, sizeof p.name, "X%08X", unsigned(random()));
        else
            std::snprintf(p.name, sizeof p.name, "%s%u", codes[i % 12], unsigned(i % 5));
        const uint32_t type = store::kRecordTypePoint;
        const char pads[3] = {'\xFF', '\xFF', '\xFF'};
        out.write(reinterpret_cast<const char*>(&type), 4);
        out.write(reinterpret_cast<const char*>(&p), sizeof p);
        out.write(pads, 3);
    }
    return bool(out);
}

bool walk_names(int expected)
{
    store::PointRecord point;
    int seen = 0;
    for (uint32_t n = store::point_first_by_name(nullptr, &point); n != 0;
         n = store::point_next_by_name(nullptr, &point))
        ++seen;
    return seen == expected;
}

void reindex(benchmark::State& state, const char16_t* path)
{
    store::set_index_build_runner([](store::IndexBuild&) {});  // no dialog: built to the end
    for (auto _ : state) {
        if (store::coord_reindex(path) != 1)
            state.SkipWithError("the file did not reopen");
        store::coord_close();  // writes the indexes' pages
    }
    // Every point made it into both indexes.
    store::coord_open_with_indexes(path);
    store::PointRecord point;
    if (store::point_last_by_number(&point) != uint32_t(kPoints) || !walk_names(kPoints))
        state.SkipWithError("the indexes miss points");
    store::coord_close();
    state.SetItemsProcessed(state.iterations() * kPoints);
}

// Reading a point by number at random in the indexed file: the number index found, the record read.
void read_by_number(benchmark::State& state, const char16_t* path)
{
    store::set_index_build_runner([](store::IndexBuild&) {});
    if (store::coord_open_with_indexes(path) != 1) {
        state.SkipWithError("the file did not open");
        return;
    }
    std::mt19937 random(5);
    store::PointRecord point;
    for (auto _ : state) {
        uint32_t number = 1 + random() % kPoints;
        if (store::point_read_by_number(number, &point) != 1 || point.number != number)
            state.SkipWithError("a point was not found");
    }
    store::coord_close();
}

// Opening the file with indexes that a clean close left: both trees read whole and checked, the live
// records counted, nothing rebuilt; then the close that marks them clean again.
void open_checked(benchmark::State& state, const char16_t* path)
{
    store::set_index_build_runner([](store::IndexBuild&) { std::abort(); });  // must not rebuild
    store::coord_open_with_indexes(path);
    store::coord_close();
    for (auto _ : state) {
        if (store::coord_open_with_indexes(path) != 1)
            state.SkipWithError("the file did not open");
        store::coord_close();
    }
}

BENCHMARK_CAPTURE(read_by_number, scattered, kScattered);
BENCHMARK_CAPTURE(open_checked, scattered, kScattered)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reindex, surveyed, kSurveyed)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(reindex, scattered, kScattered)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    std::string root = (std::filesystem::temp_directory_path() / "varno-bench-reindex-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root))
        return 1;
    if (!write_file(kSurveyed, false) || !write_file(kScattered, true))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::coord_close();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
