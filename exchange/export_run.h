#pragma once
// The export run: the points of the open coordinate file numbered From to To, in number order, one line
// each (exchange/point_lines.h), after a heading line when asked, into a new file or at the end of an
// existing one (Append), in slices so that a dialog can drive it. Each slice's lines are written at once;
// a write that comes up short ends the run and says so.

#include <cstdint>
#include <string>

#include "exchange/exchange_config.h"
#include "platform/files/files.h"

namespace exchange {

struct ExportOutcome {
    bool opened = false;     // the file opened (created or, with Append, an existing one)
    int64_t written = 0;     // point lines written
    int64_t not_finite = 0;  // points left out: a coordinate that is no finite number
    bool write_failed = false;
    bool cancelled = false;
};

class ExportRun {
public:
    explicit ExportRun(const ExchangeConfig& config);
    ~ExportRun();  // finishes the run
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    // Opens or creates the file and writes the heading. False when no coordinate file is open or the file
    // does not open.
    bool open();
    // How many points make one step of the progress bar.
    int64_t step() const;
    // Writes up to `max_points` more points; the number visited.
    int advance(int max_points);
    bool finished() const { return m_done; }
    // Ends the run (cancelled when points were left) and closes the file; harmless twice.
    void finish();
    const ExportOutcome& outcome() const { return m_outcome; }

private:
    bool write(const std::string& bytes);

    ExchangeConfig m_config;
    platform::files::Handle m_file = nullptr;
    uint64_t m_next = 0;  // the lowest number not visited yet
    bool m_done = false;
    ExportOutcome m_outcome;
};

// "Points written: 12" and what went wrong, for the box after an export.
std::u16string describe(const ExportOutcome& outcome);

}  // namespace exchange
