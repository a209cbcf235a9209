// 8-bit printf-style formatting through the C library.

#include "platform/text/text.h"

#include <cstdio>
#include <vector>

namespace platform::text {

std::string vformat(const char* fmt, va_list args)
{
    if (fmt == nullptr)
        return {};
    char small[256];
    va_list probe;
    va_copy(probe, args);
    int needed = std::vsnprintf(small, sizeof small, fmt, probe);
    va_end(probe);
    if (needed < 0)
        return {};
    if (static_cast<size_t>(needed) < sizeof small)
        return std::string(small, static_cast<size_t>(needed));
    std::vector<char> big(static_cast<size_t>(needed) + 1);
    va_list again;
    va_copy(again, args);
    std::vsnprintf(big.data(), big.size(), fmt, again);
    va_end(again);
    return std::string(big.data(), static_cast<size_t>(needed));
}

std::string format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string out = vformat(fmt, args);
    va_end(args);
    return out;
}

}  // namespace platform::text
