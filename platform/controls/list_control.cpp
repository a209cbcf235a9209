// The list box: entries with item data, one selection by tap or keys with the selection-change
// notification, scrolling by wheel, drag and keys that keeps the selection in view, and an optional
// fixed-pitch face.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"
#include "platform/controls/row_list.h"

namespace platform::controls {

namespace {

struct ListState {
    RowList rows;
    RowDrag drag;
    bool focused = false;
    gdi::FontRef fixed;  // the Courier face of a fixed-pitch list, made at creation
};

ListState* list_state(Hwnd hwnd)
{
    return kit::state_of<ListState>(hwnd, kit::kListClass);
}

// A fixed-pitch list shows Courier unless the program gave the list a font of its own.
gdi::FontRef list_font(Hwnd hwnd, const ListState* st)
{
    gdi::FontRef f = ui::font(hwnd);
    if (st && st->fixed && f == gdi::ui_font())
        return st->fixed;
    return f;
}

gdi::Rect rows_area(Hwnd hwnd)
{
    gdi::Rect r = ui::client_rect(hwnd);
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

int visible(Hwnd hwnd, const ListState* st)
{
    return visible_rows(rows_area(hwnd), list_font(hwnd, st));
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    ListState* st = list_state(hwnd);
    gdi::Rect r = ui::client_rect(hwnd);
    dc->fill_rect(r, gdi::kWhite);
    if (st) {
        st->rows.clamp_top(visible(hwnd, st));
        paint_rows(*dc, rows_area(hwnd), list_font(hwnd, st), st->rows, ui::is_enabled(hwnd));
    }
    dc->frame_rect(r, gdi::kBlack);
    ui::end_paint(hwnd, std::move(dc));
}

// Selects `index`, scrolls it into view and tells the parent.
void select_and_notify(Hwnd hwnd, ListState* st, int index)
{
    st->rows.selection = index;
    st->rows.ensure_visible(index, visible(hwnd, st));
    ui::invalidate(hwnd);
    kit::notify_parent(hwnd, ui::kLbnSelChange);
}

bool on_key(Hwnd hwnd, ListState* st, uint32_t key)
{
    int count = st->rows.count();
    int page = std::max(1, visible(hwnd, st) - 1);
    int sel = st->rows.selection;
    int target;
    switch (key) {
    case ui::kKeyUp:
        target = sel < 0 ? 0 : sel - 1;
        break;
    case ui::kKeyDown:
        target = sel < 0 ? 0 : sel + 1;
        break;
    case ui::kKeyPrior:
        target = sel < 0 ? 0 : sel - page;
        break;
    case ui::kKeyNext:
        target = sel < 0 ? 0 : sel + page;
        break;
    case ui::kKeyHome:
        target = 0;
        break;
    case ui::kKeyEnd:
        target = count - 1;
        break;
    default:
        return false;
    }
    if (count == 0)
        return true;
    target = std::clamp(target, 0, count - 1);
    if (target != sel)
        select_and_notify(hwnd, st, target);
    return true;
}

void on_down(Hwnd hwnd, ListState* st, ui::LParam lparam)
{
    if (!ui::is_enabled(hwnd))
        return;
    if (ui::focus() != hwnd)
        ui::set_focus(hwnd);
    st->drag.begin(ui::point_y(lparam), st->rows.top);
    ui::set_capture(hwnd);
}

void on_move(Hwnd hwnd, ListState* st, ui::LParam lparam)
{
    int top = st->drag.move(ui::point_y(lparam), row_height(list_font(hwnd, st)));
    if (top < 0)
        return;
    st->rows.top = top;
    st->rows.clamp_top(visible(hwnd, st));
    ui::invalidate(hwnd);
}

void on_up(Hwnd hwnd, ListState* st, ui::LParam lparam)
{
    if (ui::capture() == hwnd)
        ui::release_capture();
    if (!st->drag.end())
        return;
    int row = row_at(rows_area(hwnd), list_font(hwnd, st), st->rows, ui::point_y(lparam));
    if (row >= 0 && ui::client_rect(hwnd).contains(ui::point_x(lparam), ui::point_y(lparam)))
        select_and_notify(hwnd, st, row);
}

void on_wheel(Hwnd hwnd, ListState* st, ui::WParam wparam)
{
    int delta = int16_t(ui::hiword(wparam));
    st->rows.top -= delta * 3 / 120;
    st->rows.clamp_top(visible(hwnd, st));
    ui::invalidate(hwnd);
}

void on_create(Hwnd hwnd)
{
    ListState* st = kit::adopt_state(hwnd, std::make_unique<ListState>());
    if (ui::style(hwnd) & kListFixedPitch) {
        gdi::FontSpec spec;
        spec.height = gdi::metrics(gdi::ui_font()).height;
        spec.face = u"Courier";
        st->fixed = gdi::create_font(spec);
    }
}

ui::LResult list_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    ListState* st = list_state(hwnd);
    if (msg == ui::kMsgCreate) {
        on_create(hwnd);
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
        return 0;
    case ui::kMsgLButtonDown:
        on_down(hwnd, st, lparam);
        return 0;
    case ui::kMsgMouseMove:
        on_move(hwnd, st, lparam);
        return 0;
    case ui::kMsgLButtonUp:
        on_up(hwnd, st, lparam);
        return 0;
    case ui::kMsgMouseWheel:
        on_wheel(hwnd, st, wparam);
        return 0;
    case ui::kMsgKeyDown:
        if (on_key(hwnd, st, uint32_t(wparam)))
            return 0;
        break;
    case kit::kMsgDriverSelect:
        if (int(wparam) >= 0 && int(wparam) < st->rows.count()) {
            if (ui::focus() != hwnd)
                ui::set_focus(hwnd);
            select_and_notify(hwnd, st, int(wparam));
        }
        return 0;
    default:
        break;
    }
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

}  // namespace

ui::WindowClass list_class()
{
    return {std::u16string(kit::kListClass), list_proc};
}

int list_add(Hwnd list, std::u16string_view text)
{
    ListState* st = list_state(list);
    if (!st)
        return -1;
    int at = st->rows.add(text, (ui::style(list) & kListSort) != 0);
    ui::invalidate(list);
    return at;
}

int list_insert(Hwnd list, int index, std::u16string_view text)
{
    ListState* st = list_state(list);
    if (!st)
        return -1;
    int at = st->rows.insert(index, text);
    ui::invalidate(list);
    return at;
}

bool list_delete(Hwnd list, int index)
{
    ListState* st = list_state(list);
    if (!st || !st->rows.erase(index))
        return false;
    st->rows.clamp_top(visible(list, st));
    ui::invalidate(list);
    return true;
}

void list_reset(Hwnd list)
{
    if (ListState* st = list_state(list)) {
        st->rows.reset();
        ui::invalidate(list);
    }
}

int list_count(Hwnd list)
{
    ListState* st = list_state(list);
    return st ? st->rows.count() : 0;
}

std::u16string list_text(Hwnd list, int index)
{
    ListState* st = list_state(list);
    if (!st || index < 0 || index >= st->rows.count())
        return {};
    return st->rows.entries[size_t(index)].text;
}

int list_selection(Hwnd list)
{
    ListState* st = list_state(list);
    return st ? st->rows.selection : -1;
}

bool list_set_selection(Hwnd list, int index)
{
    ListState* st = list_state(list);
    if (!st || index < -1 || index >= st->rows.count())
        return false;
    st->rows.selection = index;
    st->rows.ensure_visible(index, visible(list, st));
    ui::invalidate(list);
    return true;
}

int list_top_index(Hwnd list)
{
    ListState* st = list_state(list);
    return st ? st->rows.top : 0;
}

void list_set_top_index(Hwnd list, int index)
{
    ListState* st = list_state(list);
    if (!st)
        return;
    st->rows.top = index;
    st->rows.clamp_top(visible(list, st));
    ui::invalidate(list);
}

int list_visible_rows(Hwnd list)
{
    ListState* st = list_state(list);
    return st ? visible(list, st) : 0;
}

void list_set_data(Hwnd list, int index, intptr_t data)
{
    ListState* st = list_state(list);
    if (st && index >= 0 && index < st->rows.count())
        st->rows.entries[size_t(index)].data = data;
}

intptr_t list_data(Hwnd list, int index)
{
    ListState* st = list_state(list);
    if (!st || index < 0 || index >= st->rows.count())
        return 0;
    return st->rows.entries[size_t(index)].data;
}

}  // namespace platform::controls

namespace platform::controls {

void post_select(Hwnd list_or_combo, int index)
{
    if (kit::is_class(list_or_combo, kit::kListClass) || kit::is_class(list_or_combo, kit::kComboClass))
        ui::post_message(list_or_combo, kit::kMsgDriverSelect, ui::WParam(index));
}

}  // namespace platform::controls
