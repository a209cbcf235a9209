#include "store/statistics_lines.h"

#include <algorithm>
#include <cstdlib>

#include "formats/number_format.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/index.h"

namespace store {

namespace {

namespace text = platform::text;
using Lines = std::vector<std::u16string>;

std::u16string number_text(uint32_t n)
{
    return text::wformat(u"%lu", static_cast<unsigned long>(n));
}

// "    7" for a single number, "    From 1 to 3" for a run.
std::u16string range_line(uint32_t from, uint32_t to)
{
    if (from == to)
        return u"    " + number_text(from);
    return u"    From " + number_text(from) + u" to " + number_text(to);
}

std::u16string open_end_line(uint32_t from)
{
    return u"    From " + number_text(from) + u" to ...";
}

void add_header_lines(const StatisticsInput& in, Lines& out)
{
    uint32_t first = in.numbers.empty() ? 0 : in.numbers.front();
    uint32_t last = in.numbers.empty() ? 0 : in.numbers.back();
    out.push_back(u"Statistics:   " + in.last_chosen_name);
    out.push_back(u"File: " + in.full_path);
    out.push_back(text::wformat(u"Number of points = %d", in.point_count));
    out.push_back(u"");
    out.push_back(u"First point = " + number_text(first));
    out.push_back(u"Last point = " + number_text(last));
    out.push_back(u"");
    out.push_back(u"Pt. numbers used:");
}

// The runs of consecutive numbers; the counter grows by one for every run closed by a gap.
void add_used_ranges(const std::vector<uint32_t>& numbers, int& counter, Lines& out)
{
    if (numbers.empty())
        return;
    if (numbers.size() < 2) {
        out.push_back(range_line(numbers.front(), numbers.back()));
        return;
    }
    uint32_t start = numbers.front();
    for (size_t i = 1; i < numbers.size(); ++i) {
        if (counter > kUsedRangeLineLimit) {
            out.push_back(u"List aborted.");
            out.push_back(u"Not all used points shown.");
            return;
        }
        uint32_t previous = numbers[i - 1];
        if (numbers[i] > previous + 1ULL) {
            out.push_back(range_line(start, previous));
            start = numbers[i];
            ++counter;
        }
    }
    out.push_back(range_line(start, numbers.back()));
}

void add_single_point_free_ranges(uint32_t p, Lines& out)
{
    if (p == 1) {
        out.push_back(open_end_line(2));
        return;
    }
    out.push_back(range_line(1, p - 1));
    if (p != UINT32_MAX)
        out.push_back(open_end_line(p + 1));
}

// The gaps: below the first number, between neighbours, and the open end above the last.
void add_free_ranges(const std::vector<uint32_t>& numbers, int& counter, Lines& out)
{
    if (numbers.size() == 1) {
        add_single_point_free_ranges(numbers.front(), out);
        return;
    }
    uint32_t first = numbers.empty() ? 0 : numbers.front();
    if (first >= 2) {
        out.push_back(range_line(1, first - 1));
        counter += 3;
    } else {
        counter += 2;
    }
    for (size_t i = 1; i < numbers.size(); ++i) {
        if (counter > kFreeRangeLineLimit) {
            out.push_back(u"List aborted.");
            out.push_back(u"Not all unused points shown.");
            return;
        }
        uint32_t a = numbers[i - 1], b = numbers[i];
        if (b > a + 1ULL) {
            out.push_back(range_line(a + 1, b - 1));
            ++counter;
        }
    }
    // Past the highest possible number nothing is free.
    uint32_t last = numbers.empty() ? 0 : numbers.back();
    if (last != UINT32_MAX)
        out.push_back(open_end_line(last + 1));
}

void add_bounds(const StatisticsInput& in, Lines& out)
{
    out.push_back(u"");
    out.push_back(u"Coordinate bounds:");
    if (!in.have_bounds)
        return;
    out.push_back(u"    N " + formats::format_coordinate(in.max_n));
    out.push_back(u"    S " + formats::format_coordinate(in.min_n));
    out.push_back(u"    E " + formats::format_coordinate(in.max_e));
    out.push_back(u"    W " + formats::format_coordinate(in.min_e));
}

}  // namespace

std::vector<std::u16string> statistics_lines(const StatisticsInput& input)
{
    Lines out;
    add_header_lines(input, out);
    int counter = 7;
    add_used_ranges(input.numbers, counter, out);
    out.push_back(u"");
    out.push_back(u"Pt. numbers not used:");
    if (input.file_open)
        add_free_ranges(input.numbers, counter, out);
    add_bounds(input, out);
    return out;
}

namespace {

// The number a "%12u" key holds; keys are space-padded decimal.
uint32_t number_of_key(const char* key)
{
    std::string digits(key, kNumberKeySize);
    return uint32_t(std::strtoul(digits.c_str(), nullptr, 10));
}

std::vector<uint32_t> index_numbers()
{
    std::vector<uint32_t> numbers;
    Index* index = coord_number_index();
    if (index == nullptr)
        return numbers;
    char key[kNumberKeySize];
    for (int r = index_first(index, key, nullptr); r == kIndexOk; r = index_next(index, key, nullptr))
        numbers.push_back(number_of_key(key));
    return numbers;
}

// The live count and the bounding box in one pass over the records.
void scan_points(StatisticsInput& in)
{
    coord_scan_records(1, coord_record_count(), [&in](int, const PointRecord& p) {
        if (in.point_count++ == 0) {
            in.min_e = in.max_e = p.easting;
            in.min_n = in.max_n = p.northing;
            return true;
        }
        in.min_e = std::min(in.min_e, p.easting);
        in.max_e = std::max(in.max_e, p.easting);
        in.min_n = std::min(in.min_n, p.northing);
        in.max_n = std::max(in.max_n, p.northing);
        return true;
    });
    in.have_bounds = in.point_count > 0;
}

}  // namespace

StatisticsInput gather_statistics(std::u16string_view last_chosen_name)
{
    StatisticsInput in;
    in.last_chosen_name = last_chosen_name;
    in.full_path = coord_full_path();
    in.file_open = coord_is_open();
    if (!in.file_open)
        return in;
    in.numbers = index_numbers();
    scan_points(in);
    return in;
}

}  // namespace store
