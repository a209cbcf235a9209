#include "exchange/point_lines.h"

#include <cmath>
#include <cstring>

#include "exchange/ascii_lines.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"
#include "platform/text/text.h"

namespace exchange {

namespace {

// Digits only, 1 to 4294967295.
std::optional<uint32_t> point_number(std::string_view text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value == 0 || value > 0xFFFFFFFFull)
        return std::nullopt;
    return uint32_t(value);
}

std::optional<double> coordinate(std::string_view text)
{
    double value = 0;
    if (text.empty() || !formats::parse_number_ansi(text, &value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <size_t N> void put_text(char (&field)[N], std::string_view field_text_value)
{
    const std::string text = field_text(field_text_value);
    const size_t n = std::min(text.size(), N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), n);
}

template <size_t N> std::string_view record_text(const char (&field)[N])
{
    return std::string_view(field, strnlen(field, N));
}

}  // namespace

std::optional<store::PointRecord> parse_point_line(std::string_view line, const Layout& layout)
{
    store::PointRecord p;
    const std::vector<std::string_view> fields = split_fields(line);
    bool number = false, northing = false, easting = false;
    for (size_t k = 0; k < fields.size() && k < layout.size(); ++k) {
        const std::string_view field = fields[k];
        switch (layout[k]) {
        case kFieldNumber: {
            const std::optional<uint32_t> n = point_number(field_value(field));
            if (!n)
                return std::nullopt;
            p.number = *n;
            number = true;
            break;
        }
        case kFieldNorthing:
        case kFieldEasting: {
            const std::optional<double> v = coordinate(field_value(field));
            if (!v)
                return std::nullopt;
            (layout[k] == kFieldNorthing ? p.northing : p.easting) = *v;
            (layout[k] == kFieldNorthing ? northing : easting) = true;
            break;
        }
        case kFieldElevation: {
            const std::string_view text = field_value(field);
            if (text.empty())
                break;
            const std::optional<double> v = coordinate(text);
            if (!v)
                return std::nullopt;
            p.elevation = *v;
            break;
        }
        case kFieldName:
            put_text(p.name, field);
            break;
        case kFieldNote:
            put_text(p.note, field);
            break;
        case kFieldCode:
            put_text(p.code, field);
            break;
        default:
            break;
        }
    }
    if (!number || !northing || !easting)
        return std::nullopt;
    return p;
}

namespace {

// The positions a line has: up to the last one of a kind other than " ". A " " position before it gives an
// empty field, so that field k of the line stands at position k when it is read back with the same layout.
size_t used_positions(const Layout& layout)
{
    size_t used = layout.size();
    while (used > 0 && (layout[used - 1] <= kFieldNone || layout[used - 1] >= kFieldKinds))
        --used;
    return used;
}

}  // namespace

std::optional<std::string> export_line(const store::PointRecord& point, const Layout& layout, int decimals)
{
    std::string line;
    const size_t used = used_positions(layout);
    for (size_t k = 0; k < used; ++k) {
        if (k > 0)
            line += ',';
        switch (layout[k]) {
        case kFieldNumber:
            line += std::to_string(point.number);
            break;
        case kFieldName:
            line += quoted(record_text(point.name));
            break;
        case kFieldNote:
            line += quoted(record_text(point.note));
            break;
        case kFieldCode:
            line += quoted(record_text(point.code));
            break;
        case kFieldNorthing:
        case kFieldEasting:
        case kFieldElevation: {
            const double v = layout[k] == kFieldNorthing ? point.northing
                : layout[k] == kFieldEasting             ? point.easting
                                                         : point.elevation;
            if (!std::isfinite(v))
                return std::nullopt;
            line += formats::format_fixed_decimals(v, decimals);
            break;
        }
        default:
            break;
        }
    }
    return line + "\r\n";
}

std::string heading_line(const Layout& layout)
{
    std::string line;
    const size_t used = used_positions(layout);
    for (size_t k = 0; k < used; ++k) {
        if (k > 0)
            line += ',';
        if (layout[k] > kFieldNone && layout[k] < kFieldKinds)
            line += platform::text::to_ansi(field_kind_name(layout[k]));
    }
    return line + "\r\n";
}

std::optional<Layout> read_heading(std::string_view line)
{
    Layout layout {};
    bool named = false;
    const std::vector<std::string_view> words = split_fields(line);
    for (size_t k = 0; k < words.size() && k < layout.size(); ++k) {
        const std::u16string word = platform::text::from_ansi(field_text(words[k]));
        for (int kind = kFieldNumber; kind < kFieldKinds; ++kind) {
            if (word == field_kind_name(kind)) {
                layout[k] = kind;
                named = true;
            }
        }
    }
    if (!named)
        return std::nullopt;
    return layout;
}

}  // namespace exchange
