// The display settings: one process-wide record, read by every formatter on the user-interface thread.

#include "formats/display_settings.h"

#include <algorithm>

#include "platform/reset/reset.h"

namespace formats {

namespace {

struct DisplaySettings {
    int angle_mode = kAngleDegrees;  // an AngleMode value, or any int a caller set
    int angle_decimals = 0;          // each count within [kMinDecimals, kMaxDecimals]
    int coordinate_decimals = 3;
    int distance_decimals = 3;
    int area_decimals = 3;
    bool whole_degrees = false;
};

DisplaySettings s_display;

int clamp_decimals(int decimals)
{
    return std::clamp(decimals, kMinDecimals, kMaxDecimals);
}

}  // namespace

int angle_mode()
{
    return s_display.angle_mode;
}

void set_angle_mode(int mode)
{
    s_display.angle_mode = mode;
    bool six = mode == kAngleGons || mode == kAngleQuadrant;
    s_display.angle_decimals = six ? 6 : 0;
}

int angle_decimals()
{
    return s_display.angle_decimals;
}
void set_angle_decimals(int decimals)
{
    s_display.angle_decimals = clamp_decimals(decimals);
}

int coordinate_decimals()
{
    return s_display.coordinate_decimals;
}
void set_coordinate_decimals(int decimals)
{
    s_display.coordinate_decimals = clamp_decimals(decimals);
}

int distance_decimals()
{
    return s_display.distance_decimals;
}
void set_distance_decimals(int decimals)
{
    s_display.distance_decimals = clamp_decimals(decimals);
}

int area_decimals()
{
    return s_display.area_decimals;
}
void set_area_decimals(int decimals)
{
    s_display.area_decimals = clamp_decimals(decimals);
}

bool whole_degrees()
{
    return s_display.whole_degrees;
}
void set_whole_degrees(bool on)
{
    s_display.whole_degrees = on;
}

void reset_display_settings()
{
    s_display = DisplaySettings {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Foundation, reset_display_settings);

}  // namespace formats
