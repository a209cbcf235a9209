#include "calc/traverse_compute.h"

#include <cmath>
#include <numbers>

#include "calc/slot_table.h"
#include "calc/text_values.h"
#include "formats/plane_geometry.h"
#include "formats/undefined_value.h"
#include "platform/text/text.h"
#include "store/point_index.h"

namespace calc {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTurn = 2 * std::numbers::pi;

const std::u16string kNoReference = u"No reference azimuth defined.";

double azimuth_between(const Point3& a, const Point3& b)
{
    return formats::azimuth(a.e, a.n, b.e, b.n);
}

bool finite(const Point3& p)
{
    return std::isfinite(p.e) && std::isfinite(p.n) && std::isfinite(p.el);
}

// The setup the observations that follow a setup record use.
struct Setup {
    uint32_t at = 0;
    bool referenced = false;  // a setup record with a reference has been read
    uint32_t reference_point = 0;
    double reference_azimuth = -1.0;
    double hi = 0;
    double backsight = 0;
};

std::u16string unreadable(std::u16string_view what, int slot)
{
    const std::u16string text(what);
    return platform::text::wformat(u"%s of line %d does not read.", text.c_str(), slot + 1);
}

// The settings' numbers from their texts; false, with the message, for one that does not read.
bool refresh_settings(TraverseSettings* s, std::u16string* stop)
{
    struct Field {
        const std::u16string* text;
        double* value;
        const char16_t* name;
    };
    for (const Field& f : {Field {&s->distance_factor_text, &s->distance_factor, u"Dist. Factor"},
             Field {&s->distance_correction_text, &s->distance_correction, u"Dist. Corr."},
             Field {&s->projection_factor_text, &s->projection_factor, u"Projection S.F."},
             Field {&s->units_factor_text, &s->units_factor, u"Units Factor"}}) {
        const std::optional<double> v = number_value(*f.text);
        if (!v) {
            *stop = std::u16string(f.name) + u" does not read.";
            return false;
        }
        *f.value = *v;
    }
    const std::optional<double> vc = azimuth_value(s->vc_correction_text);
    if (!vc) {
        *stop = u"VC Corr. does not read.";
        return false;
    }
    s->vc_correction = *vc;
    return true;
}

class Reduction {
public:
    Reduction(TraverseJob* job, const TraversePointLookup& points, TraverseComputation* out)
        : m_job(*job)
        , m_points(points)
        , m_out(*out)
    {
    }

    void run()
    {
        if (!refresh_settings(&m_job.settings, &m_out.stop))
            return;
        std::u16string build_stop;
        build(&build_stop);
        reduce();
        if (m_out.stop.empty())
            m_out.stop = build_stop;
    }

private:
    // Step 1: one reduced observation per observation record, with the setup in force.
    void build(std::u16string* stop)
    {
        const auto& records = m_job.records;
        const int last = last_used_slot(records);
        uint32_t final_point = 0;
        for (int i = last; i >= 0; --i) {
            const TraverseRecord& r = records[size_t(i)];
            if (r.is_observation() && r.side_shot == 0 && r.slope > 0) {
                final_point = r.to;
                break;
            }
        }
        Setup setup;
        for (int i = 0; i <= last; ++i) {
            const TraverseRecord& r = records[size_t(i)];
            if (!r.used()) {
                setup.at = 0;
                continue;
            }
            if (r.is_setup()) {
                setup = Setup {};
                setup.at = r.at;
                if (r.reference_kind == kReferencePoint) {
                    setup.reference_point = r.reference_point;
                } else if (r.reference_kind == kReferenceAzimuth) {
                    const std::optional<double> az = azimuth_value(r.reference_azimuth);
                    if (!az) {
                        *stop = unreadable(u"The reference azimuth", i);
                        return;
                    }
                    setup.reference_azimuth = *az;
                } else {
                    *stop = kNoReference;
                    return;
                }
                const std::optional<double> bs = azimuth_value(r.backsight);
                if (!bs) {
                    *stop = unreadable(u"The backsight HCR", i);
                    return;
                }
                setup.backsight = *bs;
                setup.hi = r.hi;
                setup.referenced = true;
                continue;
            }
            if (!r.is_observation())
                continue;
            if (!setup.referenced) {
                *stop = kNoReference;
                return;
            }
            const std::optional<double> hcr = azimuth_value(r.hcr);
            const std::optional<double> vcr = azimuth_value(r.vcr);
            if (!hcr || !vcr) {
                *stop = unreadable(hcr ? u"The VCR" : u"The HCR", i);
                return;
            }
            TraverseObservation o;
            o.slot = i;
            o.at = setup.at;
            o.reference_point = setup.reference_point;
            o.reference_azimuth = setup.reference_azimuth;
            o.hi = setup.hi;
            o.backsight_reading = setup.backsight;
            o.hs = r.hs;
            o.hcr = *hcr;
            o.vcr = *vcr;
            o.slope = r.slope;
            o.to = r.to;
            o.code = r.code;
            o.note = r.note;
            o.side_shot = r.side_shot != 0;
            // Only a traverse observation closes the traverse.
            o.closing = !o.side_shot && o.to == final_point && final_point != 0;
            if (o.side_shot)
                ++m_out.side_shots;
            if (i == last && r.slope == 0 && !o.side_shot) {
                m_out.closing_angle = true;
                m_out.closing_angle_index = int(m_out.observations.size());
            }
            m_out.observations.push_back(o);
        }
    }

