// The drawing engine's painting: point marks of a whole file (the point plot draws one per point on every
// paint) and a whole drawing redrawn, against the budgets of one frame for 10 000 points and 100 ms for
// 100 000.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "draw/drawing_entities.h"
#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/palette.h"
#include "draw/paint_state.h"
#include "draw/render.h"
#include "draw/screen_primitives.h"
#include "draw/view.h"
#include "platform/ui/windows.h"

namespace {

namespace gdi = platform::gdi;
namespace ui = platform::ui;

struct Mark {
    int32_t number;
    double x, y;
};

// Points spread over a square kilometre at UTM magnitudes.
std::vector<Mark> survey(int count)
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(0, 1000);
    std::vector<Mark> marks(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        marks[size_t(i)] = Mark {i + 1, 500000 + u(rng), 5000000 + u(rng)};
    return marks;
}

// The whole square in view, or (zoomed) a tenth of it across.
void set_view(bool zoomed)
{
    draw::view_set_device_rect(0, 0, 240, 268);
    if (zoomed)
        draw::view_set_window(500450, 5000550, 500550, 5000450);
    else
        draw::view_set_window(499800, 5001200, 501200, 4999800);
}

void BM_PointMarks(benchmark::State& state)
{
    std::vector<Mark> marks = survey(int(state.range(0)));
    gdi::MemoryDC dc(240, 268);
    set_view(state.range(1) != 0);
    for (auto _ : state) {
        dc.fill_rect(gdi::Rect {0, 0, 240, 268}, gdi::kWhite);
        for (const Mark& m : marks)
            draw::scr_point_mark(dc, m.number, m.x, m.y);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PointMarks)->Args({10000, 0})->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

// A drawing of `count` entities: lines, circles, arcs, crosses of 10 pixels and labels, as the COGO plot
// leaves them.
void BM_RedrawDrawing(benchmark::State& state)
{
    ui::WindowClass plot;
    plot.name = u"Plot";
    plot.proc = ui::default_window_proc;
    ui::register_class(plot);
    ui::Hwnd window = ui::create_window(u"Plot", u"Plot", ui::kStyleVisible, 0, 26, 240, 268, ui::kNoWindow);
    draw::dwg_init();
    int slot = draw::dwg_create("COGO_DWG");
    std::vector<Mark> marks = survey(int(state.range(0)) / 5);
    for (size_t i = 1; i < marks.size(); ++i) {
        const Mark& a = marks[i - 1];
        const Mark& b = marks[i];
        draw::Point3 p {a.x, a.y, 0}, q {b.x, b.y, 0};
        draw::dwg_add_line(slot, "COGO", false, "Dash", 1, false, draw::dwg_colour(9), p, q);
        draw::dwg_add_circle(slot, "COGO", false, "Dash", 1, false, draw::dwg_colour(9), p, 20);
        draw::dwg_add_arc(slot, "COGO", false, "Solid", 1, false, draw::dwg_colour(0), p, q, {b.x + 5, b.y, 0});
        draw::dwg_insert_symbol(slot, "COGO", false, "Cross", q, -10, -10, 1, 0);
        draw::dwg_add_text(
            slot, "COGO", false, "1001", "Courier", -12, -8, draw::dwg_colour(0), q, 1, 1, draw::kAnchorLowerLeft, 90);
    }
    draw::dwg_begin_paint(window, gdi::kRopCopyPen, true);
    set_view(state.range(1) != 0);
    for (auto _ : state)
        draw::dwg_draw(slot);
    draw::dwg_end_paint();
    draw::dwg_delete(slot);
    ui::destroy_window(window);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RedrawDrawing)->Args({1000, 0})->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
