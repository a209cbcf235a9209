// The plot windows as a user meets them: the point plot from the point editor's "Show" (its view commands,
// scroll by two taps, picking a point, "Clr COGO", a redraw a tap cuts short) and the GRAPHICS plot of a
// calculation (its drawing, the "All" view with its margin, the drawing gone when it closes).

#include <gtest/gtest.h>

#include "draw/drawing_entities.h"
#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/graphics_plot.h"
#include "draw/palette.h"
#include "draw/view.h"
#include "platform/ui/ui.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/point_index.h"
#include "tests/app/app_fixture.h"

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
using testing_support::AppTest;

constexpr gdi::Color kMarkBlue = gdi::rgb(0, 0, 255);

store::PointRecord point_at(uint32_t number, double e, double n)
{
    store::PointRecord p;
    p.number = number;
    p.easting = e;
    p.northing = n;
    return p;
}

// Blue mark pixels of the active window's client area in columns [from, to).
int blue_pixels(int from, int to)
{
    const ui::Hwnd window = ui::active_window();
    const ui::Rect client = ui::client_rect(window);
    const gdi::Point origin = ui::client_to_screen(window, {0, 0});
    int count = 0;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = from; x < to; ++x)
            count += ui::screen().pixel(origin.x + x, origin.y + y) == kMarkBlue ? 1 : 0;
    return count;
}

class PointPlot : public AppTest {
protected:
    // The file with `points`, the editor, then "Show".
    void open_plot(const std::vector<store::PointRecord>& points)
    {
        auto& d = start();
        ASSERT_TRUE(d.inspect([&] {
            ASSERT_TRUE(store::coord_create(u"\\My Documents\\Plot.dat"));
            store::coord_begin_bulk();
            for (const store::PointRecord& p : points)
                ASSERT_EQ(store::point_store(p, false), 1);
            ASSERT_TRUE(store::coord_end_bulk());
        }));
        ASSERT_OK(d.menu("Coords/Edit"));
        ASSERT_OK(d.menu("Show"));
        ASSERT_OK(d.expect_window("PT_GRAPHICS"));
    }

    draw::WorldWindow view()
    {
        draw::WorldWindow w;
        d().inspect([&] { w = draw::view_window(); });
        return w;
    }

    gdi::Point client_centre()
    {
        ui::Rect r;
        d().inspect([&] { r = ui::client_rect(ui::active_window()); });
        return {r.width() / 2, r.height() / 2};
    }
};

TEST_F(PointPlot, ViewCommandsScrollAndAPickReachTheEditor)
{
    open_plot({point_at(1, 1000, 5000), point_at(2, 1100, 5000), point_at(3, 1050, 5080)});
    const draw::WorldWindow opened = view();
    const int width = opened.right - opened.left;

    ASSERT_OK(d().menu(" + "));
    EXPECT_NEAR(view().right - view().left, width / 2, 2);
    ASSERT_OK(d().menu(" - "));
    ASSERT_OK(d().menu(" - "));
    EXPECT_NEAR(view().right - view().left, width * 2, 3);
    ASSERT_OK(d().menu("All"));
    // All: the points' box and a fifth of its span on each side: 1100 - 1000 = 100 wide, so 140.
    EXPECT_LE(view().left, 980);
    EXPECT_GE(view().right, 1120);

    // Scroll: what lay under the first tap comes under the second.
    const draw::WorldWindow before = view();
    ASSERT_OK(d().menu("Scroll"));
    ASSERT_OK(d().tap(100, 100));
    EXPECT_EQ(view().left, before.left) << "nothing moves before the second tap";
    ASSERT_OK(d().tap(140, 80));
    const double scale = 1.0 * 240 / (before.right - before.left);
    EXPECT_NEAR(view().left, before.left - 40 / scale, 2);
    EXPECT_NEAR(view().top, before.top - 20 / scale, 2);

    // A tap on point 3 picks it; a tap far from every point picks the position.
    ASSERT_OK(d().menu("All"));
    draw::DevicePoint p3;
    d().inspect([&] { draw::world_to_device(1050, 5080, &p3); });
    ASSERT_OK(d().tap(p3.x + 1, p3.y - 1));
    store::PointRecord picked;
    d().inspect([&] { picked = store::list_selection(); });
    EXPECT_EQ(picked.number, 3u);
    EXPECT_EQ(picked.easting, 1050);

    ASSERT_OK(d().tap(2, 2));
    d().inspect([&] { picked = store::list_selection(); });
    EXPECT_EQ(picked.number, 0u);
    EXPECT_LT(picked.easting, 1000);
    EXPECT_GT(picked.northing, 5080);

    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("PT_EDIT"));
}

