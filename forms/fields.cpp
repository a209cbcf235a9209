#include "forms/fields.h"

#include <algorithm>
#include <cstring>

#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/decimal_text.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"
#include "formats/text_helpers.h"
#include "platform/text/text.h"

namespace forms {

std::u16string read_text(ui::Hwnd dialog, int id, int max_chars)
{
    return ui::item_text(dialog, id, max_chars);
}

std::u16string read_trimmed(ui::Hwnd dialog, int id, int max_chars)
{
    return formats::trim_both_ends(read_text(dialog, id, max_chars));
}

uint32_t read_point_number(ui::Hwnd dialog, int id, int max_chars)
{
    return formats::read_point_number(read_text(dialog, id, max_chars));
}

std::optional<double> read_number(ui::Hwnd dialog, int id, int max_chars)
{
    double value = 0;
    if (!formats::parse_number(read_trimmed(dialog, id, max_chars), &value))
        return std::nullopt;
    return value;
}

std::optional<formats::Position> read_position(ui::Hwnd dialog, int north_id, int east_id)
{
    if (read_trimmed(dialog, north_id).empty() || read_trimmed(dialog, east_id).empty())
        return std::nullopt;
    const std::optional<double> n = read_coordinate(dialog, north_id), e = read_coordinate(dialog, east_id);
    if (!n || !e)
        return std::nullopt;
    return formats::Position {*e, *n};
}

std::optional<double> read_angle(ui::Hwnd dialog, int id, int max_chars)
{
    std::u16string text = read_trimmed(dialog, id, max_chars);
    if (text.empty())
        return std::nullopt;
    return formats::parse_angle(text);
}

void read_record_text(ui::Hwnd dialog, int id, int max_chars, char* field, size_t size)
{
    const std::u16string typed = formats::trim_trailing_white_space(read_text(dialog, id, max_chars));
    const std::string ansi = platform::text::to_ansi(typed);
    std::memset(field, 0, size);
    std::memcpy(field, ansi.data(), std::min(ansi.size(), size - 1));
}

void show_record_text(ui::Hwnd dialog, int id, const char* field, size_t size)
{
    show_text(dialog, id, platform::text::from_ansi(std::string_view(field, strnlen(field, size))));
}

void show_text(ui::Hwnd dialog, int id, std::u16string_view text)
{
    ui::set_item_text(dialog, id, text);
}

void show_point_number(ui::Hwnd dialog, int id, uint32_t number)
{
    show_text(dialog, id, number == 0 ? std::u16string() : platform::text::wformat(u"%lu", (unsigned long)number));
}

void show_coordinate(ui::Hwnd dialog, int id, double value)
{
    show_text(dialog, id, formats::format_coordinate(value));
}

void show_distance(ui::Hwnd dialog, int id, double value)
{
    show_text(dialog, id, formats::format_distance(value));
}

void show_azimuth(ui::Hwnd dialog, int id, double radians)
{
    show_text(dialog, id, formats::format_azimuth(radians));
}

}  // namespace forms
