// UTF-16 <-> Windows-1252. The code page is Latin-1 except for 0x80..0x9F, where it places typographic
// characters. Its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as the handheld's conversion does, so any byte string survives a trip through UTF-16.

#include "platform/text/text.h"

namespace platform::text {
namespace {

// Wide character of each byte 0x80..0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char16_t widen(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// The byte for a wide character, or '?' when the code page has none.
char narrow(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool is_high_surrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::string to_ansi(std::u16string_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        // A surrogate pair is one character beyond the code page: one '?', not two.
        if (is_high_surrogate(wide[i]) && i + 1 < wide.size() && is_low_surrogate(wide[i + 1])) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(narrow(wide[i]));
    }
    return out;
}

std::u16string from_ansi(std::string_view ansi)
{
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        out.push_back(widen(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace platform::text
