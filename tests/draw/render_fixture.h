#pragma once
// The renderer's tests draw on a plot window of the window manager (no message loop runs: the engine
// takes the window's device context as the plots do on a tap) and read the screen under its client area.

#include <gtest/gtest.h>

#include <climits>

#include "draw/paint_state.h"
#include "platform/gdi/gdi.h"
#include "platform/ui/painting.h"
#include "platform/ui/windows.h"
#include "tests/support/program_state.h"

namespace drawtest {

namespace gdi = platform::gdi;
namespace ui = platform::ui;

// Inclusive extremes of the pixels of one colour.
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    int count = 0;
};

template <class PixelAt> Ink ink_of(int width, int height, gdi::Color colour, PixelAt at)
{
    Ink ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (at(x, y) != colour)
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ++ink.count;
        }
    }
    return ink;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::reset_program_state();
        ui::WindowClass plot;
        plot.name = u"Plot";
        plot.proc = ui::default_window_proc;
        ui::register_class(plot);
    }
    void TearDown() override { testing_support::reset_program_state(); }

    // A plot window whose client area is width x height pixels, on the screen below the navigation bar.
    void open_window(int width, int height)
    {
        m_window = ui::create_window(
            u"Plot", u"Plot", ui::kStyleVisible, 0, ui::kNavBarHeight, width, height, ui::kNoWindow);
        ASSERT_NE(m_window, ui::kNoWindow);
        m_width = width;
        m_height = height;
    }
    // Holds the window's context, cleared white, for drawing.
    void begin() { draw::dwg_begin_paint(m_window, gdi::kRopCopyPen, true); }

    gdi::Color at(int x, int y) const
    {
        ui::Point p = ui::client_to_screen(m_window, ui::Point {x, y});
        return ui::screen().pixel(p.x, p.y);
    }
    Ink ink(gdi::Color colour) const
    {
        const gdi::Bitmap& screen = ui::screen();  // drawn once: it adds the navigation bar
        ui::Point origin = ui::client_to_screen(m_window, ui::Point {0, 0});
        return ink_of(
            m_width, m_height, colour, [&](int x, int y) { return screen.pixel(origin.x + x, origin.y + y); });
    }
    // The client area's pixels as they are now.
    gdi::Bitmap snapshot() const
    {
        gdi::Bitmap out(m_width, m_height);
        const gdi::Bitmap& screen = ui::screen();
        ui::Point origin = ui::client_to_screen(m_window, ui::Point {0, 0});
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                out.set_pixel(x, y, screen.pixel(origin.x + x, origin.y + y));
        return out;
    }
    // Whether a pixel of the colour lies within `radius` of (x, y).
    bool near(int x, int y, gdi::Color colour, int radius = 1) const
    {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (at(x + dx, y + dy) == colour)
                    return true;
        return false;
    }

    ui::Hwnd m_window = ui::kNoWindow;
    int m_width = 0, m_height = 0;
};

}  // namespace drawtest
