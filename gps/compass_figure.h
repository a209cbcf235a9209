#pragma once
// The track-up compass of the compass view, as pixel offsets from its centre (65, 78) with rows growing
// downwards: a direction a at radius r lies at (r sin a, r cos a) from the centre, so with the heading h
// the letter N lies toward h + 180 (at the top when heading north).

#include <array>

namespace gps {

constexpr int kCompassX = 65;
constexpr int kCompassY = 78;

struct PixelOffset {
    int x = 0;
    int y = 0;
};

// The arrow towards the target, delta = azimuth to the target minus the heading (degrees): the closed
// polygon (-6,-20) (-6,8) (-15,8) (0,20) (15,8) (6,8) (6,-20) (-6,-20) turned by c = delta - 180 to
// (trunc(cos c x - sin c y), trunc(sin c x + cos c y)). Straight ahead the tip (point 3) is at (0, -20).
std::array<PixelOffset, 8> CompassArrow(double delta_degrees);

// One tick between the circles (radius 26 to 48) for a = h +- 45: g = trunc(26 sin a), l = trunc(26 cos a),
// o = trunc(-22 sin a), t = trunc(-22 cos a); lines (g, l)-(g - o, l - t) and (-g, -l)-(o - g, t - l).
struct Tick {
    PixelOffset from, to;
};
std::array<Tick, 4> CompassTicks(double heading_degrees);

// Where the letters N, S, E, W are written (anchor 4, 16 high), from the centre row 94 - 78 = 16 below:
// s = trunc(37 sin(h + 180)), k = trunc(37 cos(h + 180)); N (s, 16 + k), S (-s, 16 - k), E (-k, 16 + s),
// W (k, 16 - s).
std::array<PixelOffset, 4> CompassLetters(double heading_degrees);

}  // namespace gps
