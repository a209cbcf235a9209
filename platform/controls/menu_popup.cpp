// Pop-up menus of a menu bar: a column of items above the bar, nested pop-ups beside the item that
// opens them. Choosing an item posts its command to the bar's window and closes every pop-up.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/menu_popup.h"
#include "platform/controls/register.h"

namespace platform::controls {

namespace {

constexpr int kSeparatorHeight = 7;
constexpr int kItemPadding = 8;  // above and below the label, together
constexpr int kSubmenuArrowRoom = 14;

struct PopupState {
    Hwnd bar = ui::kNoWindow;
};

PopupState* popup_state(Hwnd hwnd)
{
    return kit::state_of<PopupState>(hwnd, kit::kPopupMenuClass);
}

bool is_separator(const MenuItem& item)
{
    return item.command == 0 && item.submenu.empty();
}

// Item rectangles in pop-up client coordinates, and the pop-up's size.
std::vector<gdi::Rect> item_rects(const gdi::FontRef& font, const std::vector<MenuItem>& items, gdi::Size* size)
{
    int width = 80;
    for (const MenuItem& item : items)
        width = std::max(width, kit::measure(font, text::trim(item.label)).cx + 2 * kItemPadding + kSubmenuArrowRoom);
    width = std::min(width, ui::kScreenWidth);
    std::vector<gdi::Rect> rects;
    int y = 1;
    int h = kit::line_height(font) + kItemPadding;
    for (const MenuItem& item : items) {
        int ih = is_separator(item) ? kSeparatorHeight : h;
        rects.push_back({1, y, width - 1, y + ih});
        y += ih;
    }
    *size = {width, y + 1};
    return rects;
}

OpenPopup* find_open(MenuBarState* st, Hwnd popup, int* level)
{
    for (size_t i = 0; i < st->popups.size(); ++i)
        if (st->popups[i].hwnd == popup) {
            *level = int(i);
            return &st->popups[i];
        }
    return nullptr;
}

void paint_item(gdi::DC& dc, const MenuItem& item, const gdi::Rect& r, bool inverted)
{
    if (is_separator(item)) {
        dc.fill_rect({r.left + 2, r.top + r.height() / 2, r.right - 2, r.top + r.height() / 2 + 1}, gdi::kBlack);
        return;
    }
    dc.fill_rect(r, inverted ? gdi::kBlack : gdi::kWhite);
    gdi::Color ink = inverted ? gdi::kWhite : gdi::kBlack;
    kit::draw_text_line(
        dc, {r.left + kItemPadding, r.top, r.right, r.bottom}, text::trim(item.label), gdi::kAlignLeft, ink);
    if (!item.submenu.empty()) {
        int cx = r.right - kSubmenuArrowRoom / 2 - 2, cy = r.top + r.height() / 2;
        for (int i = 0; i < 4; ++i)  // a right arrow: the nested menu opens beside
            dc.fill_rect({cx + i, cy - 3 + i, cx + i + 1, cy + 4 - i}, ink);
    }
}

void paint(Hwnd popup)
{
    auto dc = ui::begin_paint(popup);
    if (!dc)
        return;
    gdi::Rect r = ui::client_rect(popup);
    dc->fill_rect(r, gdi::kWhite);
    PopupState* ps = popup_state(popup);
    MenuBarState* st = ps ? menu_bar_state(ps->bar) : nullptr;
    int level = 0;
    OpenPopup* open = st ? find_open(st, popup, &level) : nullptr;
    if (open) {
        dc->select_font(ui::font(popup));
        for (size_t i = 0; i < open->items->size() && i < open->rects.size(); ++i)
            paint_item(*dc, (*open->items)[i], open->rects[i], int(i) == open->pressed || int(i) == open->open_item);
    }
    dc->frame_rect(r, gdi::kBlack);
    ui::end_paint(popup, std::move(dc));
}

// The pop-up and item under a screen point, deepest pop-up first; false when the point is on none.
bool hit(MenuBarState* st, gdi::Point screen, int* level, int* item)
{
    for (int i = int(st->popups.size()) - 1; i >= 0; --i) {
        OpenPopup& p = st->popups[size_t(i)];
        gdi::Point c = ui::screen_to_client(p.hwnd, screen);
        if (!ui::client_rect(p.hwnd).contains(c.x, c.y))
            continue;
        *level = i;
        *item = -1;
        for (size_t k = 0; k < p.rects.size(); ++k)
            if (p.rects[k].contains(c.x, c.y) && !is_separator((*p.items)[k]))
                *item = int(k);
        return true;
    }
    return false;
}

void choose(Hwnd bar, MenuBarState* st, int level, int index)
{
    OpenPopup& p = st->popups[size_t(level)];
    const MenuItem& item = (*p.items)[size_t(index)];
    if (!item.submenu.empty()) {
        p.open_item = index;
        ui::invalidate(p.hwnd);
        gdi::Rect r = p.rects[size_t(index)];
        gdi::Point corner = ui::client_to_screen(p.hwnd, {r.right, r.top});
        open_popup(bar, &item.submenu, corner.x, corner.y, level + 1);
        return;
    }
    Hwnd window = st->window;
    int command = item.command;
    close_popups(bar);
    ui::post_message(window, ui::kMsgCommand, ui::make_wparam(unsigned(command), 0), 0);
}

void on_stylus(Hwnd popup, uint32_t msg, ui::LParam lparam)
{
    PopupState* ps = popup_state(popup);
    Hwnd bar = ps->bar;
    MenuBarState* st = menu_bar_state(bar);
    if (!st)
        return;
    gdi::Point screen = ui::client_to_screen(popup, {ui::point_x(lparam), ui::point_y(lparam)});
    int level = -1, item = -1;
    bool on_popup = hit(st, screen, &level, &item);
    if (msg == ui::kMsgLButtonDown) {
        if (!on_popup) {
            int was_open = st->open_button;
            close_popups(bar);
            press_after_popups(bar, screen, was_open);
            return;
        }
        st->popups[size_t(level)].pressed = item;
        ui::invalidate(st->popups[size_t(level)].hwnd);
        return;
    }
    bool chosen = false;
    if (on_popup && item >= 0 && st->popups[size_t(level)].pressed == item)
        chosen = true;
    for (OpenPopup& p : st->popups) {
        if (p.pressed >= 0)
            ui::invalidate(p.hwnd);
        p.pressed = -1;
    }
    if (chosen) {
        choose(bar, st, level, item);
        return;
    }
    if (!st->popups.empty() && ui::capture() != st->popups.back().hwnd)
        ui::set_capture(st->popups.back().hwnd);
}

ui::LResult popup_proc(Hwnd popup, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    PopupState* ps = popup_state(popup);
    switch (msg) {
    case ui::kMsgCreate: {
        PopupState* s = kit::adopt_state(popup, std::make_unique<PopupState>());
        s->bar = ui::owner(popup);
        return 0;
    }
    case ui::kMsgDestroy:
        kit::free_state(popup);
        return 0;
    case ui::kMsgPaint:
        paint(popup);
        return 0;
    case ui::kMsgLButtonDown:
    case ui::kMsgLButtonUp:
        if (ps)
            on_stylus(popup, msg, lparam);
        return 0;
    default:
        return ui::default_window_proc(popup, msg, wparam, lparam);
    }
}

// Closes the pop-ups at `level` and deeper.
void close_from(MenuBarState* st, size_t level)
{
    while (st->popups.size() > level) {
        Hwnd h = st->popups.back().hwnd;
        st->popups.pop_back();
        if (ui::capture() == h)
            ui::release_capture();
        if (ui::is_window(h))
            ui::destroy_window(h);
    }
    if (!st->popups.empty()) {
        st->popups.back().open_item = -1;
        ui::invalidate(st->popups.back().hwnd);
    }
}

gdi::Point place(const gdi::Size& size, int x, int y, int level, const MenuBarState* st)
{
    int bottom_limit = ui::kScreenHeight - ui::kMenuBarHeight;
    if (level == 0)
        return {std::clamp(x, 0, ui::kScreenWidth - size.cx), std::max(0, bottom_limit - size.cy)};
    int left = x - 2;
    if (left + size.cx > ui::kScreenWidth) {
        gdi::Rect parent = ui::window_rect(st->popups[size_t(level - 1)].hwnd);
        left = parent.left - size.cx + 2;
    }
    left = std::clamp(left, 0, std::max(0, ui::kScreenWidth - size.cx));
    return {left, std::clamp(y, 0, std::max(0, bottom_limit - size.cy))};
}

}  // namespace

ui::WindowClass popup_menu_class()
{
    ui::WindowClass cls {std::u16string(kit::kPopupMenuClass), popup_proc};
    cls.no_activate = true;
    return cls;
}

void open_popup(Hwnd bar, const std::vector<MenuItem>* items, int x, int y, int level)
{
    MenuBarState* st = menu_bar_state(bar);
    if (!st || items->empty())
        return;
    close_from(st, size_t(level));
    gdi::Size size;
    std::vector<gdi::Rect> rects = item_rects(ui::font(bar), *items, &size);
    gdi::Point at = place(size, x, y, level, st);
    Hwnd popup = ui::create_window(
        kit::kPopupMenuClass, u"", ui::kStylePopup | ui::kStyleVisible, at.x, at.y, size.cx, size.cy, bar);
    if (popup == ui::kNoWindow)
        return;
    st->popups.push_back({popup, items, std::move(rects), -1, -1});
    ui::set_capture(popup);
}

void close_popups(Hwnd bar)
{
    MenuBarState* st = menu_bar_state(bar);
    if (!st)
        return;
    close_from(st, 0);
    if (st->open_button >= 0) {
        st->open_button = -1;
        ui::invalidate(bar);
    }
}

}  // namespace platform::controls
