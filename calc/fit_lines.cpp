#include "calc/fit_lines.h"

namespace calc {

std::vector<std::u16string> fit_lines(const std::vector<std::u16string>& lines, size_t columns)
{
    std::vector<std::u16string> out;
    for (const std::u16string& line : lines) {
        out.push_back(line.substr(0, columns));
        for (size_t at = columns; at < line.size(); at += columns - 2)
            out.push_back(u"  " + line.substr(at, columns - 2));
    }
    return out;
}

}  // namespace calc
