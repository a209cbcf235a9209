#include "exchange/ascii_lines.h"

#include <algorithm>

namespace exchange {

namespace files = platform::files;

namespace {

constexpr size_t kBlock = 64 * 1024;

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

LineReader::LineReader(files::Handle file)
    : m_file(file)
    , m_buffer(kBlock)
{
}

bool LineReader::fill()
{
    if (m_eof)
        return false;
    const uint32_t got = files::read(m_file, m_buffer.data(), uint32_t(m_buffer.size()));
    m_at = 0;
    m_end = got;
    if (got == 0)
        m_eof = true;
    return got > 0;
}

bool LineReader::next(std::string* line, bool* too_long)
{
    line->clear();
    *too_long = false;
    bool any = false;  // a byte of this line was read, kept or not
    for (;;) {
        if (m_at == m_end && !fill()) {
            if (!any)
                return false;
            break;
        }
        // The kept characters up to the line feed or the end of the block.
        const char* p = m_buffer.data() + m_at;
        const char* end = m_buffer.data() + m_end;
        any = true;
        bool ended = false;
        for (; p < end; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c == '\n') {
                ended = true;
                ++p;
                break;
            }
            if (c == '\t' || (c >= 32 && c <= 127)) {
                if (line->size() < kMaxLineBytes)
                    line->push_back(char(c));
                else
                    *too_long = true;
            }
        }
        m_at = size_t(p - m_buffer.data());
        if (ended)
            break;
    }
    return true;
}

int64_t count_lines(const std::u16string& path)
{
    files::Handle file = files::open_existing(path, files::Access::Read);
    if (!file)
        return -1;
    std::vector<char> buffer(kBlock);
    int64_t lines = 0;
    bool open_line = false;  // bytes after the last line feed
    for (;;) {
        const uint32_t got = files::read(file, buffer.data(), uint32_t(buffer.size()));
        if (got == 0)
            break;
        for (uint32_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                ++lines;
                open_line = false;
            } else {
                open_line = true;
            }
        }
    }
    files::close(file);
    return lines + (open_line ? 1 : 0);
}

std::vector<std::string_view> split_fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        size_t i = start;
        // Blanks before an opening quote do not unquote the field.
        while (i < line.size() && is_blank(line[i]))
            ++i;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"')
                    continue;
                if (i + 1 < line.size() && line[i + 1] == '"')
                    ++i;
                else
                    break;
            }
        }
        const size_t comma = line.find(',', std::min(i, line.size()));
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string_view field_value(std::string_view field)
{
    while (!field.empty() && is_blank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && is_blank(field.back()))
        field.remove_suffix(1);
    return field;
}

std::string field_text(std::string_view field)
{
    while (!field.empty() && is_blank(field.back()))
        field.remove_suffix(1);
    size_t open = 0;
    while (open < field.size() && is_blank(field[open]))
        ++open;
    if (open < field.size() && field[open] == '"') {
        std::string text;
        for (size_t i = open + 1; i < field.size(); ++i) {
            if (field[i] != '"') {
                text.push_back(field[i]);
            } else if (i + 1 < field.size() && field[i + 1] == '"') {
                text.push_back('"');
                ++i;
            } else {
                break;
            }
        }
        return text;
    }
    if (!field.empty() && field.back() == '"')
        field.remove_suffix(1);
    return std::string(field);
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    out.push_back('"');
    return out;
}

}  // namespace exchange
