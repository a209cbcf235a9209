#include "draw/entity.h"

#include <algorithm>
#include <cstring>

namespace draw {

void copy_field(char* field, size_t width, std::string_view s)
{
    if (width == 0)
        return;
    size_t n = std::min({s.find('\0'), s.size(), width - 1});
    std::memcpy(field, s.data(), n);
    std::memset(field + n, 0, width - n);
}

}  // namespace draw
