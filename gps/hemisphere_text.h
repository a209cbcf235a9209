#pragma once
// Latitude and longitude as a surveyor reads them: the magnitude in degrees, minutes and seconds
// (formats::format_latitude_longitude) followed by the hemisphere letter, never a signed or wrapped angle.

#include <string>

namespace gps {

// "N" for latitudes of 0 and above, "S" below; empty text for a value that is not finite.
std::u16string LatitudeText(double latitude, int seconds_decimals);
// "E" for east-positive longitudes above 0, "W" for 0 and below (0 and 180 are on the boundary: 180 reads
// "E", as the east-positive value given); empty text for a value that is not finite.
std::u16string LongitudeText(double longitude_east, int seconds_decimals);

}  // namespace gps
