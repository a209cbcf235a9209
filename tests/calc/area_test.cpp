// The area computation on hand-worked figures (the Part's triangle with and without its closing repeat,
// its factors, both senses of travel, a half disc through stored points), the refusals that replace a
// wrong area, the plot's arcs, and the 250-slot table against a model.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

#include "calc/area.h"
#include "calc/curve_types.h"
#include "calc/figure_plot.h"
#include "calc/slot_table.h"
#include "tests/support/program_state.h"

namespace {

using namespace calc;
using formats::Position;
constexpr double kPi = std::numbers::pi;

class AreaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        m_points = {{1, {0, 0}}, {2, {2, 0}}, {3, {2, 2}}, {10, {0, 0}}, {11, {10, 0}}, {12, {20, 0}}, {13, {0, 10}}};
    }

    void figure(std::initializer_list<std::pair<uint32_t, int32_t>> entries)
    {
        m_job = {};
        size_t i = 0;
        for (auto [number, type] : entries)
            m_job.entries[i++] = {1, number, type};
    }

    PointLookup lookup() const
    {
        return [this](uint32_t n) -> std::optional<Position> {
            auto it = m_points.find(n);
            return it == m_points.end() ? std::nullopt : std::optional<Position>(it->second);
        };
    }

    AreaOutcome compute() { return compute_area(m_job, lookup()); }
    double area()
    {
        const AreaOutcome outcome = compute();
        EXPECT_TRUE(outcome.result);
        return outcome.result ? outcome.result->area : -1;
    }

    std::map<uint32_t, Position> m_points;
    AreaJob m_job;
};

TEST_F(AreaTest, TheFigureIsNotClosedAutomaticallyAndEachFactorCountsOnce)
{
    figure({{1, kCorner}, {2, kCorner}, {3, kCorner}, {1, kCorner}});
    EXPECT_DOUBLE_EQ(area(), 2);
    figure({{1, kCorner}, {3, kCorner}, {2, kCorner}, {1, kCorner}});
    EXPECT_DOUBLE_EQ(area(), 2) << "either sense of travel";
    figure({{1, kCorner}, {2, kCorner}, {3, kCorner}});
    EXPECT_DOUBLE_EQ(area(), 4);
    figure({{1, kCorner}, {2, kCorner}, {3, kCorner}, {1, kCorner}});
    m_job.settings.units_text = u"0.0001";
    m_job.settings.projection_text = u"2";
    EXPECT_NEAR(area(), 0.0004, 1e-15);
    m_job.settings.units_text = u"x";
    EXPECT_EQ(compute().refusal, u"The units factor does not read as a number.");
    // A free slot among the entries is passed over.
    figure({{1, kCorner}, {2, kCorner}, {3, kCorner}, {1, kCorner}});
    slot_insert(m_job.entries, 2, AreaEntry {});
    EXPECT_DOUBLE_EQ(area(), 2);
    figure({});
    EXPECT_EQ(area(), 0);
}

