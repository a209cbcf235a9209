// The COGO solver against a real coordinate file: which problem each filling of the form poses (every kind,
// in the order the tests are made), the values it computes for hand-worked figures (3-4-5 triangles), the
// other solution of kinds 4 to 6, the offset lines, and the faults a failed solve must not leave behind.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

#include "cogo/cogo_problem.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/support/plane_checks.h"
#include "tests/support/temp_device.h"

namespace {

using cogo::CogoProblem;
using formats::kUndefinedValue;
using formats::Position;

constexpr double kPi = std::numbers::pi;
const double kA = std::atan2(3.0, 4.0);  // azimuth of a 3 east, 4 north leg

// Stored points (E, N): 1 the origin of the figures, 2 at 3 east 4 north of it, 4 six east of it, 5 at
// (10, 3) from it, 6 twenty north of it, 7 due west and 8 due south of it. Point 3 is not stored.
constexpr double kE = 500000, kN = 5000000;

class CogoSolverTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        ASSERT_TRUE(store::coord_create(u"\\My Documents\\Cogo.dat"));
        store_point(1, 0, 0);
        store_point(2, 3, 4);
        store_point(4, 6, 0);
        store_point(5, 10, 3);
        store_point(6, 0, 20);
        store_point(7, -12, 0);
        store_point(8, 0, -7);
    }

    static void store_point(uint32_t number, double de, double dn)
    {
        store::PointRecord p;
        p.number = number;
        p.easting = kE + de;
        p.northing = kN + dn;
        ASSERT_EQ(store::point_store(p, false), 1);
    }

    // A problem as a Calc hands it over: results cleared, offsets resolved.
    static int calc(CogoProblem* p)
    {
        CogoProblem typed = *p;
        cogo::cogo_clear_results(p);
        p->azimuth1 = typed.azimuth1;
        p->distance1 = typed.distance1;
        p->azimuth2 = typed.azimuth2;
        p->distance2 = typed.distance2;
        cogo::cogo_resolve_offset_lines(p);
        return cogo::cogo_solve(p);
    }

    static CogoProblem two(uint32_t from1, double az1, double d1, uint32_t from2, double az2, double d2)
    {
        CogoProblem p;
        p.from1 = from1;
        p.to = 9;
        p.from2 = from2;
        p.azimuth1 = az1;
        p.distance1 = d1;
        p.azimuth2 = az2;
        p.distance2 = d2;
        return p;
    }

    static void expect_to(const CogoProblem& p, double de, double dn)
    {
        EXPECT_NEAR(p.to_easting, kE + de, 1e-7);
        EXPECT_NEAR(p.to_northing, kN + dn, 1e-7);
    }
};

constexpr double U = kUndefinedValue;

TEST_F(CogoSolverTest, InverseAndForwardOnASingleLine)
{
    CogoProblem p;
    p.from1 = 1;
    EXPECT_EQ(calc(&p), cogo::kCogoNothing);  // no to point
    p.to = 2;
    ASSERT_EQ(calc(&p), cogo::kCogoInverse);
    EXPECT_NEAR(p.distance1, 5, 1e-9);
    EXPECT_NEAR(p.azimuth1, kA, 1e-12);
    EXPECT_EQ(p.count, 1);
    expect_to(p, 3, 4);
    EXPECT_EQ(p.from1_at.e, kE);

    struct Case {
        uint32_t to;
        double distance, azimuth;
    };
    for (Case c : {Case {1, 0, 0}, Case {7, 12, 3 * kPi / 2}, Case {8, 7, kPi}}) {
        p.to = c.to;
        p.azimuth1 = p.distance1 = U;
        ASSERT_EQ(calc(&p), cogo::kCogoInverse) << c.to;
        EXPECT_NEAR(p.distance1, c.distance, 1e-9) << c.to;
        EXPECT_NEAR(p.azimuth1, c.azimuth, 1e-12) << c.to;
    }
    p.to = 3;  // not stored
    p.azimuth1 = p.distance1 = U;
    EXPECT_EQ(calc(&p), cogo::kCogoNothing);
    EXPECT_EQ(p.count, 0);
    EXPECT_EQ(p.distance1, U);

    // Forward, then the inverse of the point it gives: the same azimuth and distance back.
    testing_support::PlaneRandom random(21);
    for (int i = 0; i < 50; ++i) {
        CogoProblem f;
        f.from1 = 2;
        f.to = 3;
        f.azimuth1 = random.azimuth();
        f.distance1 = random.uniform(1, 5000);
        ASSERT_EQ(calc(&f), cogo::kCogoForward);
        EXPECT_EQ(f.count, 1);
        store::PointRecord q;
        q.number = 30 + i;
        q.easting = f.to_easting;
        q.northing = f.to_northing;
        ASSERT_EQ(store::point_store(q, false), 1);
        CogoProblem back;
        back.from1 = 2;
        back.to = q.number;
        ASSERT_EQ(calc(&back), cogo::kCogoInverse);
        EXPECT_NEAR(back.distance1, f.distance1, 1e-6) << i;
        EXPECT_NEAR(back.azimuth1 * back.distance1, f.azimuth1 * f.distance1, 1e-6) << i;
    }

    // Coordinates already known are not read again; a missing point without them poses nothing.
    CogoProblem typed;
    typed.from1 = 3;
    typed.to = 9;
    typed.azimuth1 = kPi / 2;
    typed.distance1 = 10;
    EXPECT_EQ(cogo::cogo_solve(&typed), cogo::kCogoNothing);
    typed.from1_at = {100, 200};
    ASSERT_EQ(cogo::cogo_solve(&typed), cogo::kCogoForward);
    EXPECT_NEAR(typed.to_easting, 110, 1e-12);
    EXPECT_NEAR(typed.to_northing, 200, 1e-12);
    typed.distance1 = U;  // an azimuth alone
    EXPECT_EQ(cogo::cogo_solve(&typed), cogo::kCogoNothing);
    // Nothing non-finite leaves as a result.
    typed.distance1 = INFINITY;
    EXPECT_EQ(cogo::cogo_solve(&typed), cogo::kCogoNothing);
}

