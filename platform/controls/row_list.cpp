#include "platform/controls/row_list.h"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/control_kit.h"

namespace platform::controls {

namespace {
constexpr int kScrollBarWidth = 5;
}

int RowList::add(std::u16string_view text, bool sorted)
{
    int at = count();
    if (sorted) {
        auto it = std::find_if(entries.begin(), entries.end(),
            [&](const ListEntry& e) { return text::compare_no_case(e.text, text) > 0; });
        at = int(it - entries.begin());
    }
    return insert(at, text);
}

int RowList::insert(int index, std::u16string_view text)
{
    if (index < 0)
        index = count();
    if (index > count())
        return -1;
    entries.insert(entries.begin() + index, ListEntry {std::u16string(text), 0});
    if (selection >= index)
        ++selection;
    return index;
}

bool RowList::erase(int index)
{
    if (index < 0 || index >= count())
        return false;
    entries.erase(entries.begin() + index);
    if (selection == index)
        selection = -1;
    else if (selection > index)
        --selection;
    return true;
}

void RowList::reset()
{
    entries.clear();
    selection = -1;
    top = 0;
}

void RowList::clamp_top(int visible)
{
    top = std::clamp(top, 0, std::max(0, count() - std::max(1, visible)));
}

void RowList::ensure_visible(int index, int visible)
{
    visible = std::max(1, visible);
    if (index >= 0 && index < count()) {
        if (index < top)
            top = index;
        else if (index >= top + visible)
            top = index - visible + 1;
    }
    clamp_top(visible);
}

int row_height(const gdi::FontRef& font)
{
    return kit::line_height(font) + 2;
}

int visible_rows(const gdi::Rect& area, const gdi::FontRef& font)
{
    return std::max(1, area.height() / row_height(font));
}

int row_at(const gdi::Rect& area, const gdi::FontRef& font, const RowList& list, int y)
{
    if (y < area.top || y >= area.bottom)
        return -1;
    int row = list.top + (y - area.top) / row_height(font);
    return row < list.count() ? row : -1;
}

void paint_rows(gdi::DC& dc, const gdi::Rect& area, const gdi::FontRef& font, const RowList& list, bool enabled)
{
    int rh = row_height(font);
    int visible = visible_rows(area, font);
    bool scrolls = list.count() > visible;
    gdi::Rect rows = area;
    if (scrolls)
        rows.right -= kScrollBarWidth + 1;
    gdi::Rect clip = gdi::intersect(dc.clip(),
        {rows.left + dc.origin().x, rows.top + dc.origin().y, rows.right + dc.origin().x, rows.bottom + dc.origin().y});
    gdi::DC inside(dc.target(), dc.origin(), clip);
    inside.select_font(font);
    for (int i = 0; i < visible + 1 && list.top + i < list.count(); ++i) {
        int index = list.top + i;
        gdi::Rect r {rows.left, rows.top + i * rh, rows.right, rows.top + (i + 1) * rh};
        bool selected = index == list.selection;
        if (selected)
            inside.fill_rect(r, enabled ? gdi::kBlack : kit::kGrey);
        gdi::Color ink = selected ? gdi::kWhite : (enabled ? gdi::kBlack : kit::kGrey);
        kit::draw_text_line(inside, {r.left + 2, r.top, r.right + 4096, r.bottom}, list.entries[size_t(index)].text,
            gdi::kAlignLeft, ink);
    }
    if (!scrolls)
        return;
    gdi::Rect track {area.right - kScrollBarWidth, area.top, area.right, area.bottom};
    dc.fill_rect(track, kit::kLightGrey);
    int h = track.height();
    int thumb_h = std::max(6, h * visible / list.count());
    int range = std::max(1, list.count() - visible);
    int thumb_y = track.top + (h - thumb_h) * list.top / range;
    dc.fill_rect({track.left, thumb_y, track.right, thumb_y + thumb_h}, gdi::kBlack);
}

void RowDrag::begin(int y, int top)
{
    down = true;
    dragged = false;
    start_y = y;
    start_top = top;
}

int RowDrag::move(int y, int row_h)
{
    if (!down)
        return -1;
    int dy = y - start_y;
    if (!dragged && std::abs(dy) < std::max(3, row_h / 2))
        return -1;
    dragged = true;
    return std::max(0, start_top - dy / std::max(1, row_h));
}

bool RowDrag::end()
{
    bool tap = down && !dragged;
    down = dragged = false;
    return tap;
}

}  // namespace platform::controls
