// Script text of any bytes, cut into lines as the driver reads a script and checked line by line. Words
// must come out as the quoting rules say: quoting every word again (with \" and \\) gives the same words
// back, and a bare word holds no blank and never starts a comment.

#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/driver/script.h"

namespace {

namespace script = platform::driver::script;

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void check_line(int number, std::string_view line)
{
    script::Step step {number, std::string(line), {}};
    std::string error;
    if (!script::split_line(line, &step.words, &error)) {
        FUZZ_CHECK(!error.empty());
        return;
    }
    std::string again;
    for (const script::Word& w : step.words) {
        if (!w.quoted) {
            FUZZ_CHECK(!w.text.empty() && w.text[0] != '#');
            FUZZ_CHECK(w.text.find_first_of(" \t\r") == std::string::npos);
        }
        again += quoted(w.text) + " ";
    }
    std::vector<script::Word> words;
    FUZZ_CHECK(script::split_line(again, &words, &error));
    FUZZ_CHECK(words.size() == step.words.size());
    for (size_t i = 0; i < words.size(); ++i)
        FUZZ_CHECK(words[i].quoted && words[i].text == step.words[i].text);

    error.clear();
    if (!script::check_step(step, &error))
        FUZZ_CHECK(!error.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        check_line(++number, text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return 0;
}
