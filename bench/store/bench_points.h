#pragma once
// A coordinate file for the point benchmarks: points 1 .. count stored in shuffled record order, names that
// repeat every 5003 points, both indexes built from the records without a dialog. The file stays open.

#include <string>

namespace bench_points {

// Sets a temporary device root (removed at exit) and makes the file; false when anything failed.
bool make_points_file(const std::u16string& path, int count);

}  // namespace bench_points
