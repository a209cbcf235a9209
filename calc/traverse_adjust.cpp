#include "calc/traverse_adjust.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "formats/plane_geometry.h"

namespace calc {

namespace {

constexpr double kPi = std::numbers::pi;

double back_azimuth(double azimuth)
{
    return reduced_turn(azimuth + kPi);
}

// numerator / divisor, or nothing when the divisor is zero under a numerator that is not (a zero numerator
// is no correction).
std::optional<double> ratio(double numerator, double divisor)
{
    if (divisor == 0)
        return numerator == 0 ? std::optional<double>(0.0) : std::nullopt;
    return numerator / divisor;
}

class Adjustment {
public:
    Adjustment(TraverseComputation* c)
        : m_c(*c)
    {
        auto& obs = m_c.observations;
        const int first = m_c.closure_on == ClosureOn::ComputedPoint ? m_c.held_index + 1 : 0;
        for (int i = first; i <= m_c.closing_index; ++i) {
            if (!obs[size_t(i)].side_shot && obs[size_t(i)].computed)
                m_legs.push_back(&obs[size_t(i)]);
        }
    }

    std::u16string run(AdjustMethod method)
    {
        if (m_c.closing_angle && m_c.angular_misclosure_known)
            angular_part();
        double length = 0;
        for (const TraverseObservation* leg : m_legs)
            length += leg->horizontal;
        const std::optional<double> ce = ratio(-m_c.misclosure_e, length);
        const std::optional<double> cn = ratio(-m_c.misclosure_n, length);
        const std::optional<double> cel = ratio(-m_c.misclosure_el, length);
        if (!cel || (method == AdjustMethod::Compass && (!ce || !cn)))
            return u"The traverse has no length to spread the misclosure over.";
        if (method != AdjustMethod::Compass && m_legs.size() < 2 && (m_c.misclosure_e != 0 || m_c.misclosure_n != 0))
            return u"The rule needs two legs or more: the first foresight point holds.";
        std::u16string refusal;
        if (method == AdjustMethod::Crandall)
            refusal = crandall();
        else if (method == AdjustMethod::Transit)
            refusal = transit();
        if (!refusal.empty())
            return refusal;
        double running = 0;
        for (TraverseObservation* leg : m_legs) {
            running += leg->horizontal;
            leg->position.el += *cel * running;
            if (method == AdjustMethod::Compass) {
                leg->position.e += *ce * running;
                leg->position.n += *cn * running;
            }
        }
        apply_planned();
        final_pass();
        m_c.adjusted = true;
        return u"";
    }

private:
    // Every angle turned (the closing angle's too) takes an equal share of the angular misclosure; the
    // legs are carried again with the corrected azimuths. Elevations stay.
    void angular_part()
    {
        const double c = -m_c.angular_misclosure / double(m_legs.size() + 1);
        for (size_t i = 0; i < m_legs.size(); ++i) {
            TraverseObservation& leg = *m_legs[i];
            const double turned = leg.hcr - leg.backsight_reading + c;
            if (i > 0) {
                leg.reference_azimuth = back_azimuth(m_legs[i - 1]->azimuth);
                leg.at_position.e = m_legs[i - 1]->position.e;
                leg.at_position.n = m_legs[i - 1]->position.n;
            }
            leg.azimuth = reduced_turn(leg.reference_azimuth + turned);
            leg.position.e = leg.at_position.e + leg.horizontal * std::sin(leg.azimuth);
            leg.position.n = leg.at_position.n + leg.horizontal * std::cos(leg.azimuth);
        }
        const TraverseObservation& last = *m_legs.back();
        m_c.misclosure_e = last.position.e - m_c.closing_known.e;
        m_c.misclosure_n = last.position.n - m_c.closing_known.n;
    }

    // The legs between consecutive foresight points, the first point fixed: (dE, dN) and the leg's length.
    struct Leg {
        double de, dn, length;
    };
    std::vector<Leg> legs_after_first() const
    {
        std::vector<Leg> legs;
        for (size_t k = 1; k < m_legs.size(); ++k)
            legs.push_back({m_legs[k]->position.e - m_legs[k - 1]->position.e,
                m_legs[k]->position.n - m_legs[k - 1]->position.n, m_legs[k]->horizontal});
        return legs;
    }

