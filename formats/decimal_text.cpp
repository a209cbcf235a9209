#include "formats/decimal_text.h"

namespace formats {

namespace {

bool is_c_space(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

}  // namespace

int64_t read_decimal_integer(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && is_c_space(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > kDecimalIntegerLimit)
            value = kDecimalIntegerLimit;
    }
    return negative ? -value : value;
}

uint32_t read_point_number(std::u16string_view text)
{
    int64_t value = read_decimal_integer(text);
    return value >= 1 && value <= int64_t(UINT32_MAX) ? uint32_t(value) : 0;
}

}  // namespace formats
