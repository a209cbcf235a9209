#include "app/options_string.h"

#include "formats/display_settings.h"
#include "platform/text/text.h"

namespace app {

namespace {

constexpr size_t kNone = std::u16string_view::npos;

// The field from `start` read as a decimal integer, as the C library's atoi reads it. Large values are
// held within int; the setters then hold them within the decimals range.
int read_integer(std::u16string_view text, size_t start)
{
    size_t i = start;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value < 1000000)
            value = value * 10 + (text[i] - u'0');
    }
    return int(negative ? -value : value);
}

int mode_of_keyword(std::u16string_view keyword)
{
    if (keyword == u"gons")
        return formats::kAngleGons;
    if (keyword == u"quads")
        return formats::kAngleQuadrant;
    return formats::kAngleDegrees;
}

}  // namespace

void apply_options_string(std::u16string_view options)
{
    const size_t first = options.find(u',');
    formats::set_angle_mode(mode_of_keyword(options.substr(0, first)));
    if (first == kNone)
        return;
    const size_t second = options.find(u',', first + 1);
    if (second == kNone)
        return;
    formats::set_angle_decimals(read_integer(options, first + 1));
    const size_t third = options.find(u',', second + 1);
    if (third == kNone)
        return;
    formats::set_coordinate_decimals(read_integer(options, second + 1));
    const size_t fourth = options.find(u',', third + 1);
    if (fourth == kNone)
        return;
    formats::set_distance_decimals(read_integer(options, third + 1));
    formats::set_area_decimals(read_integer(options, fourth + 1));
}

std::u16string build_options_string()
{
    std::u16string options;
    switch (formats::angle_mode()) {
    case formats::kAngleGons:
        options = u"gons";
        break;
    case formats::kAngleQuadrant:
        options = u"quads";
        break;
    default:
        options = u"degs";
        break;
    }
    for (int decimals : {formats::angle_decimals(), formats::coordinate_decimals(), formats::distance_decimals(),
             formats::area_decimals()})
        options += platform::text::wformat(u",%d", decimals);
    return options;
}

}  // namespace app
