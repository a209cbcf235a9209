#include "platform/text/text.h"

namespace platform::text {

std::u16string_view trim(std::u16string_view s, std::u16string_view characters)
{
    const size_t first = s.find_first_not_of(characters);
    if (first == std::u16string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(characters) - first + 1);
}

}  // namespace platform::text
