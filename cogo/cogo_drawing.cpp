#include "cogo/cogo_drawing.h"

#include <cmath>
#include <string>

#include "cogo/cogo_geometry.h"
#include "draw/drawing_entities.h"
#include "draw/drawings.h"
#include "draw/palette.h"
#include "draw/view.h"
#include "platform/reset/reset.h"
#include "store/coord_file.h"
#include "store/view_extents.h"

namespace cogo {

using formats::Position;

namespace {

int s_slot = -1;

constexpr int kConstructionColour = 9;  // palette "Green"
constexpr int kLabelColour = 0;         // palette "Black"

draw::Point3 at(Position p)
{
    return {p.e, p.n, 0.0};
}

bool defined(Position p)
{
    return !formats::is_undefined(p.e) && !formats::is_undefined(p.n) && std::isfinite(p.e) && std::isfinite(p.n);
}

bool given(double v)
{
    return !formats::is_undefined(v) && std::isfinite(v);
}

void construction_line(Position from, Position to)
{
    if (defined(from) && defined(to))
        draw::dwg_add_line(
            s_slot, kCogoLayer, false, "Dash", 1, false, draw::dwg_colour(kConstructionColour), at(from), at(to));
}

void construction_ray(Position from, double azimuth, double length)
{
    if (defined(from) && given(azimuth) && std::isfinite(length))
        construction_line(from, formats::point_from_bearing(from, azimuth, length));
}

void construction_circle(Position centre, double radius)
{
    if (defined(centre) && given(radius) && radius > 0)
        draw::dwg_add_circle(
            s_slot, kCogoLayer, false, "Dash", 1, false, draw::dwg_colour(kConstructionColour), at(centre), radius);
}

// Ten pixels right of the point and two up, 12 pixels high, along the baseline.
void label(Position p, const std::string& text, const char* face = "Courier")
{
    if (!defined(p))
        return;
    draw::dwg_add_text(s_slot, kCogoLayer, false, text, face, -12.0f, -8.0f, draw::dwg_colour(kLabelColour), at(p),
        10.0 / draw::view_scale_x(), 2.0 / draw::view_scale_y(), 6, 90.0f);
}

void cross(Position p)
{
    if (defined(p))
        draw::dwg_insert_symbol(s_slot, kCogoLayer, false, "Cross", at(p), -10.0, -10.0, 1.0, 0.0);
}

Position solution_a(const CogoProblem& p)
{
    return {p.to_easting, p.to_northing};
}

Position solution_b(const CogoProblem& p)
{
    return {p.b_easting, p.b_northing};
}

// Of two solutions, the one farther from `from`; A alone otherwise.
Position farther(const CogoProblem& p, Position from)
{
    if (p.count < 2 || !defined(solution_b(p)))
        return solution_a(p);
    return plain_distance(from, solution_b(p)) > plain_distance(from, solution_a(p)) ? solution_b(p) : solution_a(p);
}

void solution_labels(const CogoProblem& p, const char* face)
{
    label(solution_a(p), "A", face);
    if (p.count == 2)
        label(solution_b(p), "B", face);
}

}  // namespace

int cogo_drawing_open()
{
    if (s_slot >= 0)
        draw::dwg_delete(s_slot);
    s_slot = draw::dwg_create(kCogoDrawingName);
    // The box of the points widened by a tenth of each span on each side, as the point editor sets it, so
    // that no point lies on the plot's edge.
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
    if (store::coord_bounding_box(&min_e, &min_n, &max_e, &max_n)) {
        const double de = 0.1 * (max_e - min_e), dn = 0.1 * (max_n - min_n);
        store::view_extents_set(min_e - de, min_n - dn, max_e + de, max_n + dn);
    }
    return s_slot;
}

void cogo_drawing_close()
{
    draw::dwg_delete(s_slot);
    s_slot = -1;
}

int cogo_drawing_slot()
{
    return s_slot;
}

void cogo_drawing_clear()
{
    draw::dwg_erase_by_name(s_slot, kCogoLayer);
}

void cogo_drawing_clear_temporary()
{
    draw::dwg_erase_by_name(s_slot, kCogoTemporaryLayer);
}

void cogo_draw_result(const CogoProblem& p)
{
    if (s_slot < 0)
        return;
    const Position to = solution_a(p);
    const std::string to_number = std::to_string(long(p.to));
    const double base = defined(p.from1_at) && defined(p.from2_at) ? plain_distance(p.from1_at, p.from2_at) : NAN;
    switch (p.kind) {
    case kCogoInverse:
        construction_line(p.from1_at, to);
        break;
    case kCogoForward:
        construction_line(p.from1_at, to);
        cross(to);
        label(to, to_number);
        break;
    case kCogoAzimuthAzimuth:
        construction_line(p.from1_at, to);
        construction_line(p.from2_at, to);
        cross(to);
        label(to, to_number);
        break;
    case kCogoDistanceDistance:
        construction_circle(p.from1_at, p.distance1);
        construction_circle(p.from2_at, p.distance2);
        solution_labels(p, "Arial");
        break;
    case kCogoAzimuthDistance:
        construction_line(p.from1_at, farther(p, p.from1_at));
        construction_circle(p.from2_at, p.distance2);
        solution_labels(p, "Courier");
        break;
    case kCogoDistanceAzimuth:
        construction_line(p.from2_at, farther(p, p.from2_at));
        construction_circle(p.from1_at, p.distance1);
        solution_labels(p, "Courier");
        break;
    case kCogoNoAzimuthAzimuth:
        construction_ray(p.from1_at, p.azimuth1, 1.5 * base);
        construction_ray(p.from2_at, p.azimuth2, 1.5 * base);
        break;
    case kCogoNoDistanceDistance:
        construction_circle(p.from1_at, p.distance1);
        construction_circle(p.from2_at, p.distance2);
        break;
    case kCogoNoAzimuthDistance:
        construction_ray(p.from1_at, p.azimuth1, base + p.distance2);
        construction_circle(p.from2_at, p.distance2);
        break;
    case kCogoNoDistanceAzimuth:
        construction_circle(p.from1_at, p.distance1);
        construction_ray(p.from2_at, p.azimuth2, base + p.distance1);
        break;
    default:
        break;
    }
}

void cogo_draw_curve(Position bc, Position ec, Position centre)
{
    if (s_slot < 0 || !defined(bc) || !defined(ec) || !defined(centre))
        return;
    construction_line(bc, centre);
    construction_line(centre, ec);
    const bool right = arc_side(bc, ec, centre) == 1;
    draw::dwg_add_arc(s_slot, kCogoLayer, false, "Solid", 1, false, draw::dwg_colour(0), at(centre),
        at(right ? bc : ec), at(right ? ec : bc));
}

namespace {
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_slot = -1; });
}  // namespace

}  // namespace cogo
