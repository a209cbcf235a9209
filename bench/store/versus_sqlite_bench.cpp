// The point store side by side with SQLite, on the same 100 000 points in the same run, each figure printed
// with its ratio (Varno / SQLite; at or below 1.0 the store is no slower). Both sides work on files in the
// same temporary folder on the same disk.
//
// The points: numbers 1 .. 100 000 spread over the file in no order, names "P0000000" .. with two points
// to a name (the name index holds duplicates), a code and no note.
//
// What each side does (sqlite_points.h says how SQLite is set up, and why that matches the store):
// - read_by_number: a random number found in the number index and its point read; SQLite: SELECT by number.
// - find_by_name: a random name found in the name index (the nearest find) and its point read; SQLite:
//   SELECT ... WHERE name >= ? ORDER BY name LIMIT 1.
// - walk_by_number: every point in number order (first, then next to the end); SQLite: SELECT ... ORDER BY
//   number.
// - rebuild_indexes: Reindex of the file without a dialog (both index files deleted, every record read and
//   keyed, both built) and the close that writes and marks them; SQLite: DROP INDEX both and CREATE both in
//   one transaction.
// - insert_in_file_order / insert_in_random_order: a new, empty file and its indexes made, 100 000 points
//   stored one by one (store without overwrite) in one bulk store (one flush at its end), and the file
//   closed; the numbers (and names) ascend, or come in random order. SQLite: a new database with the table
//   and both indexes, one transaction of prepared INSERTs, COMMIT, close.
// - overwrite_all: every point of an indexed file stored again with new coordinates (store with
//   overwrite) in random order in one bulk store, and the close; SQLite: one transaction of prepared
//   INSERT OR REPLACE, COMMIT, close. Opening the file is not timed on either side.
//
// The table gives real (wall-clock) times. The two sides run one after the other: on a machine shared with
// other work, --benchmark_repetitions=5 makes it take the median of each.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/store/ratio_reporter.h"
#include "bench/store/sqlite_points.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"

