#include "calc/similarity_fit.h"

#include <cmath>
#include <vector>

#include "platform/reset/reset.h"
#include "platform/text/text.h"

namespace calc {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kMinimumSpread = 1e-4;  // control spread, root mean square about its centroid
constexpr double kSameTarget = 0.001;    // targets this close share the residuals of the first

ControlPairs s_pairs;

void unset_residuals(ControlPairs& pairs)
{
    for (int i = 0; i < kControlPairSlots; ++i) {
        pairs.slot(i).resid_n = kUnset;
        pairs.slot(i).resid_e = kUnset;
    }
}

}  // namespace

int ControlPairs::count() const
{
    int n = 0;
    for (const ControlPair& p : m_slots)
        n += p.in_use ? 1 : 0;
    return n;
}

bool ControlPairs::insert_after(int slot, uint32_t source, uint32_t target)
{
    const int used = count();
    if (used >= kControlPairSlots)
        return false;
    const int at = std::min(std::max(slot + 1, 0), used);
    for (int i = used; i > at; --i)
        m_slots[size_t(i)] = m_slots[size_t(i - 1)];
    ControlPair pair;
    pair.in_use = true;
    pair.source = source;
    pair.target = target;
    m_slots[size_t(at)] = pair;
    return true;
}

bool ControlPairs::replace(int slot, uint32_t source, uint32_t target)
{
    if (slot < 0 || slot >= kControlPairSlots || !m_slots[size_t(slot)].in_use)
        return false;
    ControlPair pair;
    pair.in_use = true;
    pair.source = source;
    pair.target = target;
    m_slots[size_t(slot)] = pair;
    return true;
}

void ControlPairs::remove(int slot)
{
    if (slot < 0 || slot >= kControlPairSlots)
        return;
    for (int i = slot; i + 1 < kControlPairSlots; ++i)
        m_slots[size_t(i)] = m_slots[size_t(i + 1)];
    m_slots[kControlPairSlots - 1] = ControlPair {};
}

void ControlPairs::clear()
{
    m_slots.fill(ControlPair {});
}

ControlPairs& control_pairs()
{
    return s_pairs;
}

FitOutcome fit_similarity(ControlPairs& pairs, TransformParameters* out, const PointLookup& lookup)
{
    FitOutcome outcome;
    unset_residuals(pairs);
    std::vector<int> used;
    for (int i = 0; i < kControlPairSlots; ++i)
        if (pairs.at(i).in_use)
            used.push_back(i);
    if (used.empty())
        return outcome;

    for (int i : used) {
        ControlPair& p = pairs.slot(i);
        const std::optional<formats::Position> source = lookup(p.source), target = lookup(p.target);
        if (!source) {
            outcome.refusal = u"Control point " + platform::text::wformat(u"%lu", (unsigned long)p.source)
                + u" is not in the coordinate file.";
            return outcome;
        }
        if (!target) {
            outcome.refusal = u"Control point " + platform::text::wformat(u"%lu", (unsigned long)p.target)
                + u" is not in the coordinate file.";
            return outcome;
        }
        p.source_n = source->n;
        p.source_e = source->e;
        p.target_n = target->n;
        p.target_e = target->e;
    }
    const double n = double(used.size());

    // Centroids, then everything about them.
    double xc = 0, yc = 0, Xc = 0, Yc = 0;
    for (int i : used) {
        xc += pairs.at(i).source_e;
        yc += pairs.at(i).source_n;
        Xc += pairs.at(i).target_e;
        Yc += pairs.at(i).target_n;
    }
    xc /= n, yc /= n, Xc /= n, Yc /= n;
    double spread = 0, P = 0, Q = 0;
    bool distinct = false;
    for (int i : used) {
        const ControlPair& p = pairs.at(i);
        const double x = p.source_e - xc, y = p.source_n - yc, X = p.target_e - Xc, Y = p.target_n - Yc;
        spread += x * x + y * y;
        P += x * X + y * Y;
        Q += X * y - Y * x;
        distinct = distinct || p.source_e != pairs.at(used[0]).source_e || p.source_n != pairs.at(used[0]).source_n;
    }
    if (used.size() < 2 || !distinct) {
        outcome.refusal = u"At least two control pairs with distinct source points are needed.";
        return outcome;
    }
    if (!(std::sqrt(spread / n) >= kMinimumSpread)) {
        outcome.refusal = u"The source points lie too close together to fit a transformation.";
        return outcome;
    }
    const double a = P / spread, b = Q / spread;
    const double k = std::hypot(a, b);
    if (!std::isfinite(k) || k == 0) {
        outcome.refusal = u"The control points give no scale: every target point lies on one spot.";
        return outcome;
    }
    double theta = std::atan2(b, a);
    if (theta < -kPi / 2)
        theta += 2 * kPi;
    const double tE = Xc - a * xc - b * yc;
    const double tN = Yc - a * yc + b * xc;

    // Residuals, computed minus target, on the reduced coordinates.
    double sum = 0;
    std::vector<std::pair<double, double>> residual(kControlPairSlots);
    for (int i : used) {
        const ControlPair& p = pairs.at(i);
        const double x = p.source_e - xc, y = p.source_n - yc;
        const double rE = a * x + b * y - (p.target_e - Xc);
        const double rN = -b * x + a * y - (p.target_n - Yc);
        residual[size_t(i)] = {rN, rE};
        sum += rE * rE + rN * rN;
    }
    for (int i : used) {
        ControlPair& p = pairs.slot(i);
        for (int j : used) {
            const ControlPair& q = pairs.at(j);
            if (std::fabs(q.target_n - p.target_n) <= kSameTarget
                && std::fabs(q.target_e - p.target_e) <= kSameTarget) {
                p.resid_n = residual[size_t(j)].first;
                p.resid_e = residual[size_t(j)].second;
                break;
            }
        }
    }

    out->about_number = 0;
    out->rotation = theta;
    out->about_n = 0.0;
    out->about_e = 0.0;
    out->shift_n = tN;
    out->shift_e = tE;
    out->shift_el = 0.0;
    out->scale_n = k;
    out->scale_e = k;
    out->scale_el = 1.0;
    outcome.fitted = true;
    outcome.rms = std::sqrt(sum / n);
    return outcome;
}

namespace {
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_pairs.clear(); });
}  // namespace

}  // namespace calc
