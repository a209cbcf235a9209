// Push buttons and check boxes: a tap (pressed and released inside) or Space while focused clicks; an
// automatic check box toggles itself first; the parent hears the clicked notification.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"

namespace platform::controls {

namespace {

constexpr int kCheckSize = 11;

struct ButtonState {
    int check = 0;
    bool tracking = false;  // the stylus went down on the button and is not yet up
    bool pressed = false;   // tracking and over the button
    bool focused = false;
};

ButtonState* button_state(Hwnd hwnd)
{
    return kit::state_of<ButtonState>(hwnd, kit::kButtonClass);
}

uint32_t kind(Hwnd hwnd)
{
    return ui::style(hwnd) & 0xF;
}
bool is_check_box(Hwnd hwnd)
{
    return kind(hwnd) == kButtonCheckBox || kind(hwnd) == kButtonAutoCheckBox;
}

void paint_check_box(Hwnd hwnd, gdi::DC& dc, const ButtonState* st, gdi::Color color)
{
    gdi::Rect r = ui::client_rect(hwnd);
    int top = (r.height() - kCheckSize) / 2;
    gdi::Rect box {0, top, kCheckSize, top + kCheckSize};
    dc.fill_rect(box, st->pressed ? kit::kLightGrey : gdi::kWhite);
    dc.frame_rect(box, color);
    if (st->check) {
        dc.select_pen({gdi::PenStyle::Solid, 1, color});
        for (int d = 0; d < 2; ++d) {  // a tick two pixels thick
            dc.move_to(2, top + 5 + d);
            dc.line_to(4, top + 7 + d);
            dc.line_to(9, top + 2 + d);
        }
        dc.select_pen({});
    }
    gdi::Rect label {kCheckSize + 4, 0, r.right, r.bottom};
    kit::draw_text_line(dc, label, ui::window_text(hwnd), gdi::kAlignLeft, color);
    if (st->focused)
        dc.frame_rect({kCheckSize + 2, 0, r.right, r.bottom}, kit::kGrey);
}

void paint_push(Hwnd hwnd, gdi::DC& dc, const ButtonState* st, gdi::Color color)
{
    gdi::Rect r = ui::client_rect(hwnd);
    gdi::Color face = st->pressed ? gdi::kBlack : gdi::kWhite;
    gdi::Color ink = st->pressed ? gdi::kWhite : color;
    dc.fill_rect(r, face);
    dc.frame_rect(r, gdi::kBlack);
    if (kind(hwnd) == kButtonDefPush || st->focused)
        dc.frame_rect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, gdi::kBlack);
    kit::draw_text_line(dc, r, ui::window_text(hwnd), gdi::kAlignCenter, ink);
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    ButtonState* st = button_state(hwnd);
    dc->fill_rect(ui::client_rect(hwnd), gdi::kWhite);
    if (st) {
        dc->select_font(ui::font(hwnd));
        gdi::Color color = ui::is_enabled(hwnd) ? gdi::kBlack : kit::kGrey;
        if (is_check_box(hwnd))
            paint_check_box(hwnd, *dc, st, color);
        else
            paint_push(hwnd, *dc, st, color);
    }
    ui::end_paint(hwnd, std::move(dc));
}

void click(Hwnd hwnd, ButtonState* st)
{
    if (kind(hwnd) == kButtonAutoCheckBox) {
        st->check = st->check ? 0 : 1;
        ui::invalidate(hwnd);
    }
    kit::notify_parent(hwnd, ui::kBnClicked);
}

void on_down(Hwnd hwnd, ButtonState* st)
{
    if (!ui::is_enabled(hwnd))
        return;
    if (ui::focus() != hwnd)
        ui::set_focus(hwnd);
    st->tracking = st->pressed = true;
    ui::set_capture(hwnd);
    ui::invalidate(hwnd);
}

void on_move(Hwnd hwnd, ButtonState* st, ui::LParam lparam)
{
    if (!st->tracking)
        return;
    bool inside = ui::client_rect(hwnd).contains(ui::point_x(lparam), ui::point_y(lparam));
    if (inside != st->pressed) {
        st->pressed = inside;
        ui::invalidate(hwnd);
    }
}

void on_up(Hwnd hwnd, ButtonState* st, ui::LParam lparam)
{
    if (!st->tracking)
        return;
    st->tracking = st->pressed = false;
    if (ui::capture() == hwnd)
        ui::release_capture();
    ui::invalidate(hwnd);
    if (ui::client_rect(hwnd).contains(ui::point_x(lparam), ui::point_y(lparam)))
        click(hwnd, st);
}

void on_driver_click(Hwnd hwnd, ButtonState* st)
{
    if (!ui::is_enabled(hwnd))
        return;
    if (ui::focus() != hwnd)
        ui::set_focus(hwnd);
    click(hwnd, st);
}

ui::LResult button_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    ButtonState* st = button_state(hwnd);
    if (msg == ui::kMsgCreate) {
        kit::adopt_state(hwnd, std::make_unique<ButtonState>());
        return 0;
    }
    if (msg == ui::kMsgDestroy) {
        kit::free_state(hwnd);
        return 0;
    }
    if (msg == ui::kMsgPaint) {
        paint(hwnd);
        return 0;
    }
    if (!st)
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    switch (msg) {
    case ui::kMsgSetFocus:
    case ui::kMsgKillFocus:
        st->focused = msg == ui::kMsgSetFocus;
        ui::invalidate(hwnd);
        return 0;
    case ui::kMsgLButtonDown:
        on_down(hwnd, st);
        return 0;
    case ui::kMsgMouseMove:
        on_move(hwnd, st, lparam);
        return 0;
    case ui::kMsgLButtonUp:
        on_up(hwnd, st, lparam);
        return 0;
    case ui::kMsgKeyDown:
        if (wparam == ui::kKeySpace) {
            click(hwnd, st);
            return 0;
        }
        break;
    case ui::kMsgChar:
        if (wparam == u' ')
            return 0;  // the key already clicked
        break;
    case kit::kMsgDriverClick:
        on_driver_click(hwnd, st);
        return 0;
    default:
        break;
    }
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

}  // namespace

ui::WindowClass button_class()
{
    return {std::u16string(kit::kButtonClass), button_proc};
}

int button_check(Hwnd button)
{
    ButtonState* st = button_state(button);
    return st ? st->check : 0;
}

void button_set_check(Hwnd button, int state)
{
    ButtonState* st = button_state(button);
    if (!st)
        return;
    st->check = state ? 1 : 0;
    ui::invalidate(button);
}

void post_click(Hwnd button)
{
    if (kit::is_class(button, kit::kButtonClass))
        ui::post_message(button, kit::kMsgDriverClick);
}

}  // namespace platform::controls
