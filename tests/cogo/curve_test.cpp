// The curve solution: the element formulas, the delta search, every route from two elements, three points
// and a PI with its tangents, and the inputs that must compute nothing.

#include "cogo/curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using cogo::Curve;
using cogo::CurveElements;
using formats::Position;

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180;

Curve with_elements(std::initializer_list<std::pair<double CurveElements::*, double>> given)
{
    Curve c;
    for (const auto& [field, value] : given)
        c.elements.*field = value;
    return c;
}

Curve with_delta(std::initializer_list<std::pair<double CurveElements::*, double>> given, double delta)
{
    Curve c = with_elements(given);
    c.elements.delta = delta;
    c.elements.delta_given = true;
    return c;
}

void set_row(Curve& c, int row, Position p)
{
    c.rows[row].easting = p.e;
    c.rows[row].northing = p.n;
    c.rows[row].known = true;
}

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool same_curve(const Curve& a, const Curve& b)
{
    const CurveElements &x = a.elements, &y = b.elements;
    bool rows = true;
    for (int i = 0; i < 4; ++i)
        rows = rows && a.rows[i].number == b.rows[i].number && a.rows[i].easting == b.rows[i].easting
            && a.rows[i].northing == b.rows[i].northing && a.rows[i].known == b.rows[i].known;
    return rows && same(x.radius, y.radius) && same(x.arc, y.arc) && same(x.tangent, y.tangent)
        && same(x.chord, y.chord) && same(x.middle_ordinate, y.middle_ordinate) && same(x.external, y.external)
        && same(x.delta, y.delta) && x.delta_given == y.delta_given && a.row1_is_bc == b.row1_is_bc
        && a.row3_is_ec == b.row3_is_ec;
}

void expect_nothing(Curve c, const char* what)
{
    const Curve before = c;
    ASSERT_FALSE(cogo::solve_curve(&c).computed) << what;
    EXPECT_TRUE(same_curve(c, before)) << what << ": a curve that computes nothing is left as it was";
}

TEST(Curve, ElementsOfAQuarterCircleAndTheSearchBack)
{
    Curve c = with_delta({{&CurveElements::radius, 100}}, 90 * kDegree);
    ASSERT_TRUE(cogo::solve_curve(&c).computed);
    EXPECT_NEAR(c.elements.arc, 157.0796327, 1e-6);
    EXPECT_NEAR(c.elements.tangent, 100.0, 1e-9);
    EXPECT_NEAR(c.elements.chord, 141.4213562, 1e-6);
    EXPECT_NEAR(c.elements.middle_ordinate, 29.2893219, 1e-6);
    EXPECT_NEAR(c.elements.external, 41.4213562, 1e-6);

    c = with_elements({{&CurveElements::arc, 157.0796}, {&CurveElements::chord, 141.4214}});
    ASSERT_TRUE(cogo::solve_curve(&c).computed);
    EXPECT_NEAR(c.elements.delta / kDegree, 90.0, 1e-3);
    EXPECT_NEAR(c.elements.radius, 100.0, 1e-3);
}

// From the elements of a random curve, every pair the table knows leads back to its radius and delta: the
// closed forms to rounding, the searched pairs as closely as their ratio pins delta down (a flat curve from
// its arc and chord is ill-conditioned in itself).
TEST(Curve, EveryRouteFromTwoElementsFindsTheCurveTheyCameFrom)
{
    using E = CurveElements;
    struct Route {
        double E::*first;
        double E::*second;  // nullptr: the second element is delta
        bool searched;
    };
    const Route routes[]
        = {{&E::radius, &E::arc, false}, {&E::radius, &E::tangent, false}, {&E::radius, &E::chord, false},
            {&E::radius, &E::middle_ordinate, false}, {&E::radius, &E::external, false}, {&E::radius, nullptr, false},
            {&E::arc, &E::tangent, true}, {&E::arc, &E::chord, true}, {&E::arc, &E::middle_ordinate, true},
            {&E::arc, &E::external, true}, {&E::arc, nullptr, false}, {&E::tangent, &E::chord, false},
            {&E::tangent, &E::external, true}, {&E::tangent, nullptr, false}, {&E::chord, &E::middle_ordinate, true},
            {&E::chord, &E::external, true}, {&E::chord, nullptr, false}, {&E::middle_ordinate, &E::external, true},
            {&E::middle_ordinate, nullptr, false}, {&E::external, nullptr, false}};
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> radius(1.0, 5000.0), delta(2 * kDegree, 170 * kDegree);
    for (int i = 0; i < 200; ++i) {
        const CurveElements truth = cogo::elements_from(radius(rng), delta(rng));
        for (const Route& route : routes) {
            Curve c;
            c.elements.*route.first = truth.*route.first;
            if (route.second)
                c.elements.*route.second = truth.*route.second;
            else {
                c.elements.delta = truth.delta;
                c.elements.delta_given = true;
            }
            ASSERT_TRUE(cogo::solve_curve(&c).computed) << i;
            const double tolerance = route.searched ? 1e-6 / (truth.delta * truth.delta) : 1e-9;
            EXPECT_NEAR(c.elements.radius / truth.radius, 1.0, tolerance) << i;
            EXPECT_NEAR(c.elements.delta / truth.delta, 1.0, tolerance) << i;
            EXPECT_NEAR(c.elements.*route.first / (truth.*route.first), 1.0, tolerance) << i;
        }
    }
    // Tangent and middle ordinate have no route, delta or not.
    const CurveElements q = cogo::elements_from(100, kPi / 3);
    expect_nothing(with_elements({{&E::tangent, q.tangent}, {&E::middle_ordinate, q.middle_ordinate}}), "T, M");
    expect_nothing(
        with_delta({{&E::tangent, q.tangent}, {&E::middle_ordinate, q.middle_ordinate}}, q.delta), "T, M, delta");
    expect_nothing(with_elements({{&E::arc, 10}}), "one element");
}

