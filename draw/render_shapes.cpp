#include "draw/render_shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/segment_visibility.h"
#include "draw/view.h"

namespace draw {
namespace {

bool finite(Vec2 p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

DevicePoint rounded(Vec2 p)
{
    return DevicePoint {int(round_half_away(p.x)), int(round_half_away(p.y))};
}

// False when the circle about `centre` cannot reach a pixel of the context: it is left out.
bool may_show(const gdi::DC& dc, Vec2 centre, double radius)
{
    double r = std::fabs(radius);
    Vec2 a = view_device_position(centre.x - r, centre.y + r), b = view_device_position(centre.x + r, centre.y - r);
    if (!finite(a) || !finite(b))
        return false;
    gdi::Rect clip = dc.clip();
    double left = clip.left - dc.origin().x, top = clip.top - dc.origin().y;
    double right = clip.right - dc.origin().x, bottom = clip.bottom - dc.origin().y;
    return std::max(a.x, b.x) >= left - 1 && std::min(a.x, b.x) <= right + 1 && std::max(a.y, b.y) >= top - 1
        && std::min(a.y, b.y) <= bottom + 1;
}

// Cosine and sine of k * step degrees, k = 0 .. 360 / step, for the steps circles are drawn in: computed
// once, not for every circle of every paint.
class AngleTable {
public:
    explicit AngleTable(double step)
        : m_step(step)
    {
        for (int k = 0; k * step <= 360.0; ++k) {
            m_cos.push_back(std::cos(k * step * kDegree));
            m_sin.push_back(std::sin(k * step * kDegree));
        }
    }
    double step() const { return m_step; }
    size_t size() const { return m_cos.size(); }
    double cos(size_t k) const { return m_cos[k]; }
    double sin(size_t k) const { return m_sin[k]; }

private:
    double m_step;
    std::vector<double> m_cos, m_sin;
};

const AngleTable& angles(double step)
{
    static const AngleTable entity(kEntityCircleStep), symbol(kSymbolCircleStep);
    return step == kSymbolCircleStep ? symbol : entity;
}

}  // namespace

void draw_world_segment(gdi::DC& dc, const gdi::Pen& pen, Vec2 a, Vec2 b)
{
    DevicePoint pa, pb;
    if (!world_segment_pixels(a.x, a.y, b.x, b.y, &pa, &pb))
        return;
    gdi::Pen saved = dc.select_pen(pen);
    dc.move_to(pa.x, pa.y);
    dc.line_to(pb.x, pb.y);
    dc.select_pen(saved);
}

WorldPolyline::WorldPolyline(gdi::DC& dc, const gdi::Pen& pen)
    : m_dc(dc)
    , m_saved_pen(dc.select_pen(pen))
{
}

WorldPolyline::~WorldPolyline()
{
    m_dc.select_pen(m_saved_pen);
}

void WorldPolyline::add(Vec2 world)
{
    Vec2 p = view_device_position(world.x, world.y);
    if (!std::isfinite(world.x) || !std::isfinite(world.y) || !finite(p)) {
        m_started = false;  // the line breaks at a point that has no pixel
        return;
    }
    Vec2 a = m_previous, b = p;
    bool joined = m_started;
    m_previous = p;
    m_started = true;
    if (!joined || !clip_to_device_limit(&a, &b)) {
        m_has_position = false;
        return;
    }
    DevicePoint pa = rounded(a), pb = rounded(b);
    if (!m_has_position || m_position.x != pa.x || m_position.y != pa.y)
        m_dc.move_to(pa.x, pa.y);  // the first segment, or one cut back at its start
    m_dc.line_to(pb.x, pb.y);
    m_position = pb;
    m_has_position = true;
}

void draw_world_circle(gdi::DC& dc, const gdi::Pen& pen, Vec2 centre, double radius, bool in_symbol)
{
    if (!may_show(dc, centre, radius))
        return;
    const AngleTable& table = angles(in_symbol ? kSymbolCircleStep : kEntityCircleStep);
    WorldPolyline line(dc, pen);
    Vec2 start {centre.x + radius, centre.y};
    line.add(start);
    // a = 360 - k step while a > 0: cos a = cos(k step), sin a = -sin(k step).
    for (size_t k = 0; k < table.size() && 360.0 - double(k) * table.step() > 0; ++k)
        line.add(Vec2 {centre.x + radius * table.cos(k), centre.y - radius * table.sin(k)});
    line.add(start);
}

void draw_world_arc(gdi::DC& dc, const gdi::Pen& pen, Vec2 centre, Vec2 start, Vec2 end)
{
    Vec2 v {start.x - centre.x, start.y - centre.y};
    if (!may_show(dc, centre, std::hypot(v.x, v.y)))
        return;
    double sweep = arc_sweep_degrees(centre.x, centre.y, start.x, start.y, end.x, end.y);
    WorldPolyline line(dc, pen);
    line.add(start);
    const AngleTable& table = angles(kEntityCircleStep);
    for (size_t k = 1; k < table.size() && double(k) * table.step() < sweep; ++k) {
        Vec2 p = turn_clockwise(v, table.cos(k), table.sin(k));
        line.add(Vec2 {centre.x + p.x, centre.y + p.y});
    }
    Vec2 p = turn_clockwise(v, sweep);
    line.add(Vec2 {centre.x + p.x, centre.y + p.y});
}

}  // namespace draw
