#include "exchange/import_run.h"

#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"

namespace exchange {

namespace files = platform::files;

ImportRun::ImportRun(const ExchangeConfig& config, ReplaceQuestions questions)
    : m_config(config)
    , m_questions(std::move(questions))
{
}

ImportRun::~ImportRun()
{
    finish();
}

bool ImportRun::open()
{
    if (!store::coord_is_open())
        return false;
    m_total = count_lines(m_config.path);
    if (m_total < 0)
        return false;
    m_file = files::open_existing(m_config.path, files::Access::Read);
    if (!m_file)
        return false;
    m_reader.emplace(m_file);
    m_outcome.opened = true;
    store::coord_begin_bulk();
    m_bulk = true;
    return true;
}

int ImportRun::advance(int max_lines)
{
    if (m_done || !m_reader)
        return 0;
    std::string line;
    bool too_long = false;
    int read = 0;
    for (; read < max_lines; ++read) {
        if (!m_reader->next(&line, &too_long)) {
            m_done = true;
            break;
        }
        ++m_outcome.lines;
        std::optional<store::PointRecord> point;
        if (!too_long)
            point = parse_point_line(line, m_config.kinds);
        if (point) {
            take(*point);
            continue;
        }
        // Empty lines and a heading on the first line are no data.
        if (line.find_first_not_of(" \t") == std::string::npos
            || (m_outcome.lines == 1 && !too_long && read_heading(line)))
            continue;
        ++m_outcome.bad;
        if (m_outcome.bad_lines.size() < kBadLinesListed)
            m_outcome.bad_lines.push_back(m_outcome.lines);
    }
    if (m_done)
        finish();
    return read;
}

void ImportRun::finish()
{
    if (!m_done && m_outcome.opened)
        m_outcome.cancelled = true;
    m_done = true;
    if (m_bulk) {
        m_bulk = false;
        if (!store::coord_end_bulk())
            m_outcome.not_stored = true;
    }
    m_reader.reset();
    files::close(m_file);
    m_file = nullptr;
}

bool ImportRun::store_new(const store::PointRecord& point)
{
    if (store::point_store(point, false) == 1) {
        ++m_outcome.imported;
        return true;
    }
    ++m_outcome.failed;
    return false;
}

bool ImportRun::store_over(const store::PointRecord& point)
{
    if (store::point_store(point, true) == 1) {
        ++m_outcome.replaced;
        return true;
    }
    ++m_outcome.failed;
    return false;
}

void ImportRun::take(const store::PointRecord& point)
{
    store::PointRecord existing;
    if (store::point_read_by_number(point.number, &existing) != 1) {
        store_new(point);
        return;
    }
    switch (m_config.policy) {
    case kNeverReplace:
        ++m_outcome.kept;
        return;
    case kAskBeforeReplace:
        if (m_questions.overwrite && m_questions.overwrite(point.number))
            store_over(point);
        else
            ++m_outcome.kept;
        return;
    case kRenumber: {
        const std::optional<uint32_t> number = m_questions.renumber ? m_questions.renumber(point.number) : std::nullopt;
        if (!number || *number == 0) {
            ++m_outcome.kept;
            return;
        }
        store::PointRecord renumbered = point;
        renumbered.number = *number;
        if (store::point_read_by_number(*number, &existing) != 1)
            store_new(renumbered);
        else if (m_questions.overwrite && m_questions.overwrite(*number))
            store_over(renumbered);
        else
            ++m_outcome.kept;
        return;
    }
    default:
        store_over(point);
        return;
    }
}

std::u16string describe(const ImportOutcome& o)
{
    auto n = [](int64_t v) { return platform::text::from_ansi(std::to_string(v)); };
    std::u16string text;
    if (o.not_stored)
        text += u"The coordinate file could not be written at the end: the points of this import are not stored.\n";
    text += u"Imported: " + n(o.imported) + u"\nReplaced: " + n(o.replaced);
    if (o.kept > 0)
        text += u"\nExisting kept: " + n(o.kept);
    text += u"\nLines skipped: " + n(o.bad);
    if (!o.bad_lines.empty()) {
        text += u" (line";
        for (size_t i = 0; i < o.bad_lines.size(); ++i)
            text += (i == 0 ? u" " : u", ") + n(o.bad_lines[i]);
        text += o.bad > int64_t(o.bad_lines.size()) ? u", ...)" : u")";
    }
    if (o.failed > 0)
        text += u"\nNot stored: " + n(o.failed);
    if (o.cancelled)
        text += u"\nCancelled after line " + n(o.lines) + u".";
    return text;
}

}  // namespace exchange
