#include "formats/angle_units.h"

namespace formats {

double radians_to_degrees(double radians)
{
    double degrees = radians * kDegreesPerRadian;
    if (degrees < 0)
        degrees += 360;
    return degrees;
}

double degrees_to_radians(double degrees)
{
    return degrees * kRadiansPerDegree;
}

}  // namespace formats