TEST(Curve, ElementsOutsideTheirDomainComputeNothing)
{
    using E = CurveElements;
    expect_nothing(with_elements({{&E::radius, 10}, {&E::chord, 20.5}}), "chord beyond the diameter");
    expect_nothing(with_elements({{&E::radius, 10}, {&E::middle_ordinate, 20.5}}), "middle ordinate beyond it");
    expect_nothing(with_elements({{&E::tangent, 10}, {&E::chord, 20}}), "chord twice the tangent");
    expect_nothing(with_elements({{&E::tangent, 10}, {&E::chord, 25}}), "chord beyond twice the tangent");
    expect_nothing(with_elements({{&E::radius, -10}, {&E::arc, 5}}), "negative radius");
    expect_nothing(with_elements({{&E::radius, 10}, {&E::arc, NAN}}), "arc not a number");
    expect_nothing(with_delta({{&E::radius, 10}}, 0.0), "a delta of 0");
    expect_nothing(with_delta({{&E::arc, 10}}, 0.0), "a delta of 0 with the arc");
    expect_nothing(with_elements({{&E::arc, 100}, {&E::middle_ordinate, 90}}), "M/L that f never reaches");

    // A semicircle whose chord rounds a hair past the diameter is a semicircle.
    Curve c = with_elements({{&E::radius, 10}, {&E::chord, 20 * (1 + 1e-13)}});
    ASSERT_TRUE(cogo::solve_curve(&c).computed);
    EXPECT_DOUBLE_EQ(c.elements.delta, kPi);
    EXPECT_EQ(c.elements.tangent, 0) << "a half circle has no finite tangent: not shown";
    EXPECT_EQ(c.elements.external, 0);
    EXPECT_TRUE(std::isfinite(c.elements.arc));

    EXPECT_FALSE(cogo::search_delta(cogo::CurvePair::ArcChord, NAN));
    EXPECT_FALSE(cogo::search_delta(cogo::CurvePair::ArcMiddle, 5.0));
}

