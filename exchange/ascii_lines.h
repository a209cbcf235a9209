#pragma once
// The lines and fields of an 8-bit exchange file. A line ends at a line feed; tab and the characters 32 to
// 127 are kept and every other byte (carriage return, bytes above 127, which drops a UTF-8 byte order
// mark) is dropped. Text after the last line feed is a line too: a file whose last line has no line feed
// loses nothing.
//
// Fields are separated by ",". A field that starts with a double quote runs to its closing quote, commas
// included, and a doubled quote inside it stands for one quote: the form text fields are exported in.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/files.h"

namespace exchange {

// The longest line import reads; a longer line is no point (its text is not cut to make one).
constexpr size_t kMaxLineBytes = 4096;

class LineReader {
public:
    // Reads `file` from its current position; the caller keeps the file open and closes it.
    explicit LineReader(platform::files::Handle file);

    // The next line, its kept characters in *line; false at the end of the file. *too_long is set when the
    // line had more than kMaxLineBytes kept characters (only the first kMaxLineBytes are in *line).
    bool next(std::string* line, bool* too_long);

private:
    bool fill();

    platform::files::Handle m_file;
    std::vector<char> m_buffer;
    size_t m_at = 0;
    size_t m_end = 0;
    bool m_eof = false;
};

// The lines of a file that LineReader would return (the first pass of an import); -1 when it does not open.
int64_t count_lines(const std::u16string& path);

// The fields of a line, each as it stands (quotes kept), split at the commas outside quoted fields.
std::vector<std::string_view> split_fields(std::string_view line);

// A text field's value: trailing blanks (spaces and tabs) removed; then a field that starts with a double
// quote gives what stands between it and its closing quote, each doubled quote read as one (a field
// without its closing quote gives the rest); otherwise one trailing double quote is removed.
std::string field_text(std::string_view field);

// A number or coordinate field without the blanks (spaces, tabs) at either end.
std::string_view field_value(std::string_view field);

// A text between double quotes, each quote inside doubled: what field_text reads back unchanged.
std::string quoted(std::string_view text);

}  // namespace exchange