TEST_F(CogoSolverTest, TwoLinesPoseEachIntersectionOrNothing)
{
    // Azimuth-azimuth: north-east from 1, north-west from 4 meet at (3, 3).
    CogoProblem p = two(1, kPi / 4, U, 4, 7 * kPi / 4, U);
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthAzimuth);
    expect_to(p, 3, 3);
    EXPECT_NEAR(p.distance1, 3 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(p.distance2, 3 * std::sqrt(2.0), 1e-9);
    EXPECT_EQ(p.count, 1);
    p = two(1, kPi / 4, U, 4, kPi / 4, U);  // parallel
    EXPECT_EQ(calc(&p), cogo::kCogoNoAzimuthAzimuth);
    p = two(1, kPi / 2, U, 4, 3 * kPi / 2, U);  // one line, facing each other
    EXPECT_EQ(calc(&p), cogo::kCogoNoAzimuthAzimuth);
    EXPECT_EQ(p.to_easting, U);

    // Combinations that pose nothing.
    for (CogoProblem bad : {two(1, kPi / 4, 5, 4, 7 * kPi / 4, U),  // azimuth and distance on line 1
             two(1, kPi / 4, U, 4, 7 * kPi / 4, 5),                 // and on line 2
             two(1, kPi / 4, U, 4, U, U),                           // line 2 with neither
             two(1, U, 5, 4, U, U), two(1, U, 5, 4, 7 * kPi / 4, 5),
             two(1, U, U, 4, 7 * kPi / 4, U),        // line 1 with neither
             two(1, kPi / 4, U, 3, 7 * kPi / 4, U),  // from 2 not stored
             two(3, U, 5, 4, U, 5)}) {
        EXPECT_EQ(calc(&bad), cogo::kCogoNothing);
        EXPECT_EQ(bad.count, 0);
    }
    CogoProblem no_to = two(1, kPi / 4, U, 4, 7 * kPi / 4, U);
    no_to.to = 0;
    EXPECT_EQ(calc(&no_to), cogo::kCogoNothing);
}

