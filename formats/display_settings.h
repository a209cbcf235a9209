#pragma once
// The display settings every formatter and the angle parser read: the angle mode, four decimal counts and
// the whole-degrees flag. They are process-wide and live for the whole run; the preferences load them at
// start-up, the options dialog changes them, the navigation displays change two of them while open.

namespace formats {

// Angle modes, as stored in the options string and listed in the options dialog.
enum AngleMode : int {
    kAngleDegrees = 0,   // degrees, minutes and seconds
    kAngleGons = 1,      // gons (grads), 400 to the circle
    kAngleQuadrant = 2,  // quadrant bearings such as N45º 00' 00"E
};

// Decimal counts are kept within [kMinDecimals, kMaxDecimals]; a setter given a value outside clamps it,
// so no formatter ever sees a count the options dialog could not offer.
constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 7;

// Angle mode. Setting it also sets the angle decimals: 6 for gons or quadrant bearings, 0 otherwise. A caller
// that wants other decimals sets them afterwards. Any int is kept; formatters give empty text for a mode
// other than the three above.
int angle_mode();
void set_angle_mode(int mode);

// Decimals of the seconds (degrees, bearings) or of the gons. Default 0.
int angle_decimals();
void set_angle_decimals(int decimals);

// Decimals of coordinates, distances and areas. Default 3 each.
int coordinate_decimals();
void set_coordinate_decimals(int decimals);
int distance_decimals();
void set_distance_decimals(int decimals);
int area_decimals();
void set_area_decimals(int decimals);

// When on (and the mode is not gons) the degree/minute/second formatter prints whole degrees only.
// Default off.
bool whole_degrees();
void set_whole_degrees(bool on);

// Back to the defaults: degrees, angle decimals 0, the other three 3, whole degrees off. For tests and
// for a start without a preferences file.
void reset_display_settings();

}  // namespace formats
