// Number formatters.

#include "formats/number_format.h"

#include "formats/display_settings.h"
#include "platform/text/text.h"

#include <algorithm>
#include <cmath>

namespace formats {

namespace {

constexpr double kAllWhole = 4503599627370496.0;  // 2^52

std::u16string widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// 10^n for 0 <= n <= kMaxFixedDecimals, exact in a double.
double power_of_ten(int n)
{
    double power = 1;
    for (int i = 0; i < n; ++i)
        power *= 10;
    return power;
}

}  // namespace

std::string format_decimals_ansi(double value, int decimals)
{
    int n = std::clamp(decimals, 0, kMaxFormatDecimals);
    std::string spec = platform::text::format("%%.%dlf", n);
    return platform::text::format(spec.c_str(), value);
}

std::u16string format_decimals(double value, int decimals)
{
    return widen(format_decimals_ansi(value, decimals));
}

std::u16string format_coordinate(double value)
{
    return format_decimals(value, coordinate_decimals());
}
std::u16string format_distance(double value)
{
    return format_decimals(value, distance_decimals());
}
std::u16string format_area(double value)
{
    return format_decimals(value, area_decimals());
}

std::string format_fixed_decimals(double value, int decimals)
{
    int n = std::clamp(decimals, 0, kMaxFixedDecimals);
    if (!std::isfinite(value))
        return platform::text::format("%.*f", n, value);
    double scale = power_of_ten(n);
    double magnitude = std::fabs(value);
    // The whole part after rounding at the n-th decimal, kept as a double and printed with "%.0f" so that
    // no magnitude overflows an integer type.
    // From 2^52 on every double is a whole number, and scaling it could overflow.
    double whole = magnitude >= kAllWhole ? magnitude : std::floor((magnitude * scale + 0.5) / scale);
    // The remainder lies in about [-0.5e-n, 1); adding 10 keeps its leading zeros and absorbs a negative
    // remainder left by rounding up. The last n digits are the fraction.
    double fraction = std::floor((magnitude - whole + 10) * scale + 0.5);
    // From about 10^13 on, magnitude * scale is itself rounded and dividing it back can fall a hair short
    // of the whole number the rounding reached: the floor is then one too small and the remainder rounds
    // to a whole 1, which belongs to the whole part.
    if (n > 0 && fraction >= 11 * scale) {
        whole += 1;
        fraction -= scale;
    }
    std::string text = value < 0 ? "-" : "";
    text += platform::text::format("%.0f", whole);
    if (n == 0)
        return text;
    std::string digits = platform::text::format("%.0f", fraction);
    if (digits.size() < static_cast<size_t>(n))
        digits.insert(0, static_cast<size_t>(n) - digits.size(), '0');
    text += ".";
    text += digits.substr(digits.size() - static_cast<size_t>(n));
    return text;
}

}  // namespace formats
