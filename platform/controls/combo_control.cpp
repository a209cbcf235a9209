// The drop-down list combo box: shows the selected entry; a tap opens the list over the dialog in a
// window that never takes the activation, a tap on an entry picks it and closes the list, a tap anywhere
// else closes it; Up and Down change the selection while it has the focus. Its window text is the
// selected entry, so reading the item's text gives the choice.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"
#include "platform/controls/row_list.h"

namespace platform::controls {

namespace {

constexpr int kArrowWidth = 14;
constexpr int kDefaultDropRows = 8;

struct ComboState {
    RowList rows;
    Hwnd drop = ui::kNoWindow;  // the open list, if any
    int drop_height = 0;        // pixels asked for by the template beyond the closed box; 0: default
    bool focused = false;
};

struct DropState {
    Hwnd combo = ui::kNoWindow;
    RowDrag drag;
};

ComboState* combo_state(Hwnd hwnd)
{
    return kit::state_of<ComboState>(hwnd, kit::kComboClass);
}
DropState* drop_state(Hwnd hwnd)
{
    return kit::state_of<DropState>(hwnd, kit::kComboDropClass);
}

int closed_height(Hwnd combo)
{
    return kit::line_height(ui::font(combo)) + 6;
}

void show_selection(Hwnd combo, ComboState* st)
{
    int sel = st->rows.selection;
    ui::set_window_text(combo, sel >= 0 ? std::u16string_view(st->rows.entries[size_t(sel)].text) : u"");
    if (st->drop != ui::kNoWindow)
        ui::invalidate(st->drop);
    ui::invalidate(combo);
}

void close_drop(ComboState* st)
{
    Hwnd drop = st->drop;
    st->drop = ui::kNoWindow;
    if (drop == ui::kNoWindow || !ui::is_window(drop))
        return;
    if (ui::capture() == drop)
        ui::release_capture();
    ui::destroy_window(drop);
}

void pick(Hwnd combo, ComboState* st, int index)
{
    st->rows.selection = index;
    close_drop(st);
    show_selection(combo, st);
    kit::notify_parent(combo, ui::kCbnSelChange);
}

gdi::Rect drop_rect(Hwnd combo, const ComboState* st)
{
    gdi::Rect r = ui::window_rect(combo);
    int rh = row_height(ui::font(combo));
    int rows = std::clamp(st->rows.count(), 1, kDefaultDropRows);
    if (st->drop_height > 0)
        rows = std::clamp(st->drop_height / rh, 1, std::max(1, st->rows.count()));
    int h = rows * rh + 2;
    int y = r.bottom;
    if (y + h > ui::kScreenHeight)
        y = std::max(0, r.top - h);
    return {r.left, y, r.right, y + h};
}

void open_drop(Hwnd combo, ComboState* st)
{
    kit::notify_parent(combo, ui::kCbnDropDown);
    if (!ui::is_window(combo) || st->drop != ui::kNoWindow)
        return;
    gdi::Rect r = drop_rect(combo, st);
    Hwnd drop = ui::create_window(kit::kComboDropClass, u"", ui::kStylePopup | ui::kStyleVisible, r.left, r.top,
        r.width(), r.height(), ui::top_level(combo), 0, reinterpret_cast<void*>(uintptr_t(combo)));
    if (drop == ui::kNoWindow)
        return;
    st->drop = drop;
    st->rows.ensure_visible(st->rows.selection, visible_rows({1, 1, r.width() - 1, r.height() - 1}, ui::font(combo)));
    ui::set_capture(drop);
    ui::invalidate(combo);
}

void paint_combo(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    ComboState* st = combo_state(hwnd);
    gdi::Rect r = ui::client_rect(hwnd);
    bool enabled = ui::is_enabled(hwnd);
    dc->fill_rect(r, gdi::kWhite);
    dc->select_font(ui::font(hwnd));
    gdi::Rect text_area {r.left + 1, r.top + 1, r.right - kArrowWidth, r.bottom - 1};
    bool inverted = st && st->focused && enabled;
    if (inverted)
        dc->fill_rect(text_area, gdi::kBlack);
    kit::draw_text_line(*dc, {text_area.left + 2, text_area.top, text_area.right, text_area.bottom},
        ui::window_text(hwnd), gdi::kAlignLeft, inverted ? gdi::kWhite : (enabled ? gdi::kBlack : kit::kGrey));
    dc->frame_rect(r, gdi::kBlack);
    dc->fill_rect({r.right - kArrowWidth, r.top, r.right - kArrowWidth + 1, r.bottom}, gdi::kBlack);
    int cx = r.right - kArrowWidth / 2, cy = r.height() / 2 - 1;
    for (int i = 0; i < 4; ++i)  // the down arrow
        dc->fill_rect({cx - 3 + i, cy + i - 1, cx + 4 - i, cy + i}, enabled ? gdi::kBlack : kit::kGrey);
    ui::end_paint(hwnd, std::move(dc));
}

bool on_key(Hwnd hwnd, ComboState* st, uint32_t key)
{
    if ((key == ui::kKeyEscape || key == ui::kKeyReturn) && st->drop != ui::kNoWindow) {
        close_drop(st);
        ui::invalidate(hwnd);
        return true;
    }
    if (key != ui::kKeyUp && key != ui::kKeyDown)
        return false;
    int count = st->rows.count();
    if (count == 0)
        return true;
    int sel = st->rows.selection;
    int target = std::clamp(sel < 0 ? 0 : sel + (key == ui::kKeyUp ? -1 : 1), 0, count - 1);
    if (target == sel)
        return true;
    st->rows.selection = target;
    if (st->drop != ui::kNoWindow)
        st->rows.ensure_visible(target, visible_rows(ui::client_rect(st->drop), ui::font(hwnd)));
    show_selection(hwnd, st);
    kit::notify_parent(hwnd, ui::kCbnSelChange);
    return true;
}

// A template gives a drop-down list its height with the list open; the box itself is one line high.
void on_create(Hwnd hwnd)
{
    ComboState* st = kit::adopt_state(hwnd, std::make_unique<ComboState>());
    gdi::Rect r = ui::client_rect(hwnd);
    int closed = closed_height(hwnd);
    if (r.height() > closed + 4) {
        st->drop_height = r.height() - closed;
        gdi::Rect w = ui::window_rect(hwnd);
        gdi::Point p = ui::parent(hwnd) != ui::kNoWindow ? ui::screen_to_client(ui::parent(hwnd), {w.left, w.top})
                                                         : gdi::Point {w.left, w.top};
        ui::move_window(hwnd, p.x, p.y, r.width(), closed, false);
    }
}

void on_down(Hwnd hwnd, ComboState* st)
{
    if (!ui::is_enabled(hwnd))
        return;
    if (ui::focus() != hwnd)
        ui::set_focus(hwnd);
    if (st->drop == ui::kNoWindow)
        open_drop(hwnd, st);
    else
        close_drop(st);
}

ui::LResult combo_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    ComboState* st = combo_state(hwnd);
    if (msg == ui::kMsgCreate) {
        on_create(hwnd);
        return 0;
    }
    if (msg == ui::kMsgDestroy) {
        if (st)
            close_drop(st);
        kit::free_state(hwnd);
        return 0;
    }
    if (msg == ui::kMsgPaint) {
        paint_combo(hwnd);
        return 0;
    }
    if (!st)
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    switch (msg) {
    case ui::kMsgSetFocus:
    case ui::kMsgKillFocus:
        st->focused = msg == ui::kMsgSetFocus;
        if (!st->focused)
            close_drop(st);
        ui::invalidate(hwnd);
        return 0;
    case ui::kMsgLButtonDown:
        on_down(hwnd, st);
        return 0;
    case ui::kMsgKeyDown:
        if (on_key(hwnd, st, uint32_t(wparam)))
            return 0;
        break;
    case kit::kMsgDriverSelect:
        if (int(wparam) >= 0 && int(wparam) < st->rows.count()) {
            if (ui::focus() != hwnd)
                ui::set_focus(hwnd);
            pick(hwnd, st, int(wparam));
        }
        return 0;
    default:
        break;
    }
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

// ---- The open list ---------------------------------------------------------------------------------------

gdi::Rect drop_area(Hwnd drop)
{
    gdi::Rect r = ui::client_rect(drop);
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void paint_drop(Hwnd drop)
{
    auto dc = ui::begin_paint(drop);
    if (!dc)
        return;
    DropState* ds = drop_state(drop);
    ComboState* cs = ds ? combo_state(ds->combo) : nullptr;
    gdi::Rect r = ui::client_rect(drop);
    dc->fill_rect(r, gdi::kWhite);
    if (cs) {
        cs->rows.clamp_top(visible_rows(drop_area(drop), ui::font(ds->combo)));
        paint_rows(*dc, drop_area(drop), ui::font(ds->combo), cs->rows, true);
    }
    dc->frame_rect(r, gdi::kBlack);
    ui::end_paint(drop, std::move(dc));
}

// Every stylus event comes here while the list is open (it holds the capture); a press outside the list
// closes it and goes no further.
void drop_stylus(Hwnd drop, DropState* ds, ComboState* cs, uint32_t msg, ui::LParam lparam)
{
    int x = ui::point_x(lparam), y = ui::point_y(lparam);
    bool inside = ui::client_rect(drop).contains(x, y);
    gdi::FontRef font = ui::font(ds->combo);
    if (msg == ui::kMsgLButtonDown) {
        if (!inside) {
            Hwnd combo = ds->combo;  // closing destroys this window and its state
            close_drop(cs);
            ui::invalidate(combo);
            return;
        }
        ds->drag.begin(y, cs->rows.top);
    } else if (msg == ui::kMsgMouseMove) {
        int top = ds->drag.move(y, row_height(font));
        if (top >= 0) {
            cs->rows.top = top;
            ui::invalidate(drop);
        }
    } else if (msg == ui::kMsgLButtonUp) {
        int row = ds->drag.end() && inside ? row_at(drop_area(drop), font, cs->rows, y) : -1;
        if (row >= 0) {
            pick(ds->combo, cs, row);
            return;
        }
        if (ui::capture() != drop)
            ui::set_capture(drop);
    }
}

ui::LResult drop_proc(Hwnd drop, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    DropState* ds = drop_state(drop);
    if (msg == ui::kMsgCreate) {
        DropState* d = kit::adopt_state(drop, std::make_unique<DropState>());
        d->combo = Hwnd(reinterpret_cast<uintptr_t>(reinterpret_cast<void*>(lparam)));
        return 0;
    }
    if (msg == ui::kMsgDestroy) {
        kit::free_state(drop);
        return 0;
    }
    if (msg == ui::kMsgPaint) {
        paint_drop(drop);
        return 0;
    }
    ComboState* cs = ds ? combo_state(ds->combo) : nullptr;
    if (!cs)
        return ui::default_window_proc(drop, msg, wparam, lparam);
    if (msg == ui::kMsgLButtonDown || msg == ui::kMsgMouseMove || msg == ui::kMsgLButtonUp) {
        drop_stylus(drop, ds, cs, msg, lparam);
        return 0;
    }
    if (msg == ui::kMsgMouseWheel) {
        cs->rows.top -= int16_t(ui::hiword(wparam)) * 3 / 120;
        ui::invalidate(drop);
        return 0;
    }
    return ui::default_window_proc(drop, msg, wparam, lparam);
}

}  // namespace

ui::WindowClass combo_class()
{
    return {std::u16string(kit::kComboClass), combo_proc};
}

ui::WindowClass combo_drop_class()
{
    ui::WindowClass cls {std::u16string(kit::kComboDropClass), drop_proc};
    cls.no_activate = true;
    return cls;
}

int combo_add(Hwnd combo, std::u16string_view text)
{
    ComboState* st = combo_state(combo);
    if (!st)
        return -1;
    int at = st->rows.add(text, false);
    if (st->drop != ui::kNoWindow)
        ui::invalidate(st->drop);
    return at;
}

void combo_reset(Hwnd combo)
{
    ComboState* st = combo_state(combo);
    if (!st)
        return;
    st->rows.reset();
    show_selection(combo, st);
}

int combo_count(Hwnd combo)
{
    ComboState* st = combo_state(combo);
    return st ? st->rows.count() : 0;
}

std::u16string combo_text(Hwnd combo, int index)
{
    ComboState* st = combo_state(combo);
    if (!st || index < 0 || index >= st->rows.count())
        return {};
    return st->rows.entries[size_t(index)].text;
}

int combo_selection(Hwnd combo)
{
    ComboState* st = combo_state(combo);
    return st ? st->rows.selection : -1;
}

bool combo_set_selection(Hwnd combo, int index)
{
    ComboState* st = combo_state(combo);
    if (!st || index < -1 || index >= st->rows.count())
        return false;
    st->rows.selection = index;
    show_selection(combo, st);
    return true;
}

bool combo_dropped(Hwnd combo)
{
    ComboState* st = combo_state(combo);
    return st && st->drop != ui::kNoWindow && ui::is_window(st->drop);
}

}  // namespace platform::controls
