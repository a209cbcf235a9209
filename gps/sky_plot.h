#pragma once
// The satellite view's picture, drawn in the off-screen buffer over the top band of a window's client
// area: the horizon circle (radius 56) and the 45° circle (radius 28) around (80, 68) with N, S, W and E,
// each satellite of the link's table at r = (90 - elevation) * 56 / 90 from the centre in the direction
// of its azimuth (north up, east right) labelled with its PRN, and its signal bar at x = 8 + 18 i rising
// from row 172 by its signal-to-noise ratio in whole dB, its PRN below at row 183. Tracked satellites
// (ratio above 0) are drawn in palette colour 12, the others' PRNs in colour 6.

#include "platform/ui/ui.h"

namespace gps {

constexpr int kSkyCentreX = 80;
constexpr int kSkyCentreY = 68;
constexpr int kSkyHorizonRadius = 56;
constexpr int kBarBaseRow = 172;

// Pixel of a satellite in the sky plot: x = trunc(80 + r sin az), y = trunc(68 - r cos az).
struct SkyPixel {
    int x = 0;
    int y = 0;
};
SkyPixel SkyPosition(int azimuth_degrees, int elevation_degrees);

// Draws the plot over rows 0 .. bottom - 1 of `window` and returns the number of tracked satellites.
// Entries are taken from the link's table only (at most its capacity), however many the receiver says
// are in view.
int draw_sky_plot(platform::ui::Hwnd window, int bottom);

}  // namespace gps
