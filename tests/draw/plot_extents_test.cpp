// The view commands of the plot windows on their extents.

#include "draw/plot_extents.h"

#include <gtest/gtest.h>

#include <random>

namespace draw {
void PrintTo(const PlotExtents& e, std::ostream* os)
{
    *os << "{" << e.left << ", " << e.top << ", " << e.right << ", " << e.bottom << "}";
}
}  // namespace draw

namespace {

using draw::PlotExtents;

TEST(PlotExtents, ZoomAndScrollMoveTheExtentsAsTheCommandsSay)
{
    PlotExtents e {0, 100, 200, 0};
    ASSERT_TRUE(draw::zoom_in(e));
    EXPECT_EQ(e, (PlotExtents {50, 75, 150, 25}));

    e = {0, 100, 200, 0};
    ASSERT_TRUE(draw::zoom_out(e));
    EXPECT_EQ(e, (PlotExtents {-100, 150, 300, -50}));

    e = {10, 13, 13, 10};  // 3 units: d = 1, quarter 0
    ASSERT_TRUE(draw::zoom_in(e));
    EXPECT_EQ(e, (PlotExtents {11, 12, 12, 11}));
    EXPECT_FALSE(draw::zoom_in(e)) << "a view 1 unit wide cannot be halved";
    EXPECT_EQ(e, (PlotExtents {11, 12, 12, 11}));

    // First tap at (100, 100), second at (110, 95): the extents move by (-10, +5).
    e = {0, 100, 200, 0};
    ASSERT_TRUE(draw::scroll_by(e, 110.0 - 100.0, 95.0 - 100.0));
    EXPECT_EQ(e, (PlotExtents {-10, 105, 190, 5}));
    EXPECT_FALSE(draw::scroll_by(e, std::nan(""), 0));
    EXPECT_FALSE(draw::scroll_by(e, 3e9, 0));
    EXPECT_EQ(e, (PlotExtents {-10, 105, 190, 5}));

    EXPECT_DOUBLE_EQ(draw::pick_radius({0, 600, 600, 0}), 10.0);
}

TEST(PlotExtents, ZoomingOutAtUtmMagnitudesStopsBeforeTheViewOverflows)
{
    PlotExtents e {355000, 5210100, 355100, 5210000};
    int presses = 0;
    while (draw::zoom_out(e))
        ASSERT_LT(++presses, 100);
    EXPECT_GT(presses, 15);
    EXPECT_TRUE(draw::plot_extents_usable(e));
    EXPECT_LE(e.width(), 2 * int64_t(draw::kPlotLimit));
    // Zooming back in comes home to the same neighbourhood.
    for (int i = 0; i < presses; ++i)
        ASSERT_TRUE(draw::zoom_in(e));
    EXPECT_NEAR(0.5 * (e.left + e.right), 355050, 200);
    EXPECT_NEAR(0.5 * (e.top + e.bottom), 5210050, 200);
}

TEST(PlotExtents, RandomCommandsKeepTheExtentsUsable)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> command(0, 2);
    std::uniform_real_distribution<double> move(-5e8, 5e8);
    PlotExtents e {-13000000, 13000100, -12999900, 12999900};
    for (int i = 0; i < 20000; ++i) {
        const PlotExtents before = e;
        bool done = command(rng) == 0 ? draw::zoom_in(e)
            : command(rng) == 1       ? draw::zoom_out(e)
                                      : draw::scroll_by(e, move(rng), move(rng));
        ASSERT_TRUE(draw::plot_extents_usable(e)) << i;
        if (!done) {
            ASSERT_EQ(e, before) << "a refused command changes nothing";
        }
    }
}

TEST(PlotExtents, AllViewsGiveEveryAxisASpanAndAMargin)
{
    PlotExtents e;
    // The point plot: 20 % of each span on each side, truncated toward zero.
    ASSERT_TRUE(draw::extents_around(1000, 2000, 1100, 2500, 0.2, &e));
    EXPECT_EQ(e, (PlotExtents {980, 2600, 1120, 1900}));

    // One point, state-plane feet: a span of its own on both axes, centred on the point.
    ASSERT_TRUE(draw::extents_around(13500000.5, 13400000.5, 13500000.5, 13400000.5, 0.2, &e));
    EXPECT_EQ(e, (PlotExtents {13499986, 13400014, 13500014, 13399986}));
    EXPECT_TRUE(draw::zoom_in(e));

    // Points on one north-south line keep their own span in N.
    ASSERT_TRUE(draw::extents_around(500, 0, 500, 1000, 0.0, &e));
    EXPECT_EQ(e, (PlotExtents {490, 1000, 510, 0}));

    const PlotExtents kept = e;
    EXPECT_FALSE(draw::extents_around(0, 0, std::nan(""), 1, 0.2, &e));
    EXPECT_FALSE(draw::extents_around(5, 0, 1, 1, 0.2, &e));
    EXPECT_FALSE(draw::extents_around(0, 0, 4e9, 1, 0.2, &e));
    EXPECT_EQ(e, kept);

    // The GRAPHICS margin: 20 pixels at the view's scales.
    e = {0, 100, 200, 0};
    ASSERT_TRUE(draw::add_pixel_margin(e, 1.2, 2.0));
    EXPECT_EQ(e, (PlotExtents {-16, 110, 216, -10}));
    EXPECT_FALSE(draw::add_pixel_margin(e, 0.0, 1.0));
    EXPECT_FALSE(draw::add_pixel_margin(e, 1e-12, 1.0));
    EXPECT_EQ(e, (PlotExtents {-16, 110, 216, -10}));
}

}  // namespace
