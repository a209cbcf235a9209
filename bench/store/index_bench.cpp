// The index engine at 100 000 keys of each kind: inserting them in random order (with the close that writes
// the pages), finding one, and walking the whole cursor.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "store/index.h"

namespace {

constexpr int kKeys = 100000;

struct Kind {
    const char16_t* path;
    int key_size;
    bool duplicates;
};

const Kind kNumbers {u"\\Temp\\bench.PPC_.PtNDX", 12, false};
const Kind kNames {u"\\Temp\\bench.PPC_.NamNDX", 16, true};

// Point-number keys of distinct numbers, or name keys with many points to a name; records 1..kKeys.
std::vector<std::string> make_keys(const Kind& kind)
{
    std::vector<std::string> keys;
    keys.reserve(kKeys);
    char key[32];
    for (int i = 1; i <= kKeys; ++i) {
        if (kind.duplicates)
            std::snprintf(key, sizeof key, "%-15s", ("PT" + std::to_string(i * 7919 % 5003)).c_str());
        else
            std::snprintf(key, sizeof key, "%12u", unsigned(i) * 37u);
        keys.emplace_back(key, size_t(kind.key_size));
    }
    return keys;
}

std::vector<int> in_order()
{
    std::vector<int> order(kKeys);
    for (int i = 0; i < kKeys; ++i)
        order[i] = i;
    return order;
}

std::vector<int> shuffled_order()
{
    std::vector<int> order = in_order();
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    return order;
}

void build(const Kind& kind, const std::vector<std::string>& keys, const std::vector<int>& order)
{
    platform::files::remove(kind.path);
    store::Index* index = store::index_open(kind.path, kind.key_size, kind.duplicates);
    for (int i : order)
        store::index_insert(index, keys[i].data(), uint32_t(i + 1));
    store::index_close(index);
}

// Random order is the worst case; a rebuild from a file whose points were stored by ascending number
// inserts the number keys in order.
void insert_all(benchmark::State& state, const Kind& kind, bool ascending)
{
    std::vector<std::string> keys = make_keys(kind);
    std::vector<int> order = ascending ? in_order() : shuffled_order();
    for (auto _ : state)
        build(kind, keys, order);
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void find_one(benchmark::State& state, const Kind& kind)
{
    std::vector<std::string> keys = make_keys(kind);
    std::vector<int> order = shuffled_order();
    build(kind, keys, order);
    store::Index* index = store::index_open(kind.path, kind.key_size, kind.duplicates);
    std::string key;
    size_t next = 0;
    uint32_t record = 0;
    for (auto _ : state) {
        key = keys[order[next]];
        next = (next + 1) % order.size();
        int result = store::index_find(index, key.data(), 0, false, &record);
        benchmark::DoNotOptimize(result);
    }
    store::index_close(index);
}

void walk_all(benchmark::State& state, const Kind& kind)
{
    build(kind, make_keys(kind), shuffled_order());
    store::Index* index = store::index_open(kind.path, kind.key_size, kind.duplicates);
    std::string key(size_t(kind.key_size), '\0');
    uint32_t record = 0;
    for (auto _ : state) {
        int steps = 0;
        for (int r = store::index_first(index, key.data(), &record); r == store::kIndexOk;
             r = store::index_next(index, key.data(), &record))
            ++steps;
        if (steps != kKeys)
            state.SkipWithError("the walk did not meet every key");
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
    store::index_close(index);
}

BENCHMARK_CAPTURE(insert_all, numbers_random, kNumbers, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(insert_all, numbers_ascending, kNumbers, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(insert_all, names_random, kNames, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(find_one, numbers, kNumbers);
BENCHMARK_CAPTURE(find_one, names, kNames);
BENCHMARK_CAPTURE(walk_all, numbers, kNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(walk_all, names, kNames)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    std::string root = (std::filesystem::temp_directory_path() / "varno-bench-store-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
