#include "cogo/distance_expression.h"

#include <cmath>
#include <string>

#include "cogo/expression_operands.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"

namespace cogo {

namespace {

// Where the operator stands: the first "+" after the leading sign, else the first "-", "/", "X".
size_t operator_position(std::u16string_view text)
{
    const size_t from = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    for (char16_t op : {u'+', u'-', u'/', u'X'}) {
        size_t at = text.find(op, from);
        if (at != std::u16string_view::npos)
            return at;
    }
    return std::u16string_view::npos;
}

// The distance between the two points of a pair, as the keypad shows it: printed with three decimals and
// read back, so what is added to it is added to the millimetres the user sees.
std::optional<double> pair_distance(std::u16string_view pair)
{
    double sign = 1;
    if (!pair.empty() && (pair[0] == u'+' || pair[0] == u'-')) {
        sign = pair[0] == u'-' ? -1 : 1;
        pair.remove_prefix(1);
    }
    const std::vector<std::u16string_view> pieces = point_pair_pieces(pair);
    if (pieces.size() != 2)
        return std::nullopt;
    const std::optional<formats::Position> a = stored_point(pieces[0]), b = stored_point(pieces[1]);
    if (!a || !b)
        return std::nullopt;
    double rounded = 0;
    if (!formats::parse_number_ansi(formats::format_decimals_ansi(formats::plane_distance(*a, *b), 3), &rounded))
        return std::nullopt;
    return sign * rounded;
}

std::optional<double> left_operand(std::u16string_view text)
{
    if (point_pair_pieces(text).size() > 1)
        return pair_distance(text);
    return plain_number(text);
}

}  // namespace

std::optional<double> evaluate_distance_expression(std::u16string_view typed)
{
    const std::u16string text = expression_text(typed);
    if (text.empty() || text[0] == u'L' || text[0] == u'R')
        return std::nullopt;
    const size_t at = operator_position(text);
    const std::u16string_view all(text);
    const std::optional<double> left = left_operand(all.substr(0, at));
    if (!left)
        return std::nullopt;
    if (at == std::u16string_view::npos || at + 1 == text.size())
        return *left;
    const std::optional<double> right = plain_number(all.substr(at + 1));
    if (!right)
        return std::nullopt;
    double value = 0;
    switch (text[at]) {
    case u'+':
        value = *left + *right;
        break;
    case u'-':
        value = *left - *right;
        break;
    case u'/':
        if (*right == 0)
            return std::nullopt;
        value = *left / *right;
        break;
    default:
        value = *left * *right;
        break;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace cogo
