#include "platform/driver/driver_find.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <utility>

#include "platform/controls/controls.h"
#include "platform/text/text.h"

namespace platform::driver {

using text::from_utf8;
using text::to_utf8;
using ui::Hwnd;

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool is_class(Hwnd h, std::u16string_view name)
{
    return text::equal_no_case(ui::class_name(h), name);
}

// Depth-first over the descendants of `root`, in creation order.
Hwnd find_descendant(Hwnd root, const std::function<bool(Hwnd)>& match)
{
    for (Hwnd c : ui::children(root)) {
        if (match(c))
            return c;
        if (Hwnd deeper = find_descendant(c, match); deeper != ui::kNoWindow)
            return deeper;
    }
    return ui::kNoWindow;
}

Hwnd find_by_name(Hwnd window, const ControlName& name)
{
    if (name.by_id)
        return find_descendant(window, [&](Hwnd h) { return ui::window_id(h) == name.id; });
    std::u16string caption = from_utf8(name.caption);
    Hwnd exact = find_descendant(window, [&](Hwnd h) { return ui::window_text(h) == caption; });
    if (exact != ui::kNoWindow)
        return exact;
    return find_descendant(window, [&](Hwnd h) { return text::trim(ui::window_text(h)) == text::trim(caption); });
}

struct NamedKey {
    const char* name;
    uint32_t key;
    char16_t character;
};

constexpr NamedKey kKeys[] = {
    {"tab", ui::kKeyTab, 0},
    {"escape", ui::kKeyEscape, 0},
    {"esc", ui::kKeyEscape, 0},
    {"return", ui::kKeyReturn, 0},
    {"enter", ui::kKeyReturn, 0},
    {"up", ui::kKeyUp, 0},
    {"down", ui::kKeyDown, 0},
    {"left", ui::kKeyLeft, 0},
    {"right", ui::kKeyRight, 0},
    {"home", ui::kKeyHome, 0},
    {"end", ui::kKeyEnd, 0},
    {"pageup", ui::kKeyPrior, 0},
    {"pagedown", ui::kKeyNext, 0},
    {"delete", ui::kKeyDelete, 0},
    {"del", ui::kKeyDelete, 0},
    {"backspace", ui::kKeyBack, 0},
    {"back", ui::kKeyBack, 0},
    {"space", ui::kKeySpace, u' '},
};

bool parse_modifier(std::string_view m, unsigned* mods)
{
    std::string l = lower(m);
    if (l == "ctrl" || l == "control")
        *mods |= ui::kModCtrl;
    else if (l == "shift")
        *mods |= ui::kModShift;
    else if (l == "alt")
        *mods |= ui::kModAlt;
    else
        return false;
    return true;
}

bool parse_base_key(std::string_view base, KeyPress* out)
{
    std::string l = lower(base);
    for (const NamedKey& k : kKeys)
        if (l == k.name) {
            out->key = k.key;
            out->character = k.character;
            return true;
        }
    if (l.size() >= 2 && l[0] == 'f') {
        int n = 0;
        auto [end, ec] = std::from_chars(l.data() + 1, l.data() + l.size(), n);
        if (ec == std::errc() && end == l.data() + l.size() && n >= 1 && n <= 12) {
            out->key = ui::kKeyF1 + uint32_t(n - 1);
            return true;
        }
    }
    std::u16string wide = from_utf8(base);
    if (wide.size() != 1 || wide[0] < 0x20)
        return false;
    char16_t c = wide[0];
    out->character = c;
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        out->key = uint32_t(text::to_upper(c));  // letters and digits have their own key codes
    return true;
}

bool has_entries(Hwnd h)
{
    return is_class(h, u"listbox") || is_class(h, u"combobox");
}

void dump_entries(Hwnd h, std::string* out)
{
    for (int i = 0; i < entry_count(h); ++i)
        *out += "    " + std::to_string(i) + " " + quote(to_utf8(entry_text(h, i))) + "\n";
}

// " at X,Y WxH": where the control stands in the client area of its top-level window, so a script can
// find a field by the label beside it.
std::string placement(Hwnd h)
{
    const ui::Rect r = ui::window_rect(h);
    const ui::Point p = ui::screen_to_client(ui::top_level(h), {r.left, r.top});
    return " at " + std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(r.width()) + "x"
        + std::to_string(r.height());
}

void dump_control(Hwnd h, int depth, std::string* out)
{
    *out += std::string(size_t(2 * depth), ' ') + std::to_string(ui::window_id(h)) + " " + to_utf8(ui::class_name(h))
        + " " + quote(to_utf8(ui::window_text(h)));
    uint32_t st = ui::style(h);
    if (!ui::is_visible(h))
        *out += " hidden";
    if (st & ui::kStyleDisabled)
        *out += " disabled";
    if (ui::focus() == h)
        *out += " focused";
    if (is_class(h, u"button")
        && ((st & 0xF) == controls::kButtonCheckBox || (st & 0xF) == controls::kButtonAutoCheckBox))
        *out += " check " + std::to_string(controls::button_check(h));
    if (has_entries(h)) {
        int sel = is_class(h, u"listbox") ? controls::list_selection(h) : controls::combo_selection(h);
        *out += " count " + std::to_string(entry_count(h)) + " selection " + std::to_string(sel);
    }
    *out += placement(h) + "\n";
    if (has_entries(h))
        dump_entries(h, out);
    for (Hwnd c : ui::children(h))
        dump_control(c, depth + 1, out);
}

}  // namespace

