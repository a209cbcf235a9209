// Letter case over the letters Windows-1252 holds: ASCII, Latin-1 (U+00C0..U+00FE without the signs
// U+00D7 and U+00F7) and the pairs the code page adds at 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E and 0x9F/0xFF.
// Letters without a single-character partner (sharp s, micro sign) stay as they are.

#include "platform/text/text.h"

#include <algorithm>

namespace platform::text {
namespace {

struct CasePair {
    char16_t upper;
    char16_t lower;
};

constexpr CasePair kExtraPairs[] = {
    {0x0160, 0x0161},  // S with caron
    {0x0152, 0x0153},  // OE ligature
    {0x017D, 0x017E},  // Z with caron
    {0x0178, 0x00FF},  // Y with diaeresis
};

bool is_latin1_upper(char16_t c)
{
    return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}
bool is_latin1_lower(char16_t c)
{
    return c >= 0xE0 && c <= 0xFE && c != 0xF7;
}

}  // namespace

char16_t to_upper(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (is_latin1_lower(c))
        return static_cast<char16_t>(c - 0x20);
    for (const CasePair& pair : kExtraPairs) {
        if (pair.lower == c)
            return pair.upper;
    }
    return c;
}

char16_t to_lower(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 0x20);
    if (is_latin1_upper(c))
        return static_cast<char16_t>(c + 0x20);
    for (const CasePair& pair : kExtraPairs) {
        if (pair.upper == c)
            return pair.lower;
    }
    return c;
}

std::u16string to_upper(std::u16string_view s)
{
    std::u16string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) { return to_upper(c); });
    return out;
}

int compare_no_case(std::u16string_view a, std::u16string_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t ca = to_upper(a[i]);
        char16_t cb = to_upper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equal_no_case(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && compare_no_case(a, b) == 0;
}

}  // namespace platform::text
