// The map check and area plots as drawings: each leg, arc and point of a figure becomes the entity the plot
// shows, on layer "0", in the plot's colours and line types, with counter-clockwise arcs turned to run
// clockwise as the drawing model draws them.

#include <gtest/gtest.h>

#include <map>

#include "calc/curve_types.h"
#include "calc/figure_drawing.h"
#include "calc/mapcheck.h"
#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/palette.h"
#include "formats/display_settings.h"
#include "tests/support/program_state.h"

namespace {

using namespace calc;

// What a drawing holds past its standard symbols, by kind.
std::map<int32_t, std::vector<const draw::Entity*>> entities(int slot)
{
    std::map<int32_t, std::vector<const draw::Entity*>> by_kind;
    for (const draw::Node* node = draw::dwg_slot(slot).first.get(); node; node = node->next.get()) {
        if (node->type == draw::kNodeEntity)
            by_kind[node->entity.kind].push_back(&node->entity);
    }
    return by_kind;
}

class FigureDrawingTest : public testing_support::ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        formats::set_angle_mode(formats::kAngleDegrees);
        draw::dwg_init();
    }
};

// The quarter disc of the map check: O -> P north (BC), back to the centre (C or CC), out to Q east (EC),
// and home.
TEST_F(FigureDrawingTest, AMapCheckFigureBecomesItsLinesArcMarksAndLabels)
{
    for (int32_t centre : {kCentre, kCentreCounter}) {
        MapCheckJob job;
        job.entries[0] = {1, 1, u"", u"", kCorner};
        job.entries[1] = {1, 2, u"0", u"10", kBeginCurve};
        job.entries[2] = {1, 3, u"180", u"10", centre};
        job.entries[3] = {1, 4, u"90", u"10", kEndCurve};
        job.entries[4] = {1, 1, u"270", u"10", kCorner};
        const MapCheckOutcome outcome = compute_map_check(job);
        ASSERT_TRUE(outcome.result);
        const FigurePlot plot = map_check_plot(*outcome.result);
        const int slot = draw::dwg_create(plot.drawing);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(add_figure_to_drawing(slot, plot), 4 + 1 + 2 * 5);
        auto drawn = entities(slot);
        ASSERT_EQ(drawn[draw::kEntityLine].size(), 4u);
        ASSERT_EQ(drawn[draw::kEntityArc].size(), 1u);
        ASSERT_EQ(drawn[draw::kEntitySymbol].size(), 5u);
        ASSERT_EQ(drawn[draw::kEntityText].size(), 5u);
        const draw::Entity& radial = *drawn[draw::kEntityLine][1];
        EXPECT_EQ(draw::field_text(radial.line_type), "Dash");
        EXPECT_EQ(radial.colour, draw::dwg_colour(kPlotRadialColour));
        EXPECT_EQ(draw::field_text(drawn[draw::kEntityLine][0]->line_type), "Solid");
        EXPECT_EQ(drawn[draw::kEntityLine][0]->colour, draw::dwg_colour(kPlotStraightColour));
        for (const auto& [kind, list] : drawn) {
            for (const draw::Entity* e : list)
                EXPECT_EQ(draw::field_text(e->layer), "0");
        }
        // Clockwise from P (north) to Q (east); a counter-clockwise curve from Q to P.
        const draw::ArcGeometry& arc = drawn[draw::kEntityArc][0]->geometry.arc;
        EXPECT_NEAR(centre == kCentre ? arc.start.y : arc.end.y, 10, 1e-9);
        EXPECT_NEAR(centre == kCentre ? arc.end.x : arc.start.x, 10, 1e-9);
        EXPECT_EQ(draw::field_text(drawn[draw::kEntitySymbol][0]->geometry.symbol.block), "Cross");
        EXPECT_STREQ(drawn[draw::kEntityText][1]->geometry.text.text, "2");
        EXPECT_EQ(draw::field_text(drawn[draw::kEntityText][0]->geometry.text.face), "Courier");
        draw::dwg_delete(slot);
    }
    EXPECT_EQ(add_figure_to_drawing(3, FigurePlot {}), -1) << "a free slot";
}

}  // namespace
