#pragma once
// The lines of the map check results list ("Mapcheck Results"), in the formats of the display settings:
//
//   "   Pt     N                      E"
//   "%9lu %s %s"        the last leg's point, start N, start E (the naming point when there is no leg)
//   "%9lu %11s %11s"    each leg: point, N, E
//   "", "Misclosure:", "   North = %s", "   East  = %s", ""
//   "Relative Precision = 1 : %.0lf", ""     when there is a precision
//   "Area = %s"

#include <string>
#include <vector>

#include "calc/mapcheck.h"

namespace calc {

std::vector<std::u16string> map_check_result_lines(const MapCheckResult& result);

}  // namespace calc
