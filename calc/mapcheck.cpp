#include "calc/mapcheck.h"

#include <cmath>

#include "calc/curve_segment.h"
#include "calc/curve_types.h"
#include "calc/text_values.h"
#include "formats/angle_units.h"
#include "platform/text/text.h"

namespace calc {

namespace {

using formats::Position;

std::u16string leg_name(const MapCheckEntry& entry, int line)
{
    return platform::text::wformat(u"Leg %d (Pt %lu)", line + 1, (unsigned long)entry.to);
}

std::u16string segment_refusal(SegmentFault fault, const std::u16string& leg)
{
    if (fault == SegmentFault::NoRadius)
        return leg + u": the radius is not above 0.";
    return leg + u": the chord is longer than the diameter.";
}

bool finite(Position p)
{
    return std::isfinite(p.e) && std::isfinite(p.n);
}

// The legs of the table, or the refusal.
std::optional<std::vector<MapCheckLeg>> build_legs(
    const MapCheckJob& job, Position start, uint32_t* start_number, std::u16string* refusal)
{
    std::vector<MapCheckLeg> legs;
    bool first = true;
    Position at = start;
    uint32_t from = 0;
    for (int i = 0; i < kJobSlots; ++i) {
        const MapCheckEntry& entry = job.entries[size_t(i)];
        if (!entry.used())
            continue;
        const std::u16string az_text = trimmed(entry.azimuth);
        const std::u16string dist_text = trimmed(entry.distance);
        if (first && az_text.empty() && dist_text.empty()) {
            first = false;
            *start_number = entry.to;
            from = entry.to;
            continue;
        }
        first = false;
        const std::u16string name = leg_name(entry, i);
        if (!is_known_curve_type(entry.type)) {
            *refusal = name + u": the leg type is unknown.";
            return std::nullopt;
        }
        const std::optional<double> azimuth = azimuth_value(az_text);
        if (!azimuth) {
            *refusal = name + u": the azimuth does not read as an angle.";
            return std::nullopt;
        }
        const std::optional<double> distance = number_value(dist_text);
        if (!distance) {
            *refusal = name + u": the distance does not read as a number.";
            return std::nullopt;
        }
        if (ends_arc(entry.type) && legs.empty()) {
            *refusal = name + u": a curve end needs the leg to its centre before it.";
            return std::nullopt;
        }
        MapCheckLeg leg;
        leg.from = from;
        leg.from_point = at;
        leg.azimuth = *azimuth;
        leg.distance = *distance;
        leg.to = entry.to;
        leg.to_point = formats::point_from_bearing(at, *azimuth, *distance);
        leg.type = entry.type;
        leg.line = i;
        if (!finite(leg.to_point)) {
            *refusal = name + u": the figure is too large to compute.";
            return std::nullopt;
        }
        legs.push_back(leg);
        at = leg.to_point;
        from = entry.to;
    }
    return legs;
}

}  // namespace

void reset_map_check(MapCheckJob* job)
{
    *job = MapCheckJob {};
}

MapCheckOutcome compute_map_check(const MapCheckJob& job)
{
    MapCheckOutcome outcome;
    const std::optional<double> start_n = number_value(trimmed(job.settings.start_n_text));
    const std::optional<double> start_e = number_value(trimmed(job.settings.start_e_text));
    if (!start_n || !start_e) {
        outcome.refusal = u"The start position does not read as a number.";
        return outcome;
    }
    MapCheckResult result;
    result.start = {*start_e, *start_n};
    std::optional<std::vector<MapCheckLeg>> legs
        = build_legs(job, result.start, &result.start_number, &outcome.refusal);
    if (!legs)
        return outcome;
    result.legs = std::move(*legs);
    if (result.legs.empty()) {
        outcome.result = result;
        return outcome;
    }
    for (const MapCheckLeg& leg : result.legs)
        result.total_distance += leg.distance;
    const Position end = result.legs.back().to_point;
    result.misclosure_n = end.n - result.start.n;
    result.misclosure_e = end.e - result.start.e;

    // The area of the figure closed: the last leg ends at the start.
    std::vector<MapCheckLeg> closed = result.legs;
    if (result.misclosure_n != 0 || result.misclosure_e != 0)
        closed.back().to_point = result.start;
    double t = 0, s = 0, running_e = 0;
    int direction = 0;
    for (size_t i = 0; i < closed.size(); ++i) {
        const MapCheckLeg& leg = closed[i];
        if (is_straight(leg.type)) {
            t += trapezoid(leg.from_point, leg.to_point, &running_e);
        } else if (leg.type == kCentre || leg.type == kCentreCounter) {
            direction = leg.type == kCentre ? 1 : -1;
        } else {
            const Position curve_start = closed[i - 1].from_point;
            t += trapezoid(curve_start, leg.to_point, &running_e);
            SegmentFault fault;
            const std::optional<double> term
                = segment_term(curve_start, leg.to_point, leg.from_point, leg.distance, direction, &fault);
            if (!term) {
                outcome.refusal = segment_refusal(fault, leg_name(job.entries[size_t(leg.line)], leg.line));
                return outcome;
            }
            s += *term;
            direction = 0;
        }
    }
    result.area = std::fabs(t + s);
    const double misclosure = std::hypot(result.misclosure_n, result.misclosure_e);
    if (misclosure > 1e-9 * std::fabs(result.total_distance))
        result.precision = result.total_distance / misclosure;
    if (!std::isfinite(result.area) || !std::isfinite(result.total_distance) || !std::isfinite(misclosure)
        || (result.precision && !std::isfinite(*result.precision))) {
        outcome.refusal = u"The figure is too large to compute.";
        return outcome;
    }
    outcome.result = std::move(result);
    return outcome;
}

}  // namespace calc
