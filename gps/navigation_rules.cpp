#include "gps/navigation_rules.h"

#include "platform/text/text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gps {

namespace text = platform::text;

double NavDistance(const GridPoint& a, const GridPoint& b)
{
    const double de = b.east - a.east;
    const double dn = b.north - a.north;
    if (std::fabs(de) < 1e-6 && std::fabs(dn) < 1e-6)
        return 0.0;
    return std::sqrt(de * de + dn * dn);
}

double NavAzimuth(const GridPoint& a, const GridPoint& b)
{
    const double d = NavDistance(a, b);
    if (d == 0.0 || !std::isfinite(d))
        return 0.0;
    // The quotient can pass 1 by a rounding.
    const double c = std::clamp((b.north - a.north) / d, -1.0, 1.0);
    const double degrees = std::acos(c) * 180.0 / std::numbers::pi;
    return b.east - a.east < 0.0 ? 360.0 - degrees : degrees;
}

std::u16string NavDistanceText(double metres, NavView view)
{
    if (!std::isfinite(metres))
        return {};
    const bool plan = view == NavView::Plan;
    if (metres < 10000.0)
        return text::wformat(plan ? u"%.1lf m" : u"%.1lfm", metres);
    return text::wformat(plan ? u"%.1lf km" : u"%.1lfkm", metres * 0.001);
}

std::u16string NavArrivalText(double minutes, NavView view)
{
    if (!std::isfinite(minutes) || minutes < 0.0)
        return {};
    const bool plan = view == NavView::Plan;
    if (minutes < 1.0)
        return text::wformat(plan ? u"%.0lf sec." : u"%.0lfsec.", minutes * 60.0);
    if (minutes > 60.0) {
        // Hours beyond an int are no arrival time anyone waits for: nothing is shown.
        const double hours = std::trunc(minutes / 60.0);
        if (hours > 2147483647.0)
            return {};
        const int h = static_cast<int>(hours);
        const int m = static_cast<int>(std::trunc(minutes - 60.0 * hours));
        return text::wformat(u"%d:%d", h, std::clamp(m, 0, 59));
    }
    return text::wformat(plan ? u"%.1lf min." : u"%.1lfmin.", minutes);
}

std::u16string NavSpeedText(double kmh, NavView view)
{
    if (!std::isfinite(kmh))
        return {};
    return text::wformat(view == NavView::Plan ? u"%.1lf km/h." : u"%.1lf km/h", kmh);
}

std::optional<MotionUpdate> SpeedTracker::update(double moved, int32_t dt, std::optional<double> to_go)
{
    if (dt <= 0 || !std::isfinite(moved))
        return std::nullopt;
    const double v = moved / dt;                                             // m/s
    const double average = (m_previous_kmh * 0.2777777777777778 + v) * 0.5;  // m/s
    if (!(average > 0.0) || !std::isfinite(average))
        return std::nullopt;
    MotionUpdate u;
    if (to_go) {
        const double minutes = *to_go / average * 0.016666666666666666;
        if (std::isfinite(minutes))
            u.arrival_minutes = minutes;
    }
    const double current_kmh = v * 3.6;
    u.shown_kmh = (m_previous_kmh + current_kmh) * 0.5;
    m_previous_kmh = current_kmh;
    return u;
}

double PlanHalfSize(double speed_kmh)
{
    if (!(speed_kmh > 5.0) || !std::isfinite(speed_kmh))
        return kPlanMinimumHalfSize;
    return std::max(kPlanMinimumHalfSize, speed_kmh / 3.6 * kPlanTravelSeconds);
}

bool PlanKeepsWindow(const PlanWindow& w, const GridPoint& p)
{
    return p.east - w.min_e >= kPlanMargin && w.max_e - p.east >= kPlanMargin && p.north - w.min_n >= kPlanMargin
        && w.max_n - p.north >= kPlanMargin;
}

PlanWindow PlanWindowAround(const GridPoint& p, double half_size)
{
    return {p.east - half_size, p.north - half_size, p.east + half_size, p.north + half_size};
}

ScaleBar ChooseScaleBar(const std::function<double(double)>& pixels_of)
{
    ScaleBar bar;
    double s = 0.0;
    for (int i = 0; i < 10; ++i) {
        s = pixels_of(bar.metres);
        if (s >= 15.0 || i == 9)
            break;
        bar.metres *= 10.0;
    }
    bar.pixels = std::isfinite(s) ? static_cast<int>(std::clamp(std::trunc(s), 0.0, 10000.0)) : 0;
    bar.left = kScaleBarRight - bar.pixels;
    const long long l = static_cast<long long>(bar.metres);
    if (l < 1000) {
        bar.label = text::wformat(u"%d m", static_cast<int>(l));
        bar.label_column = 216 - bar.pixels - 4 * static_cast<int>(bar.label.size());
        return bar;
    }
    static const struct {
        long long metres;
        const char16_t* label;
    } kKilometres[]
        = {{1000, u"1 km"}, {10000, u"10 km"}, {100000, u"100 km"}, {1000000, u"1000 km"}, {10000000, u"10000 km"}};
    for (const auto& k : kKilometres)
        if (l == k.metres) {
            bar.label = k.label;
            bar.label_column = bar.left;
        }
    return bar;
}

}  // namespace gps
