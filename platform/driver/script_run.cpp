// Running scripts: each checked line becomes one of the Driver's operations.
#include <charconv>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>

#include "platform/driver/driver.h"
#include "platform/driver/script.h"

namespace platform::driver {

namespace {

using script::Step;
using script::Word;

bool number_of(const Word& w, long long* out)
{
    if (w.quoted || w.text.empty())
        return false;
    auto [end, ec] = std::from_chars(w.text.data(), w.text.data() + w.text.size(), *out);
    return ec == std::errc() && end == w.text.data() + w.text.size();
}

int int_of(const Word& w)
{
    long long v = 0;
    number_of(w, &v);
    return int(v);
}

// A bare number names a control by id; anything else (quoted or not) by caption.
ControlName control_of(const Word& w)
{
    long long v = 0;
    if (number_of(w, &v))
        return ControlName(int(v));
    return ControlName(w.text);
}

Result run_expectation(Driver& d, const std::vector<Word>& a)
{
    const std::string& kind = a[0].text;
    if (kind == "window")
        return d.expect_window(a[1].text);
    if (kind == "text")
        return d.expect_text(control_of(a[1]), a[2].text);
    if (kind == "item")
        return d.expect_item(control_of(a[1]), int_of(a[2]), a[3].text);
    if (kind == "count")
        return d.expect_count(control_of(a[1]), int_of(a[2]));
    return d.expect_box(a[1].text, a[2].text);
}

Result run_select(Driver& d, const Word& list, const Word& entry)
{
    long long index = 0;
    if (number_of(entry, &index))
        return d.select(control_of(list), int(index));
    return d.select(control_of(list), std::string_view(entry.text));
}

// Carries out a checked step. A dump's listing is in the result's message.
Result run_step(Driver& d, const Step& step)
{
    const std::vector<Word>& w = step.words;
    const std::string& c = w[0].text;
    if (c == "expect")
        return run_expectation(d, std::vector<Word>(w.begin() + 1, w.end()));
    if (c == "menu")
        return d.menu(w[1].text);
    if (c == "command")
        return d.command(int_of(w[1]));
    if (c == "click")
        return d.click(control_of(w[1]));
    if (c == "type")
        return d.type(control_of(w[1]), w[2].text);
    if (c == "select")
        return run_select(d, w[1], w[2]);
    if (c == "tap")
        return d.tap(int_of(w[1]), int_of(w[2]));
    if (c == "key")
        return d.key(w[1].text);
    if (c == "wait")
        return int_of(w[1]) < 0 ? Result {false, "wait: a negative time"} : d.wait(uint64_t(int_of(w[1])));
    if (c == "answer")
        return d.answer(w[1].text);
    if (c == "dump")
        return d.dump();
    if (c == "screenshot")
        return d.screenshot(w[1].text);
    return d.quit();
}

// Reads and checks every line; false (with the message on out) at the first line that does not parse.
bool read_script(std::istream& in, std::ostream& out, std::vector<Step>* steps)
{
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        Step step {++number, line, {}};
        std::string error;
        if (!script::split_line(line, &step.words, &error) || !script::check_step(step, &error)) {
            out << "line " << number << ": " << error << "\n";
            return false;
        }
        if (!step.words.empty())
            steps->push_back(std::move(step));
    }
    if (in.bad()) {
        out << "the script cannot be read\n";
        return false;
    }
    return true;
}

int run_batch(std::istream& in, std::ostream& out, std::function<int()> program)
{
    std::vector<Step> steps;
    if (!read_script(in, out, &steps))
        return 2;
    Driver driver(std::move(program));
    for (const Step& step : steps) {
        Result r = run_step(driver, step);
        if (!r.ok) {
            out << "line " << step.line << ": " << step.source << ": " << r.message << "\n";
            driver.finish();
            return 1;
        }
        if (step.words[0].text == "dump")
            out << r.message;
    }
    driver.finish();
    return 0;
}

int run_interactive(std::istream& in, std::ostream& out, std::function<int()> program)
{
    Driver driver(std::move(program));
    bool any_failed = false;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        Step step {++number, line, {}};
        std::string error;
        if (!script::split_line(line, &step.words, &error) || !script::check_step(step, &error)) {
            out << "error: " << error << std::endl;
            any_failed = true;
            continue;
        }
        if (step.words.empty())
            continue;
        Result r = run_step(driver, step);
        if (r.ok && step.words[0].text == "dump")
            out << r.message;
        if (r.ok)
            out << "ok" << std::endl;
        else
            out << "failed: " << r.message << std::endl;
        any_failed = any_failed || !r.ok;
        if (step.words[0].text == "quit")
            break;
    }
    driver.finish();
    return any_failed ? 1 : 0;
}

}  // namespace

int run_script(std::istream& in, std::ostream& out, std::function<int()> program, bool interactive)
{
    if (interactive)
        return run_interactive(in, out, std::move(program));
    return run_batch(in, out, std::move(program));
}

int run_script_file(const std::string& host_path, std::ostream& out, std::function<int()> program)
{
    std::ifstream in(host_path, std::ios::binary);
    if (!in) {
        out << "cannot read the script " << host_path << "\n";
        return 2;
    }
    return run_script(in, out, std::move(program), false);
}

}  // namespace platform::driver
