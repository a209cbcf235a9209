// UTF-8 <-> UTF-16. Decoding is strict: overlong forms, encoded surrogates and code points above U+10FFFF
// are malformed. A malformed sequence becomes one U+FFFD and decoding resumes at the first byte that could
// not belong to it, so a stray byte never swallows the valid character after it.

#include "platform/text/text.h"

namespace platform::text {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Number of continuation bytes a lead byte announces, or -1 for a byte that cannot start a sequence.
int trailing_count(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

// Allowed range of the first continuation byte, which is where overlongs, surrogates and values above
// U+10FFFF are told apart from valid sequences.
bool first_trail_ok(unsigned char lead, unsigned char trail)
{
    if (lead == 0xE0)
        return trail >= 0xA0 && trail <= 0xBF;
    if (lead == 0xED)
        return trail >= 0x80 && trail <= 0x9F;
    if (lead == 0xF0)
        return trail >= 0x90 && trail <= 0xBF;
    if (lead == 0xF4)
        return trail >= 0x80 && trail <= 0x8F;
    return trail >= 0x80 && trail <= 0xBF;
}

void append_code_point(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::u16string from_utf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        int trail = trailing_count(lead);
        if (trail < 0) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        char32_t cp = trail == 0 ? lead : (lead & (0x3F >> trail));
        size_t used = 1;
        bool ok = true;
        for (int k = 0; k < trail; ++k, ++used) {
            if (i + used >= utf8.size()) {
                ok = false;
                break;
            }
            auto c = static_cast<unsigned char>(utf8[i + used]);
            bool fits = k == 0 ? first_trail_ok(lead, c) : (c >= 0x80 && c <= 0xBF);
            if (!fits) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (ok)
            append_code_point(out, cp);
        else
            out.push_back(kReplacement);
        i += used;
    }
    return out;
}

std::string to_utf8(std::u16string_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (high || low) {
            c = kReplacement;
        }
        append_utf8(out, c);
    }
    return out;
}

}  // namespace platform::text
