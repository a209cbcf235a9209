#pragma once
// The plan view's fix filter: it drops a fix that jumps much farther than the speed of the last accepted
// fixes allows (a multipath spike), and keeps the travelled distance.
//
// It holds up to 9 accepted fixes; when 9 are held only the three most recent are kept before the next
// is examined. A fix within 0.4 m of the last held one is accepted and the speed estimate e drops to 0.
// Otherwise v = d / (t - t_last): when t - t_last is below 2 s and e > 0 the fix is rejected if
// v > 5 e (e < 4 m/s) or v > 2 e (e >= 4 m/s); an accepted fix sets e = v. Times are whole seconds of
// the receiver's clock: two fixes in one second (t - t_last = 0) are rejected while e > 0 and accepted
// with e kept at 0; a time that goes back (midnight, a receiver clock jumping back) accepts the fix and
// keeps e. No division by zero or by a negative time is made.

#include "gps/navigation_rules.h"

#include <cstdint>
#include <vector>

namespace gps {

class FixFilter {
public:
    void reset();
    // True when the fix at grid point p and time t (seconds since midnight) is accepted.
    bool accept(const GridPoint& p, double elevation, int32_t t);

    double speed_estimate() const { return m_speed; }  // e, m/s
    double travelled() const { return m_travelled; }   // metres
    int held() const { return static_cast<int>(m_fixes.size()); }

private:
    struct Held {
        GridPoint p;
        double elevation = 0.0;
    };
    void store(const GridPoint& p, double elevation, int32_t t);

    std::vector<Held> m_fixes;
    int32_t m_time = 0;
    double m_speed = 0.0;
    double m_travelled = 0.0;
};

}  // namespace gps