    // A point as the traverse has computed it: the first observation before `before` with coordinates
    // whose to point it is.
    std::optional<Point3> computed(uint32_t number, size_t before, bool last = false) const
    {
        std::optional<Point3> found;
        for (size_t j = 0; j < before; ++j) {
            const TraverseObservation& o = m_out.observations[j];
            if (o.computed && o.to == number) {
                found = o.position;
                if (!last)
                    break;
            }
        }
        return found;
    }

    bool stop(std::u16string message)
    {
        m_out.stop = std::move(message);
        return false;
    }

    // Step 2.
    void reduce()
    {
        auto& obs = m_out.observations;
        const TraverseSettings& s = m_job.settings;
        const double k = s.units_factor * s.projection_factor * s.distance_factor;
        const double k_height = s.units_factor * s.distance_factor;
        for (size_t i = 0; i < obs.size(); ++i) {
            TraverseObservation& o = obs[i];
            if (i == 0 && !start(o))
                return;
            // The setup: where the traverse computed it; at the closing point after the closure, the
            // closing observation's position, so that the closing sight carries the traverse's angles.
            std::optional<Point3> at;
            if (m_out.closed && o.at == obs[size_t(m_out.closing_index)].to)
                at = obs[size_t(m_out.closing_index)].position;
            if (!at)
                at = computed(o.at, i);
            if (!at)
                at = m_points(o.at);
            if (!at)
                return void(stop(u"Start pt. not in file."));
            o.at_position = *at;
            if (o.reference_azimuth == -1.0) {
                std::optional<Point3> back;
                for (size_t j = 0; j < i && !back; ++j) {
                    if (obs[j].at == o.reference_point)
                        back = obs[j].at_position;
                }
                if (!back)
                    back = m_points(o.reference_point);
                if (!back)
                    return void(stop(u"Ref pt. not in file."));
                o.backsight_position = *back;
                o.reference_azimuth = azimuth_between(o.at_position, *back);
            }
            o.azimuth = o.hcr + o.reference_azimuth - o.backsight_reading;
            // The closing-angle observation gives a direction only: its to point is the reference mark.
            if (int(i) == m_out.closing_angle_index) {
                if (m_out.closed)
                    closing_sight(o);
                continue;
            }
            if (m_out.closed && !o.side_shot) {
                o.angle_check = true;
                continue;
            }
            const double z = o.vcr + s.vc_correction;
            const double sd = o.slope + s.distance_correction;
            o.horizontal = sd * std::sin(z) * k;
            o.height_difference = sd * std::cos(z) * k_height + o.hi - o.hs;
            o.position = {o.at_position.e + o.horizontal * std::sin(o.azimuth),
                o.at_position.n + o.horizontal * std::cos(o.azimuth), o.at_position.el + o.height_difference};
            if (!finite(o.position) || !std::isfinite(o.azimuth))
                return void(stop(unreadable(u"The observation", o.slot)));
            o.computed = true;
            if (!o.side_shot)
                m_out.total_length += o.horizontal;
            if (o.closing)
                close(i);
        }
    }