TEST(Curve, ThreePointsOnACircleGiveItsCentre)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> radius(5.0, 2000.0), angle(0, 2 * kPi), sweep(0.2, 3.0);
    for (int i = 0; i < 300; ++i) {
        const Position centre {500000 + radius(rng), 5200000 + radius(rng)};
        const double r = radius(rng), a = angle(rng), s = sweep(rng);
        auto on_circle = [&](double t) { return Position {centre.e + r * std::sin(t), centre.n + r * std::cos(t)}; };
        Curve c;
        c.rows[cogo::kCurveRowCentre].number = 77;
        set_row(c, cogo::kCurveRowStart, on_circle(a));
        set_row(c, cogo::kCurveRowMiddle, on_circle(a + 0.37 * s));
        set_row(c, cogo::kCurveRowEnd, on_circle(a + s));
        const cogo::CurveSolution got = cogo::solve_curve(&c);
        ASSERT_TRUE(got.computed && got.has_centre) << i;
        EXPECT_NEAR(got.centre.e, centre.e, 1e-5 * r) << i;
        EXPECT_NEAR(got.centre.n, centre.n, 1e-5 * r) << i;
        EXPECT_NEAR(c.elements.radius, r, 1e-5 * r) << i;
        EXPECT_NEAR(c.elements.delta, std::fmin(s, 2 * kPi - s), 1e-6) << i;
        EXPECT_EQ(c.rows[cogo::kCurveRowCentre].number, 0u) << "the old centre number goes with the old centre";
    }

    // A semicircle: the PC at half the chord from the chord's midpoint.
    Curve c;
    set_row(c, cogo::kCurveRowStart, {100, 200});
    set_row(c, cogo::kCurveRowMiddle, {150, 250});
    set_row(c, cogo::kCurveRowEnd, {200, 200});
    ASSERT_TRUE(cogo::solve_curve(&c).has_centre);
    EXPECT_EQ(c.rows[cogo::kCurveRowCentre].easting, 150);
    EXPECT_EQ(c.rows[cogo::kCurveRowCentre].northing, 200);
    EXPECT_DOUBLE_EQ(c.elements.delta, kPi);

    Curve line;
    set_row(line, cogo::kCurveRowStart, {0, 0});
    set_row(line, cogo::kCurveRowMiddle, {10, 10});
    set_row(line, cogo::kCurveRowEnd, {30, 30});
    expect_nothing(line, "three points on one line");
    Curve spot;
    set_row(spot, cogo::kCurveRowStart, {5, 5});
    set_row(spot, cogo::kCurveRowMiddle, {5, 6});
    set_row(spot, cogo::kCurveRowEnd, {5, 5});
    expect_nothing(spot, "BC on the EC");
}

Curve tangents(Position back, Position pi, Position ahead)
{
    Curve c;
    c.row1_is_bc = false;
    c.row2_is_pi = true;
    c.row3_is_ec = false;
    set_row(c, cogo::kCurveRowStart, back);
    set_row(c, cogo::kCurveRowMiddle, pi);
    set_row(c, cogo::kCurveRowEnd, ahead);
    c.rows[cogo::kCurveRowStart].number = 11;
    c.rows[cogo::kCurveRowEnd].number = 13;
    return c;
}

TEST(Curve, APiWithItsTangentsPutsTheCurveOnThem)
{
    // North, then a right-hand bend to the east: BC south of the PI, EC east of it, the centre to the
    // right (east) of the back tangent.
    Curve c = tangents({1000, 5000}, {1000, 5100}, {1100, 5100});
    c.elements.tangent = 30;
    const cogo::CurveSolution got = cogo::solve_curve(&c);
    ASSERT_TRUE(got.has_centre);
    EXPECT_NEAR(got.bc.e, 1000, 1e-9);
    EXPECT_NEAR(got.bc.n, 5070, 1e-9);
    EXPECT_NEAR(got.ec.e, 1030, 1e-9);
    EXPECT_NEAR(got.ec.n, 5100, 1e-9);
    EXPECT_NEAR(got.centre.e, 1030, 1e-6);
    EXPECT_NEAR(got.centre.n, 5070, 1e-6);
    EXPECT_TRUE(c.row1_is_bc && c.row3_is_ec);
    EXPECT_EQ(c.rows[cogo::kCurveRowStart].number, 0u);
    EXPECT_EQ(c.rows[cogo::kCurveRowEnd].number, 0u);
    EXPECT_NEAR(c.elements.radius, 30, 1e-9);

    // Random bends either way, at grid magnitudes: both tangent points at distance R from the centre.
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> az(0, 2 * kPi), bend(0.05, 2.9), length(20, 400), r(5, 900);
    for (int i = 0; i < 300; ++i) {
        const Position pi {355000 + length(rng), 5210000 + length(rng)};
        const double a1 = az(rng), a2 = a1 + (i % 2 ? 1 : -1) * bend(rng);
        Curve k = tangents(formats::point_from_bearing(pi, a1 + kPi, length(rng)), pi,
            formats::point_from_bearing(pi, a2, length(rng)));
        k.elements.radius = r(rng);
        const cogo::CurveSolution s = cogo::solve_curve(&k);
        ASSERT_TRUE(s.has_centre) << i;
        EXPECT_NEAR(formats::plane_distance(s.centre, s.bc), k.elements.radius, 1e-6) << i;
        EXPECT_NEAR(formats::plane_distance(s.centre, s.ec), k.elements.radius, 1e-6) << i;
        EXPECT_NEAR(formats::plane_distance(pi, s.bc), k.elements.tangent, 1e-6) << i;
    }

    expect_nothing(tangents({0, 0}, {0, 100}, {0, 250}), "PIs on one line");
    Curve none = tangents({0, 0}, {0, 100}, {50, 150});
    expect_nothing(none, "no element given");
}

}  // namespace
