// Painting into the one screen bitmap.
//
// The model is simple and always right: windows paint in z-order (top-level windows bottom to top, each
// parent before its children). When a window is painted, everything later in that order that overlaps it
// is painted again, since the paint may have covered it; an area uncovered by a window that went away is
// filled with the desktop colour and everything over it is painted again. The navigation bar is drawn
// last, then the display is told the screen changed.

#include "platform/display/display.h"
#include "platform/ui/ui_state.h"

namespace platform::ui {
namespace detail {

namespace {

constexpr gdi::Color kDesktopColor = gdi::rgb(192, 192, 192);
constexpr gdi::Color kNavBarColor = gdi::rgb(0, 51, 153);
constexpr Rect kScreenRect {0, 0, kScreenWidth, kScreenHeight};
constexpr Rect kNavBarRect {0, 0, kScreenWidth, kNavBarHeight};
constexpr Rect kOkButtonRect {kScreenWidth - 38, 4, kScreenWidth - 4, kNavBarHeight - 4};

gdi::Bitmap& screen_bitmap()
{
    UiState& s = state();
    if (!s.screen)
        s.screen = std::make_unique<gdi::Bitmap>(kScreenWidth, kScreenHeight, kDesktopColor);
    return *s.screen;
}

bool overlaps(const Rect& a, const Rect& b)
{
    return !gdi::intersect(a, b).empty();
}

void collect_paint_order(Hwnd hwnd, std::vector<Window*>* out)
{
    Window* w = find(hwnd);
    if (!w || !(w->style & kStyleVisible) || w->destroying)
        return;
    out->push_back(w);
    for (Hwnd c : w->children)
        collect_paint_order(c, out);
}

std::vector<Window*> paint_order()
{
    std::vector<Window*> out;
    for (Hwnd t : state().z_order)
        collect_paint_order(t, &out);
    return out;
}

// Exposed areas are filled with the desktop colour now; they are the first damage of this round.
std::vector<Rect> take_exposed()
{
    UiState& s = state();
    std::vector<Rect> damage;
    if (s.exposed.empty())
        return damage;
    gdi::DC dc(&screen_bitmap(), Point {0, 0}, kScreenRect);
    for (const Rect& r : s.exposed) {
        dc.fill_rect(r, kDesktopColor);
        damage.push_back(r);
    }
    s.exposed.clear();
    s.screen_dirty = true;
    return damage;
}

Window* done_button_owner()
{
    Window* w = find(state().active);
    return (w && w->full_screen && w->done_button) ? w : nullptr;
}

void draw_nav_bar()
{
    gdi::DC dc(&screen_bitmap(), Point {0, 0}, kNavBarRect);
    dc.fill_rect(kNavBarRect, kNavBarColor);
    dc.select_font(gdi::ui_font());
    dc.set_bk_mode(gdi::BkMode::Transparent);
    dc.set_text_color(gdi::kWhite);
    int text_height = gdi::metrics(dc.font()).height;
    Window* active = find(state().active);
    if (active)
        dc.text_out(6, (kNavBarHeight - text_height) / 2, active->text);
    if (done_button_owner()) {
        dc.frame_rect(kOkButtonRect, gdi::kWhite);
        dc.set_text_align(gdi::kAlignCenter | gdi::kAlignTop);
        dc.text_out((kOkButtonRect.left + kOkButtonRect.right) / 2,
            kOkButtonRect.top + (kOkButtonRect.height() - text_height) / 2, u"ok");
    }
}

std::unique_ptr<gdi::DC> make_dc(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (!w)
        return std::make_unique<gdi::DC>(&screen_bitmap(), Point {0, 0}, Rect {});
    Rect r = screen_rect(*w);
    auto dc = std::make_unique<gdi::DC>(&screen_bitmap(), Point {r.left, r.top}, visible_clip(hwnd));
    if (w->font)
        dc->select_font(w->font);
    return dc;
}

}  // namespace

Rect visible_clip(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (!w)
        return Rect {};
    Rect r = gdi::intersect(screen_rect(*w), kScreenRect);
    for (Window* p = find(w->parent); p && !r.empty(); p = find(p->parent))
        r = gdi::intersect(r, screen_rect(*p));
    return r;
}

void invalidate_tree(Hwnd hwnd)
{
    // Children lie inside their parent, so the damage of the parent reaches them when it is painted.
    invalidate(hwnd, true);
}

void expose(const Rect& screen_area)
{
    Rect r = gdi::intersect(screen_area, kScreenRect);
    if (!r.empty())
        state().exposed.push_back(r);
}

Hwnd next_paint()
{
    std::vector<Rect> damage = take_exposed();
    Window* first = nullptr;
    for (Window* w : paint_order()) {
        Rect clip = visible_clip(w->hwnd);
        if (clip.empty()) {
            w->invalid = w->erase = false;
            continue;
        }
        for (const Rect& d : damage) {
            if (overlaps(clip, d)) {
                w->invalid = w->erase = true;
                break;
            }
        }
        if (!w->invalid)
            continue;
        damage.push_back(clip);
        if (!first)
            first = w;
    }
    return first ? first->hwnd : kNoWindow;
}

void present_if_dirty()
{
    UiState& s = state();
    if (!s.screen_dirty)
        return;
    s.screen_dirty = false;
    draw_nav_bar();
    if (display::Backend* b = display::backend())
        b->present(screen_bitmap());
}

void reset_paint()
{
    UiState& s = state();
    s.exposed.clear();
    screen_bitmap().fill(kDesktopColor);
    s.screen_dirty = true;
    s.nav_pressed = false;
}

bool nav_bar_tap(bool down, int x, int y)
{
    UiState& s = state();
    if (down) {
        s.nav_pressed = y >= 0 && y < kNavBarHeight;
        return s.nav_pressed;
    }
    if (!s.nav_pressed)
        return false;
    s.nav_pressed = false;
    Window* w = done_button_owner();
    if (w && kOkButtonRect.contains(x, y))
        post_message(w->hwnd, kMsgCommand, make_wparam(kIdOk, 0), 0);
    return true;
}

}  // namespace detail

using namespace detail;

void invalidate(Hwnd hwnd, bool erase)
{
    Window* w = find(hwnd);
    if (!w)
        return;
    w->invalid = true;
    w->erase = w->erase || erase;
}

void update_window(Hwnd hwnd)
{
    Window* w = find(hwnd);
    if (!w || !w->invalid)
        return;
    next_paint();  // marks what this paint will cover, so it is painted again afterwards
    if (find(hwnd) && find(hwnd)->invalid)
        dispatch_message(Message {hwnd, kMsgPaint, 0, 0});
}

std::unique_ptr<gdi::DC> begin_paint(Hwnd hwnd)
{
    auto dc = make_dc(hwnd);
    Window* w = find(hwnd);
    if (!w)
        return dc;
    bool erase = w->erase && w->cls->cls.erase_background;
    w->invalid = w->erase = false;
    if (erase)
        dc->fill_rect(client_rect(hwnd), w->cls->cls.background);
    state().screen_dirty = true;
    return dc;
}

void end_paint(Hwnd hwnd, std::unique_ptr<gdi::DC> dc)
{
    dc.reset();
    state().screen_dirty = true;
}

std::unique_ptr<gdi::DC> get_dc(Hwnd hwnd)
{
    return make_dc(hwnd);
}

void release_dc(Hwnd hwnd, std::unique_ptr<gdi::DC> dc)
{
    dc.reset();
    state().screen_dirty = true;
}

const gdi::Bitmap& screen()
{
    draw_nav_bar();
    return screen_bitmap();
}

void paint_pending()
{
    while (Hwnd h = next_paint())
        dispatch_message(Message {h, kMsgPaint, 0, 0});
    present_if_dirty();
}

}  // namespace platform::ui
