#pragma once
// The lines of the coordinate-file statistics: title, file, point count, first and last point number,
// the ranges of point numbers in use and free, and the coordinate bounds. Computation only: the
// statistics dialog puts the lines into its list box one by one.
//
// Ranges are written four spaces in: "    7" for one number, "    From 1 to 3" for a run, and the open
// end of the free numbers as "    From 10 to ...". The lines of ranges are limited by a counter that
// starts at 7 (the lines above them): the used ranges stop once it passes kUsedRangeLineLimit with
// "List aborted." / "Not all used points shown.", the free ranges once it passes kFreeRangeLineLimit with
// "List aborted." / "Not all unused points shown.".
//
// A file without points (or no open file) shows no used ranges and no coordinate bounds; an open file
// without points shows every number free ("    From 1 to ..."); with no file open the free ranges are
// empty as well.

#include <cstdint>
#include <string>
#include <vector>

namespace store {

constexpr int kUsedRangeLineLimit = 200;
constexpr int kFreeRangeLineLimit = 370;

struct StatisticsInput {
    std::u16string last_chosen_name;  // the file name last chosen in the file browser
    std::u16string full_path;         // of the open coordinate file, "----" when none
    bool file_open = false;
    int point_count = 0;            // live records of the file
    std::vector<uint32_t> numbers;  // the point-number index in ascending order
    bool have_bounds = false;       // false: no live point, the bounds below mean nothing
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
};

// The lines, in order. Coordinates use the coordinate decimals of the display settings.
std::vector<std::u16string> statistics_lines(const StatisticsInput& input);

// Reads the open coordinate file through the point-number index and the record scans. With no file open
// the result has file_open false, the path "----" and no numbers.
StatisticsInput gather_statistics(std::u16string_view last_chosen_name);

}  // namespace store
