#include "cogo/expression_operands.h"

#include "formats/decimal_text.h"
#include "formats/number_parse.h"
#include "formats/text_helpers.h"
#include "platform/text/text.h"
#include "store/point_index.h"

namespace cogo {

namespace {

bool is_digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<double> plain_number(std::u16string_view text)
{
    size_t start = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    int digits = 0, points = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (is_digit(text[i]))
            ++digits;
        else if (text[i] == u'.' && ++points == 1)
            continue;
        else
            return std::nullopt;
    }
    double value = 0;
    if (digits == 0 || !formats::parse_number(text, &value))
        return std::nullopt;
    return value;
}

std::vector<std::u16string_view> point_pair_pieces(std::u16string_view text)
{
    std::vector<std::u16string_view> pieces;
    size_t begin = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'?' || text[i] == u',') {
            pieces.push_back(text.substr(begin, i - begin));
            begin = i + 1;
        }
    }
    return pieces;
}

std::optional<formats::Position> stored_point(std::u16string_view number)
{
    if (number.empty())
        return std::nullopt;
    for (char16_t c : number)
        if (!is_digit(c))
            return std::nullopt;
    const uint32_t n = formats::read_point_number(number);
    store::PointRecord p;
    if (n == 0 || store::point_read_by_number(n, &p) != 1)
        return std::nullopt;
    return formats::Position {p.easting, p.northing};
}

std::u16string expression_text(std::u16string_view text)
{
    return platform::text::to_upper(formats::remove_spaces(text));
}

}  // namespace cogo
