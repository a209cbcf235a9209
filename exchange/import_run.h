#pragma once
// The import run: every line of the exchange file read with the configuration's layout
// (exchange/point_lines.h), each point stored in the open coordinate file under the replace policy, in
// slices so that a dialog can drive it. The whole run is one bulk store (store/coord_file.h): its new
// records reach the file together at its end, so a crash in the middle leaves none of them and never a
// part of one, and its rewrites all old or all new. A run ended early (cancelled) keeps the points it
// stored, each whole.
//
// For a number the file holds already: "Always replace" overwrites; "Never replace" keeps the stored
// point; "Ask before replace" asks (overwrite); "Renumber" asks for a new number (renumber): none, or 0,
// keeps the line out, a new number in use too asks to overwrite that one, a free one stores the point
// under it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exchange/ascii_lines.h"
#include "exchange/exchange_config.h"
#include "exchange/point_lines.h"

namespace exchange {

struct ReplaceQuestions {
    std::function<bool(uint32_t number)> overwrite;                    // true: overwrite point `number`
    std::function<std::optional<uint32_t>(uint32_t number)> renumber;  // the new number; nothing: skip
};

constexpr size_t kBadLinesListed = 5;

struct ImportOutcome {
    bool opened = false;             // the file opened and a coordinate file was open
    int64_t lines = 0;               // lines read
    int64_t imported = 0;            // new points stored
    int64_t replaced = 0;            // existing points overwritten
    int64_t kept = 0;                // point lines not stored by the policy or the answers
    int64_t failed = 0;              // point lines the store refused
    int64_t bad = 0;                 // lines that are no point (empty lines and a heading aside)
    std::vector<int64_t> bad_lines;  // the numbers of the first kBadLinesListed of them
    bool cancelled = false;          // ended before the last line
    bool not_stored = false;         // the coordinate file could not take the run's points at its end
};

class ImportRun {
public:
    ImportRun(const ExchangeConfig& config, ReplaceQuestions questions);
    ~ImportRun();  // finishes the run
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // Counts the lines, opens the file and begins the bulk store. False when no coordinate file is open
    // or the exchange file does not open.
    bool open();
    int64_t total_lines() const { return m_total; }
    // Reads up to `max_lines` more lines; the number read.
    int advance(int max_lines);
    bool finished() const { return m_done; }
    // Ends the run (cancelled when lines were left) and the bulk store; harmless twice.
    void finish();
    const ImportOutcome& outcome() const { return m_outcome; }

private:
    void take(const store::PointRecord& point);
    bool store_new(const store::PointRecord& point);
    bool store_over(const store::PointRecord& point);

    ExchangeConfig m_config;
    ReplaceQuestions m_questions;
    platform::files::Handle m_file = nullptr;
    std::optional<LineReader> m_reader;
    bool m_bulk = false;
    bool m_done = false;
    int64_t m_total = 0;
    ImportOutcome m_outcome;
};

// What an import did, for the box after it: "Imported: 35 points" and the like, one line each.
std::u16string describe(const ImportOutcome& outcome);

}  // namespace exchange