    std::u16string crandall()
    {
        const std::vector<Leg> legs = legs_after_first();
        double a = 0, b = 0, c = 0;
        for (const Leg& l : legs) {
            if (l.length == 0)
                return u"A leg of length 0 cannot take a Crandall correction.";
            a += l.de * l.de / l.length;
            b += l.dn * l.dn / l.length;
            c += l.de * l.dn / l.length;
        }
        const double me = m_c.misclosure_e, mn = m_c.misclosure_n;
        const std::optional<double> p = ratio(c * mn - b * me, a * b - c * c);
        const std::optional<double> q = ratio(c * me - a * mn, a * b - c * c);
        if (!p || !q)
            return u"The legs are all parallel: the Crandall rule cannot be used.";
        for (const Leg& l : legs) {
            const double u = *p * l.de + *q * l.dn;
            m_corrections.push_back({u * l.de / l.length, u * l.dn / l.length});
        }
        return u"";
    }

    std::u16string transit()
    {
        const std::vector<Leg> legs = legs_after_first();
        double se = 0, sn = 0;
        for (const Leg& l : legs) {
            se += std::abs(l.de);
            sn += std::abs(l.dn);
        }
        const std::optional<double> fe = ratio(-m_c.misclosure_e, se);
        const std::optional<double> fn = ratio(-m_c.misclosure_n, sn);
        if (!fe || !fn)
            return u"The legs have no extent along an axis with a misclosure: the Transit rule cannot be used.";
        for (const Leg& l : legs)
            m_corrections.push_back({*fe * std::abs(l.de), *fn * std::abs(l.dn)});
        return u"";
    }

    // Crandall and Transit: the points accumulated from the fixed first one with the corrected legs.
    void apply_planned()
    {
        if (m_corrections.empty())
            return;
        const std::vector<Leg> legs = legs_after_first();
        for (size_t k = 1; k < m_legs.size(); ++k) {
            const TraverseObservation& previous = *m_legs[k - 1];
            TraverseObservation& leg = *m_legs[k];
            leg.position.e = previous.position.e + legs[k - 1].de + m_corrections[k - 1].de;
            leg.position.n = previous.position.n + legs[k - 1].dn + m_corrections[k - 1].dn;
        }
    }

    // The position of a point as the traverse now holds it: the start, else the first observation before
    // `before` that computed it.
    std::optional<Point3> adjusted(uint32_t number, size_t before) const
    {
        if (number == m_c.start_point)
            return m_c.start_position;
        for (size_t j = 0; j < before; ++j) {
            const TraverseObservation& o = m_c.observations[j];
            if (o.computed && o.to == number)
                return o.position;
        }
        return std::nullopt;
    }

    // Each leg after the first set up on the adjusted point before it; each side shot hung again from the
    // adjusted position of its own setup, oriented to that setup's adjusted backsight.
    void final_pass()
    {
        for (size_t k = 1; k < m_legs.size(); ++k) {
            TraverseObservation& leg = *m_legs[k];
            const TraverseObservation& previous = *m_legs[k - 1];
            leg.at_position = previous.position;
            leg.reference_azimuth = back_azimuth(previous.azimuth);
            leg.azimuth = formats::azimuth(leg.at_position.e, leg.at_position.n, leg.position.e, leg.position.n);
            leg.horizontal
                = formats::hypotenuse(leg.position.e - leg.at_position.e, leg.position.n - leg.at_position.n);
        }
        auto& obs = m_c.observations;
        for (size_t i = 0; i < obs.size(); ++i) {
            TraverseObservation& o = obs[i];
            if (!o.side_shot || !o.computed)
                continue;
            o.at_position = adjusted(o.at, i).value_or(o.at_position);
            if (o.reference_point != 0) {
                o.backsight_position = adjusted(o.reference_point, i).value_or(o.backsight_position);
                o.reference_azimuth = formats::azimuth(
                    o.at_position.e, o.at_position.n, o.backsight_position.e, o.backsight_position.n);
            }
            o.azimuth = o.hcr + o.reference_azimuth - o.backsight_reading;
            o.position = {o.at_position.e + o.horizontal * std::sin(o.azimuth),
                o.at_position.n + o.horizontal * std::cos(o.azimuth), o.at_position.el + o.height_difference};
        }
    }

    struct Correction {
        double de, dn;
    };

    TraverseComputation& m_c;
    std::vector<TraverseObservation*> m_legs;
    std::vector<Correction> m_corrections;
};

}  // namespace

AdjustOutcome adjust_traverse(TraverseComputation* c, AdjustMethod method)
{
    if (!c->closed || c->adjusted)
        return {};
    // A refused adjustment leaves the computation as it was.
    TraverseComputation work = *c;
    const std::u16string refusal = Adjustment(&work).run(method);
    if (!refusal.empty())
        return {false, refusal};
    *c = std::move(work);
    return {true, u""};
}

}  // namespace calc