namespace {

namespace fs = std::filesystem;
using bench_sqlite::PointDatabase;
using store::PointRecord;

const char16_t* const kBase = u"\\My Documents\\Base.dat";
const char16_t* const kWork = u"\\My Documents\\Work.dat";
const char16_t* const kSuffixes[] = {u"", u".PPC_.PtNDX", u".PPC_.NamNDX"};

int s_points = 100000;  // VARNO_BENCH_POINTS may ask for fewer, for a quick look

std::string host(const std::u16string& device_path)
{
    return platform::files::host_path(device_path);
}

std::u16string base_of(const char16_t* path)
{
    return store::coord_base_path_of(path);
}

PointRecord make_point(uint32_t number, double shift)
{
    PointRecord p;
    p.number = number;
    p.easting = 355000.0 + number * 0.37 + shift;
    p.northing = 4611000.0 + number * 0.11 + shift;
    p.elevation = 120.0 + number % 50;
    std::snprintf(p.name, sizeof p.name, "P%07u", (number + 1) / 2);
    std::strcpy(p.code, "CD");
    return p;
}

std::vector<uint32_t> numbers(bool shuffled, uint32_t seed)
{
    std::vector<uint32_t> all(static_cast<size_t>(s_points));
    for (int i = 0; i < s_points; ++i)
        all[size_t(i)] = uint32_t(i + 1);
    if (shuffled)
        std::shuffle(all.begin(), all.end(), std::mt19937(seed));
    return all;
}

// ---- The two sides ----------------------------------------------------------------------------------

// Stores the points one by one in one bulk store into a new file, and closes it.
bool varno_insert(const char16_t* path, const std::vector<uint32_t>& order, double shift, bool overwrite)
{
    if (!overwrite && !store::coord_create(path))
        return false;
    if (overwrite && store::coord_open_with_indexes(path) != 1)
        return false;
    store::coord_begin_bulk();
    int stored = 0;
    for (uint32_t n : order)
        stored += store::point_store(make_point(n, shift), overwrite);
    bool durable = store::coord_end_bulk();
    store::coord_close();
    return durable && stored == int(order.size());
}

bool sqlite_insert(const std::string& path, const std::vector<uint32_t>& order, double shift, bool overwrite)
{
    PointDatabase db(path, !overwrite);
    db.begin();
    int stored = 0;
    for (uint32_t n : order)
        stored += db.store(make_point(n, shift), overwrite);
    return db.commit() && db.ok() && stored == int(order.size());
}

void copy_varno(const char16_t* from, const char16_t* to)
{
    for (const char16_t* suffix : kSuffixes) {
        std::u16string a = (suffix[0] ? base_of(from) : std::u16string(from)) + suffix;
        std::u16string b = (suffix[0] ? base_of(to) : std::u16string(to)) + suffix;
        fs::copy_file(host(a), host(b), fs::copy_options::overwrite_existing);
    }
}

std::string sqlite_path(const char16_t* path)
{
    return host(base_of(path) + u".sqlite");
}

// Both sides' base files: every point, stored in random order.
bool make_bases()
{
    std::vector<uint32_t> order = numbers(true, 7);
    store::set_index_build_runner([](store::IndexBuild&) {});
    return varno_insert(kBase, order, 0, false) && sqlite_insert(sqlite_path(kBase), order, 0, false);
}

// ---- The operations ---------------------------------------------------------------------------------

void read_by_number_varno(benchmark::State& state)
{
    copy_varno(kBase, kWork);
    if (store::coord_open_with_indexes(kWork) != 1)
        return state.SkipWithError("the file did not open");
    std::mt19937 random(5);
    PointRecord point;
    for (auto _ : state) {
        uint32_t number = 1 + random() % uint32_t(s_points);
        if (store::point_read_by_number(number, &point) != 1 || point.number != number)
            state.SkipWithError("a point was not found");
    }
    store::coord_close();
}

void read_by_number_sqlite(benchmark::State& state)
{
    PointDatabase db(sqlite_path(kBase), false);
    std::mt19937 random(5);
    PointRecord point;
    for (auto _ : state) {
        uint32_t number = 1 + random() % uint32_t(s_points);
        if (!db.read_by_number(number, &point) || point.number != number)
            state.SkipWithError("a point was not found");
    }
}

std::vector<std::string> random_names()
{
    std::vector<std::string> names;
    for (uint32_t n : numbers(true, 11))
        names.push_back(make_point(n, 0).name);
    return names;
}

void find_by_name_varno(benchmark::State& state)
{
    copy_varno(kBase, kWork);
    if (store::coord_open_with_indexes(kWork) != 1)
        return state.SkipWithError("the file did not open");
    std::vector<std::u16string> names;
    for (const std::string& name : random_names())
        names.emplace_back(name.begin(), name.end());
    size_t next = 0;
    PointRecord point;
    for (auto _ : state) {
        const std::u16string& name = names[next++ % names.size()];
        if (store::point_find_nearest_by_name(name, &point) != 1)
            state.SkipWithError("a name was not found");
    }
    store::coord_close();
}

void find_by_name_sqlite(benchmark::State& state)
{
    PointDatabase db(sqlite_path(kBase), false);
    std::vector<std::string> names = random_names();
    size_t next = 0;
    PointRecord point;
    for (auto _ : state) {
        const std::string& name = names[next++ % names.size()];
        if (!db.find_by_name(name, &point) || name != point.name)
            state.SkipWithError("a name was not found");
    }
}

void walk_by_number_varno(benchmark::State& state)
{
    copy_varno(kBase, kWork);
    if (store::coord_open_with_indexes(kWork) != 1)
        return state.SkipWithError("the file did not open");
    PointRecord point;
    for (auto _ : state) {
        int seen = 0;
        for (uint32_t n = store::point_first_by_number(&point); n != 0; n = store::point_next_by_number(&point))
            ++seen;
        if (seen != s_points)
            state.SkipWithError("the walk missed points");
    }
    store::coord_close();
}

void walk_by_number_sqlite(benchmark::State& state)
{
    PointDatabase db(sqlite_path(kBase), false);
    for (auto _ : state) {
        if (db.walk_by_number() != s_points)
            state.SkipWithError("the walk missed points");
    }
}

void rebuild_indexes_varno(benchmark::State& state)
{
    copy_varno(kBase, kWork);
    for (auto _ : state) {
        if (store::coord_reindex(kWork) != 1)
            state.SkipWithError("the file did not reopen");
        store::coord_close();
    }
}

void rebuild_indexes_sqlite(benchmark::State& state)
{
    PointDatabase db(sqlite_path(kBase), false);
    for (auto _ : state) {
        if (!db.rebuild_indexes())
            state.SkipWithError("the indexes were not rebuilt");
    }
}

void insert_varno(benchmark::State& state, bool shuffled)
{
    std::vector<uint32_t> order = numbers(shuffled, 3);
    for (auto _ : state) {
        if (!varno_insert(kWork, order, 0, false))
            state.SkipWithError("a point was not stored");
    }
}

void insert_sqlite(benchmark::State& state, bool shuffled)
{
    std::vector<uint32_t> order = numbers(shuffled, 3);
    for (auto _ : state) {
        if (!sqlite_insert(sqlite_path(kWork), order, 0, false))
            state.SkipWithError("a point was not stored");
    }
}

void overwrite_varno(benchmark::State& state)
{
    std::vector<uint32_t> order = numbers(true, 13);
    for (auto _ : state) {
        state.PauseTiming();
        copy_varno(kBase, kWork);
        bool opened = store::coord_open_with_indexes(kWork) == 1;
        state.ResumeTiming();
        store::coord_begin_bulk();
        int stored = 0;
        for (uint32_t n : order)
            stored += store::point_store(make_point(n, 0.5), true);
        bool durable = store::coord_end_bulk();
        store::coord_close();
        if (!opened || !durable || stored != s_points)
            state.SkipWithError("a point was not stored");
    }
}

void overwrite_sqlite(benchmark::State& state)
{
    std::vector<uint32_t> order = numbers(true, 13);
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(sqlite_path(kBase), sqlite_path(kWork), fs::copy_options::overwrite_existing);
        auto db = std::make_unique<PointDatabase>(sqlite_path(kWork), false);
        state.ResumeTiming();
        db->begin();
        int stored = 0;
        for (uint32_t n : order)
            stored += db->store(make_point(n, 0.5), true);
        bool committed = db->commit() && db->ok();
        db.reset();
        if (!committed || stored != s_points)
            state.SkipWithError("a point was not stored");
    }
}

