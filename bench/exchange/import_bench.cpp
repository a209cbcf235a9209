// The import run side by side with SQLite, on the same file of 100 000 points (made by
// scripts/make-point-file) in the same run, each figure printed with its ratio (Varno / SQLite; at or
// below 1.0 the import is no slower).
//
// - import_new: the file imported into a new, empty coordinate file, and the file closed. SQLite: the same
//   file read and split the plain way (one line a point, the seven fields, strtod), into a new database
//   with the table, a unique index on the number and an index on the name, in one transaction of prepared
//   INSERTs, COMMIT, close.
// - import_replace: the file imported under "Always replace" into a coordinate file that holds the same
//   100 000 points already, and the file closed. SQLite: one transaction of INSERT OR REPLACE into a
//   database holding them. Copying the base files is not timed on either side.
//
// Both run the whole program path: Varno's import reads the lines, parses them with its layout and stores
// each point in one bulk store, in slices of 100 lines as its progress dialog drives it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/store/ratio_reporter.h"
#include "bench/store/sqlite_points.h"
#include "exchange/import_run.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"

namespace {

namespace fs = std::filesystem;
using bench_sqlite::PointDatabase;

const char16_t* const kPoints = u"\\My Documents\\points.txt";
const char16_t* const kBase = u"\\My Documents\\Base.dat";
const char16_t* const kWork = u"\\My Documents\\Work.dat";
const char16_t* const kSuffixes[] = {u"", u".PPC_.PtNDX", u".PPC_.NamNDX"};

int s_points = 100000;

std::string host(const std::u16string& device_path)
{
    return platform::files::host_path(device_path);
}

void copy_varno(const char16_t* from, const char16_t* to)
{
    for (const char16_t* suffix : kSuffixes) {
        std::u16string a = (suffix[0] ? store::coord_base_path_of(from) : std::u16string(from)) + suffix;
        std::u16string b = (suffix[0] ? store::coord_base_path_of(to) : std::u16string(to)) + suffix;
        fs::copy_file(host(a), host(b), fs::copy_options::overwrite_existing);
    }
}

std::string sqlite_path(const char16_t* path)
{
    return host(store::coord_base_path_of(path) + u".sqlite");
}

// Varno: the import run over the open coordinate file, then the close. The points imported and replaced.
int64_t varno_import()
{
    exchange::ExchangeConfig config;
    config.path = kPoints;
    exchange::ImportRun run(config, {});
    if (!run.open())
        return -1;
    while (!run.finished())
        run.advance(100);
    store::coord_close();
    return run.outcome().not_stored ? -1 : run.outcome().imported + run.outcome().replaced;
}

// The text of a quoted field, quotes taken off.
std::string unquote(const std::string& field)
{
    return field.size() >= 2 && field.front() == '"' ? field.substr(1, field.size() - 2) : field;
}

// SQLite: the file read line by line and split at commas outside quotes.
int64_t sqlite_import(PointDatabase& db, bool overwrite)
{
    std::ifstream in(host(kPoints), std::ios::binary);
    db.begin();
    int64_t stored = 0;
    std::vector<std::string> f;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        f.assign(1, "");
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            if (c == ',' && !quoted)
                f.emplace_back();
            else
                f.back() += c;
        }
        if (f.size() < 7)
            continue;
        store::PointRecord p;
        p.number = uint32_t(std::strtoul(f[0].c_str(), nullptr, 10));
        std::strncpy(p.name, unquote(f[1]).c_str(), sizeof p.name - 1);
        p.northing = std::strtod(f[2].c_str(), nullptr);
        p.easting = std::strtod(f[3].c_str(), nullptr);
        p.elevation = std::strtod(f[4].c_str(), nullptr);
        std::strncpy(p.note, unquote(f[5]).c_str(), sizeof p.note - 1);
        std::strncpy(p.code, unquote(f[6]).c_str(), sizeof p.code - 1);
        stored += db.store(p, overwrite);
    }
    return db.commit() && db.ok() ? stored : -1;
}

void import_new_varno(benchmark::State& state)
{
    for (auto _ : state) {
        if (!store::coord_create(kWork) || varno_import() != s_points)
            state.SkipWithError("the import did not store every point");
    }
}

void import_new_sqlite(benchmark::State& state)
{
    for (auto _ : state) {
        PointDatabase db(sqlite_path(kWork), true);
        if (sqlite_import(db, false) != s_points)
            state.SkipWithError("the import did not store every point");
    }
}

void import_replace_varno(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        copy_varno(kBase, kWork);
        const bool opened = store::coord_open_with_indexes(kWork) == 1;
        state.ResumeTiming();
        if (!opened || varno_import() != s_points)
            state.SkipWithError("the import did not replace every point");
    }
}

void import_replace_sqlite(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(sqlite_path(kBase), sqlite_path(kWork), fs::copy_options::overwrite_existing);
        auto db = std::make_unique<PointDatabase>(sqlite_path(kWork), false);
        state.ResumeTiming();
        const int64_t stored = sqlite_import(*db, true);
        db.reset();
        if (stored != s_points)
            state.SkipWithError("the import did not replace every point");
    }
}

// The point file from the project's script, and both sides' bases holding its points.
bool make_bases()
{
    const std::string command = std::string("python3 ") + VARNO_SOURCE_DIR + "/scripts/make-point-file '"
        + host(kPoints) + "' " + std::to_string(s_points);
    if (std::system(command.c_str()) != 0)
        return false;
    if (!store::coord_create(kBase) || varno_import() != s_points)
        return false;
    PointDatabase db(sqlite_path(kBase), true);
    return sqlite_import(db, false) == s_points;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* count = std::getenv("VARNO_BENCH_POINTS"))
        s_points = std::max(1000, std::atoi(count));
    std::string root = (fs::temp_directory_path() / "varno-bench-import-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root))
        return 1;
    fs::create_directories(host(u"\\My Documents"));
    store::set_index_build_runner([](store::IndexBuild& build) { build.run_to_end(); });
    if (!make_bases()) {
        std::fprintf(stderr, "the point file or the base files could not be made\n");
        return 1;
    }
    std::printf("%d points imported from one file; Varno: the import run, one bulk store; SQLite: "
                "journal_mode=DELETE, synchronous=FULL, locking_mode=EXCLUSIVE, one transaction\n",
        s_points);
    benchmark::Initialize(&argc, argv);
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("import_new/varno", import_new_varno)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import_new/sqlite", import_new_sqlite)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import_replace/varno", import_replace_varno)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import_replace/sqlite", import_replace_sqlite)->Unit(kMillisecond)->UseRealTime();
    bench_ratio::RatioReporter reporter("varno", "sqlite");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    store::coord_close();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
