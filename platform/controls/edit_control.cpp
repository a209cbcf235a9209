// The single-line edit control: a caret placed by a tap, typing, Backspace, Delete, Left, Right, Home and
// End (Shift extends the selection), a text limit, horizontal scrolling that keeps the caret in view, and
// the set-focus, kill-focus and change notifications.
#include <algorithm>
#include <deque>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"

namespace platform::controls {

namespace {

constexpr int kMargin = 3;  // pixels between the border and the text

struct EditState {
    int anchor = 0;  // the selection runs between anchor and caret (characters)
    int caret = 0;
    int limit = 0;   // 0: no limit
    int scroll = 0;  // pixels of text hidden at the left
    bool focused = false;
    bool tapping = false;              // the focus is arriving from a tap, which places the caret itself
    std::deque<std::u16string> typed;  // texts the driver asked for, carried out in order
};

EditState* edit_state(Hwnd hwnd)
{
    return kit::state_of<EditState>(hwnd, kit::kEditClass);
}

int text_width(Hwnd hwnd, std::u16string_view s)
{
    return kit::measure(ui::font(hwnd), s).cx;
}

void clamp(EditState* st, int length)
{
    st->caret = std::clamp(st->caret, 0, length);
    st->anchor = std::clamp(st->anchor, 0, length);
}

// Moves the horizontal scroll so the caret stays inside the box and no empty space shows at the right
// while text is hidden at the left.
void keep_caret_visible(Hwnd hwnd, EditState* st)
{
    std::u16string text = ui::window_text(hwnd);
    clamp(st, int(text.size()));
    int inner = std::max(1, ui::client_rect(hwnd).width() - 2 * kMargin);
    int caret_px = text_width(hwnd, std::u16string_view(text).substr(0, size_t(st->caret)));
    int total = text_width(hwnd, text);
    if (caret_px - st->scroll > inner - 1)
        st->scroll = caret_px - inner + 1;
    if (caret_px < st->scroll)
        st->scroll = std::max(0, caret_px - inner / 3);
    if (total - st->scroll < inner - 1)
        st->scroll = std::max(0, total - inner + 1);
}

// Left edge of the text in client pixels (alignment applies while the whole text fits).
int text_origin(Hwnd hwnd, const EditState* st, std::u16string_view text)
{
    int inner = ui::client_rect(hwnd).width() - 2 * kMargin;
    int total = text_width(hwnd, text);
    uint32_t align = ui::style(hwnd) & 0x3;
    if (total < inner && align == kEditCenter)
        return kMargin + (inner - total) / 2;
    if (total < inner && align == kEditRight)
        return kMargin + inner - total - 1;
    return kMargin - st->scroll;
}

void paint_text(Hwnd hwnd, gdi::DC& dc, const EditState* st, const std::u16string& text)
{
    gdi::Rect r = ui::client_rect(hwnd);
    gdi::Rect inner {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    gdi::Rect clip = gdi::intersect(dc.clip(),
        {inner.left + dc.origin().x, inner.top + dc.origin().y, inner.right + dc.origin().x,
            inner.bottom + dc.origin().y});
    gdi::DC inside(dc.target(), dc.origin(), clip);
    inside.select_font(ui::font(hwnd));
    int x0 = text_origin(hwnd, st, text);
    int lh = kit::line_height(ui::font(hwnd));
    int y = (r.height() - lh) / 2;
    gdi::Color color = ui::is_enabled(hwnd) ? gdi::kBlack : kit::kGrey;
    kit::draw_text_line(inside, {x0, y, r.right + 4096, y + lh}, text, gdi::kAlignLeft, color);
    if (!st->focused)
        return;
    int a = std::min(st->anchor, st->caret), b = std::max(st->anchor, st->caret);
    if (a != b) {
        int xa = x0 + text_width(hwnd, std::u16string_view(text).substr(0, size_t(a)));
        int xb = x0 + text_width(hwnd, std::u16string_view(text).substr(0, size_t(b)));
        inside.fill_rect({xa, y, xb, y + lh}, gdi::kBlack);
        kit::draw_text_line(inside, {xa, y, xb + 4096, y + lh},
            std::u16string_view(text).substr(size_t(a), size_t(b - a)), gdi::kAlignLeft, gdi::kWhite);
    }
    int xc = x0 + text_width(hwnd, std::u16string_view(text).substr(0, size_t(st->caret)));
    inside.fill_rect({xc, y, xc + 1, y + lh}, gdi::kBlack);
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    EditState* st = edit_state(hwnd);
    gdi::Rect r = ui::client_rect(hwnd);
    dc->fill_rect(r, gdi::kWhite);
    if (st) {
        std::u16string text = ui::window_text(hwnd);
        clamp(st, int(text.size()));
        paint_text(hwnd, *dc, st, text);
    }
    dc->frame_rect(r, gdi::kBlack);
    ui::end_paint(hwnd, std::move(dc));
}

// Replaces the selection by `insert`, honouring the limit and the read-only and number styles. Returns
// whether the text changed; the change notification follows.
bool replace_selection(Hwnd hwnd, EditState* st, std::u16string_view insert)
{
    uint32_t style = ui::style(hwnd);
    if (style & kEditReadOnly)
        return false;
    if (style & kEditNumber) {
        for (char16_t c : insert)
            if (c < u'0' || c > u'9')
                return false;
    }
    std::u16string text = ui::window_text(hwnd);
    clamp(st, int(text.size()));
    size_t a = size_t(std::min(st->anchor, st->caret)), b = size_t(std::max(st->anchor, st->caret));
    if (a == b && insert.empty())
        return false;
    if (st->limit > 0 && !insert.empty() && text.size() - (b - a) + insert.size() > size_t(st->limit))
        return false;
    text.replace(a, b - a, insert);
    st->caret = st->anchor = int(a + insert.size());
    ui::set_window_text(hwnd, text);
    keep_caret_visible(hwnd, st);
    ui::invalidate(hwnd);
    kit::notify_parent(hwnd, ui::kEnChange);
    return true;
}

void move_caret(Hwnd hwnd, EditState* st, int to, bool extend)
{
    st->caret = to;
    if (!extend)
        st->anchor = to;
    keep_caret_visible(hwnd, st);
    ui::invalidate(hwnd);
}

bool on_key(Hwnd hwnd, EditState* st, uint32_t key, unsigned mods)
{
    int length = int(ui::window_text(hwnd).size());
    clamp(st, length);
    bool shift = (mods & ui::kModShift) != 0;
    bool has_selection = st->anchor != st->caret;
    switch (key) {
    case ui::kKeyLeft:
        move_caret(
            hwnd, st, shift || !has_selection ? std::max(0, st->caret - 1) : std::min(st->anchor, st->caret), shift);
        return true;
    case ui::kKeyRight:
        move_caret(hwnd, st,
            shift || !has_selection ? std::min(length, st->caret + 1) : std::max(st->anchor, st->caret), shift);
        return true;
    case ui::kKeyHome:
        move_caret(hwnd, st, 0, shift);
        return true;
    case ui::kKeyEnd:
        move_caret(hwnd, st, length, shift);
        return true;
    case ui::kKeyBack:
        if (!has_selection)
            st->anchor = std::max(0, st->caret - 1);
        replace_selection(hwnd, st, u"");
        return true;
    case ui::kKeyDelete:
        if (!has_selection)
            st->anchor = std::min(length, st->caret + 1);
        replace_selection(hwnd, st, u"");
        return true;
    default:
        return false;
    }
}

// Character index nearest to client column x.
int hit_test(Hwnd hwnd, const EditState* st, int x)
{
    std::u16string text = ui::window_text(hwnd);
    int x0 = text_origin(hwnd, st, text);
    int previous = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        int w = text_width(hwnd, std::u16string_view(text).substr(0, i));
        if (x < x0 + (previous + w) / 2)
            return int(i - 1);
        previous = w;
    }
    return int(text.size());
}

// Reaching an edit by Tab (or being the first field of a dialog) selects its whole text, so typing
// replaces it; a tap places the caret instead.
void on_focus(Hwnd hwnd, EditState* st, bool focused)
{
    st->focused = focused;
    if (focused && !st->tapping) {
        st->anchor = 0;
        st->caret = int(ui::window_text(hwnd).size());
        keep_caret_visible(hwnd, st);
    }
    ui::invalidate(hwnd);
    kit::notify_parent(hwnd, focused ? ui::kEnSetFocus : ui::kEnKillFocus);
}

void on_tap_down(Hwnd hwnd, EditState* st, ui::LParam lparam)
{
    if (!ui::is_enabled(hwnd))
        return;
    if (ui::focus() != hwnd) {
        st->tapping = true;
        ui::set_focus(hwnd);
        st->tapping = false;
    }
    int at = hit_test(hwnd, st, ui::point_x(lparam));
    move_caret(hwnd, st, at, false);
}

void on_driver_type(Hwnd hwnd, EditState* st, std::u16string text)
{
    if (ui::focus() != hwnd)
        ui::set_focus(hwnd);
    if (st->limit > 0 && text.size() > size_t(st->limit))
        text.resize(size_t(st->limit));
    ui::set_window_text(hwnd, text);
    st->caret = st->anchor = int(text.size());
    keep_caret_visible(hwnd, st);
    ui::invalidate(hwnd);
    kit::notify_parent(hwnd, ui::kEnChange);
}

ui::LResult edit_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    EditState* st = edit_state(hwnd);
    switch (msg) {
    case ui::kMsgCreate:
        kit::adopt_state(hwnd, std::make_unique<EditState>());
        return 0;
    case ui::kMsgDestroy:
        kit::free_state(hwnd);
        return 0;
    case ui::kMsgPaint:
        paint(hwnd);
        return 0;
    default:
        break;
    }
    if (!st)
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    switch (msg) {
    case ui::kMsgSetFocus:
        on_focus(hwnd, st, true);
        return 0;
    case ui::kMsgKillFocus:
        on_focus(hwnd, st, false);
        return 0;
    case ui::kMsgLButtonDown:
        on_tap_down(hwnd, st, lparam);
        return 0;
    case ui::kMsgKeyDown:
        if (on_key(hwnd, st, uint32_t(wparam), unsigned(lparam)))
            return 0;
        break;
    case ui::kMsgChar:
        if (wparam >= 0x20 && wparam != 0x7F) {
            char16_t c = char16_t(wparam);
            replace_selection(hwnd, st, std::u16string_view(&c, 1));
            return 0;
        }
        break;
    case kit::kMsgDriverType:
        if (!st->typed.empty()) {
            std::u16string text = std::move(st->typed.front());
            st->typed.pop_front();
            on_driver_type(hwnd, st, std::move(text));
        }
        return 0;
    default:
        break;
    }
    return ui::default_window_proc(hwnd, msg, wparam, lparam);
}

}  // namespace