TEST_F(PointPlot, ClearCogoErasesTheCogoLayerOnly)
{
    open_plot({point_at(1, 0, 0), point_at(2, 100, 100)});
    int cogo = -1;
    d().inspect([&] {
        cogo = draw::dwg_create("COGO_DWG");
        draw::dwg_add_line(cogo, "COGO", false, "Dash", 1, false, draw::dwg_colour(9), {0, 0, 0}, {100, 100, 0});
        draw::dwg_add_line(cogo, "KEEP", false, "Solid", 1, false, draw::dwg_colour(0), {0, 100, 0}, {100, 0, 0});
    });
    ASSERT_OK(d().menu("Clr COGO"));
    int erased = 0, kept = 0;
    d().inspect([&] {
        for (draw::Node* n = draw::dwg_slot(cogo).first.get(); n; n = n->next.get())
            if (n->type == draw::kNodeEntity)
                (n->erased ? erased : kept) += 1;
    });
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(kept, 1);
}

// Records 2 .. 399 lie west, the rest far east, and point 1 in the middle: a tap armed to arrive at the
// third look for input (after 300 points) stops the redraw before any eastern point is drawn, and is then
// served: it picks point 1.
TEST_F(PointPlot, ATapCutsALongRedrawShortAndIsServed)
{
    std::vector<store::PointRecord> points {point_at(1, 550, 50)};
    for (uint32_t n = 2; n <= 100000; ++n)
        points.push_back(n < 400 ? point_at(n, n % 100, n % 97) : point_at(n, 1000 + n % 100, n % 97));
    open_plot(points);
    d().inspect([&] { EXPECT_GT(blue_pixels(130, 240), 100) << "a whole redraw reaches the east"; });

    const gdi::Point centre = client_centre();
    ASSERT_OK(d().tap_during_work(centre.x, centre.y, 3));
    ASSERT_OK(d().menu(" - "));
    d().inspect([&] {
        EXPECT_EQ(blue_pixels(130, 240), 0) << "the redraw went on past the tap";
        EXPECT_GT(blue_pixels(0, 110), 0);
        EXPECT_EQ(store::list_selection().number, 1u) << "the tap was served";
    });
}

class GraphicsPlot : public AppTest { };

TEST_F(GraphicsPlot, DrawsItsDrawingOnTheAllViewWithAMarginAndDeletesIt)
{
    auto& d = start();
    int slot = -1;
    draw::GraphicsPlot plot;
    plot.drawing_name = "MAPCHECK";
    plot.min_e = 2000;
    plot.min_n = 7000;
    plot.max_e = 2400;
    plot.max_n = 7100;
    plot.fill = [&](int s) {
        slot = s;
        draw::dwg_add_line(s, "0", false, "Solid", 1, false, draw::dwg_colour(12), {2000, 7000, 0}, {2400, 7100, 0});
    };
    ASSERT_TRUE(d.inspect([&] { ui::post_call([&] { draw::run_graphics_plot(ui::active_window(), plot); }); }));
    ASSERT_OK(d.wait(0));
    ASSERT_OK(d.expect_window("GRAPHICS"));
    d.inspect([&] {
        ASSERT_TRUE(draw::dwg_slot_in_use(slot));
        EXPECT_EQ(draw::dwg_slot(slot).name, "MAPCHECK");
        // Both ends lie about 20 pixels inside the window's sides (the margin is taken at the scale of the
        // data alone, so the wider window maps it to a little less).
        draw::DevicePoint a, b;
        ASSERT_TRUE(draw::world_to_device(2000, 7000, &a));
        ASSERT_TRUE(draw::world_to_device(2400, 7100, &b));
        const ui::Rect client = ui::client_rect(ui::active_window());
        EXPECT_GE(a.x, 15);
        EXPECT_LE(a.x, 25);
        EXPECT_NEAR(client.right - b.x, a.x, 2);
        // The line is drawn in blue (palette 12) at its middle.
        draw::DevicePoint m;
        draw::world_to_device(2200, 7050, &m);
        const gdi::Point origin = ui::client_to_screen(ui::active_window(), {0, 0});
        bool blue = false;
        for (int dy = -1; dy <= 1; ++dy)
            blue = blue || ui::screen().pixel(origin.x + m.x, origin.y + m.y + dy) == gdi::rgb(0, 0, 192);
        EXPECT_TRUE(blue);
    });
    ASSERT_OK(d.menu("OK"));
    ASSERT_OK(d.expect_window("main"));
    d.inspect([&] { EXPECT_FALSE(draw::dwg_slot_in_use(slot)) << "the plot's drawing goes with it"; });
}

}  // namespace
