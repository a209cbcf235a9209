#pragma once
// The rules of the navigation displays, apart from the screen: distance and azimuth between grid points,
// the distance and arrival-time texts of the two views, the speed and arrival time from two fixes, the plan
// window's half-size and when it must move, and the scale bar's length and label.
//
// Grid points are (easting, northing) in metres; azimuths are degrees clockwise from grid north in
// [0, 360); times are whole seconds since midnight of the receiver's clock (GPS time of fix). Nothing here
// returns a value that is not finite.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace gps {

struct GridPoint {
    double east = 0.0;
    double north = 0.0;
};

enum class NavView { Compass, Plan };

// sqrt(dE^2 + dN^2), 0 when both differences are below 1e-6 m.
double NavDistance(const GridPoint& a, const GridPoint& b);
// Degrees from a to b: arccos(dN / distance), 360 minus that when dE < 0; 0 for coincident points.
double NavAzimuth(const GridPoint& a, const GridPoint& b);

// "%.1lfm" / "%.1lf m" below 10000 m, else kilometres "%.1lfkm" / "%.1lf km".
std::u16string NavDistanceText(double metres, NavView view);
// T minutes: below 1 the seconds "%.0lfsec." / "%.0lf sec."; above 60 hours and minutes "h:m" (minutes
// not padded); otherwise "%.1lfmin." / "%.1lf min.". Empty for a value that is not finite.
std::u16string NavArrivalText(double minutes, NavView view);
// "%.1lf km/h" (compass) or "%.1lf km/h." (plan).
std::u16string NavSpeedText(double kmh, NavView view);

// Speed and arrival time from successive fixes. The speed shown is the mean of the previous speed and
// the current one; the arrival time divides the distance to go by the mean of the previous speed and
// the current one in metres per second.
struct MotionUpdate {
    double shown_kmh = 0.0;                 // to show as the speed
    std::optional<double> arrival_minutes;  // to show as the arrival time (with a target)
};

class SpeedTracker {
public:
    // Back to a previous speed of 0 (a view's first fix).
    void reset() { m_previous_kmh = 0.0; }
    double previous_kmh() const { return m_previous_kmh; }

    // A fix `moved` metres from the previous one, `dt` seconds after it, `to_go` metres from the target
    // (none without a target). Nothing (and the previous speed kept) when dt <= 0 (two fixes in one
    // second, midnight, a receiver clock that jumps back) or when the mean speed is not above 0: the shown
    // speed and arrival time then stay as they are.
    std::optional<MotionUpdate> update(double moved, int32_t dt, std::optional<double> to_go);

private:
    double m_previous_kmh = 0.0;
};

// The plan window: (minimum E, minimum N, maximum E, maximum N).
struct PlanWindow {
    double min_e = 0.0, min_n = 0.0, max_e = 0.0, max_n = 0.0;
};
constexpr double kPlanMinimumHalfSize = 20.0;
constexpr double kPlanMargin = 15.0;
constexpr double kPlanTravelSeconds = 30.0;

// 20 m up to 5 km/h; above, the distance of 30 seconds of travel, never below 20 m.
double PlanHalfSize(double speed_kmh);
// True when p lies at least 15 m inside every edge of the window (edges included).
bool PlanKeepsWindow(const PlanWindow& window, const GridPoint& p);
// p +- the half-size.
PlanWindow PlanWindowAround(const GridPoint& p, double half_size);

// The scale bar: L = 1, 10, 100, ... m (up to ten tries) until its length on screen is at least 15 pixels.
struct ScaleBar {
    double metres = 1.0;   // L
    int pixels = 0;        // S, truncated
    int left = 0;          // U = 200 - S; the bar runs from column U to 200 on row 147
    std::u16string label;  // empty when L is beyond 10000 km
    int label_column = 0;
};
constexpr int kScaleBarRight = 200;
constexpr int kScaleBarRow = 147;
// `pixels_of(L)` is the screen length of L metres.
ScaleBar ChooseScaleBar(const std::function<double(double)>& pixels_of);

}  // namespace gps