std::string quote(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

Hwnd main_window()
{
    for (Hwnd h : ui::top_level_windows()) {
        if (ui::owner(h) == ui::kNoWindow && ui::template_name(h).empty() && !ui::is_dialog(h)
            && !is_class(h, u"KeyboardPanel"))
            return h;
    }
    return ui::kNoWindow;
}

std::string window_name(Hwnd window)
{
    if (window == ui::kNoWindow)
        return "(no window)";
    std::string t = ui::template_name(window);
    if (!t.empty())
        return t;
    if (window == main_window())
        return "main";
    return "window " + quote(to_utf8(ui::window_text(window)));
}

bool window_matches(Hwnd window, std::string_view name)
{
    if (window == ui::kNoWindow)
        return false;
    std::string want = lower(name);
    if (want == "main")
        return window == main_window();
    if (!want.empty() && std::all_of(want.begin(), want.end(), [](char c) { return std::isdigit((unsigned char)c); }))
        want = "#" + want;
    return !want.empty() && lower(ui::template_name(window)) == want;
}

Found find_control(const ControlName& name, std::initializer_list<std::u16string_view> classes)
{
    Hwnd window = ui::active_window();
    if (window == ui::kNoWindow)
        return {ui::kNoWindow, "no active window"};
    Hwnd h = find_by_name(window, name);
    if (h == ui::kNoWindow)
        return {ui::kNoWindow, "no control " + name.describe() + " in " + window_name(window)};
    if (classes.size() == 0)
        return {h, {}};
    for (std::u16string_view c : classes)
        if (is_class(h, c))
            return {h, {}};
    return {ui::kNoWindow, "control " + name.describe() + " is a " + to_utf8(ui::class_name(h))};
}

std::string unusable(Hwnd control, const ControlName& name)
{
    if (!ui::is_visible(control))
        return "control " + name.describe() + " is hidden";
    if (!ui::is_enabled(control))
        return "control " + name.describe() + " is disabled";
    if (is_class(control, u"edit") && (ui::style(control) & controls::kEditReadOnly))
        return "control " + name.describe() + " is read-only";
    return {};
}

std::string refused_text(Hwnd edit, std::u16string_view text, const ControlName& name)
{
    if (!(ui::style(edit) & controls::kEditNumber))
        return {};
    for (char16_t c : text)
        if (c < u'0' || c > u'9')
            return "control " + name.describe() + " takes digits only";
    return {};
}

int entry_count(Hwnd list)
{
    return is_class(list, u"listbox") ? controls::list_count(list) : controls::combo_count(list);
}

std::u16string entry_text(Hwnd list, int index)
{
    return is_class(list, u"listbox") ? controls::list_text(list, index) : controls::combo_text(list, index);
}

int entry_index(Hwnd list, std::u16string_view text)
{
    int count = entry_count(list);
    for (int i = 0; i < count; ++i)
        if (entry_text(list, i) == text)
            return i;
    for (int i = 0; i < count; ++i)
        if (text::trim(entry_text(list, i)) == text::trim(text))
            return i;
    return -1;
}

bool parse_key(std::string_view name, KeyPress* out)
{
    KeyPress press;
    std::string_view rest = name;
    // "ctrl+a": modifiers before the last '+'; a lone "+" is the plus key itself.
    size_t plus;
    while (rest.size() > 1 && (plus = rest.find('+')) != std::string_view::npos && plus + 1 < rest.size()) {
        if (!parse_modifier(rest.substr(0, plus), &press.modifiers))
            return false;
        rest = rest.substr(plus + 1);
    }
    if (!parse_base_key(rest, &press))
        return false;
    if (press.modifiers & (ui::kModCtrl | ui::kModAlt))
        press.character = 0;  // a chord types nothing
    if (press.key == 0 && press.character == 0)
        return false;
    *out = press;
    return true;
}

int box_button_id(std::string_view name)
{
    std::string l = lower(name);
    if (l == "ok")
        return ui::kIdOk;
    if (l == "cancel")
        return ui::kIdCancel;
    if (l == "yes")
        return ui::kIdYes;
    if (l == "no")
        return ui::kIdNo;
    return 0;
}

std::string dump_window(Hwnd window)
{
    if (window == ui::kNoWindow)
        return "(no window)\n";
    std::string out = "window " + window_name(window) + " " + quote(to_utf8(ui::window_text(window))) + "\n";
    for (Hwnd c : ui::children(window))
        dump_control(c, 1, &out);
    Hwnd bar = controls::menu_bar_of(window);
    if (bar != ui::kNoWindow) {
        out += "menu bar\n";
        for (const auto& [path, command] : controls::menu_paths(bar))
            out += "  " + quote(to_utf8(path)) + " " + std::to_string(command) + "\n";
    }
    return out;
}

}  // namespace platform::driver
