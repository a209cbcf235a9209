// Angle formatters.

#include "formats/angle_format.h"

#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "platform/text/text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace formats {

namespace {

std::u16string widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// The reductions below give the same result as adding or subtracting 360 in a loop (each such step is
// exact), but finish for any magnitude.

// While a < -180, add 360.
double raise_above_minus_180(double a)
{
    if (a >= -180)
        return a;
    a = std::fmod(a, 360.0) + 0.0;  // (-360, 0]; + 0.0 turns -0 into 0
    return a < -180 ? a + 360 : a;
}

// While a > 360, subtract 360 (360 itself stays).
double lower_to_360(double a)
{
    if (a <= 360)
        return a;
    double r = std::fmod(a, 360.0);
    return r == 0 ? 360.0 : r;
}

// While a >= 360, subtract 360.
double lower_below_360(double a)
{
    return a >= 360 ? std::fmod(a, 360.0) : a;
}

double power_of_ten(int n)
{
    double power = 1;
    for (int i = 0; i < n; ++i)
        power *= 10;
    return power;
}

// True when the seconds would print as 60 with k decimals.
bool prints_as_sixty(double seconds, int k)
{
    return format_decimals_ansi(seconds, k).starts_with("60");
}

// Seconds with k decimals and at least two whole digits ("05", "05.3", "59.99").
std::string padded_seconds(double seconds, int k)
{
    std::string text = format_decimals_ansi(seconds, k);
    size_t whole_digits = std::min(text.find('.'), text.size());
    return whole_digits < 2 ? "0" + text : text;
}

// Degrees, minutes and seconds of a non-negative angle, before any rounding.
struct Sexagesimal {
    double degrees;
    double minutes;
    double seconds;
};

// The degree/minute/second text takes the minutes off as m * (1/60), the other two as m / 60; the two
// differ in the last bits, and each text keeps its own.
enum class MinuteStep { kTimesOneOver60, kOver60 };

Sexagesimal split(double a, MinuteStep step)
{
    double d = std::floor(a);
    double f = a - d;
    double m = std::floor(f * 60);
    double s = (f - (step == MinuteStep::kTimesOneOver60 ? m * kOneOver60 : m / 60)) * 3600;
    return {d, m, std::max(s, 0.0)};  // f * 60 rounding up to a whole minute leaves s a hair below 0
}

// Minutes of 60 (after a carry, or from f * 60 rounding up) become a whole degree.
void carry_into_degrees(Sexagesimal* x)
{
    if (x->minutes >= 60) {
        x->minutes -= 60;
        x->degrees += 1;
    }
}

void carry_minute(Sexagesimal* x)
{
    x->seconds = 0;
    x->minutes += 1;
}

std::u16string whole_degrees_text(double degrees, int sign)
{
    int n = static_cast<int>(degrees * sign);
    if (n < 0)
        n += 360;
    return widen(platform::text::format("%d", n)) + kDegreeMark;
}

}  // namespace

std::u16string format_dms(double degrees)
{
    if (!std::isfinite(degrees))
        return {};
    double a = raise_above_minus_180(degrees);
    int sign = 1;
    if (a < 0) {
        sign = -1;
        a = -a;
    }
    a = lower_to_360(a);
    if (angle_mode() != kAngleGons && whole_degrees())
        return whole_degrees_text(std::floor(a), sign);

    int k = angle_decimals();
    Sexagesimal x = split(a, MinuteStep::kTimesOneOver60);
    // Seconds from 60 - h on (h = half a unit of the last decimal: 59.5 for k = 0, 59.95 for k = 1)
    // would print as 60: they become a whole minute.
    double h = 0.5 / power_of_ten(k);
    if (x.seconds >= 60 - h || prints_as_sixty(x.seconds, k))
        carry_minute(&x);
    carry_into_degrees(&x);
    std::string text = sign < 0 ? "-" : "";
    text += platform::text::format("%d", static_cast<int>(x.degrees));
    std::u16string out = widen(text) + kDegreeMark;
    out += widen(platform::text::format(" %02d' ", static_cast<int>(x.minutes)));
    out += widen(padded_seconds(x.seconds, k)) + u'"';
    return out;
}