TEST_F(CogoSolverTest, DistanceDistanceAndTheOtherSolution)
{
    // Circles of 5 about 1 and about 4 (6 apart): (3, 4) left of 1 -> 4, (3, -4) right of it.
    CogoProblem p = two(1, U, 5, 4, U, 5);
    ASSERT_EQ(calc(&p), cogo::kCogoDistanceDistance);
    EXPECT_EQ(p.count, 2);
    expect_to(p, 3, 4);
    EXPECT_NEAR(p.b_easting, kE + 3, 1e-7);
    EXPECT_NEAR(p.b_northing, kN - 4, 1e-7);
    EXPECT_NEAR(p.azimuth1, kA, 1e-9);
    EXPECT_NEAR(p.azimuth2, 2 * kPi - kA, 1e-9);

    cogo::CogoShown shown;
    ASSERT_TRUE(cogo::cogo_other_solution(&p, &shown));
    EXPECT_EQ(p.shown, 2);
    EXPECT_EQ(std::u16string(shown.caption), u"B");
    EXPECT_NEAR(shown.easting, kE + 3, 1e-7);
    EXPECT_NEAR(shown.northing, kN - 4, 1e-7);
    EXPECT_NEAR(shown.azimuth1, kPi - kA, 1e-9);
    EXPECT_NEAR(shown.azimuth2, kPi + kA, 1e-9);
    EXPECT_EQ(shown.distance1, 5);
    expect_to(p, 3, 4);  // the problem keeps solution A
    ASSERT_TRUE(cogo::cogo_other_solution(&p, &shown));
    EXPECT_EQ(std::u16string(shown.caption), u"A");
    EXPECT_NEAR(shown.northing, kN + 4, 1e-7);
    EXPECT_NEAR(shown.azimuth1, kA, 1e-9);

    // External contact: one solution, no A/B.
    p = two(1, U, 2, 4, U, 4);
    ASSERT_EQ(calc(&p), cogo::kCogoDistanceDistance);
    EXPECT_EQ(p.count, 1);
    expect_to(p, 2, 0);
    EXPECT_FALSE(cogo::cogo_other_solution(&p, &shown));

    // A failed solve after a two-solution one leaves no count behind for A/B to use.
    p = two(1, U, 5, 4, U, 5);
    ASSERT_EQ(calc(&p), cogo::kCogoDistanceDistance);
    p.azimuth1 = p.azimuth2 = U;
    p.distance1 = 20;  // circle 4 inside circle 1
    EXPECT_EQ(calc(&p), cogo::kCogoNoDistanceDistance);
    EXPECT_EQ(p.count, 0);
    cogo::CogoShown untouched;
    untouched.easting = 1;
    EXPECT_FALSE(cogo::cogo_other_solution(&p, &untouched));
    EXPECT_EQ(untouched.easting, 1);
    EXPECT_EQ(p.shown, 1);
}

TEST_F(CogoSolverTest, AzimuthDistanceBothWaysRound)
{
    // Due east from 1, circle of 5 about 5 at (10, 3): far (14, 0) is A, near (6, 0) is B.
    CogoProblem p = two(1, kPi / 2, U, 5, U, 5);
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthDistance);
    EXPECT_EQ(p.count, 2);
    expect_to(p, 14, 0);
    EXPECT_NEAR(p.distance1, 14, 1e-9);
    EXPECT_NEAR(p.azimuth2, kPi - std::atan2(4.0, 3.0), 1e-9);  // (10, 3) -> (14, 0)
    cogo::CogoShown shown;
    ASSERT_TRUE(cogo::cogo_other_solution(&p, &shown));
    EXPECT_NEAR(shown.easting, kE + 6, 1e-7);
    EXPECT_NEAR(shown.distance1, 6, 1e-9);
    EXPECT_NEAR(shown.azimuth2, kPi + std::atan2(4.0, 3.0), 1e-9);
    EXPECT_EQ(shown.azimuth1, kPi / 2);

    // The same figure with the lines swapped is kind 6.
    p = two(5, U, 5, 1, kPi / 2, U);
    ASSERT_EQ(calc(&p), cogo::kCogoDistanceAzimuth);
    expect_to(p, 14, 0);
    EXPECT_NEAR(p.azimuth1, kPi - std::atan2(4.0, 3.0), 1e-9);
    EXPECT_NEAR(p.distance2, 14, 1e-9);
    ASSERT_TRUE(cogo::cogo_other_solution(&p, &shown));
    EXPECT_NEAR(shown.azimuth1, kPi + std::atan2(4.0, 3.0), 1e-9);
    EXPECT_NEAR(shown.distance2, 6, 1e-9);

    // From inside the circle: one solution ahead. Running away from it: none.
    p = two(5, kPi, U, 5, U, 5);
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthDistance);
    EXPECT_EQ(p.count, 1);
    expect_to(p, 10, -2);
    EXPECT_FALSE(cogo::cogo_other_solution(&p, &shown));
    p = two(1, 3 * kPi / 2, U, 5, U, 5);
    EXPECT_EQ(calc(&p), cogo::kCogoNoAzimuthDistance);
    p = two(5, U, 5, 1, 3 * kPi / 2, U);
    EXPECT_EQ(calc(&p), cogo::kCogoNoDistanceAzimuth);
    EXPECT_EQ(p.azimuth1, U);
}

