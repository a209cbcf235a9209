// Writing and reading the registry's text file.

#include "platform/registry/registry_file.h"

#include "platform/text/text.h"

#include <charconv>

namespace platform::registry {
namespace {

constexpr char kHex[] = "0123456789abcdef";

bool is_high(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void append_code_unit_escape(std::string& out, char16_t c)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(kHex[(c >> shift) & 0xF]);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Finds the closing quote of a string whose opening quote is at `open`; npos when there is none.
size_t closing_quote(std::string_view line, size_t open)
{
    for (size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

void serialize_value(std::string& out, const std::u16string& name, const Value& value)
{
    out += "\"" + escape(name) + "\"=";
    switch (value.type) {
    case Type::Text:
        out += "text:\"" + escape(value.text) + "\"";
        break;
    case Type::Number:
        out += "number:" + std::to_string(value.number);
        break;
    case Type::Binary:
        out += "binary:";
        for (uint8_t b : value.binary) {
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0xF]);
        }
        break;
    }
    out += "\n";
}

void serialize_key(std::string& out, const Key& key, const std::u16string& path)
{
    out += "[" + escape(path) + "]\n";
    for (const auto& [name, value] : key.values)
        serialize_value(out, name, value);
    for (const auto& sub : key.subkeys)
        serialize_key(out, *sub, path.empty() ? sub->name : path + u"\\" + sub->name);
}

std::optional<std::vector<uint8_t>> parse_binary(std::string_view hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = hex_digit(hex[i]);
        int lo = hex_digit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

std::optional<Value> parse_payload(std::string_view payload)
{
    Value value;
    if (payload.starts_with("text:\"") && payload.size() >= 7 && payload.back() == '"'
        && closing_quote(payload, 5) == payload.size() - 1) {
        auto text = unescape(payload.substr(6, payload.size() - 7));
        if (!text)
            return std::nullopt;
        value.text = std::move(*text);
        return value;
    }
    if (payload.starts_with("number:")) {
        std::string_view digits = payload.substr(7);
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value.number);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
            return std::nullopt;
        value.type = Type::Number;
        return value;
    }
    if (payload.starts_with("binary:")) {
        auto bytes = parse_binary(payload.substr(7));
        if (!bytes)
            return std::nullopt;
        value.type = Type::Binary;
        value.binary = std::move(*bytes);
        return value;
    }
    return std::nullopt;
}

// `"name"=type:data` into `key`; a line that does not read so is skipped.
void parse_value_line(std::string_view line, Key* key)
{
    size_t close = closing_quote(line, 0);
    if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '=')
        return;
    auto name = unescape(line.substr(1, close - 1));
    auto value = parse_payload(line.substr(close + 2));
    if (name && value)
        key->set_value(*name, std::move(*value));
}

Key* parse_key_line(std::string_view line, Key* root)
{
    size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0)
        return nullptr;
    auto path = unescape(line.substr(1, close - 1));
    return path ? &make_key(*root, split_key_path(*path)) : nullptr;
}

}  // namespace

std::string escape(std::u16string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        switch (c) {
        case u'\\':
            out += "\\\\";
            continue;
        case u'"':
            out += "\\\"";
            continue;
        case u'\n':
            out += "\\n";
            continue;
        case u'\r':
            out += "\\r";
            continue;
        case u'\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (is_high(c) && i + 1 < s.size() && is_low(s[i + 1])) {
            out += text::to_utf8(s.substr(i, 2));
            ++i;
        } else if (c < 0x20 || c == 0x7F || is_high(c) || is_low(c)) {
            append_code_unit_escape(out, c);
        } else {
            out += text::to_utf8(s.substr(i, 1));
        }
    }
    return out;
}

std::optional<std::u16string> unescape(std::string_view escaped)
{
    std::u16string out;
    std::string run;  // plain UTF-8 bytes waiting to be decoded
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            run.push_back(escaped[i]);
            continue;
        }
        out += text::from_utf8(run);
        run.clear();
        if (++i >= escaped.size())
            return std::nullopt;
        switch (escaped[i]) {
        case '\\':
            out.push_back(u'\\');
            break;
        case '"':
            out.push_back(u'"');
            break;
        case 'n':
            out.push_back(u'\n');
            break;
        case 'r':
            out.push_back(u'\r');
            break;
        case 't':
            out.push_back(u'\t');
            break;
        case 'u': {
            int unit = 0;
            for (int k = 1; k <= 4; ++k) {
                int d = i + k < escaped.size() ? hex_digit(escaped[i + k]) : -1;
                if (d < 0)
                    return std::nullopt;
                unit = unit * 16 + d;
            }
            out.push_back(static_cast<char16_t>(unit));
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    out += text::from_utf8(run);
    return out;
}

std::string serialize(const Key& root)
{
    std::string out = "# Varno registry: keys in [brackets], values as \"name\"=type:data below their key.\n";
    serialize_key(out, root, u"");
    return out;
}

void parse(std::string_view file, Key* root)
{
    Key* current = root;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string_view::npos)
            end = file.size();
        std::string_view line = file.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with("[")) {
            // Values under a key line that cannot be read belong to no key we know: skipped with it.
            current = parse_key_line(line, root);
        } else if (line.starts_with("\"") && current != nullptr) {
            parse_value_line(line, current);
        }
    }
}

}  // namespace platform::registry
