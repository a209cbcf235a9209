#include "cogo/azimuth_expression.h"

#include <cmath>
#include <numbers>
#include <string>

#include "cogo/expression_operands.h"
#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "platform/text/text.h"

namespace cogo {

namespace {

constexpr double kQuarterTurn = std::numbers::pi / 2;

// The angle parser reads any text; the keypad takes only what is an angle: a number (D.MS or plain degrees,
// or gons), or a degree-mark text of digits, marks, "." and a sign.
bool is_angle_text(std::u16string_view text)
{
    if (formats::angle_mode() == formats::kAngleGons || text.find(formats::kDegreeMark) == std::u16string_view::npos)
        return plain_number(text).has_value();
    for (char16_t c : text)
        if (!(c >= u'0' && c <= u'9') && c != formats::kDegreeMark && c != u'\'' && c != u'"' && c != u'.' && c != u'+'
            && c != u'-')
            return false;
    return true;
}

// N...E, S...E, S...W or N...W around an angle; not in the gon mode, whose angles have no bearings.
std::optional<double> bearing(std::u16string_view base)
{
    if (formats::angle_mode() == formats::kAngleGons || base.size() < 3)
        return std::nullopt;
    const char16_t last = base.back();
    if ((last != u'E' && last != u'W') || !is_angle_text(base.substr(1, base.size() - 2)))
        return std::nullopt;
    return formats::degrees_to_radians(formats::parse_angle(base));
}

std::optional<double> plain_angle(std::u16string_view base)
{
    if (!is_angle_text(base))
        return std::nullopt;
    return formats::degrees_to_radians(formats::parse_angle(base));
}

// a?b?c: the clockwise angle at a from the direction to b to the direction to c.
std::optional<double> angle_at(const std::vector<std::u16string_view>& pieces)
{
    const auto a = stored_point(pieces[0]), b = stored_point(pieces[1]), c = stored_point(pieces[2]);
    if (!a || !b || !c)
        return std::nullopt;
    return formats::clockwise_angle(*a, *b, *c);
}

// a?b, and a?b.1, a?b.2, a?b.3 turned by one, two or three quarters (90, 180, 270 degrees; in the gon
// mode 100, 200, 300 gons, the same quarters).
std::optional<double> pair_azimuth(std::u16string_view base, int* quarters)
{
    *quarters = -1;
    const size_t dot = base.find(u'.');
    if (dot != std::u16string_view::npos) {
        const std::u16string_view suffix = base.substr(dot + 1);
        if (suffix.size() != 1 || suffix[0] < u'1' || suffix[0] > u'3')
            return std::nullopt;
        *quarters = suffix[0] - u'0';
        base = base.substr(0, dot);
    }
    const std::vector<std::u16string_view> pieces = point_pair_pieces(base);
    const auto a = stored_point(pieces[0]), b = stored_point(pieces[1]);
    if (!a || !b)
        return std::nullopt;
    return formats::azimuth(*a, *b);
}

// The addend with its sign: degrees in D.MS, or gons. A sign alone adds nothing.
std::optional<double> addend_radians(std::u16string_view addend)
{
    if (addend.size() <= 1)
        return 0.0;
    if (!plain_number(addend))
        return std::nullopt;
    return formats::degrees_to_radians(formats::parse_angle_ansi(platform::text::to_ansi(addend)));
}

std::optional<double> in_one_turn(double radians)
{
    if (!std::isfinite(radians))
        return std::nullopt;
    double a = std::fmod(radians, formats::k2Pi);
    if (a < 0)
        a += formats::k2Pi;
    return a >= formats::k2Pi ? 0.0 : a;
}

}  // namespace

std::optional<double> evaluate_azimuth_expression(std::u16string_view typed)
{
    const std::u16string text = expression_text(typed);
    if (text.empty())
        return std::nullopt;
    const size_t from = text[0] == u'+' || text[0] == u'-' ? 1 : 0;
    size_t at = text.find(u'+', from);
    if (at == std::u16string::npos)
        at = text.find(u'-', from);
    const std::u16string_view all(text);
    const std::u16string_view base = all.substr(0, at);
    const std::u16string_view addend = at == std::u16string::npos ? std::u16string_view() : all.substr(at);

    const std::vector<std::u16string_view> pieces = point_pair_pieces(base);
    if (pieces.size() == 3) {
        std::optional<double> angle = angle_at(pieces);
        return angle ? in_one_turn(*angle) : std::nullopt;
    }
    if (pieces.size() > 3)
        return std::nullopt;
    int quarters = -1;
    std::optional<double> value;
    if (pieces.size() == 2)
        value = pair_azimuth(base, &quarters);
    else if (base[0] == u'N' || base[0] == u'S')
        value = bearing(base);
    else
        value = plain_angle(base);
    if (!value)
        return std::nullopt;
    const std::optional<double> added
        = quarters > 0 ? std::optional<double>(quarters * kQuarterTurn) : addend_radians(addend);
    if (!added)
        return std::nullopt;
    return in_one_turn(*value + *added);
}

}  // namespace cogo