ui::WindowClass edit_class()
{
    return {std::u16string(kit::kEditClass), edit_proc};
}

std::u16string edit_text(Hwnd edit, int max_chars)
{
    if (!kit::is_class(edit, kit::kEditClass) || max_chars <= 0)
        return {};
    std::u16string text = ui::window_text(edit);
    if (text.size() > size_t(max_chars))
        text.resize(size_t(max_chars));
    return text;
}

void edit_set_limit(Hwnd edit, int max_chars)
{
    if (EditState* st = edit_state(edit))
        st->limit = std::max(0, max_chars);
}

void edit_set_selection(Hwnd edit, int start, int end)
{
    EditState* st = edit_state(edit);
    if (!st)
        return;
    int length = int(ui::window_text(edit).size());
    st->anchor = std::clamp(start, 0, length);
    st->caret = end < 0 ? length : std::clamp(end, 0, length);
    keep_caret_visible(edit, st);
    ui::invalidate(edit);
}

void post_type(Hwnd edit, std::u16string_view text)
{
    EditState* st = edit_state(edit);
    if (!st)
        return;
    st->typed.emplace_back(text);
    ui::post_message(edit, kit::kMsgDriverType);
}

int edit_caret(Hwnd edit)
{
    EditState* st = edit_state(edit);
    if (!st)
        return 0;
    clamp(st, int(ui::window_text(edit).size()));
    return st->caret;
}

}  // namespace platform::controls
