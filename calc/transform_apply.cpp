#include "calc/transform_apply.h"

#include <cmath>
#include <limits>
#include <vector>

#include "calc/transform.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"

namespace calc {

namespace {

// The points with numbers from..to, in number order, read through the number index.
std::vector<store::PointRecord> points_in_range(uint32_t from, uint32_t to)
{
    std::vector<store::PointRecord> points;
    if (from > to)
        return points;
    store::PointRecord p;
    int found = store::point_find_nearest_by_number(from, &p);
    if (found < 0)
        return points;
    // On 0 the nearest is the next greater number, or the greatest when none is greater.
    if (found == 0 && p.number < from)
        return points;
    for (uint32_t n = p.number; n != 0 && n <= to; n = store::point_next_by_number(&p)) {
        points.push_back(p);
        if (n == std::numeric_limits<uint32_t>::max())
            break;
    }
    return points;
}

}  // namespace

ApplyOutcome apply_transform(const TransformParameters& p, bool inverse)
{
    ApplyOutcome outcome;
    std::u16string why;
    if (!transform_usable(p, &why)) {
        outcome.refused = true;
        outcome.refusal = why;
        return outcome;
    }
    if (p.target_from == 0) {
        outcome.refused = true;
        outcome.refusal = u"Give the target From point number.";
        return outcome;
    }
    if (p.source_from <= p.source_to
        && uint64_t(p.target_from) + (uint64_t(p.source_to) - p.source_from) > std::numeric_limits<uint32_t>::max()) {
        outcome.refused = true;
        outcome.refusal = u"The target range would pass point number 4294967295.";
        return outcome;
    }
    const std::vector<store::PointRecord> sources = points_in_range(p.source_from, p.source_to);
    outcome.found = int(sources.size());
    for (const store::PointRecord& source : sources) {
        const Xyz at = inverse ? transform_inverse(p, {source.easting, source.northing, source.elevation})
                               : transform_forward(p, {source.easting, source.northing, source.elevation});
        store::PointRecord target = source;
        target.number = uint32_t(p.target_from + (source.number - p.source_from));
        target.easting = at.e;
        target.northing = at.n;
        target.elevation = at.el;
        if (!std::isfinite(at.e) || !std::isfinite(at.n) || !std::isfinite(at.el)) {
            ++outcome.failed;
            continue;
        }
        store::PointRecord existing;
        if (store::point_read_by_number(target.number, &existing) == 1) {
            ++outcome.in_use;
            continue;
        }
        if (store::point_store(target, false) == 1)
            ++outcome.stored;
        else
            ++outcome.failed;
    }
    return outcome;
}

std::u16string describe(const ApplyOutcome& o)
{
    if (o.refused)
        return o.refusal;
    std::u16string s = u"Stored " + platform::text::wformat(u"%d", o.stored) + (o.stored == 1 ? u" point" : u" points");
    if (o.in_use > 0)
        s += u", skipped " + platform::text::wformat(u"%d", o.in_use) + u" whose number is in use";
    if (o.failed > 0)
        s += u", " + platform::text::wformat(u"%d", o.failed) + u" could not be stored";
    return s + u".";
}

}  // namespace calc
