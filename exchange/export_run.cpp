#include "exchange/export_run.h"

#include "exchange/point_lines.h"
#include "exchange/progress_steps.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"

namespace exchange {

namespace files = platform::files;

ExportRun::ExportRun(const ExchangeConfig& config)
    : m_config(config)
    , m_next(config.from)
{
}

ExportRun::~ExportRun()
{
    finish();
}

bool ExportRun::open()
{
    if (!store::coord_is_open())
        return false;
    if (m_config.append) {
        m_file = files::open_existing(m_config.path, files::Access::ReadWrite);
        if (m_file && files::seek(m_file, 0, files::Origin::End) < 0) {
            files::close(m_file);
            m_file = nullptr;
        }
    }
    if (!m_file)
        m_file = files::create_always(m_config.path, files::Access::ReadWrite);
    if (!m_file)
        return false;
    m_outcome.opened = true;
    if (m_config.heading && !write(heading_line(m_config.kinds)))
        finish();
    return true;
}

int64_t ExportRun::step() const
{
    return export_step(m_config.from, m_config.to, store::coord_live_count());
}

bool ExportRun::write(const std::string& bytes)
{
    if (bytes.empty() || files::write(m_file, bytes.data(), uint32_t(bytes.size())) == bytes.size())
        return true;
    m_outcome.write_failed = true;
    return false;
}

int ExportRun::advance(int max_points)
{
    if (m_done || !m_file)
        return 0;
    std::string lines;
    int visited = 0;
    int64_t in_slice = 0;
    store::PointRecord p;
    // Each slice finds its first point again: nothing between slices need keep the index's cursor.
    int found = m_next <= m_config.to ? store::point_find_nearest_by_number(uint32_t(m_next), &p) : -1;
    if (found < 0 || p.number < m_next)
        m_done = true;
    while (!m_done && visited < max_points) {
        if (p.number > m_config.to) {
            m_done = true;
            break;
        }
        ++visited;
        if (std::optional<std::string> line = export_line(p, m_config.kinds, m_config.decimals)) {
            lines += *line;
            ++in_slice;
        } else {
            ++m_outcome.not_finite;
        }
        m_next = uint64_t(p.number) + 1;
        if (m_next > m_config.to || store::point_next_by_number(&p) == 0)
            m_done = true;
    }
    // The lines of a slice count once they reached the file.
    if (write(lines))
        m_outcome.written += in_slice;
    else
        m_done = true;
    if (m_done)
        finish();
    return visited;
}

void ExportRun::finish()
{
    if (!m_done && m_outcome.opened)
        m_outcome.cancelled = true;
    m_done = true;
    if (m_file) {
        if (!files::flush(m_file))
            m_outcome.write_failed = true;
        files::close(m_file);
        m_file = nullptr;
    }
}

std::u16string describe(const ExportOutcome& o)
{
    auto n = [](int64_t v) { return platform::text::from_ansi(std::to_string(v)); };
    std::u16string text = u"Points written: " + n(o.written);
    if (o.not_finite > 0)
        text += u"\nLeft out (no finite coordinates): " + n(o.not_finite);
    if (o.write_failed)
        text += u"\nThe file could not be written to the end: it is incomplete.";
    if (o.cancelled && !o.write_failed)
        text += u"\nCancelled.";
    return text;
}

}  // namespace exchange
