#pragma once
// Pages of the point list: up to fifty lines of points of the open coordinate file, in one of three column
// layouts, stepping in number or name order, ascending or descending. Computation only; the point-list
// dialog shows the lines.
//
// Layouts (a column right-aligned is padded with spaces on the left, left-aligned on the right; one space
// between columns; N, E and El with the coordinate decimals):
//
//   0  number (right, 6)  N (right, 11)        E (right, 11)     El (right, 10)
//   1  number (right, 6)  name (left, 15)      code (left, 7)    note (left, 23)
//   2  name (left, 15)    number (right, 6)    N (right, 11)     E (right, 11)
//
// A line longer than kMaxListLineLength is cut to it and the page says so (too_long), so the caller can
// report it once for the page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/point_record.h"

namespace store {

constexpr int kPageLines = 50;
constexpr int kMaxListLineLength = 79;
constexpr int kListLayouts = 3;
constexpr int kLayoutNumberCoords = 0;  // "Pt, N, E, El"
constexpr int kLayoutNumberTexts = 1;   // "Pt, Name, Code, Note"
constexpr int kLayoutNameCoords = 2;    // "Name, Pt, N, E"

// How a page steps: in name order or number order, ascending or descending.
struct ListOrder {
    bool by_name = false;
    bool descending = false;
};

struct ListPage {
    std::vector<std::u16string> lines;
    bool too_long = false;  // some line was cut to kMaxListLineLength
};

// One point as a line of the layout (layouts outside 0..2 count as 0). *too_long (may be null) is set
// when the line had to be cut.
std::u16string point_list_line(int layout, const PointRecord& point, bool* too_long = nullptr);

// The point number a line of the layout shows: the first column, or in layout 2 the column after the
// 16 characters of the name column. 0 when there is no number where it belongs.
uint32_t point_list_line_number(int layout, std::u16string_view line);

// The texts of the four column headers (controls 1189, 1195, 1196, 1197): the first carries "<" for
// ascending and ">" for descending order.
std::vector<std::u16string> point_list_headers(int layout, bool descending);

// The page from the first point of the order (the last one of the index when descending). Empty when the
// file has no points or none is open.
ListPage list_page_from_start(int layout, ListOrder order);

// Go-To: the page starting at the point nearest to `target` (a name when order.by_name, else a number read
// as a decimal integer: leading white space and a sign accepted, reading stops at the first non-digit, no
// digits give 0), stepping forwards in the order. *found is false, and the page empty, when the index
// holds no point.
ListPage list_page_go_to(int layout, ListOrder order, std::u16string_view target, bool* found);

// Paging: Down starts at the point of the page's last line and goes forwards, so that line opens the new
// page; Up starts at the point of its first line and goes backwards, and the page is shown in the order
// again. An Up page that runs into the beginning is the page from the start, so it is never short while
// points follow. *found is false (and the page empty) when the line's point is no longer in the file.
ListPage list_page_down(int layout, ListOrder order, std::u16string_view last_line, bool* found);
ListPage list_page_up(int layout, ListOrder order, std::u16string_view first_line, bool* found);

// What the line shows from the horizontal offset on (empty past its end).
std::u16string shifted_line(std::u16string_view line, int offset);

}  // namespace store
