#include <charconv>
#include <cstdint>

#include "platform/driver/script.h"

namespace platform::driver::script {

namespace {

bool is_number(const Word& w)
{
    if (w.quoted || w.text.empty())
        return false;
    long long v = 0;
    auto [end, ec] = std::from_chars(w.text.data(), w.text.data() + w.text.size(), v);
    return ec == std::errc() && end == w.text.data() + w.text.size() && v >= INT32_MIN && v <= INT32_MAX;
}

struct Shape {
    const char* name;
    size_t min_args, max_args;
    const char* numbers;  // per argument: 'n' must be a number, '-' anything
};

constexpr Shape kCommands[] = {
    {"menu", 1, 1, "-"},
    {"command", 1, 1, "n"},
    {"click", 1, 1, "-"},
    {"type", 2, 2, "--"},
    {"select", 2, 2, "--"},
    {"tap", 2, 2, "nn"},
    {"key", 1, 1, "-"},
    {"wait", 1, 1, "n"},
    {"answer", 1, 1, "-"},
    {"dump", 0, 0, ""},
    {"screenshot", 1, 1, "-"},
    {"quit", 0, 0, ""},
};
// "expect" is followed by one of these.
constexpr Shape kExpectations[] = {
    {"window", 1, 1, "-"},
    {"text", 2, 2, "--"},
    {"item", 3, 3, "-n-"},
    {"count", 2, 2, "-n"},
    {"box", 2, 2, "--"},
};

template <size_t N> const Shape* shape_of(const Shape (&table)[N], const Word& name)
{
    if (name.quoted)
        return nullptr;
    for (const Shape& s : table)
        if (name.text == s.name)
            return &s;
    return nullptr;
}

bool check_shape(const Shape& s, const std::vector<Word>& args, const std::string& what, std::string* error)
{
    if (args.size() < s.min_args || args.size() > s.max_args) {
        *error = what + " takes " + std::to_string(s.min_args) + " argument" + (s.min_args == 1 ? "" : "s") + ", not "
            + std::to_string(args.size());
        return false;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        if (s.numbers[i] == 'n' && !is_number(args[i])) {
            *error = what + ": " + args[i].text + " is not a number";
            return false;
        }
    }
    return true;
}

}  // namespace

bool split_line(std::string_view line, std::vector<Word>* words, std::string* error)
{
    words->clear();
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;  // a comment starts with a word; "Pt#" inside a word is text
        Word w;
        if (c == '"') {
            w.quoted = true;
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
                    ++i;
                w.text += line[i++];
            }
            if (i >= line.size()) {
                *error = "unterminated quote";
                return false;
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                w.text += line[i++];
        }
        words->push_back(std::move(w));
    }
    return true;
}

bool check_step(const Step& step, std::string* error)
{
    const std::vector<Word>& w = step.words;
    if (w.empty())
        return true;
    std::vector<Word> args(w.begin() + 1, w.end());
    if (!w[0].quoted && w[0].text == "expect") {
        const Shape* s = args.empty() ? nullptr : shape_of(kExpectations, args[0]);
        if (!s) {
            *error = args.empty() ? "expect what? (window, text, item, count or box)"
                                  : "unknown expectation " + args[0].text;
            return false;
        }
        std::string what = "expect " + args[0].text;
        args.erase(args.begin());
        return check_shape(*s, args, what, error);
    }
    const Shape* s = shape_of(kCommands, w[0]);
    if (!s) {
        *error = "unknown command " + w[0].text;
        return false;
    }
    return check_shape(*s, args, w[0].text, error);
}

}  // namespace platform::driver::script
