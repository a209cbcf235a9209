#include "calc/traverse_save.h"

#include <cmath>
#include <cstring>

#include "platform/text/text.h"
#include "store/point_index.h"

namespace calc {

namespace {

template <size_t N> void put_field(char (&field)[N], const std::u16string& text)
{
    std::u16string cut = text;
    while (!cut.empty() && (cut.back() == u' ' || cut.back() == u'\t' || cut.back() == u'\r' || cut.back() == u'\n'))
        cut.pop_back();
    const std::string narrow = platform::text::to_ansi(cut);
    std::memset(field, 0, N);
    std::memcpy(field, narrow.data(), std::min(narrow.size(), N - 1));
}

}  // namespace

std::vector<store::PointRecord> traverse_points_to_save(const TraverseComputation& c)
{
    std::vector<store::PointRecord> points;
    for (size_t i = 0; i < c.observations.size(); ++i) {
        const TraverseObservation& o = c.observations[i];
        if (!o.computed || o.to == 0 || o.to == c.start_point || int(i) == c.closing_index)
            continue;
        if (!std::isfinite(o.position.e) || !std::isfinite(o.position.n) || !std::isfinite(o.position.el))
            continue;
        store::PointRecord p;
        p.number = o.to;
        p.easting = o.position.e;
        p.northing = o.position.n;
        p.elevation = o.position.el;
        put_field(p.note, o.note);
        put_field(p.code, o.code);
        points.push_back(p);
    }
    return points;
}

int save_traverse_points(const TraverseComputation& c, bool overwrite)
{
    int stored = 0;
    for (const store::PointRecord& p : traverse_points_to_save(c))
        stored += store::point_store(p, overwrite) == 1 ? 1 : 0;
    return stored;
}

}  // namespace calc
