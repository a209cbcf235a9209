#pragma once
// Coordinate files with points for the tests of the point list, the statistics and the point editor.

#include <cstdint>
#include <string>
#include <vector>

#include "store/point_record.h"

namespace point_files {

inline const char16_t* kLotPath = u"\\My Documents\\Lot9.dat";

// A point with E = 1000 + number, N = 5000 + number, El = 10 + number unless given, and the texts given.
store::PointRecord point(uint32_t number, const std::string& name = "", const std::string& code = "",
                         const std::string& note = "");

// Creates kLotPath (replacing it) and stores the points in the order given; false when anything failed.
bool create_with(const std::vector<store::PointRecord>& points);
bool create_with_numbers(const std::vector<uint32_t>& numbers);

}  // namespace point_files