std::u16string format_dot_ms(double degrees)
{
    if (!std::isfinite(degrees))
        return {};
    int sign = 1;
    double a = degrees;
    if (a < 0) {
        sign = -1;
        a = -a;
    }
    a = lower_to_360(a);
    Sexagesimal x = split(a, MinuteStep::kOver60);
    x.seconds += 0.5;  // printed as a whole number: rounding to the nearest second
    if (x.seconds >= 60)
        carry_minute(&x);
    carry_into_degrees(&x);
    std::string text = sign < 0 ? "-" : " ";
    text += platform::text::format(
        "%3d.%02d%02d", static_cast<int>(x.degrees), static_cast<int>(x.minutes), static_cast<int>(x.seconds));
    return widen(text);
}

std::u16string format_quadrant_bearing(double degrees)
{
    if (!std::isfinite(degrees))
        return {};
    double a = degrees;
    if (a < 0) {
        a = std::fmod(a, 360.0);  // any negative angle, not only those above -360
        if (a < 0)
            a += 360;
    }
    a = lower_below_360(a);
    // The quadrant is chosen for the angle as it will print (rounded to the shown seconds), so a
    // bearing a hair off a cardinal direction takes the letters it reads back with: 90.0000001 prints
    // N90º 00' 00"E, not S90º 00' 00"E.
    const double steps = 3600 * std::pow(10.0, std::clamp(angle_decimals(), 0, kMaxDecimals));
    a = std::round(a * steps) / steps;
    if (a >= 360)
        a -= 360;
    char16_t first = u'N';
    char16_t last = u'E';
    double from_meridian = a;
    if (a <= 90) {
        // N..E as it is
    } else if (a <= 180) {
        first = u'S';
        from_meridian = 180 - a;
    } else if (a <= 270) {
        first = u'S';
        last = u'W';
        from_meridian = a - 180;
    } else {
        last = u'W';
        from_meridian = 360 - a;
    }
    return first + format_dms(from_meridian) + last;
}

std::u16string format_gons(double radians)
{
    if (!std::isfinite(radians))
        return {};
    double degrees = lower_below_360(raise_above_minus_180(radians_to_degrees(radians)));
    double gons = degrees * kGonsPerDegree;
    // A direction a hair short of the full circle would print as 400, which reads back as 0 and prints as
    // 0: it prints as 0 at once, so what is shown reads back as itself.
    const double scale = std::pow(10.0, angle_decimals());
    if (std::round(gons * scale) >= 400 * scale)
        gons = 0;
    return format_decimals(gons, angle_decimals());
}

std::u16string format_gons_compact(double radians)
{
    if (!std::isfinite(radians))
        return {};
    double degrees = radians_to_degrees(radians);
    if (degrees <= -360)
        degrees = std::fmod(degrees, 360.0) + 0.0;  // while <= -360 add 360: (-360, 0]
    degrees = lower_below_360(degrees);
    return widen(platform::text::format("%.6lf", degrees * kGonsPerDegree));
}

std::u16string format_azimuth(double radians)
{
    switch (angle_mode()) {
    case kAngleDegrees:
        return format_dms(radians_to_degrees(radians));
    case kAngleGons:
        return format_gons(radians);
    case kAngleQuadrant:
        return format_quadrant_bearing(radians_to_degrees(radians));
    default:
        return {};
    }
}

std::u16string format_azimuth_compact(double radians)
{
    switch (angle_mode()) {
    case kAngleDegrees:
        return format_dot_ms(radians_to_degrees(radians));
    case kAngleGons:
        return format_gons_compact(radians);
    case kAngleQuadrant:
        return format_quadrant_bearing(radians_to_degrees(radians));
    default:
        return {};
    }
}

std::u16string format_latitude_longitude(double degrees, int seconds_decimals)
{
    if (!std::isfinite(degrees))
        return {};
    int k = std::clamp(seconds_decimals, 0, kMaxFormatDecimals);
    double a = raise_above_minus_180(degrees);
    int sign = 1;
    if (a < 0) {
        sign = -1;
        a = -a;
    }
    Sexagesimal x = split(lower_to_360(a), MinuteStep::kOver60);
    if (prints_as_sixty(x.seconds, k))
        carry_minute(&x);
    carry_into_degrees(&x);
    std::u16string out = sign < 0 ? u"-" : u" ";
    out += widen(platform::text::format("%d", static_cast<int>(x.degrees))) + kLatLongDegree;
    out += widen(platform::text::format(" %02d", static_cast<int>(x.minutes))) + kLatLongMinute;
    std::string spec = platform::text::format(" %%0%i.%ilf", k + 3, k);
    out += widen(platform::text::format(spec.c_str(), x.seconds));
    return out;
}

}  // namespace formats
