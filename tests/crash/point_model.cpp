#include "tests/crash/point_model.h"

#include <algorithm>
#include <cstdio>

namespace crash {

namespace {

constexpr size_t kEditorLinesPerChunk = 60 * 9;

std::string describe_state(const PointState& s)
{
    return s ? describe(*s) : std::string("absent");
}

std::string describe_allowed(const std::vector<PointState>& allowed)
{
    std::string out = "acknowledged " + describe_state(allowed.front());
    if (allowed.size() > 1)
        out += ", or in flight " + describe_state(allowed.back());
    return out;
}

bool allows(const std::vector<PointState>& allowed, const PointState& s)
{
    return std::find(allowed.begin(), allowed.end(), s) != allowed.end();
}

// The seven edit fields of the point editor, 1011 .. 1017, as it shows a state.
constexpr int kFirstField = 1011;
using Shown = std::array<std::string, 7>;

Shown shown(const PointState& s)
{
    if (!s)
        return {};
    return {std::to_string(s->number), s->name, coordinate_text(s->north), coordinate_text(s->east),
        coordinate_text(s->elevation), s->note, s->code};
}

// The text a failed "expect text" saw: the answer ends `seen "<text>"`, with \ and " escaped.
std::optional<std::string> seen_text(const std::string& answer)
{
    size_t at = answer.rfind(", seen \"");
    if (answer.rfind("failed: text of ", 0) != 0 || at == std::string::npos || answer.back() != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = at + 8; i + 1 < answer.size(); ++i) {
        if (answer[i] == '\\' && i + 2 < answer.size())
            ++i;
        out += answer[i];
    }
    return out;
}

std::string show_fields(const Shown& fields)
{
    std::string out;
    for (const std::string& f : fields)
        out += (out.empty() ? "" : " | ") + f;
    return "[" + out + "]";
}

// One number through the editor: its lines, then what its answers say was on screen.
std::vector<std::string> get_lines(uint32_t number, const Shown& expected)
{
    std::vector<std::string> lines {"type 1011 " + script_quote(std::to_string(number)), "click 1006"};
    for (int i = 0; i < 7; ++i)
        lines.push_back("expect text " + std::to_string(kFirstField + i) + " " + script_quote(expected[size_t(i)]));
    return lines;
}

void judge_get(uint32_t number, const std::vector<PointState>& allowed, const std::vector<std::string>& answers,
    Findings* findings, std::map<uint32_t, PointState>* seen)
{
    if (answers.size() < 9 || answers[0] != "ok" || answers[1] != "ok") {
        findings->add("editor",
            "Get " + std::to_string(number) + ": "
                + (answers.size() < 2 ? std::string("no answer") : answers[0] + " / " + answers[1]));
        return;
    }
    Shown fields = shown(allowed.front());
    for (size_t i = 0; i < 7; ++i) {
        if (answers[2 + i] == "ok")
            continue;
        std::optional<std::string> text = seen_text(answers[2 + i]);
        if (!text) {
            findings->add("editor", "Get " + std::to_string(number) + ": " + answers[2 + i]);
            return;
        }
        fields[i] = *text;
    }
    for (const PointState& s : allowed) {
        if (shown(s) == fields) {
            if (seen)
                (*seen)[number] = s;
            return;
        }
    }
    std::string what = fields == Shown {} ? "finds nothing" : "shows " + show_fields(fields);
    findings->add("lookup", "Get " + std::to_string(number) + " " + what + "; " + describe_allowed(allowed));
}

}  // namespace

// ---- PointModel -------------------------------------------------------------------------------------

std::vector<uint32_t> PointModel::numbers() const
{
    std::vector<uint32_t> out;
    for (const auto& [number, state] : m_acked)
        out.push_back(number);
    if (m_flight_number && !m_acked.count(*m_flight_number))
        out.insert(std::upper_bound(out.begin(), out.end(), *m_flight_number), *m_flight_number);
    return out;
}

PointState PointModel::acknowledged(uint32_t number) const
{
    auto it = m_acked.find(number);
    return it == m_acked.end() ? PointState() : it->second;
}

std::vector<PointState> PointModel::allowed(uint32_t number) const
{
    std::vector<PointState> out {acknowledged(number)};
    if (m_flight_number == number && m_flight_state != out.front())
        out.push_back(m_flight_state);
    return out;
}

void PointModel::begin(uint32_t number, PointState after)
{
    m_flight_number = number;
    m_flight_state = std::move(after);
}

void PointModel::acknowledge()
{
    if (m_flight_number)
        m_acked[*m_flight_number] = m_flight_state;
    m_flight_number.reset();
    m_flight_state.reset();
}

void PointModel::settle(uint32_t number, const PointState& found)
{
    if (m_flight_number == number) {
        m_flight_number.reset();
        m_flight_state.reset();
    }
    m_acked[number] = found;
}

// ---- Findings ---------------------------------------------------------------------------------------

void Findings::add(const std::string& kind, const std::string& text)
{
    m_by_kind[kind].push_back(text);
    ++m_count;
}

void Findings::add_all(const std::string& kind, const std::vector<std::string>& texts)
{
    for (const std::string& t : texts)
        add(kind, t);
}

size_t Findings::count(const std::string& kind) const
{
    auto it = m_by_kind.find(kind);
    return it == m_by_kind.end() ? 0 : it->second.size();
}

std::map<std::string, size_t> Findings::counts() const
{
    std::map<std::string, size_t> out;
    for (const auto& [kind, texts] : m_by_kind)
        out[kind] = texts.size();
    return out;
}

std::string Findings::summary(size_t examples_per_kind) const
{
    std::string out;
    for (const auto& [kind, texts] : m_by_kind) {
        out += kind + ": " + std::to_string(texts.size()) + "\n";
        for (size_t i = 0; i < texts.size() && i < examples_per_kind; ++i)
            out += "    " + texts[i] + "\n";
    }
    return out;
}

// ---- The files --------------------------------------------------------------------------------------

void judge_coord_file(
    const CoordImage& image, const PointModel& model, Findings* findings, std::map<uint32_t, PointState>* found)
{
    if (!image.problem.empty())
        findings->add("file", "coordinate file: " + image.problem);
    std::map<uint32_t, std::vector<int>> records_of;
    for (const auto& [record, point] : image.live)
        records_of[point.number].push_back(record);
    std::vector<uint32_t> numbers = model.numbers();
    for (const auto& [number, records] : records_of) {
        if (records.size() > 1) {
            std::string list;
            for (int r : records)
                list += " " + std::to_string(r);
            findings->add("file", "pt " + std::to_string(number) + " is live in records" + list);
        }
        if (!std::binary_search(numbers.begin(), numbers.end(), number))
            numbers.push_back(number);
    }
    for (uint32_t number : numbers) {
        auto it = records_of.find(number);
        PointState state = it == records_of.end() ? PointState() : PointState(image.live.at(it->second.front()));
        (*found)[number] = state;
        std::vector<PointState> allowed = model.allowed(number);
        if (!allows(allowed, state))
            findings->add("file",
                "on disk " + describe_state(state) + " for pt " + std::to_string(number) + "; "
                    + describe_allowed(allowed));
    }
}

void judge_indexes(const std::string& base_path, const CoordImage& image, Findings* findings)
{
    findings->add_all("index", check_index(read_host_file(base_path + ".PPC_.PtNDX"), IndexKind::Number, image));
    findings->add_all("index", check_index(read_host_file(base_path + ".PPC_.NamNDX"), IndexKind::Name, image));
}

// ---- Through the program ----------------------------------------------------------------------------

void settle_start(VarnoRun& run, Findings* findings)
{
    for (int round = 0; round < 100; ++round) {
        std::string main = run.ask("expect window main");
        if (main == "ok")
            return;
        if (main == "ended") {
            findings->add("start", "the program ended at start: " + run.errors());
            return;
        }
        if (run.ask("expect window PT_INDEXING") == "ok") {
            run.ask("wait 600000");
            continue;
        }
        // The answer to an expectation no box can meet names what is there.
        std::string seen = run.ask("expect box \"\" \"\"");
        size_t at = seen.find("seen ");
        findings->add("start", at == std::string::npos ? seen : seen.substr(at + 5));
        if (run.ask("answer ok") != "ok")
            run.ask("key escape");
    }
    findings->add("start", "the main window never came back");
}

void check_in_editor(VarnoRun& run, const PointModel& model, const std::vector<uint32_t>& numbers, Findings* findings,
    std::map<uint32_t, PointState>* seen)
{
    const size_t per_chunk = kEditorLinesPerChunk / 9;
    for (size_t first = 0; first < numbers.size(); first += per_chunk) {
        size_t last = std::min(numbers.size(), first + per_chunk);
        std::vector<std::string> lines;
        for (size_t i = first; i < last; ++i) {
            std::vector<std::string> one = get_lines(numbers[i], shown(model.allowed(numbers[i]).front()));
            lines.insert(lines.end(), one.begin(), one.end());
        }
        std::vector<std::string> answers = run.exchange(lines);
        for (size_t i = first; i < last; ++i) {
            size_t at = (i - first) * 9;
            std::vector<std::string> mine(answers.begin() + long(std::min(at, answers.size())),
                answers.begin() + long(std::min(at + 9, answers.size())));
            judge_get(numbers[i], model.allowed(numbers[i]), mine, findings, seen);
        }
        if (answers.size() < lines.size())
            return;
    }
}

// ---- Values -----------------------------------------------------------------------------------------

double random_eighths(std::mt19937_64& rng, int64_t largest_whole)
{
    std::uniform_int_distribution<int64_t> eighths(-8 * largest_whole, 8 * largest_whole);
    return double(eighths(rng)) / 8.0;
}

std::string random_text(std::mt19937_64& rng, size_t max_length)
{
    static const std::string kCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._/+ ";
    std::uniform_int_distribution<size_t> length(0, max_length), pick(0, kCharacters.size() - 1);
    std::string out(length(rng), ' ');
    for (char& c : out)
        c = kCharacters[pick(rng)];
    if (!out.empty() && out.front() == ' ')
        out.front() = 'F';
    if (!out.empty() && out.back() == ' ')
        out.back() = 'L';
    return out;
}

std::string coordinate_text(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace crash
