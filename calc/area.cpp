#include "calc/area.h"

#include <cmath>

#include "calc/curve_segment.h"
#include "calc/curve_types.h"
#include "calc/text_values.h"
#include "platform/text/text.h"
#include "store/point_index.h"

namespace calc {

namespace {

using formats::Position;

std::u16string point_name(uint32_t number)
{
    return platform::text::wformat(u"Pt %lu", (unsigned long)number);
}

}  // namespace

void reset_area(AreaJob* job)
{
    *job = AreaJob {};
}

AreaOutcome compute_area(const AreaJob& job, const PointLookup& points)
{
    AreaOutcome outcome;
    AreaResult result;
    const std::optional<double> projection = number_value(trimmed(job.settings.projection_text));
    const std::optional<double> units = number_value(trimmed(job.settings.units_text));
    if (!projection) {
        outcome.refusal = u"The projection factor does not read as a number.";
        return outcome;
    }
    if (!units) {
        outcome.refusal = u"The units factor does not read as a number.";
        return outcome;
    }
    result.projection = *projection;
    result.units = *units;

    // Legs between consecutive entries in use.
    const AreaEntry* previous = nullptr;
    Position previous_at;
    for (const AreaEntry& entry : job.entries) {
        if (!entry.used())
            continue;
        if (!is_known_curve_type(entry.type)) {
            outcome.refusal = point_name(entry.number) + u": the point type is unknown.";
            return outcome;
        }
        const std::optional<Position> at = points(entry.number);
        if (!at) {
            outcome.refusal = point_name(entry.number) + u" is not in the coordinate file.";
            return outcome;
        }
        if (previous) {
            AreaLeg leg {previous->number, previous->type, previous_at, entry.number, entry.type, *at};
            leg.azimuth = formats::azimuth(leg.from, leg.to);
            leg.distance = formats::plane_distance(leg.from, leg.to);
            result.legs.push_back(leg);
        }
        previous = &entry;
        previous_at = *at;
    }

    double total = 0, running_e = 0;
    int direction = 0;
    for (size_t i = 0; i < result.legs.size(); ++i) {
        const AreaLeg& leg = result.legs[i];
        if (is_straight(leg.to_type)) {
            total += trapezoid(leg.from, leg.to, &running_e);
            continue;
        }
        if (!ends_arc(leg.to_type)) {
            direction = leg.to_type == kCentre ? 1 : -1;
            continue;
        }
        if (i == 0) {
            outcome.refusal = point_name(leg.to_number) + u": a curve end needs the point of its centre before it.";
            return outcome;
        }
        const Position arc_start = result.legs[i - 1].from;
        total += trapezoid(arc_start, leg.to, &running_e);
        SegmentFault fault;
        const std::optional<double> term = segment_term(arc_start, leg.to, leg.from, leg.distance, direction, &fault);
        if (!term) {
            outcome.refusal = point_name(leg.to_number)
                + (fault == SegmentFault::NoRadius ? u": the radius is not above 0."
                                                   : u": the chord is longer than the diameter.");
            return outcome;
        }
        total += *term;
        direction = 0;
    }
    result.area = std::fabs(total) * result.units * result.projection;
    if (!std::isfinite(result.area)) {
        outcome.refusal = u"The figure is too large to compute.";
        return outcome;
    }
    outcome.result = std::move(result);
    return outcome;
}

}  // namespace calc
