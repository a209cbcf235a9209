#include "store/point_list_page.h"

#include <algorithm>

#include "formats/decimal_text.h"
#include "formats/number_format.h"
#include "platform/text/text.h"
#include "store/point_index.h"

namespace store {

namespace {

namespace text = platform::text;

std::u16string pad_left(std::u16string_view s, size_t width)
{
    std::u16string out(s.size() < width ? width - s.size() : 0, u' ');
    return out.append(s);
}

std::u16string pad_right(std::u16string_view s, size_t width)
{
    std::u16string out(s);
    if (out.size() < width)
        out.append(width - out.size(), u' ');
    return out;
}

// A text field of the record up to its NUL, never past the field.
template <size_t N> std::u16string field_text(const char (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return text::from_ansi(std::string_view(field, length));
}

std::u16string number_column(uint32_t number)
{
    return text::wformat(u"%ld", long(number));
}

std::u16string join(std::initializer_list<std::u16string> columns)
{
    std::u16string line;
    for (const std::u16string& column : columns) {
        if (!line.empty())
            line += u' ';
        line += column;
    }
    return line;
}

std::u16string raw_line(int layout, const PointRecord& p)
{
    using formats::format_coordinate;
    std::u16string number = number_column(p.number);
    switch (layout) {
    case kLayoutNumberTexts:
        return join({pad_left(number, 6), pad_right(field_text(p.name), 15), pad_right(field_text(p.code), 7),
            pad_right(field_text(p.note), 23)});
    case kLayoutNameCoords:
        return join({pad_right(field_text(p.name), 15), pad_left(number, 6),
            pad_left(format_coordinate(p.northing), 11), pad_left(format_coordinate(p.easting), 11)});
    default:
        return join({pad_left(number, 6), pad_left(format_coordinate(p.northing), 11),
            pad_left(format_coordinate(p.easting), 11), pad_left(format_coordinate(p.elevation), 10)});
    }
}

// One step through the index of the order; forward means towards greater keys.
uint32_t step(bool by_name, bool forward, PointRecord* out)
{
    if (by_name)
        return forward ? point_next_by_name(nullptr, out) : point_previous_by_name(nullptr, out);
    return forward ? point_next_by_number(out) : point_previous_by_number(out);
}

// The page from `start` (the index cursor on it), taking points while they follow.
ListPage fill_page(int layout, const PointRecord& start, bool by_name, bool forward)
{
    ListPage page;
    bool cut = false;
    page.lines.push_back(point_list_line(layout, start, &cut));
    page.too_long |= cut;
    PointRecord p;
    while (int(page.lines.size()) < kPageLines && step(by_name, forward, &p) != 0) {
        page.lines.push_back(point_list_line(layout, p, &cut));
        page.too_long |= cut;
    }
    return page;
}

// Puts the cursor of the order's index on point `number` (its record in *out). In name order the
// nearest find lands on the first of equal names; the point is looked for among them.
bool position_at(uint32_t number, bool by_name, PointRecord* out)
{
    if (number == 0 || point_read_by_number(number, out) != 1)
        return false;
    if (!by_name)
        return true;
    std::string name = point_trim_name(out->name);
    PointRecord p;
    if (point_find_nearest_by_name(text::from_ansi(name), &p) < 0)
        return false;
    for (uint32_t reached = p.number; reached != 0; reached = point_next_by_name(nullptr, &p)) {
        if (reached == number) {
            *out = p;
            return true;
        }
        if (point_trim_name(p.name) != name)
            return false;
    }
    return false;
}

}  // namespace

std::u16string point_list_line(int layout, const PointRecord& point, bool* too_long)
{
    std::u16string line = raw_line(layout, point);
    bool cut = line.size() > size_t(kMaxListLineLength);
    if (cut)
        line.resize(kMaxListLineLength);
    if (too_long != nullptr)
        *too_long = cut;
    return line;
}

uint32_t point_list_line_number(int layout, std::u16string_view line)
{
    size_t from = layout == kLayoutNameCoords ? 16 : 0;
    if (line.size() <= from)
        return 0;
    return formats::read_point_number(line.substr(from));
}

std::vector<std::u16string> point_list_headers(int layout, bool descending)
{
    std::u16string mark = descending ? u" >" : u" <";
    switch (layout) {
    case kLayoutNumberTexts:
        return {u"Pt" + mark, u"Name", u"Code", u"Note"};
    case kLayoutNameCoords:
        return {u"Name" + mark, u"Pt", u"N", u"E"};
    default:
        return {u"Pt" + mark, u"N", u"E", u"El"};
    }
}

ListPage list_page_from_start(int layout, ListOrder order)
{
    PointRecord p;
    uint32_t first = 0;
    if (order.by_name)
        first = order.descending ? point_last_by_name(nullptr, &p) : point_first_by_name(nullptr, &p);
    else
        first = order.descending ? point_last_by_number(&p) : point_first_by_number(&p);
    if (first == 0)
        return {};
    return fill_page(layout, p, order.by_name, !order.descending);
}

ListPage list_page_go_to(int layout, ListOrder order, std::u16string_view target, bool* found)
{
    PointRecord p;
    int result = order.by_name ? point_find_nearest_by_name(std::u16string(target), &p)
                               : point_find_nearest_by_number(formats::read_point_number(target), &p);
    *found = result >= 0;
    if (!*found)
        return {};
    return fill_page(layout, p, order.by_name, !order.descending);
}

ListPage list_page_down(int layout, ListOrder order, std::u16string_view last_line, bool* found)
{
    PointRecord p;
    *found = position_at(point_list_line_number(layout, last_line), order.by_name, &p);
    if (!*found)
        return {};
    return fill_page(layout, p, order.by_name, !order.descending);
}

ListPage list_page_up(int layout, ListOrder order, std::u16string_view first_line, bool* found)
{
    PointRecord p;
    *found = position_at(point_list_line_number(layout, first_line), order.by_name, &p);
    if (!*found)
        return {};
    ListPage page = fill_page(layout, p, order.by_name, order.descending);
    if (int(page.lines.size()) < kPageLines)
        return list_page_from_start(layout, order);
    std::reverse(page.lines.begin(), page.lines.end());
    return page;
}

std::u16string shifted_line(std::u16string_view line, int offset)
{
    if (offset <= 0)
        return std::u16string(line);
    if (size_t(offset) >= line.size())
        return {};
    return std::u16string(line.substr(size_t(offset)));
}

}  // namespace store
