#pragma once
// Result lists show every line in full: a line wider than the list is carried on to further lines.

#include <string>
#include <vector>

namespace calc {

// Each line longer than `columns` characters is cut there and the rest follows on lines of its own,
// indented by two spaces. REQUIRES: columns > 2.
std::vector<std::u16string> fit_lines(const std::vector<std::u16string>& lines, size_t columns);

}  // namespace calc