TEST_F(CogoSolverTest, OffsetLinesAreParallelsThroughTheOffsetPoint)
{
    // North from 1 offset 10 to the right is the line E = 10; east from 6 (N = 20) meets it at (10, 20).
    CogoProblem p = two(1, 0, 10, 6, kPi / 2, U);
    p.mode1 = cogo::kCogoLineOffsetRight;
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthAzimuth);
    EXPECT_NEAR(p.from1_at.e, kE + 10, 1e-9);
    EXPECT_NEAR(p.from1_at.n, kN, 1e-9);
    expect_to(p, 10, 20);
    EXPECT_NEAR(p.distance1, 20, 1e-9);  // along the parallel, from the offset point
    // Offset to the left the line is E = -10, met by the ray west from 6.
    p = two(1, 0, 10, 6, 3 * kPi / 2, U);
    p.mode1 = cogo::kCogoLineOffsetLeft;
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthAzimuth);
    expect_to(p, -10, 20);
    // The second line offset too: east from 6 offset 5 right is N = 15.
    p = two(1, 0, 10, 6, kPi / 2, 5);
    p.mode1 = cogo::kCogoLineOffsetRight;
    p.mode2 = cogo::kCogoLineOffsetRight;
    ASSERT_EQ(calc(&p), cogo::kCogoAzimuthAzimuth);
    expect_to(p, 10, 15);

    // On its own an offset line has no distance: nothing. From a point not stored: nothing either.
    CogoProblem single;
    single.from1 = 1;
    single.to = 9;
    single.azimuth1 = 0;
    single.distance1 = 10;
    single.mode1 = cogo::kCogoLineOffsetLeft;
    EXPECT_EQ(calc(&single), cogo::kCogoNothing);
    EXPECT_EQ(single.distance1, U);
    p = two(3, 0, 10, 6, kPi / 2, U);
    p.mode1 = cogo::kCogoLineOffsetRight;
    cogo::cogo_clear_results(&p);
    p.azimuth1 = 0;
    p.distance1 = 10;
    p.azimuth2 = kPi / 2;
    cogo::cogo_resolve_offset_lines(&p);
    EXPECT_EQ(p.from1_at.e, U);
    EXPECT_EQ(cogo::cogo_solve(&p), cogo::kCogoNothing);
}

TEST_F(CogoSolverTest, RandomTwoLineProblemsNeverGiveANonFiniteResult)
{
    testing_support::PlaneRandom random(41);
    auto sometimes = [&](double value) { return random.uniform(0, 1) < 0.5 ? value : U; };
    std::map<int, int> kinds;
    for (int i = 0; i < 3000; ++i) {
        CogoProblem p;
        p.from1 = 1;
        p.from2 = 2;
        p.to = 9;
        Position a = random.position(true);
        // Second points close to, on, or far from the first; azimuths and distances near the degenerate.
        double gap = std::pow(10.0, random.uniform(-9, 3)) * (i % 7 == 0 ? 0 : 1);
        Position b = formats::point_from_bearing(a, random.azimuth(), gap);
        p.from1_at = a;
        p.from2_at = b;
        double az1 = random.azimuth();
        p.azimuth1 = sometimes(az1);
        p.distance1 = sometimes(std::pow(10.0, random.uniform(-9, 3)));
        p.azimuth2 = sometimes(i % 3 == 0 ? az1 + kPi + random.uniform(-1e-8, 1e-8) : random.azimuth());
        p.distance2 = sometimes(i % 5 == 0 ? gap + p.distance1 : std::pow(10.0, random.uniform(-9, 3)));
        int kind = cogo::cogo_solve(&p);
        ++kinds[kind];
        for (double v :
            {p.to_easting, p.to_northing, p.b_easting, p.b_northing, p.azimuth1, p.distance1, p.azimuth2, p.distance2})
            ASSERT_TRUE(std::isfinite(v)) << i;
        if (kind <= 0) {
            EXPECT_EQ(p.count, 0) << i;
            EXPECT_EQ(p.to_easting, U) << i;
        }
        cogo::CogoShown shown;
        if (cogo::cogo_other_solution(&p, &shown)) {
            ASSERT_TRUE(std::isfinite(shown.easting) && std::isfinite(shown.northing)) << i;
            EXPECT_EQ(p.count, 2) << i;
        }
    }
    for (int kind : {0, 3, 4, 5, 6, -3, -4, -5, -6})
        EXPECT_GT(kinds[kind], 10) << "kind " << kind << " hardly tried";
}

TEST_F(CogoSolverTest, TheProblemOfTheRunStaysUntilTheProgramStateIsReset)
{
    cogo::cogo_problem().from1 = 12;
    cogo::cogo_problem().mode2 = cogo::kCogoLineOffsetLeft;
    cogo::cogo_clear_results(&cogo::cogo_problem());
    EXPECT_EQ(cogo::cogo_problem().from1, 12u);
    EXPECT_EQ(cogo::cogo_problem().mode2, cogo::kCogoLineOffsetLeft);
    testing_support::reset_program_state();
    EXPECT_EQ(cogo::cogo_problem().from1, 0u);
    EXPECT_EQ(cogo::cogo_problem().mode2, cogo::kCogoLineDistance);
}

}  // namespace
