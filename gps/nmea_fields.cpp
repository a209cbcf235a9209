// Reading numbers, angles and times out of sentence fields. Fields are whatever the receiver sent, so
// every reader takes any text: what does not parse reads as 0.

#include "gps/nmea.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace gps::nmea {

namespace {

// Minute fractions are kept to four digits: ten-thousandths of a minute.
constexpr size_t kFractionDigits = 4;

// Skips leading spaces and reads an optional sign; returns -1 or +1.
int take_sign(std::string_view* text)
{
    while (!text->empty() && (text->front() == ' ' || text->front() == '\t'))
        text->remove_prefix(1);
    if (text->empty())
        return 1;
    if (text->front() == '-' || text->front() == '+') {
        const int sign = text->front() == '-' ? -1 : 1;
        text->remove_prefix(1);
        return sign;
    }
    return 1;
}

// Characters [from, from + count) of a field; fewer (or none) when the field is shorter.
std::string_view piece(std::string_view field, size_t from, size_t count)
{
    if (from >= field.size())
        return {};
    return field.substr(from, count);
}

// The minute fraction: four characters from `from`, padded on the right with '0', in ten-thousandths.
int32_t fraction_of_minute(std::string_view field, size_t from)
{
    std::string digits(piece(field, from, kFractionDigits));
    digits.resize(kFractionDigits, '0');
    return LeadingInt(digits);
}

// Degrees and minutes in the first characters, then the fraction after the point.
Angle parse_angle(std::string_view field, size_t degree_digits, bool negative)
{
    Angle angle;
    angle.degrees = LeadingInt(piece(field, 0, degree_digits));
    angle.minutes = LeadingInt(piece(field, degree_digits, 2));
    const int32_t f = fraction_of_minute(field, degree_digits + 3);
    // Ten-thousandths of a minute to seconds (x 60 / 10000), truncated, then hundredths, truncated.
    const double seconds = f * 0.006;
    angle.seconds = static_cast<int32_t>(seconds);
    angle.hundredths = static_cast<int32_t>((seconds - angle.seconds) * 100.0);
    if (negative) {
        angle.degrees = -angle.degrees;
        angle.minutes = -angle.minutes;
        angle.seconds = -angle.seconds;
        angle.hundredths = -angle.hundredths;
    }
    return angle;
}

}  // namespace

int32_t LeadingInt(std::string_view text)
{
    const int sign = take_sign(&text);
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX)
            return sign < 0 ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int32_t>(sign * value);
}

double LeadingDouble(std::string_view text)
{
    const int sign = take_sign(&text);
    // Digits with an optional point; no exponent, no "inf" or "nan" (not numbers a receiver sends).
    size_t length = 0;
    bool point = false;
    while (length < text.size() && ((text[length] >= '0' && text[length] <= '9') || (text[length] == '.' && !point))) {
        point = point || text[length] == '.';
        ++length;
    }
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + length, value, std::chars_format::fixed).ec != std::errc())
        return 0.0;
    return sign * value;
}

Angle ParseLatitude(std::string_view field, std::string_view hemisphere)
{
    return parse_angle(field, 2, hemisphere.starts_with('S'));
}

Angle ParseLongitude(std::string_view field, std::string_view hemisphere)
{
    return parse_angle(field, 3, hemisphere.starts_with('W'));
}

double AngleToDegrees(const Angle& angle)
{
    const double magnitude = std::abs(angle.degrees) + std::abs(angle.minutes) / 60.0
        + (std::abs(angle.seconds) + std::abs(angle.hundredths) * 0.01) / 3600.0;
    return angle.negative() ? -magnitude : magnitude;
}

FixTime ParseTime(std::string_view field)
{
    FixTime time;
    const int32_t hours = LeadingInt(piece(field, 0, 2));
    const int32_t minutes = LeadingInt(piece(field, 2, 2));
    const int32_t seconds = LeadingInt(piece(field, 4, 2));
    time.seconds = seconds + 60 * minutes + 3600 * hours;
    time.hundredths = LeadingInt(piece(field, 7, 2));
    return time;
}

}  // namespace gps::nmea
