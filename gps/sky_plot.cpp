#include "gps/sky_plot.h"

#include "draw/offscreen_buffer.h"
#include "draw/paint_state.h"
#include "draw/palette.h"
#include "draw/view.h"
#include "gps/gps_link.h"
#include "platform/text/text.h"

#include <cmath>
#include <numbers>

namespace gps {

namespace {

constexpr double kRadiusPerDegree = 0.6222222222222222;  // 56 / 90
constexpr double kRadians = std::numbers::pi / 180.0;
constexpr int kBlack = 0;
constexpr int kUntracked = 6;
constexpr int kTracked = 12;

void letter(const char16_t* text, int x, int y, int anchor)
{
    draw::buf_text(text, u"Courier", draw::dwg_colour(kBlack), 12, 6, x, y, 0.0, anchor);
}

void draw_frame()
{
    draw::buf_circle("Solid", 1, draw::dwg_colour(kBlack), kSkyCentreX, kSkyCentreY, kSkyHorizonRadius, 3.0);
    draw::buf_circle("Solid", 1, draw::dwg_colour(kBlack), kSkyCentreX, kSkyCentreY, kSkyHorizonRadius / 2, 3.0);
    letter(u"N", 80, 12, 7);
    letter(u"S", 80, 124, 1);
    letter(u"W", 22, 70, 8);
    letter(u"E", 138, 70, 6);
}

// One satellite: its place in the sky, its bar and its number under the bar.
void draw_satellite(int i, const Satellite& s)
{
    const bool tracked = s.snr100 > 0;
    const SkyPixel p = SkyPosition(s.azimuth, s.elevation);
    const std::u16string prn = platform::text::wformat(u"%d", s.prn);
    const int x = 8 + 18 * i;
    draw::buf_text(prn, u"Courier", draw::dwg_colour(tracked ? kTracked : kUntracked), 12, 6, p.x, p.y, 0.0, 7);
    draw::buf_text(prn, u"Courier", draw::dwg_colour(tracked ? kBlack : kUntracked), 12, 6, x + 4, 183, 0.0, 7);
    const int height = s.snr100 / 100;
    for (int column = x; column < x + 8; ++column)
        draw::buf_line("Solid", 1, draw::dwg_colour(kTracked), column, kBarBaseRow, column, kBarBaseRow - height);
}

}  // namespace

SkyPixel SkyPosition(int azimuth_degrees, int elevation_degrees)
{
    const double r = (90 - elevation_degrees) * kRadiusPerDegree;
    const double a = azimuth_degrees * kRadians;
    return {static_cast<int>(std::trunc(kSkyCentreX + r * std::sin(a))),
        static_cast<int>(std::trunc(kSkyCentreY - r * std::cos(a)))};
}

int draw_sky_plot(platform::ui::Hwnd window, int bottom)
{
    draw::dwg_begin_paint(window, platform::gdi::kRopCopyPen, false);
    // The buffer covers the plot's band only, so the controls below it are not painted over.
    const draw::DeviceRect client = draw::view_device_rect();
    draw::view_set_device_rect(client.left, client.top, client.right, client.top + bottom);
    const int count = GetSatelliteCount();  // bounded by the table
    if (draw::buf_create()) {
        draw_frame();
        for (int i = 0; i < count; ++i)
            draw_satellite(i, GetSatellite(i));
        draw::buf_blit();
        draw::buf_free();
    }
    draw::dwg_end_paint();
    int tracked = 0;
    for (int i = 0; i < count; ++i)
        tracked += GetSatellite(i).snr100 > 0 ? 1 : 0;
    return tracked;
}

}  // namespace gps
