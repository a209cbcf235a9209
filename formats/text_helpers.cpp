// Text routines.

#include "formats/text_helpers.h"

#include "platform/text/text.h"

#include <algorithm>

namespace formats {

namespace {

constexpr char kKeyFiller = 25;  // padding character of 8-bit keys, trimmed like a space

bool is_ansi_blank(char c)
{
    return c == ' ' || c == kKeyFiller;
}

}  // namespace

bool is_white_space(char16_t c)
{
    if ((c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680)
        return true;
    if (c >= 0x2000 && c <= 0x200A)
        return true;
    return c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u16string trim_trailing_white_space(std::u16string_view text)
{
    size_t end = text.size();
    while (end > 0 && is_white_space(text[end - 1]))
        --end;
    return std::u16string(text.substr(0, end));
}

std::u16string trim_leading_spaces(std::u16string_view text)
{
    size_t begin = text.find_first_not_of(u' ');
    return begin == text.npos ? std::u16string() : std::u16string(text.substr(begin));
}

std::u16string trim_both_ends(std::u16string_view text)
{
    return trim_leading_spaces(trim_trailing_white_space(text));
}

std::u16string collapse_spaces(std::u16string_view text)
{
    std::u16string trimmed = trim_both_ends(text);
    std::u16string out;
    out.reserve(trimmed.size());
    for (char16_t c : trimmed) {
        if (c == u' ' && !out.empty() && out.back() == u' ')
            continue;
        out += c;
    }
    return out;
}

std::u16string remove_spaces(std::u16string_view text)
{
    std::u16string out(text);
    std::erase(out, u' ');
    return out;
}

std::string remove_spaces_ansi(std::string_view text)
{
    std::string out(text);
    std::erase(out, ' ');
    return out;
}

std::string trim_trailing_ansi(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && is_ansi_blank(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

std::string trim_ansi(std::string_view text)
{
    std::string trailing = trim_trailing_ansi(text);
    size_t begin = 0;
    while (begin < trailing.size() && is_ansi_blank(trailing[begin]))
        ++begin;
    return trailing.substr(begin);
}

std::string upper_ansi(std::string_view text)
{
    return platform::text::to_ansi(platform::text::to_upper(platform::text::from_ansi(text)));
}

std::string strip_quotes_ansi(std::string_view text)
{
    std::string out(text);
    if (!out.empty() && out.back() == '"')
        out.pop_back();
    if (!out.empty() && out.front() == '"')
        out.erase(0, 1);
    return out;
}

std::u16string left_pad(std::u16string_view text, int width, char16_t fill)
{
    std::u16string out;
    if (width > 0 && text.size() < static_cast<size_t>(width))
        out.assign(static_cast<size_t>(width) - text.size(), fill);
    out += text;
    return out;
}

std::u16string word(std::u16string_view text, int n, int width, size_t from)
{
    if (n < 0)
        return left_pad(from < text.size() ? text.substr(from) : std::u16string_view(), width, u' ');
    std::u16string collapsed = collapse_spaces(text);
    size_t begin = 0;
    for (int i = 0; i < n && begin != std::u16string::npos; ++i) {
        begin = collapsed.find(u' ', begin);
        if (begin != std::u16string::npos)
            ++begin;
    }
    if (begin == std::u16string::npos || begin >= collapsed.size())
        return left_pad(u"", width, u' ');
    size_t end = std::min(collapsed.find(u' ', begin), collapsed.size());
    return left_pad(std::u16string_view(collapsed).substr(begin, end - begin), width, u' ');
}

void sort_lines(std::span<std::u16string> lines, int key_word, int width, bool descending)
{
    auto out_of_order = [&](const std::u16string& earlier, const std::u16string& later) {
        std::u16string a = word(earlier, key_word, width);
        std::u16string b = word(later, key_word, width);
        return descending ? a < b : a > b;
    };
    size_t count = lines.size();
    for (size_t gap = count / 2; gap > 0; gap /= 2) {
        for (size_t i = gap; i < count; ++i) {
            for (size_t j = i; j >= gap && out_of_order(lines[j - gap], lines[j]); j -= gap)
                std::swap(lines[j - gap], lines[j]);
        }
    }
}

}  // namespace formats