    bool start(TraverseObservation& o)
    {
        m_out.start_point = o.at;
        if (o.reference_azimuth == -1.0) {
            const std::optional<Point3> at = m_points(o.at);
            if (!at)
                return stop(u"Start pt. not in file.");
            const std::optional<Point3> ref = m_points(o.reference_point);
            if (!ref)
                return stop(u"Ref. az. pt. not in file.");
            o.backsight_position = *ref;
            o.reference_azimuth = azimuth_between(*at, *ref);
        }
        m_out.initial_reference_azimuth = o.reference_azimuth;
        const std::optional<Point3> at = m_points(o.at);
        if (!at)
            return stop(u"Start pt. not in file.");
        m_out.start_position = *at;
        return true;
    }

    // Step 2.7: the known position of the final point, when there is one.
    void close(size_t i)
    {
        auto& obs = m_out.observations;
        TraverseObservation& o = obs[i];
        std::optional<Point3> known;
        ClosureOn on = ClosureOn::None;
        if (o.to == m_out.start_point) {
            known = m_out.start_position;
            on = ClosureOn::StartPoint;
        } else {
            for (size_t j = i; j-- > 0;) {
                if (obs[j].computed && obs[j].to == o.to) {
                    known = obs[j].position;
                    m_out.held_index = int(j);
                    on = ClosureOn::ComputedPoint;
                    break;
                }
            }
            const bool last = i + 1 == obs.size() || (m_out.closing_angle && int(i) + 1 == m_out.closing_angle_index);
            if (!known && last) {
                known = m_points(o.to);
                on = ClosureOn::StoredPoint;
            }
        }
        if (!known)
            return;
        m_out.closed = true;
        m_out.closing_index = int(i);
        m_out.closure_on = on;
        m_out.closing_known = *known;
        m_out.misclosure_e = o.position.e - known->e;
        m_out.misclosure_n = o.position.n - known->n;
        m_out.misclosure_el = o.position.el - known->el;
    }

    // The closing-angle observation: its sight against the direction from the known closing position to
    // its to point, when that point is known; for a loop, against the initial reference azimuth.
    void closing_sight(const TraverseObservation& o)
    {
        std::optional<Point3> target = computed(o.to, size_t(m_out.closing_index));
        if (!target && o.to == m_out.start_point)
            target = m_out.start_position;
        if (!target)
            target = m_points(o.to);
        double reference = 0;
        if (target)
            reference = azimuth_between(m_out.closing_known, *target);
        else if (m_out.closure_on == ClosureOn::StartPoint)
            reference = m_out.initial_reference_azimuth;
        else
            return;
        m_out.angular_misclosure = reduced_half_turn(o.azimuth - reference);
        m_out.angular_misclosure_known = true;
    }

    TraverseJob& m_job;
    const TraversePointLookup& m_points;
    TraverseComputation& m_out;
};

}  // namespace

double reduced_half_turn(double radians)
{
    double a = std::fmod(radians, kTurn);
    if (a > kPi)
        a -= kTurn;
    else if (a <= -kPi)
        a += kTurn;
    return a;
}

double reduced_turn(double radians)
{
    double a = std::fmod(radians, kTurn);
    if (a < 0)
        a += kTurn;
    return a >= kTurn ? 0.0 : a;
}

TraversePointLookup traverse_stored_points()
{
    return [](uint32_t number) -> std::optional<Point3> {
        store::PointRecord p;
        if (number == 0 || store::point_read_by_number(number, &p) != 1 || !std::isfinite(p.easting)
            || !std::isfinite(p.northing) || !std::isfinite(p.elevation))
            return std::nullopt;
        return Point3 {p.easting, p.northing, formats::is_undefined(p.elevation) ? 0.0 : p.elevation};
    };
}

TraverseComputation compute_traverse(TraverseJob* job, const TraversePointLookup& points)
{
    TraverseComputation out;
    Reduction(job, points, &out).run();
    return out;
}

}  // namespace calc
