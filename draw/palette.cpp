#include "draw/palette.h"

namespace draw {
namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kPalette[kPaletteSize] = {
    {0, 0, 0},        // Black
    {255, 255, 255},  // White
    {64, 64, 64},     // dark Grey
    {128, 128, 128},  // Grey
    {192, 192, 192},  // light Grey
    {128, 0, 0},      // dark Red
    {192, 0, 0},      // Red
    {255, 0, 0},      // light Red
    {0, 128, 0},      // dark Green
    {0, 192, 0},      // Green
    {0, 255, 0},      // light Green
    {0, 0, 128},      // dark Blue
    {0, 0, 192},      // Blue
    {0, 0, 255},      // light Blue
    {0, 128, 128},    // dark Cyan
    {0, 192, 192},    // Cyan
    {0, 255, 255},    // light Cyan
    {128, 128, 0},    // dark Yellow
    {192, 192, 0},    // Yellow
    {255, 255, 0},    // light Yellow
    {128, 0, 128},    // dark Magenta
    {192, 0, 192},    // Magenta
    {255, 0, 255},    // light Magenta
};

constexpr size_t kLineTypeCut = 51;

bool blank(char c)
{
    return c == ' ' || c == 25;
}

bool equal_upper(std::string_view s, std::string_view upper)
{
    if (s.size() != upper.size())
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = (s[i] >= 'a' && s[i] <= 'z') ? char(s[i] - 'a' + 'A') : s[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

}  // namespace

ColorRef dwg_colour(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return 0;
    const Rgb& c = kPalette[index];
    return ColorRef(c.r) | (ColorRef(c.g) << 8) | (ColorRef(c.b) << 16);
}

LineStyle dwg_pen_style(std::string_view line_type)
{
    std::string_view s = line_type.substr(0, std::min(line_type.find('\0'), kLineTypeCut));
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    if (equal_upper(s, "DASH"))
        return LineStyle::Dash;
    if (equal_upper(s, "NONE"))
        return LineStyle::Null;
    return LineStyle::Solid;
}

}  // namespace draw
