#include "gps/hemisphere_text.h"

#include "formats/angle_format.h"

#include <cmath>

namespace gps {

namespace {

std::u16string with_letter(double magnitude, int decimals, char16_t letter)
{
    if (!std::isfinite(magnitude))
        return {};
    return formats::format_latitude_longitude(magnitude, decimals) + u' ' + letter;
}

}  // namespace

std::u16string LatitudeText(double latitude, int seconds_decimals)
{
    return with_letter(std::fabs(latitude), seconds_decimals, latitude < 0.0 ? u'S' : u'N');
}

std::u16string LongitudeText(double longitude_east, int seconds_decimals)
{
    return with_letter(std::fabs(longitude_east), seconds_decimals, longitude_east > 0.0 ? u'E' : u'W');
}

}  // namespace gps
