// The COGO solver. The tests run in a fixed order (single line before two lines, azimuth before distance)
// and each branch computes into locals and writes the problem only once it has a solution.

#include "cogo/cogo_problem.h"

#include <cmath>
#include <numbers>

#include "cogo/cogo_geometry.h"
#include "platform/reset/reset.h"
#include "store/point_index.h"

namespace cogo {

namespace {

using formats::is_undefined;
using formats::Position;

constexpr double kHalfPi = std::numbers::pi / 2;  // 1.5707963267948966

CogoProblem s_problem;

bool defined(Position p)
{
    return !is_undefined(p.e) && !is_undefined(p.n);
}

bool finite(Position p)
{
    return std::isfinite(p.e) && std::isfinite(p.n);
}

bool given(double value)
{
    return !is_undefined(value);
}

// The stored point's coordinates, or nothing when it is missing.
bool read_point(uint32_t number, Position* out)
{
    store::PointRecord record;
    if (number == 0 || store::point_read_by_number(number, &record) != 1)
        return false;
    *out = {record.easting, record.northing};
    return true;
}

// Fills coordinates left undefined from the stored point; a missing point leaves them undefined.
void complete_from(uint32_t number, Position* at)
{
    if (!defined(*at))
        read_point(number, at);
}

void resolve_offset(uint32_t from, double azimuth, int mode, double* distance, Position* at)
{
    if (mode != kCogoLineOffsetLeft && mode != kCogoLineOffsetRight)
        return;
    double offset = *distance;
    *distance = formats::kUndefinedValue;
    Position point;
    if (!given(azimuth) || !given(offset) || !read_point(from, &point))
        return;
    double side = mode == kCogoLineOffsetLeft ? azimuth - kHalfPi : azimuth + kHalfPi;
    *at = formats::point_from_bearing(point, side, offset);
}

void set_to(CogoProblem* problem, Position a)
{
    problem->to_easting = a.e;
    problem->to_northing = a.n;
}

void set_b(CogoProblem* problem, int count, Position b)
{
    if (count == 2) {
        problem->b_easting = b.e;
        problem->b_northing = b.n;
    }
}

int single_line(CogoProblem* p)
{
    bool azimuth = given(p->azimuth1);
    bool distance = given(p->distance1);
    if (!azimuth && !distance) {
        Position from;
        Position to;
        if (!read_point(p->from1, &from) || !read_point(p->to, &to))
            return kCogoNothing;
        double d = formats::plane_distance(from, to);
        double az = formats::azimuth(from, to);
        if (!std::isfinite(d) || !std::isfinite(az))
            return kCogoNothing;
        p->distance1 = d;
        p->azimuth1 = az;
        p->from1_at = from;
        set_to(p, to);
        p->count = 1;
        return kCogoInverse;
    }
    if (azimuth && distance) {
        complete_from(p->from1, &p->from1_at);
        if (!defined(p->from1_at))
            return kCogoNothing;
        Position to = formats::point_from_bearing(p->from1_at, p->azimuth1, p->distance1);
        if (!finite(to))
            return kCogoNothing;
        set_to(p, to);
        p->count = 1;
        return kCogoForward;
    }
    return kCogoNothing;
}

int two_lines(CogoProblem* p)
{
    complete_from(p->from1, &p->from1_at);
    complete_from(p->from2, &p->from2_at);
    bool known = defined(p->from1_at) && defined(p->from2_at);
    Position a;
    Position b;

    if (given(p->azimuth1)) {
        if (given(p->distance1) || !known)
            return kCogoNothing;
        if (given(p->azimuth2)) {
            if (given(p->distance2))
                return kCogoNothing;
            if (intersect_azimuth_azimuth(p->from1_at, p->azimuth1, p->from2_at, p->azimuth2, &a) != 1)
                return kCogoNoAzimuthAzimuth;
            set_to(p, a);
            p->distance1 = formats::plane_distance(p->from1_at, a);
            p->distance2 = formats::plane_distance(p->from2_at, a);
            p->count = 1;
            return kCogoAzimuthAzimuth;
        }
        if (!given(p->distance2))
            return kCogoNothing;
        int count = intersect_line_circle(p->from1_at, p->azimuth1, p->from2_at, p->distance2, &a, &b);
        if (count == 0)
            return kCogoNoAzimuthDistance;
        set_to(p, a);
        p->distance1 = plain_distance(p->from1_at, a);
        p->azimuth2 = formats::azimuth(p->from2_at, a);
        set_b(p, count, b);
        p->count = count;
        return kCogoAzimuthDistance;
    }

    if (given(p->distance1)) {
        if (!known)
            return kCogoNothing;
        if (given(p->azimuth2)) {
            if (given(p->distance2))
                return kCogoNothing;
            int count = intersect_line_circle(p->from2_at, p->azimuth2, p->from1_at, p->distance1, &a, &b);
            if (count == 0)
                return kCogoNoDistanceAzimuth;
            set_to(p, a);
            p->azimuth1 = formats::azimuth(p->from1_at, a);
            p->distance2 = plain_distance(p->from2_at, a);
            set_b(p, count, b);
            p->count = count;
            return kCogoDistanceAzimuth;
        }
        // A second line with neither azimuth nor distance poses nothing.
        if (!given(p->distance2))
            return kCogoNothing;
        int count = intersect_circle_circle(p->from1_at, p->distance1, p->from2_at, p->distance2, &a, &b);
        if (count == 0)
            return kCogoNoDistanceDistance;
        set_to(p, a);
        p->azimuth1 = formats::azimuth(p->from1_at, a);
        p->azimuth2 = formats::azimuth(p->from2_at, a);
        set_b(p, count, b);
        p->count = count;
        return kCogoDistanceDistance;
    }
    return kCogoNothing;
}

}  // namespace

// A new process starts with a new problem.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_problem = CogoProblem {}; });

CogoProblem& cogo_problem()
{
    return s_problem;
}

void cogo_clear_results(CogoProblem* problem)
{
    constexpr double u = formats::kUndefinedValue;
    problem->azimuth1 = problem->distance1 = problem->azimuth2 = problem->distance2 = u;
    problem->from1_at = problem->from2_at = {u, u};
    problem->to_northing = problem->to_easting = u;
    problem->b_northing = problem->b_easting = u;
    problem->shown = 1;
}

void cogo_resolve_offset_lines(CogoProblem* problem)
{
    resolve_offset(problem->from1, problem->azimuth1, problem->mode1, &problem->distance1, &problem->from1_at);
    resolve_offset(problem->from2, problem->azimuth2, problem->mode2, &problem->distance2, &problem->from2_at);
}

int cogo_solve(CogoProblem* problem)
{
    // The count goes first, so that a failed solve never leaves the count of an earlier one for A/B to use.
    problem->count = 0;
    int kind = kCogoNothing;
    if (problem->from1 != 0 && problem->to != 0)
        kind = problem->from2 == 0 ? single_line(problem) : two_lines(problem);
    if (kind <= 0)
        problem->count = 0;
    problem->kind = kind;
    return kind;
}

bool cogo_other_solution(CogoProblem* problem, CogoShown* out)
{
    const CogoProblem& p = *problem;
    if (p.kind < kCogoDistanceDistance || p.kind > kCogoDistanceAzimuth || p.count != 2)
        return false;
    int shown = p.shown == 2 ? 1 : 2;
    CogoShown view;
    Position x = shown == 2 ? Position {p.b_easting, p.b_northing} : Position {p.to_easting, p.to_northing};
    view.easting = x.e;
    view.northing = x.n;
    view.azimuth1 = p.azimuth1;
    view.distance1 = p.distance1;
    view.azimuth2 = p.azimuth2;
    view.distance2 = p.distance2;
    switch (p.kind) {
    case kCogoDistanceDistance:
        view.azimuth1 = formats::azimuth(p.from1_at, x);
        view.azimuth2 = formats::azimuth(p.from2_at, x);
        break;
    case kCogoAzimuthDistance:
        view.distance1 = formats::plane_distance(p.from1_at, x);
        view.azimuth2 = formats::azimuth(p.from2_at, x);
        break;
    case kCogoDistanceAzimuth:
        view.azimuth1 = formats::azimuth(p.from1_at, x);
        view.distance2 = formats::plane_distance(p.from2_at, x);
        break;
    }
    view.caption = shown == 2 ? u"B" : u"A";
    problem->shown = shown;
    *out = view;
    return true;
}

}  // namespace cogo
