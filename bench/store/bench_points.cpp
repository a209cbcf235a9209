#include "bench/store/bench_points.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"

namespace bench_points {

namespace {

bool use_temporary_device()
{
    static std::string root = (std::filesystem::temp_directory_path() / "varno-bench-points-XXXXXX").string();
    if (!mkdtemp(root.data()) || !platform::files::set_device_root(root))
        return false;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    });
    return true;
}

store::PointRecord point(uint32_t n)
{
    store::PointRecord p;
    p.number = n;
    p.easting = 1000.0 + n * 0.5;
    p.northing = 5000.0 + n * 0.25;
    p.elevation = 10.0;
    std::snprintf(p.name, sizeof p.name, "PT%u", n * 7919 % 5003);
    std::strcpy(p.code, "CD");
    return p;
}

}  // namespace

bool make_points_file(const std::u16string& path, int count)
{
    if (!use_temporary_device() || !store::coord_create(path))
        return false;
    std::vector<uint32_t> numbers(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        numbers[size_t(i)] = uint32_t(i + 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
    for (uint32_t n : numbers)
        if (!store::coord_append(point(n), nullptr))
            return false;
    store::set_index_build_runner([](store::IndexBuild&) {});
    bool reindexed = store::coord_reindex(path) == 1;
    store::set_index_build_runner({});
    return reindexed;
}

}  // namespace bench_points
