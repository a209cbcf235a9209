// Number and angle text of any bytes, read by the program's parsers in each angle mode. The wide and
// 8-bit forms must agree wherever their rules are the same, a failed parse leaves its output alone, and
// what the formatters write reads back to the value they were given.

#include <cmath>
#include <cstring>
#include <string>

#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::widen;

constexpr double kUntouched = -987654.321;

bool same_bits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

double half_unit(int decimals)
{
    return 0.5 * std::pow(10.0, -decimals);
}

// Distance between two angles in degrees, the short way round the circle.
double angle_gap(double a, double b)
{
    double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Export files write numbers with fixed decimals; reading them back must give the value to within half
// the last decimal.
void check_fixed_round_trip(double value)
{
    if (!(std::fabs(value) <= 1e15))
        return;
    for (int decimals : {0, 3, 9, 10}) {
        std::string text = formats::format_fixed_decimals(value, decimals);
        double back = kUntouched;
        FUZZ_CHECK(formats::parse_number_ansi(text, &back));
        FUZZ_CHECK(std::fabs(back - value) <= half_unit(decimals) * 1.0001 + 1e-15 * std::fabs(value));
    }
}

void check_number(std::string_view text)
{
    double ansi = kUntouched, wide = kUntouched;
    bool ansi_ok = formats::parse_number_ansi(text, &ansi);
    bool wide_ok = formats::parse_number(widen(text), &wide);
    FUZZ_CHECK(ansi_ok == wide_ok && same_bits(ansi, wide));
    FUZZ_CHECK(ansi_ok ? std::isfinite(ansi) : ansi == kUntouched);
    FUZZ_CHECK(same_bits(formats::parse_number_to_double(text), ansi_ok ? ansi : 0.0));
    // Plain digits with at most one point always read, unless there are too many to fit a double.
    if (formats::check_number_text(text) == 1 && text.size() < 300)
        FUZZ_CHECK(ansi_ok);
    if (ansi_ok)
        check_fixed_round_trip(ansi);
}

// What the current mode writes for an angle of [0, 360) degrees reads back as that angle.
void check_angle_round_trip(double degrees)
{
    if (!(degrees >= 0 && degrees < 360))
        return;
    int k = formats::angle_decimals();
    switch (formats::angle_mode()) {
    case formats::kAngleDegrees:
        FUZZ_CHECK(angle_gap(formats::parse_angle(formats::format_dms(degrees)), degrees)
            <= half_unit(k) / 3600 * 1.0001 + 1e-9);
        FUZZ_CHECK(angle_gap(formats::parse_angle(formats::format_dot_ms(degrees)), degrees) <= 0.5 / 3600 + 1e-9);
        break;
    case formats::kAngleGons:
        FUZZ_CHECK(angle_gap(formats::parse_angle(formats::format_gons(formats::degrees_to_radians(degrees))), degrees)
            <= half_unit(k) * formats::kDegreesPerGon * 1.0001 + 1e-9);
        break;
    case formats::kAngleQuadrant:
        FUZZ_CHECK(angle_gap(formats::parse_angle(formats::format_quadrant_bearing(degrees)), degrees)
            <= half_unit(k) / 3600 * 1.0001 + 1e-9);
        break;
    }
}

void check_angle(std::string_view text)
{
    double ansi = formats::parse_angle_ansi(text);
    double wide = formats::parse_angle(widen(text));
    FUZZ_CHECK(std::isfinite(ansi) && std::isfinite(wide));
    // Only the wide form knows bearing letters and the degree mark.
    bool wide_only = formats::angle_mode() != formats::kAngleGons
        && ((!text.empty() && std::string_view("NnSs").find(text[0]) != std::string_view::npos)
            || text.find(char(formats::kDegreeMark)) != std::string_view::npos);
    if (!wide_only)
        FUZZ_CHECK(same_bits(ansi, wide));
    check_angle_round_trip(wide);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    check_number(text);
    for (int mode : {formats::kAngleDegrees, formats::kAngleGons, formats::kAngleQuadrant}) {
        for (int decimals : {0, 2, 5}) {
            formats::reset_display_settings();
            formats::set_angle_mode(mode);
            formats::set_angle_decimals(decimals);
            check_angle(text);
        }
    }
    return 0;
}
