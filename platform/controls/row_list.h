#pragma once
// The entries, selection and scroll position of a list, shared by the list box and the combo box's
// drop-down, with the painting of its rows and the stylus gestures over them (tap a row, drag to scroll).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform::controls {

struct ListEntry {
    std::u16string text;
    intptr_t data = 0;
};

struct RowList {
    std::vector<ListEntry> entries;
    int selection = -1;  // -1: none
    int top = 0;         // first row shown

    int count() const { return int(entries.size()); }
    // Index of the new entry; sorted lists insert before the first entry that compares greater
    // (letter case ignored). -1 index appends.
    int add(std::u16string_view text, bool sorted);
    int insert(int index, std::u16string_view text);  // -1 when index is beyond the end
    bool erase(int index);                            // the selection follows its entry
    void reset();
    // Keeps top within [0, count - visible].
    void clamp_top(int visible);
    void ensure_visible(int index, int visible);
};

// Rows of one font height plus two pixels.
int row_height(const gdi::FontRef& font);

// Paints the rows of `list` inside `area` (client pixels); the selected row inverted, a thin scroll
// indicator at the right when not every row fits.
void paint_rows(gdi::DC& dc, const gdi::Rect& area, const gdi::FontRef& font, const RowList& list, bool enabled);
int visible_rows(const gdi::Rect& area, const gdi::FontRef& font);
// Row under client row y, or -1 (below the last entry or outside the area).
int row_at(const gdi::Rect& area, const gdi::FontRef& font, const RowList& list, int y);

// Stylus over a list: down starts, moves beyond half a row scroll the list, up without a drag is a tap.
struct RowDrag {
    bool down = false;
    bool dragged = false;
    int start_y = 0;
    int start_top = 0;

    void begin(int y, int top);
    // New top for a move to y, or -1 while the stylus has not moved far enough to scroll.
    int move(int y, int row_h);
    // True when the gesture was a tap.
    bool end();
};

}  // namespace platform::controls
