#pragma once
// Plane geometry on grid coordinates. Positions are (E, N) pairs of doubles in the units of the coordinate
// file; azimuths are radians clockwise from grid north, in [0, 2*pi) unless said otherwise.

namespace formats {

constexpr double k2Pi = 6.283185307179586;
constexpr double kCoincidenceTolerance = 1e-06;

struct Position {
    double e = 0;  // easting
    double n = 0;  // northing
};

// 0 when both |dE| and |dN| are below 1e-06; else sqrt(dN^2 + dE^2) with dE = b.e - a.e, dN = b.n - a.n.
double plane_distance(Position a, Position b);
double plane_distance(double e_a, double n_a, double e_b, double n_b);

// Azimuth a -> b: 0 when the distance is 0 (coincident points); else acos(dN / distance), replaced by
// 2*pi minus it when dE < 0. Always in [0, 2*pi): a direction a hair west of north that would round to
// 2*pi gives 0.
double azimuth(Position a, Position b);
double azimuth(double e_a, double n_a, double e_b, double n_b);

// The point at that azimuth and distance from a: E = a.e + sin(az) d, N = a.n + cos(az) d.
Position point_from_bearing(Position a, double azimuth, double distance);

// Rotates (x, y) in place: x' = cos(t) x - sin(t) y, y' = cos(t) y + sin(t) x.
void rotate(double* x, double* y, double angle);

// The angle between two directions, in [0, pi]: 0 when a == b exactly, else
// acos(cos a cos b + sin a sin b) (the cosine kept within [-1, 1]).
double angle_between(double a, double b);

// sin a cos b - cos a sin b: negative when b lies clockwise of a (within half a turn), positive when
// anticlockwise, 0 when they are the same or opposite.
double turn_sign(double a, double b);

// The clockwise angle at p from the direction p -> a to the direction p -> b, in [0, 2*pi).
// (0,0) from (0,1) to (1,0) is pi/2; from (1,0) to (0,1) it is 3*pi/2.
double clockwise_angle(Position p, Position a, Position b);

// a + b, reduced by 2*pi while >= 2*pi (a negative sum is left alone).
double add_angles(double a, double b);

// The first argument when it is strictly greater (smaller), else the second.
double larger(double a, double b);
double smaller(double a, double b);

// sqrt(a^2 + b^2).
double hypotenuse(double a, double b);

// A bounding box. Which axis is "first" is the caller's choice.
struct Box {
    double min_first = 0;
    double min_second = 0;
    double max_first = 0;
    double max_second = 0;
};

// Moves each bound outwards when the point lies strictly beyond it.
void extend_box(Box* box, double first, double second);

// True unless first < min_first + margin, first > max_first - margin, second < min_second + margin or
// second > max_second - margin.
bool inside_box(double first, double second, const Box& box, double margin);

// hour * 3600 + minute * 60 + second of the current local time (the platform clock, virtual in tests).
long seconds_of_day();

}  // namespace formats
