#pragma once
// Reading and showing the fields of a dialog, the same way in every dialog.
//
// A read takes at most `max_chars` characters of the control's text, as typed, before anything else is
// done with it: a dialog reads "at most 14 characters" of a coordinate and whatever stands beyond is not
// seen. kWholeField reads the text whole. Trimming takes trailing white space and leading spaces off
// (formats::trim_both_ends). Shown values use the formats of the display settings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/plane_geometry.h"
#include "platform/ui/ui.h"

namespace forms {

namespace ui = platform::ui;

constexpr int kWholeField = 0x7FFFFFFF;

// The text as typed, and trimmed.
std::u16string read_text(ui::Hwnd dialog, int id, int max_chars = kWholeField);
std::u16string read_trimmed(ui::Hwnd dialog, int id, int max_chars = kWholeField);

// A point number read as a decimal integer (formats/decimal_text.h): 0 when the text is no point number.
uint32_t read_point_number(ui::Hwnd dialog, int id, int max_chars = kWholeField);

// A number by the program's number parser: nothing when the trimmed text does not parse; an empty field
// reads 0, as the parser has it. Coordinates and distances are numbers.
std::optional<double> read_number(ui::Hwnd dialog, int id, int max_chars = kWholeField);
inline std::optional<double> read_coordinate(ui::Hwnd dialog, int id, int max_chars = kWholeField)
{
    return read_number(dialog, id, max_chars);
}
inline std::optional<double> read_distance(ui::Hwnd dialog, int id, int max_chars = kWholeField)
{
    return read_number(dialog, id, max_chars);
}

// A northing and an easting field that both hold a number (an empty field holds none): the position
// (E, N); nothing otherwise.
std::optional<formats::Position> read_position(ui::Hwnd dialog, int north_id, int east_id);

// An angle in degrees, in the angle mode of the display settings; nothing for an empty field (the angle
// parser has no failure: a text in none of its forms reads 0).
std::optional<double> read_angle(ui::Hwnd dialog, int id, int max_chars = kWholeField);

// An 8-bit text field of a record (Windows-1252, NUL-terminated within its size): what is typed, trailing
// white space taken off, cut to what the field holds with its NUL; and the field shown as it is.
void read_record_text(ui::Hwnd dialog, int id, int max_chars, char* field, size_t size);
void show_record_text(ui::Hwnd dialog, int id, const char* field, size_t size);
template <size_t N> void read_record_text(ui::Hwnd dialog, int id, int max_chars, char (&field)[N])
{
    read_record_text(dialog, id, max_chars, field, N);
}
template <size_t N> void show_record_text(ui::Hwnd dialog, int id, const char (&field)[N])
{
    show_record_text(dialog, id, field, N);
}

// Shown in the control.
void show_text(ui::Hwnd dialog, int id, std::u16string_view text);
void show_point_number(ui::Hwnd dialog, int id, uint32_t number);  // empty for 0
void show_coordinate(ui::Hwnd dialog, int id, double value);
void show_distance(ui::Hwnd dialog, int id, double value);
void show_azimuth(ui::Hwnd dialog, int id, double radians);

}  // namespace forms
