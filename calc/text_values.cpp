#include "calc/text_values.h"

#include <cmath>

#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/number_parse.h"
#include "formats/text_helpers.h"

namespace calc {

std::u16string trimmed(std::u16string_view text)
{
    return formats::trim_both_ends(text);
}

std::optional<double> number_value(std::u16string_view text)
{
    double value = 0;
    if (!formats::parse_number(text, &value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> azimuth_value(std::u16string_view text)
{
    if (!formats::angle_text_parses(text))
        return std::nullopt;
    const double radians = formats::degrees_to_radians(formats::parse_angle(text));
    if (!std::isfinite(radians))
        return std::nullopt;
    return radians;
}

}  // namespace calc
