// Angle parsers. Both forms work on wide text; the 8-bit form widens first and skips the steps that
// only the user interface's text has.

#include "formats/angle_parse.h"

#include "formats/angle_format.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "formats/number_parse.h"

#include <string>
#include <utility>

namespace formats {

namespace {

// Which meridian and which side a quadrant bearing names; both letters, or the text is no bearing.
struct Bearing {
    bool present = false;
    bool south = false;
    bool west = false;
};

bool is_digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Drops a first letter N/S and then, when that was found, a last letter E/W.
Bearing strip_bearing_letters(std::u16string* text)
{
    Bearing bearing;
    if (text->empty())
        return bearing;
    char16_t first = (*text)[0];
    if (first != u'N' && first != u'n' && first != u'S' && first != u's')
        return bearing;
    text->erase(0, 1);
    bearing.south = first == u'S' || first == u's';
    if (text->empty())
        return bearing;
    char16_t last = text->back();
    if (last != u'E' && last != u'e' && last != u'W' && last != u'w')
        return bearing;
    text->pop_back();
    bearing.west = last == u'W' || last == u'w';
    bearing.present = true;
    return bearing;
}

double apply_bearing(double v, const Bearing& bearing)
{
    if (!bearing.present)
        return v;
    if (bearing.south)
        return bearing.west ? 180 + v : 180 - v;
    return bearing.west ? 360 - v : v;
}

// Inserts a "0" before a field in [begin, end) that holds exactly one digit (spaces aside).
void pad_single_digit_field(std::u16string* text, size_t begin, size_t end)
{
    size_t digit = std::u16string::npos;
    int count = 0;
    for (size_t i = begin; i < end && i < text->size(); ++i) {
        if ((*text)[i] == u' ')
            continue;
        if (!is_digit((*text)[i]))
            return;
        digit = i;
        ++count;
    }
    if (count == 1)
        text->insert(digit, 1, u'0');
}

// 12º34'56.7" -> 12.34567: the mark becomes ".", the first apostrophe, "." and double quote after it
// become spaces, and every space goes. Marked minutes and seconds of one digit get their leading zero
// first, which the compact notation needs to read them as minutes and seconds.
void rewrite_degree_mark(std::u16string* text)
{
    size_t mark = text->find(kDegreeMark);
    if (mark == std::u16string::npos)
        return;
    size_t apostrophe = text->find(u'\'', mark);
    if (apostrophe != std::u16string::npos) {
        size_t seconds_end = text->find_first_of(u".\"", apostrophe);
        pad_single_digit_field(text, apostrophe + 1, seconds_end);
        pad_single_digit_field(text, mark + 1, apostrophe);
    }
    (*text)[mark] = u'.';
    for (char16_t c : {u'\'', u'.', u'"'}) {
        size_t at = text->find(c, mark + 1);
        if (at != std::u16string::npos)
            (*text)[at] = u' ';
    }
    std::erase(*text, u' ');
}

double plain_degrees(const std::u16string& text, const Bearing& bearing)
{
    double v = 0;
    if (!parse_number(text, &v))
        return 0;
    return apply_bearing(v, bearing);
}

// Compact D.MS with at least one character after the first ".".
double compact_degrees(std::u16string text, const Bearing& bearing)
{
    double sign = 1;
    if (text[0] == u'-' || text[0] == u'+') {
        sign = text[0] == u'-' ? -1 : 1;
        text[0] = u' ';
    }
    text.erase(0, text.find_first_not_of(u' '));
    size_t dot = text.find(u'.');
    double degrees = 0;
    if (!parse_number(std::u16string_view(text).substr(0, dot), &degrees))
        return 0;
    std::u16string digits = text.substr(dot + 1);
    for (char16_t c : digits) {
        if (!is_digit(c))
            return 0;
    }
    if (digits.size() < 4)
        digits.append(4 - digits.size(), u'0');
    double minutes = (digits[0] - u'0') * 10 + (digits[1] - u'0');
    std::u16string seconds_text = digits.substr(2, 2);
    if (digits.size() > 4 && angle_decimals() >= 1)
        seconds_text += u'.' + digits.substr(4);
    double seconds = 0;
    parse_number(seconds_text, &seconds);
    double v = degrees + minutes / 60 + seconds / 3600;
    return apply_bearing(v, bearing) * sign;
}

double parse_in_current_mode(std::u16string text, bool wide_forms)
{
    if (angle_mode() == kAngleGons) {
        double gons = 0;
        parse_number(text, &gons);
        return gons * kDegreesPerGon;
    }
    Bearing bearing;
    if (wide_forms) {
        bearing = strip_bearing_letters(&text);
        rewrite_degree_mark(&text);
    }
    size_t dot = text.find(u'.');
    if (dot == std::u16string::npos)
        return plain_degrees(text, bearing);
    double whole = 0;
    if (parse_number(text, &whole) && whole == 0)
        return bearing.present && bearing.south ? 180 : 0;
    if (dot + 1 == text.size())
        return plain_degrees(text, bearing);
    return compact_degrees(text, bearing);
}

}  // namespace

double parse_angle(std::u16string_view text)
{
    return parse_in_current_mode(std::u16string(text), true);
}

bool angle_text_parses(std::u16string_view text)
{
    // Every form ends as a number once the bearing letters and the marks are gone; the compact D.MS form
    // is a number as written.
    std::u16string rest(text);
    if (angle_mode() != kAngleGons) {
        strip_bearing_letters(&rest);
        rewrite_degree_mark(&rest);
    }
    double value = 0;
    return parse_number(rest, &value);
}

double parse_angle_ansi(std::string_view text)
{
    std::u16string wide;
    for (char c : text)
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));  // only ASCII matters here
    return parse_in_current_mode(std::move(wide), false);
}

}  // namespace formats
