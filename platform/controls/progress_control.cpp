// The progress bar: a range, a step and a position, drawn as a filled bar.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"
#include "platform/controls/register.h"

namespace platform::controls {

namespace {

struct ProgressState {
    int low = 0, high = 100;
    int step = 10;
    int pos = 0;
};

ProgressState* progress_state(Hwnd hwnd)
{
    return kit::state_of<ProgressState>(hwnd, kit::kProgressClass);
}

void paint(Hwnd hwnd)
{
    auto dc = ui::begin_paint(hwnd);
    if (!dc)
        return;
    ProgressState* st = progress_state(hwnd);
    gdi::Rect r = ui::client_rect(hwnd);
    dc->fill_rect(r, gdi::kWhite);
    if (st && st->high > st->low) {
        int inner = r.width() - 4;
        int filled = int(int64_t(inner) * (st->pos - st->low) / (st->high - st->low));
        dc->fill_rect({r.left + 2, r.top + 2, r.left + 2 + filled, r.bottom - 2}, gdi::rgb(0, 0, 160));
    }
    dc->frame_rect(r, gdi::kBlack);
    ui::end_paint(hwnd, std::move(dc));
}

ui::LResult progress_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    switch (msg) {
    case ui::kMsgCreate:
        kit::adopt_state(hwnd, std::make_unique<ProgressState>());
        return 0;
    case ui::kMsgDestroy:
        kit::free_state(hwnd);
        return 0;
    case ui::kMsgPaint:
        paint(hwnd);
        return 0;
    default:
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    }
}

void set_pos(Hwnd hwnd, ProgressState* st, int pos)
{
    int clamped = st->high > st->low ? std::clamp(pos, st->low, st->high) : st->low;
    if (clamped == st->pos)
        return;
    st->pos = clamped;
    ui::invalidate(hwnd);
}

}  // namespace

ui::WindowClass progress_class()
{
    return {std::u16string(kit::kProgressClass), progress_proc};
}

void progress_set_range(Hwnd bar, int low, int high)
{
    ProgressState* st = progress_state(bar);
    if (!st)
        return;
    st->low = low;
    st->high = high;
    set_pos(bar, st, st->pos);
    ui::invalidate(bar);
}

void progress_set_step(Hwnd bar, int step)
{
    if (ProgressState* st = progress_state(bar))
        st->step = step;
}

// Past either end the position starts over from the other, keeping what went beyond.
void progress_step_it(Hwnd bar)
{
    ProgressState* st = progress_state(bar);
    if (!st)
        return;
    int span = st->high - st->low;
    if (span <= 0) {
        set_pos(bar, st, st->low);
        return;
    }
    int64_t next = int64_t(st->pos) + st->step;
    if (next > st->high || next < st->low) {
        int64_t offset = (next - st->low) % span;
        if (offset < 0)
            offset += span;
        next = st->low + offset;
    }
    set_pos(bar, st, int(next));
}

void progress_set_pos(Hwnd bar, int pos)
{
    if (ProgressState* st = progress_state(bar))
        set_pos(bar, st, pos);
}

int progress_pos(Hwnd bar)
{
    ProgressState* st = progress_state(bar);
    return st ? st->pos : 0;
}

}  // namespace platform::controls
