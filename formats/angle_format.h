#pragma once
// Angle formatters. Inputs are degrees unless the name says radians; azimuths in radians are clockwise from
// grid north. Texts are wide. The degree mark of degree/minute/second text is U+00BA "º"; the
// latitude/longitude text uses U+00B0 "°" and U+2032 "′". Formatters never fail: an infinite or NaN angle,
// or an unknown angle mode, gives empty text.

#include <string>

namespace formats {

constexpr char16_t kDegreeMark = u'\u00BA';
constexpr char16_t kLatLongDegree = u'\u00B0';
constexpr char16_t kLatLongMinute = u'\u2032';

// An azimuth as the user sees it in the current angle mode: degrees -> format_dms, gons -> format_gons,
// quadrant -> format_quadrant_bearing.
std::u16string format_azimuth(double radians);

// The compact form: degrees -> format_dot_ms, gons -> format_gons_compact, quadrant -> quadrant bearing.
std::u16string format_azimuth_compact(double radians);

// Degree/minute/second text with the angle decimals k: 123.5 gives 123º 30' 00", -0.25 gives -0º 15' 00".
// Angles below -180 gain 360 until they are not; above 360 lose 360 until they are not (360 stays 360).
// Seconds that would print as 60 carry into the minutes and minutes into the degrees, so 359.99999 with
// k = 0 gives 360º 00' 00". With the whole-degrees flag on (and the mode not gons): whole degrees only,
// "%d" then "º", a negative angle shown as 360 minus its whole degrees.
std::u16string format_dms(double degrees);

// D.MS text: a sign place ("-" or a space), then "%3d.%02d%02d" of degrees, minutes and seconds rounded
// to a whole second. 45.504166... gives "  45.3015", 0 gives "   0.0000".
std::u16string format_dot_ms(double degrees);

// Quadrant bearing: the angle is brought into [0, 360), then N..E up to 90, S..E up to 180, S..W up to 270,
// N..W above, with format_dms of the angle from the meridian between the letters: 135 gives S45º 00' 00"E.
// The quadrant is that of the angle rounded to the shown seconds, so the text reads back as itself.
std::u16string format_quadrant_bearing(double degrees);

// Gons with the angle decimals (angles below -180 degrees gain 360, from 360 on lose 360): pi/2 gives
// 100.000000 with 6 decimals. An angle that would round to 400 prints as 0, as 400 itself does.
std::u16string format_gons(double radians);

// Gons with "%.6lf" (angles of -360 degrees or below gain 360, from 360 on lose 360).
std::u16string format_gons_compact(double radians);

// Latitude or longitude: a sign place ("-" or a space), degrees "%d" and "°", " %02d" minutes and "′",
// then the seconds with " %0<k+3>.<k>lf". Seconds that would print as 60 carry into the minutes.
// k is kept within [0, 17].
std::u16string format_latitude_longitude(double degrees, int seconds_decimals);

}  // namespace formats