// A half disc of radius 10 about point 11, from 10 to 12, closed by the diameter.
TEST_F(AreaTest, ACurveAddsItsSegmentInEitherDirection)
{
    for (int32_t centre : {kCentre, kCentreCounter}) {
        figure({{10, kBeginCurve}, {11, centre}, {12, kEndCurve}, {10, kCorner}});
        EXPECT_NEAR(area(), 50 * kPi, 1e-9);
        const FigurePlot plot = area_plot(*compute().result);
        ASSERT_EQ(plot.arcs.size(), 1u);
        // The drawing's arcs run clockwise: counter-clockwise curves have their ends swapped.
        EXPECT_EQ(plot.arcs[0].start.e, centre == kCentre ? 0 : 20);
        EXPECT_EQ(plot.arcs[0].radius, 10);
        EXPECT_EQ(plot.marks.size(), 4u);
        EXPECT_TRUE(plot.lines[0].dashed) << "a leg into the centre";
        EXPECT_FALSE(plot.lines[2].dashed);
    }
    // A quarter disc: centre 10, from 13 (north) clockwise to 11 (east), back to the centre.
    figure({{10, kCorner}, {13, kBeginCurve}, {10, kCentre}, {11, kEndCurve}, {10, kCorner}});
    EXPECT_NEAR(area(), 25 * kPi, 1e-9);
    // A POC: two quarter arcs make the half disc; the second arc starts at the POC.
    m_points[14] = {10, 10};
    figure({{10, kBeginCurve}, {11, kCentre}, {14, kPointOnCurve}, {11, kCentre}, {12, kEndCurve}, {10, kCorner}});
    EXPECT_NEAR(area(), 50 * kPi, 1e-9);
    const FigurePlot plot = area_plot(*compute().result);
    ASSERT_EQ(plot.arcs.size(), 2u);
    EXPECT_EQ(plot.arcs[1].start.n, 10);
    EXPECT_EQ(plot.extents.max_first, 20);
    EXPECT_EQ(plot.extents.max_second, 10);
    // A half disc bulging south: the view takes in its lowest point, not only its ends.
    figure({{10, kBeginCurve}, {11, kCentreCounter}, {12, kEndCurve}, {10, kCorner}});
    const FigurePlot south = area_plot(*compute().result);
    EXPECT_EQ(south.extents.min_second, -10);
    EXPECT_EQ(south.extents.max_second, 0);
    EXPECT_EQ(south.extents.min_first, 0);
}

TEST_F(AreaTest, WhatWouldGiveAWrongAreaIsRefusedByName)
{
    figure({{1, kCorner}, {7, kCorner}, {3, kCorner}});
    EXPECT_EQ(compute().refusal, u"Pt 7 is not in the coordinate file.");
    EXPECT_FALSE(compute().result);
    figure({{10, kCorner}, {12, kEndCurve}});
    EXPECT_EQ(compute().refusal, u"Pt 12: a curve end needs the point of its centre before it.");
    figure({{10, kBeginCurve}, {11, kCentre}, {11, kEndCurve}});
    EXPECT_EQ(compute().refusal, u"Pt 11: the radius is not above 0.");
    m_points[15] = {12, 0};  // 2 from the centre, 12 from the start
    figure({{10, kBeginCurve}, {11, kCentre}, {15, kEndCurve}});
    EXPECT_EQ(compute().refusal, u"Pt 15: the chord is longer than the diameter.");
    figure({{10, kBeginCurve}, {11, 9}});
    EXPECT_EQ(compute().refusal, u"Pt 11: the point type is unknown.");
}

struct Slot {
    int value = 0;
    bool used() const { return value != 0; }
};

// Inserts and removes at random against a vector: the table never drops an entry in use and never writes
// past its end.
TEST(SlotTable, InsertAndRemoveKeepEveryEntryInUse)
{
    std::array<Slot, 8> table {};
    std::vector<int> model;
    std::mt19937 random(7);
    int next = 1;
    for (int step = 0; step < 2000; ++step) {
        // A place among the entries, or one past the table.
        const size_t at = random() % 5 == 0 ? 8 + random() % 2 : random() % (model.size() + 1);
        if (random() % 3 != 0) {
            const bool full = table.back().used();
            const bool done = slot_insert(table, at, Slot {next});
            EXPECT_EQ(done, at < 8 && !full);
            if (done) {
                model.insert(model.begin() + std::min(at, model.size()), next);
                ++next;
            }
        } else {
            slot_remove(table, at);
            if (at < model.size())
                model.erase(model.begin() + at);
        }
        std::vector<int> seen;
        for (const Slot& s : table) {
            if (s.used())
                seen.push_back(s.value);
        }
        ASSERT_EQ(seen, model) << "step " << step;
        EXPECT_EQ(last_used_slot(table), int(model.size()) - 1);
    }
}

}  // namespace
