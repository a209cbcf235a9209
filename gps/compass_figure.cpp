#include "gps/compass_figure.h"

#include <cmath>
#include <numbers>

namespace gps {

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

int t(double v)
{
    return static_cast<int>(std::trunc(v));
}

}  // namespace

std::array<PixelOffset, 8> CompassArrow(double delta_degrees)
{
    static constexpr PixelOffset kShape[8]
        = {{-6, -20}, {-6, 8}, {-15, 8}, {0, 20}, {15, 8}, {6, 8}, {6, -20}, {-6, -20}};
    const double c = (delta_degrees - 180.0) * kRadians;
    std::array<PixelOffset, 8> out;
    for (int i = 0; i < 8; ++i) {
        const double x = kShape[i].x, y = kShape[i].y;
        out[i] = {t(std::cos(c) * x - std::sin(c) * y), t(std::sin(c) * x + std::cos(c) * y)};
    }
    return out;
}

std::array<Tick, 4> CompassTicks(double heading_degrees)
{
    std::array<Tick, 4> out;
    int i = 0;
    for (double a : {heading_degrees + 45.0, heading_degrees - 45.0}) {
        const double r = a * kRadians;
        const int g = t(26 * std::sin(r)), l = t(26 * std::cos(r));
        const int o = t(-22 * std::sin(r)), tt = t(-22 * std::cos(r));
        out[i++] = {{g, l}, {g - o, l - tt}};
        out[i++] = {{-g, -l}, {o - g, tt - l}};
    }
    return out;
}

std::array<PixelOffset, 4> CompassLetters(double heading_degrees)
{
    const double r = (heading_degrees + 180.0) * kRadians;
    const int s = t(37 * std::sin(r)), k = t(37 * std::cos(r));
    return {{{s, 16 + k}, {-s, 16 - k}, {-k, 16 + s}, {k, 16 - s}}};
}

}  // namespace gps
