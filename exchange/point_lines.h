#pragma once
// A point as one line of an exchange file, both ways, with the layout of the configuration: the field
// kind at each of seven positions (exchange/exchange_config.h).
//
// Reading: field k of the line is read as the kind of position k; fields past the seventh and positions
// of kind " " are ignored. A line is a point only when every field it needs is sound:
//   Number     the whole field digits only, 1 to 4294967295
//   N, E       present and parsed whole by the program's number parser
//   El         parsed whole when present and not empty; otherwise 0
//   texts      exchange/ascii_lines.h field_text, cut to the record's width less its NUL
// Anything else is no point: a bad line never becomes one, and never a point at 0 or a wrong number.
//
// Writing: the positions up to the last of a kind other than " " give their fields, joined by ","; a " "
// position among them gives an empty field, so that a line read back with the same layout finds each field
// at its position (trailing " " positions give nothing); "\r\n" ends the line.
// Numbers are "%lu", coordinates fixed decimals (formats/number_format.h: any magnitude in full), texts
// between double quotes with each quote inside doubled, so that reading the line gives the point back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/exchange_config.h"
#include "store/point_record.h"

namespace exchange {

using Layout = std::array<int, kPositions>;

// The point the line holds, or nothing.
std::optional<store::PointRecord> parse_point_line(std::string_view line, const Layout& layout);

// The line of a point (with its "\r\n"); nothing when a coordinate is not a finite number.
std::optional<std::string> export_line(const store::PointRecord& point, const Layout& layout, int decimals);

// The heading line: the names of the kinds of the positions a line has (empty for " "), joined by ",",
// then "\r\n"; Preview reads it back as the same layout.
std::string heading_line(const Layout& layout);

// The layout a heading line names: word k (quotes removed, compared with the kind names exactly, letter
// case included) gives the kind of position k, " " for a word that names none and for positions past the
// last word. Nothing when no word names a kind other than " ".
std::optional<Layout> read_heading(std::string_view line);

}  // namespace exchange
