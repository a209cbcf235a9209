#include "calc/mapcheck_results.h"

#include "formats/number_format.h"
#include "platform/text/text.h"

namespace calc {

namespace {

std::u16string padded(const std::u16string& text, size_t width)
{
    return text.size() >= width ? text : std::u16string(width - text.size(), u' ') + text;
}

std::u16string number(uint32_t n)
{
    return platform::text::wformat(u"%9lu", (unsigned long)n);
}

}  // namespace

std::vector<std::u16string> map_check_result_lines(const MapCheckResult& r)
{
    using formats::format_coordinate;
    using formats::format_distance;
    std::vector<std::u16string> lines;
    lines.push_back(u"   Pt     N                      E");
    const uint32_t start_number = r.legs.empty() ? r.start_number : r.legs.back().to;
    lines.push_back(number(start_number) + u" " + format_coordinate(r.start.n) + u" " + format_coordinate(r.start.e));
    for (const MapCheckLeg& leg : r.legs)
        lines.push_back(number(leg.to) + u" " + padded(format_coordinate(leg.to_point.n), 11) + u" "
            + padded(format_coordinate(leg.to_point.e), 11));
    lines.push_back(u"");
    lines.push_back(u"Misclosure:");
    lines.push_back(u"   North = " + format_distance(r.misclosure_n));
    lines.push_back(u"   East  = " + format_distance(r.misclosure_e));
    lines.push_back(u"");
    if (r.precision) {
        lines.push_back(platform::text::wformat(u"Relative Precision = 1 : %.0lf", *r.precision));
        lines.push_back(u"");
    }
    lines.push_back(u"Area = " + formats::format_area(r.area));
    return lines;
}

}  // namespace calc
