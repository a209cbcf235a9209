// Menu bars: a row of buttons along the bottom of the screen, each sending a command to the bar's window
// or opening a pop-up menu above the bar; pop-ups nest beside the item that opens them. The bar and its
// pop-ups never take the activation, so the window keeps its focus while the user picks a command.
#include <algorithm>
#include <map>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/menu_popup.h"
#include "platform/controls/register.h"
#include "platform/reset/reset.h"

namespace platform::controls {

namespace {

constexpr int kButtonPadding = 14;
constexpr int kArrowRoom = 8;  // a drop-down button shows a small arrow after its label

struct MenuRegistry {
    std::map<int, MenuBarTemplate> templates;  // by id, for the whole run
    bool fail = false;                         // tests: creation fails while set
};
MenuRegistry s_menus;

int button_width(const gdi::FontRef& font, const MenuBarButton& b)
{
    return kit::measure(font, text::trim(b.label)).cx + kButtonPadding + (b.popup.empty() ? 0 : kArrowRoom);
}

// Buttons left to right at their natural widths, narrowed evenly when they would not fit.
void layout(Hwnd bar, MenuBarState* st)
{
    gdi::FontRef font = ui::font(bar);
    std::vector<int> widths;
    int total = 0;
    for (const MenuBarButton& b : st->tmpl.buttons) {
        widths.push_back(button_width(font, b));
        total += widths.back();
    }
    int room = ui::client_rect(bar).width();
    st->buttons.clear();
    int x = 0;
    for (int w : widths) {
        if (total > room)
            w = w * room / total;
        st->buttons.push_back({x, 0, x + w, kMenuBarHeightPixels});
        x += w;
    }
}

void paint_button(gdi::DC& dc, const MenuBarButton& b, const gdi::Rect& r, bool inverted)
{
    dc.fill_rect(r, inverted ? gdi::kBlack : gdi::kWhite);
    gdi::Color ink = inverted ? gdi::kWhite : gdi::kBlack;
    int arrow = b.popup.empty() ? 0 : kArrowRoom;
    kit::draw_text_line(dc, {r.left, r.top, r.right - arrow, r.bottom}, text::trim(b.label), gdi::kAlignCenter, ink);
    if (arrow) {
        int cx = r.right - kArrowRoom, cy = r.height() / 2 + 1;
        for (int i = 0; i < 3; ++i)  // an up arrow: the menu opens upwards
            dc.fill_rect({cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i}, ink);
    }
    dc.fill_rect({r.right - 1, r.top + 4, r.right, r.bottom - 4}, gdi::kBlack);
}

void paint(Hwnd bar)
{
    auto dc = ui::begin_paint(bar);
    if (!dc)
        return;
    MenuBarState* st = menu_bar_state(bar);
    gdi::Rect r = ui::client_rect(bar);
    dc->fill_rect(r, gdi::kWhite);
    // While a modal dialog is over its window the bar cannot be used: it shows no buttons then, as the
    // handheld shows an empty bar under a dialog that has none of its own.
    if (st && ui::is_enabled(st->window)) {
        dc->select_font(ui::font(bar));
        for (size_t i = 0; i < st->buttons.size() && i < st->tmpl.buttons.size(); ++i)
            paint_button(*dc, st->tmpl.buttons[i], st->buttons[i], int(i) == st->pressed || int(i) == st->open_button);
    }
    dc->fill_rect({r.left, r.top, r.right, r.top + 1}, gdi::kBlack);
    ui::end_paint(bar, std::move(dc));
}

int button_at(const MenuBarState* st, int x, int y)
{
    for (size_t i = 0; i < st->buttons.size(); ++i)
        if (st->buttons[i].contains(x, y))
            return int(i);
    return -1;
}

void press(Hwnd bar, MenuBarState* st, int index)
{
    const MenuBarButton& b = st->tmpl.buttons[size_t(index)];
    if (b.popup.empty()) {
        close_popups(bar);
        ui::post_message(st->window, ui::kMsgCommand, ui::make_wparam(unsigned(b.command), 0), 0);
        return;
    }
    bool was_open = st->open_button == index;
    close_popups(bar);
    if (was_open)
        return;
    st->open_button = index;
    gdi::Rect r = st->buttons[size_t(index)];
    gdi::Point p = ui::client_to_screen(bar, {r.left, r.top});
    open_popup(bar, &b.popup, p.x, p.y, 0);
    ui::invalidate(bar);
}

void on_stylus(Hwnd bar, MenuBarState* st, uint32_t msg, ui::LParam lparam)
{
    int at = button_at(st, ui::point_x(lparam), ui::point_y(lparam));
    if (msg == ui::kMsgLButtonDown) {
        if (!ui::is_enabled(st->window) || at < 0)
            return;
        st->pressed = at;
        ui::set_capture(bar);
        ui::invalidate(bar);
        return;
    }
    int pressed = st->pressed;
    st->pressed = -1;
    if (ui::capture() == bar)
        ui::release_capture();
    ui::invalidate(bar);
    if (pressed >= 0 && pressed == at && ui::is_enabled(st->window))
        press(bar, st, at);
}

ui::LResult bar_proc(Hwnd bar, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    MenuBarState* st = menu_bar_state(bar);
    switch (msg) {
    case ui::kMsgCreate: {
        MenuBarState* s = kit::adopt_state(bar, std::make_unique<MenuBarState>());
        s->window = ui::owner(bar);
        s->tmpl = *static_cast<const MenuBarTemplate*>(reinterpret_cast<void*>(lparam));
        layout(bar, s);
        return 0;
    }
    case ui::kMsgDestroy:
        close_popups(bar);
        kit::free_state(bar);
        return 0;
    case ui::kMsgPaint:
        paint(bar);
        return 0;
    case ui::kMsgLButtonDown:
    case ui::kMsgLButtonUp:
        if (st)
            on_stylus(bar, st, msg, lparam);
        return 0;
    default:
        return ui::default_window_proc(bar, msg, wparam, lparam);
    }
}

const MenuItem* find_item(const std::vector<MenuItem>& items, std::u16string_view label)
{
    for (const MenuItem& item : items)
        if (text::trim(item.label) == label)
            return &item;
    return nullptr;
}

void collect_paths(
    const std::vector<MenuItem>& items, const std::u16string& prefix, std::vector<std::pair<std::u16string, int>>* out)
{
    for (const MenuItem& item : items) {
        std::u16string path = prefix + u"/" + std::u16string(text::trim(item.label));
        if (!item.submenu.empty())
            collect_paths(item.submenu, path, out);
        else if (item.command != 0)
            out->emplace_back(path, item.command);
    }
}

}  // namespace

MenuBarState* menu_bar_state(Hwnd bar)
{
    return kit::state_of<MenuBarState>(bar, kit::kMenuBarClass);
}

void press_after_popups(Hwnd bar, gdi::Point p, int was_open)
{
    MenuBarState* st = menu_bar_state(bar);
    if (!st || !ui::is_enabled(st->window))
        return;
    gdi::Point c = ui::screen_to_client(bar, p);
    int at = ui::client_rect(bar).contains(c.x, c.y) ? button_at(st, c.x, c.y) : -1;
    if (at < 0 || at == was_open)
        return;
    st->pressed = at;
    ui::set_capture(bar);
    ui::invalidate(bar);
}

ui::WindowClass menu_bar_class()
{
    ui::WindowClass cls {std::u16string(kit::kMenuBarClass), bar_proc};
    cls.no_activate = true;
    return cls;
}

void add_menu_bar_template(const MenuBarTemplate& t)
{
    s_menus.templates[t.id] = t;
}

void set_menu_bar_failure(bool fail)
{
    s_menus.fail = fail;
}

Hwnd create_menu_bar(Hwnd window, int id)
{
    if (s_menus.fail || !ui::is_window(window))
        return ui::kNoWindow;
    auto it = s_menus.templates.find(id);
    if (it == s_menus.templates.end())
        return ui::kNoWindow;
    MenuBarTemplate tmpl = it->second;
    return ui::create_window(kit::kMenuBarClass, u"", ui::kStylePopup | ui::kStyleVisible, 0,
        ui::kScreenHeight - ui::kMenuBarHeight, ui::kScreenWidth, ui::kMenuBarHeight, window, 0, &tmpl);
}

Hwnd menu_bar_of(Hwnd window)
{
    if (window == ui::kNoWindow)
        return ui::kNoWindow;
    std::vector<Hwnd> windows = ui::top_level_windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        MenuBarState* st = menu_bar_state(*it);
        if (st && st->window == window)
            return *it;
    }
    return ui::kNoWindow;
}

