#pragma once
// Angle units and their conversions. Calculations keep angles as doubles in degrees or in radians;
// azimuths are radians clockwise from grid north. The constants are the program's own literals, so results
// stay the same to the last bit wherever they are computed.

namespace formats {

constexpr double kOneOver60 = 0.016666666666666666;     // 1/60
constexpr double kOneOver3600 = 0.0002777777777777778;  // 1/3600
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kGonsPerDegree = 1.1111111111111112;  // 10/9
constexpr double kDegreesPerGon = 0.9;

// radians * 57.29577951308232; a negative result gets 360 added once, so inputs in (-2*pi, 2*pi) give
// degrees in [0, 360). Other inputs are not reduced further.
double radians_to_degrees(double radians);

// degrees * 0.017453292519943295, without any reduction.
double degrees_to_radians(double degrees);

}  // namespace formats
