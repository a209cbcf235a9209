#include "calc/transform.h"

#include <cmath>

namespace calc {

namespace {

double about(double v)
{
    return is_unset(v) ? 0.0 : v;
}

}  // namespace

Xyz transform_forward(const TransformParameters& p, Xyz point)
{
    const double ea = about(p.about_e), na = about(p.about_n);
    const double e = point.e - ea, n = point.n - na;
    const double c = std::cos(p.rotation), s = std::sin(p.rotation);
    const double e1 = (e * c + n * s) * p.scale_e;
    const double n1 = (n * c - e * s) * p.scale_n;
    return {e1 + ea + p.shift_e, n1 + na + p.shift_n, point.el * p.scale_el + p.shift_el};
}

Xyz transform_inverse(const TransformParameters& p, Xyz point)
{
    const double ea = about(p.about_e), na = about(p.about_n);
    const double e = (point.e - p.shift_e - ea) / p.scale_e;
    const double n = (point.n - p.shift_n - na) / p.scale_n;
    const double c = std::cos(-p.rotation), s = std::sin(-p.rotation);
    return {e * c + n * s + ea, n * c - e * s + na, (point.el - p.shift_el) / p.scale_el};
}

bool transform_usable(const TransformParameters& p, std::u16string* why)
{
    for (double scale : {p.scale_n, p.scale_e, p.scale_el}) {
        if (!std::isfinite(scale) || scale == 0) {
            *why = u"Every scale must be a number other than 0.";
            return false;
        }
    }
    for (double v : {p.rotation, about(p.about_n), about(p.about_e), p.shift_n, p.shift_e, p.shift_el}) {
        if (!std::isfinite(v)) {
            *why = u"The rotation, About point and shifts must be numbers.";
            return false;
        }
    }
    return true;
}

}  // namespace calc