void register_all()
{
    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("read_by_number/varno", read_by_number_varno)->Unit(kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("read_by_number/sqlite", read_by_number_sqlite)->Unit(kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("find_by_name/varno", find_by_name_varno)->Unit(kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("find_by_name/sqlite", find_by_name_sqlite)->Unit(kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("walk_by_number/varno", walk_by_number_varno)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("walk_by_number/sqlite", walk_by_number_sqlite)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("rebuild_indexes/varno", rebuild_indexes_varno)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("rebuild_indexes/sqlite", rebuild_indexes_sqlite)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("insert_in_file_order/varno", insert_varno, false)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("insert_in_file_order/sqlite", insert_sqlite, false)
        ->Unit(kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("insert_in_random_order/varno", insert_varno, true)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("insert_in_random_order/sqlite", insert_sqlite, true)
        ->Unit(kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("overwrite_all/varno", overwrite_varno)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("overwrite_all/sqlite", overwrite_sqlite)->Unit(kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* count = std::getenv("VARNO_BENCH_POINTS"))
        s_points = std::max(1000, std::atoi(count));
    std::string root = (fs::temp_directory_path() / "varno-bench-sqlite-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root))
        return 1;
    store::set_index_build_runner([](store::IndexBuild&) {});  // no dialog: every build runs to its end
    if (!make_bases()) {
        std::fprintf(stderr, "the base files could not be made\n");
        return 1;
    }
    std::printf("%d points; Varno: bulk stores, one flush at the end; SQLite: journal_mode=DELETE, "
                "synchronous=FULL, locking_mode=EXCLUSIVE, cache_size=8 MiB, one transaction\n",
        s_points);
    benchmark::Initialize(&argc, argv);
    register_all();
    bench_ratio::RatioReporter reporter("varno", "sqlite");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    store::coord_close();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
