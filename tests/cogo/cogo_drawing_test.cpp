// What the COGO drawing receives for each kind of result and for a curve.

#include "cogo/cogo_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "draw/drawing_model.h"
#include "tests/support/program_state.h"

namespace {

using cogo::CogoProblem;
using formats::Position;

class CogoDrawing : public testing_support::ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        ASSERT_GE(cogo::cogo_drawing_open(), 0);
    }

    // The live entities of the drawing, after the standard symbols, in order.
    std::vector<const draw::Entity*> entities()
    {
        std::vector<const draw::Entity*> out;
        for (draw::Node* n = draw::dwg_slot(cogo::cogo_drawing_slot()).first.get(); n; n = n->next.get())
            if (n->type == draw::kNodeEntity && !n->erased)
                out.push_back(&n->entity);
        return out;
    }

    std::string kinds()
    {
        std::string s;
        for (const draw::Entity* e : entities())
            s += std::to_string(e->kind) + (std::string(e->layer) == "COGO" ? "" : "?") + " ";
        return s;
    }
};

CogoProblem problem(int kind, int count)
{
    CogoProblem p;
    p.kind = kind;
    p.count = count;
    p.to = 31;
    p.from1_at = {1000, 5000};
    p.from2_at = {1100, 5000};
    p.azimuth1 = 0.5;
    p.azimuth2 = 5.8;
    p.distance1 = 80;
    p.distance2 = 70;
    p.to_easting = 1050;
    p.to_northing = 5060;
    p.b_easting = 1050;
    p.b_northing = 4940;
    return p;
}

TEST_F(CogoDrawing, EachKindLeavesItsConstructionsOnTheCogoLayer)
{
    const struct {
        int kind, count;
        const char* entities;  // kinds: 2 line, 5 circle, 8 symbol, 9 text
    } cases[] = {
        {cogo::kCogoInverse, 1, "2 "},
        {cogo::kCogoForward, 1, "2 8 9 "},
        {cogo::kCogoAzimuthAzimuth, 1, "2 2 8 9 "},
        {cogo::kCogoDistanceDistance, 1, "5 5 9 "},
        {cogo::kCogoDistanceDistance, 2, "5 5 9 9 "},
        {cogo::kCogoAzimuthDistance, 2, "2 5 9 9 "},
        {cogo::kCogoDistanceAzimuth, 1, "2 5 9 "},
        {cogo::kCogoNoAzimuthAzimuth, 0, "2 2 "},
        {cogo::kCogoNoDistanceDistance, 0, "5 5 "},
        {cogo::kCogoNoAzimuthDistance, 0, "2 5 "},
        {cogo::kCogoNoDistanceAzimuth, 0, "5 2 "},
    };
    for (const auto& c : cases) {
        cogo::cogo_drawing_clear();
        cogo::cogo_draw_result(problem(c.kind, c.count));
        EXPECT_EQ(kinds(), c.entities) << "kind " << c.kind << " with " << c.count;
    }

    // Kind 5 with two solutions: the line runs to the one farther from from 1 (B here).
    cogo::cogo_drawing_clear();
    CogoProblem p = problem(cogo::kCogoAzimuthDistance, 2);
    p.b_northing = 4800;
    cogo::cogo_draw_result(p);
    const draw::Entity& line = *entities()[0];
    EXPECT_EQ(line.geometry.line.end.y, 4800);
    EXPECT_STREQ(line.line_type, "Dash");

    // A failed azimuth-azimuth: rays of 1.5 times the base, 100 here.
    cogo::cogo_drawing_clear();
    cogo::cogo_draw_result(problem(cogo::kCogoNoAzimuthAzimuth, 0));
    const draw::LineGeometry& ray = entities()[0]->geometry.line;
    EXPECT_NEAR(std::hypot(ray.end.x - ray.start.x, ray.end.y - ray.start.y), 150, 1e-9);

    // Kind 4 letters are in Arial, the to number in Courier.
    cogo::cogo_drawing_clear();
    cogo::cogo_draw_result(problem(cogo::kCogoDistanceDistance, 1));
    EXPECT_STREQ(entities()[2]->geometry.text.face, "Arial");
    cogo::cogo_drawing_clear();
    cogo::cogo_draw_result(problem(cogo::kCogoForward, 1));
    EXPECT_STREQ(entities()[2]->geometry.text.face, "Courier");
    EXPECT_STREQ(entities()[2]->owned_text.get(), "31");

    // Calcs accumulate until cleared.
    cogo::cogo_draw_result(problem(cogo::kCogoInverse, 1));
    EXPECT_EQ(entities().size(), 4u);
    cogo::cogo_drawing_clear();
    EXPECT_TRUE(entities().empty());
}

TEST_F(CogoDrawing, ACurveArcRunsClockwiseFromBcOnlyWhenItTurnsRight)
{
    // North then east: the centre lies right of BC -> EC.
    cogo::cogo_draw_curve({1000, 5070}, {1030, 5100}, {1030, 5070});
    ASSERT_EQ(kinds(), "2 2 7 ");
    EXPECT_EQ(entities()[2]->geometry.arc.start.y, 5070);
    EXPECT_STREQ(entities()[2]->line_type, "Solid");
    cogo::cogo_drawing_clear();
    // North then west: from EC to BC.
    cogo::cogo_draw_curve({1000, 5070}, {970, 5100}, {970, 5070});
    EXPECT_EQ(entities()[2]->geometry.arc.start.x, 970);

    cogo::cogo_drawing_close();
    EXPECT_EQ(cogo::cogo_drawing_slot(), -1);
    cogo::cogo_draw_result(problem(cogo::kCogoForward, 1));  // no drawing: nothing, and no harm
    cogo::cogo_drawing_clear();
}

}  // namespace
