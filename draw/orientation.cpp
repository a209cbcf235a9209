#include "draw/orientation.h"

#include <cmath>

namespace draw {

double normalise_degrees(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    double a = std::fmod(degrees, 360.0);
    if (a < 0)
        a += 360.0;
    return a < 360.0 ? a : 0.0;  // -1e-17 + 360 rounds to 360
}

float stored_orientation(double azimuth_rotation)
{
    float theta = float(normalise_degrees(90.0 - azimuth_rotation));
    return theta < 360.0f ? theta : 0.0f;  // 359.99999999 rounds to 360 in single precision
}

double drawing_rotation(double stored)
{
    return normalise_degrees(90.0 - stored);
}

}  // namespace draw
