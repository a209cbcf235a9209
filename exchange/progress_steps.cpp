#include "exchange/progress_steps.h"

#include <algorithm>

namespace exchange {

int64_t import_step(int64_t lines)
{
    return std::max<int64_t>(1, (lines - 1) / 20);
}

int64_t export_step(uint32_t from, uint32_t to, int64_t points_in_file)
{
    const int64_t range = to >= from ? int64_t(to) - int64_t(from) : 0;
    return std::max<int64_t>(1, std::min(range / 20, points_in_file / 20));
}

}  // namespace exchange
