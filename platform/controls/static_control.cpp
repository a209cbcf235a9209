// The static control: a label, left, centred or right aligned, wrapping its words when it is taller than
// one line; or the program's icon.
#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"

namespace platform::controls {

namespace {

unsigned alignment(uint32_t style)
{
    switch (style & 0xF) {
    case kStaticCenter:
        return gdi::kAlignCenter;
    case kStaticRight:
        return gdi::kAlignRight;
    default:
        return gdi::kAlignLeft;
    }
}

// The program icon: a survey instrument on its tripod beside a station mark, drawn in 32 x 32 pixels.
void draw_icon(gdi::DC& dc, int x, int y)
{
    dc.fill_rect({x, y, x + 32, y + 32}, gdi::rgb(0, 90, 160));
    dc.frame_rect({x, y, x + 32, y + 32}, gdi::kBlack);
    dc.select_pen({gdi::PenStyle::Solid, 1, gdi::kWhite});
    dc.move_to(x + 16, y + 14);  // tripod legs
    dc.line_to(x + 7, y + 29);
    dc.move_to(x + 16, y + 14);
    dc.line_to(x + 25, y + 29);
    dc.move_to(x + 16, y + 14);
    dc.line_to(x + 16, y + 29);
    dc.fill_rect({x + 11, y + 7, x + 22, y + 13}, gdi::kWhite);           // instrument
    dc.fill_rect({x + 22, y + 9, x + 27, y + 11}, gdi::kWhite);           // telescope
    dc.fill_rect({x + 3, y + 26, x + 6, y + 29}, gdi::rgb(255, 200, 0));  // station mark
    dc.select_pen({});
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    gdi::Rect r = ui::client_rect(hwnd);
    uint32_t st = ui::style(hwnd);
    if ((st & 0xF) == kStaticIcon) {
        draw_icon(*dc, 0, 0);
        ui::end_paint(hwnd, std::move(dc));
        return;
    }
    gdi::FontRef font = ui::font(hwnd);
    dc->select_font(font);
    gdi::Color color = ui::is_enabled(hwnd) ? gdi::kBlack : kit::kGrey;
    int lh = kit::line_height(font);
    std::u16string text = ui::window_text(hwnd);
    if (r.height() < 2 * lh) {
        kit::draw_text_line(*dc, {r.left, r.top, r.right, r.top + lh}, text, alignment(st), color);
    } else {
        int y = r.top;
        for (const std::u16string& line : kit::wrap_text(font, text, r.width())) {
            kit::draw_text_line(*dc, {r.left, y, r.right, y + lh}, line, alignment(st), color);
            y += lh;
        }
    }
    ui::end_paint(hwnd, std::move(dc));
}

// A label is transparent to the stylus: taps on it reach the dialog beneath, in the dialog's coordinates.
bool forward_to_parent(Hwnd hwnd, uint32_t msg, ui::LParam lparam)
{
    Hwnd parent = ui::parent(hwnd);
    if (parent == ui::kNoWindow)
        return false;
    gdi::Point screen = ui::client_to_screen(hwnd, {ui::point_x(lparam), ui::point_y(lparam)});
    gdi::Point p = ui::screen_to_client(parent, screen);
    ui::send_message(parent, msg, 0, ui::make_point_lparam(p.x, p.y));
    return true;
}

ui::LResult static_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    if (msg == ui::kMsgPaint) {
        paint(hwnd);
        return 0;
    }
    bool stylus = msg == ui::kMsgLButtonDown || msg == ui::kMsgLButtonUp || msg == ui::kMsgMouseMove;
    if (stylus && forward_to_parent(hwnd, msg, lparam))
        return 0;
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

}  // namespace

ui::WindowClass static_class()
{
    return {std::u16string(kit::kStaticClass), static_proc};
}

}  // namespace platform::controls
