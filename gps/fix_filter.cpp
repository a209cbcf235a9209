#include "gps/fix_filter.h"

namespace gps {

namespace {

constexpr size_t kHeldFixes = 9;
constexpr size_t kKeptFixes = 3;
constexpr double kStandStill = 0.4;  // metres
constexpr int32_t kRecent = 2;       // seconds

}  // namespace

void FixFilter::reset()
{
    *this = FixFilter {};
}

void FixFilter::store(const GridPoint& p, double elevation, int32_t t)
{
    m_fixes.push_back({p, elevation});
    m_time = t;
}

bool FixFilter::accept(const GridPoint& p, double elevation, int32_t t)
{
    if (m_fixes.size() >= kHeldFixes)
        m_fixes.erase(m_fixes.begin(), m_fixes.end() - kKeptFixes);
    if (m_fixes.empty()) {
        store(p, elevation, t);
        m_speed = 0.0;
        m_travelled = 0.0;
        return true;
    }
    const double d = NavDistance(m_fixes.back().p, p);
    if (d < kStandStill) {
        store(p, elevation, t);
        m_speed = 0.0;
        return true;
    }
    const int32_t dt = t - m_time;
    if (dt < 0) {
        // The clock went back: nothing to measure a speed by.
        m_travelled += d;
        store(p, elevation, t);
        return true;
    }
    if (dt == 0) {
        if (m_speed > 0.0)
            return false;  // an unbounded speed against a moving estimate
        m_travelled += d;
        store(p, elevation, t);
        return true;
    }
    const double v = d / dt;
    if (dt < kRecent && m_speed > 0.0) {
        const double limit = m_speed < 4.0 ? 5.0 * m_speed : 2.0 * m_speed;
        if (v > limit)
            return false;
    }
    m_travelled += d;
    store(p, elevation, t);
    m_speed = v;
    return true;
}

}  // namespace gps
