// The number parser. The digits are folded one by one rather than handed to strtod, so a value written
// and read back by the program comes out the same on every machine.

#include "formats/number_parse.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace formats {

namespace {

// Exponents beyond this overflow or underflow a double whatever the digits; larger ones are saturated so
// the power of ten is built in a bounded number of steps.
constexpr int kExponentLimit = 400;

template <typename Char> bool is_digit(Char c)
{
    return c >= Char('0') && c <= Char('9');
}

// value = value * 10 + digit over [begin, end); false at a non-digit.
template <typename Char> bool fold_whole(std::basic_string_view<Char> text, size_t begin, size_t end, double* value)
{
    for (size_t i = begin; i < end; ++i) {
        if (!is_digit(text[i]))
            return false;
        *value = *value * 10 + (text[i] - Char('0'));
    }
    return true;
}

// The fraction digits folded from the last back: f = digit + f * 0.1; the fraction is then f * 0.1.
template <typename Char>
bool fold_fraction(std::basic_string_view<Char> text, size_t begin, size_t end, double* fraction)
{
    double f = 0;
    for (size_t i = end; i > begin; --i) {
        if (!is_digit(text[i - 1]))
            return false;
        f = (text[i - 1] - Char('0')) + f * 0.1;
    }
    *fraction = f * 0.1;
    return true;
}

// The exponent after the letter: an optional "-" or "+", then digits. The value is multiplied (or divided)
// by 10^e built by repeated multiplication.
template <typename Char> bool apply_exponent(std::basic_string_view<Char> text, size_t begin, double* value)
{
    bool negative = false;
    if (begin < text.size() && (text[begin] == Char('-') || text[begin] == Char('+'))) {
        negative = text[begin] == Char('-');
        ++begin;
    }
    int exponent = 0;
    for (size_t i = begin; i < text.size(); ++i) {
        if (!is_digit(text[i]))
            return false;
        exponent = std::min(exponent * 10 + (text[i] - Char('0')), kExponentLimit);
    }
    if (*value == 0)
        return true;  // 0 times any power is 0 (and never 0 times infinity)
    double power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    *value = negative ? *value / power : *value * power;
    return true;
}

template <typename Char> size_t last_exponent_letter(std::basic_string_view<Char> text)
{
    size_t upper = text.rfind(Char('E'));
    size_t lower = text.rfind(Char('e'));
    if (upper == text.npos)
        return lower;
    if (lower == text.npos)
        return upper;
    return std::max(upper, lower);
}

template <typename Char> bool parse(std::basic_string_view<Char> text, double* out)
{
    size_t begin = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == Char('+') || text[0] == Char('-'))) {
        negative = text[0] == Char('-');
        begin = 1;
    }
    size_t dot = text.rfind(Char('.'));
    size_t exponent = last_exponent_letter(text);
    size_t whole_end = std::min({dot, exponent, text.size()});

    double value = 0;
    if (!fold_whole(text, begin, whole_end, &value))
        return false;
    if (dot != text.npos && whole_end == dot) {
        size_t fraction_end = exponent != text.npos && exponent > dot ? exponent : text.size();
        double fraction = 0;
        if (!fold_fraction(text, dot + 1, fraction_end, &fraction))
            return false;
        value += fraction;
    }
    if (negative)
        value *= -1;
    if (exponent != text.npos && !apply_exponent(text, exponent + 1, &value))
        return false;
    if (!std::isfinite(value))
        return false;
    *out = value;
    return true;
}

template <typename Char> int check(std::basic_string_view<Char> text)
{
    size_t begin = !text.empty() && (text[0] == Char('+') || text[0] == Char('-')) ? 1 : 0;
    int dots = 0;
    for (size_t i = begin; i < text.size(); ++i) {
        if (text[i] == Char('.') && ++dots == 1)
            continue;
        if (!is_digit(text[i]))
            return -1;
    }
    return 1;
}

}  // namespace

bool parse_number(std::u16string_view text, double* out)
{
    return parse(text, out);
}

bool parse_number_ansi(std::string_view text, double* out)
{
    return parse(text, out);
}

double parse_number_to_double(std::string_view text)
{
    double value = 0;
    parse(text, &value);
    return value;
}

int check_number_text(std::string_view text)
{
    return check(text);
}

}  // namespace formats