int menu_command_for_path(Hwnd menu_bar, std::u16string_view path)
{
    MenuBarState* st = menu_bar_state(menu_bar);
    if (!st)
        return -1;
    size_t slash = path.find(u'/');
    std::u16string_view first = text::trim(path.substr(0, slash));
    for (const MenuBarButton& b : st->tmpl.buttons) {
        if (text::trim(b.label) != first)
            continue;
        if (slash == std::u16string_view::npos)
            return b.popup.empty() ? b.command : -1;
        const std::vector<MenuItem>* items = &b.popup;
        const MenuItem* item = nullptr;
        std::u16string_view rest = path.substr(slash + 1);
        while (true) {
            size_t next = rest.find(u'/');
            item = find_item(*items, text::trim(rest.substr(0, next)));
            if (!item)
                return -1;
            if (next == std::u16string_view::npos)
                return item->submenu.empty() && item->command != 0 ? item->command : -1;
            items = &item->submenu;
            rest = rest.substr(next + 1);
        }
    }
    return -1;
}

std::vector<std::pair<std::u16string, int>> menu_paths(Hwnd menu_bar)
{
    std::vector<std::pair<std::u16string, int>> out;
    MenuBarState* st = menu_bar_state(menu_bar);
    if (!st)
        return out;
    for (const MenuBarButton& b : st->tmpl.buttons) {
        std::u16string label(text::trim(b.label));
        if (b.popup.empty())
            out.emplace_back(label, b.command);
        else
            collect_paths(b.popup, label, &out);
    }
    return out;
}

bool menu_bar_set_button_text(Hwnd menu_bar, int index, std::u16string_view text)
{
    MenuBarState* st = menu_bar_state(menu_bar);
    if (!st || index < 0 || index >= int(st->tmpl.buttons.size()))
        return false;
    st->tmpl.buttons[size_t(index)].label = std::u16string(text);
    layout(menu_bar, st);
    ui::invalidate(menu_bar);
    return true;
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Platform, [] { s_menus = MenuRegistry {}; });

}  // namespace

}  // namespace platform::controls
