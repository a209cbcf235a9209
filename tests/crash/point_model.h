#pragma once
// What the crash test expects of each point number, and the checks that hold the program's files and
// its point editor to it.
//
// A number's state is "absent" or a point's values. The model keeps, per number, the state the program
// last acknowledged ("Pt saved.", "Pt overwritten.", "Pt deleted." on screen) and, while an operation is
// in flight, the state that operation would leave. After a kill either state is allowed, whole: a point
// with some fields old and some new, or with values nobody typed, is a fault, as is an acknowledged
// state that is not there.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/crash/disk_image.h"
#include "tests/crash/varno_run.h"

namespace crash {

using PointState = std::optional<PointValues>;  // nothing: absent

class PointModel {
public:
    // The numbers the model knows, ascending.
    std::vector<uint32_t> numbers() const;
    PointState acknowledged(uint32_t number) const;
    // The states the number may be found in: the acknowledged one, then the one in flight, if any.
    std::vector<PointState> allowed(uint32_t number) const;

    // An operation on number is under way and would leave `after`.
    void begin(uint32_t number, PointState after);
    // The operation under way was acknowledged.
    void acknowledge();
    // The number was found in `found` after a restart (one of its allowed states, or the acknowledged
    // one when what was found is not allowed): that is its state from now on; nothing is in flight.
    void settle(uint32_t number, const PointState& found);
    void set(uint32_t number, const PointState& state) { settle(number, state); }
    bool in_flight() const { return m_flight_number.has_value(); }

private:
    std::map<uint32_t, PointState> m_acked;
    std::optional<uint32_t> m_flight_number;
    PointState m_flight_state;
};

// Problems found, by kind ("start", "editor", "lookup", "file", "index"), each with a line of its own.
class Findings {
public:
    void add(const std::string& kind, const std::string& text);
    void add_all(const std::string& kind, const std::vector<std::string>& texts);
    size_t count() const { return m_count; }
    size_t count(const std::string& kind) const;
    std::map<std::string, size_t> counts() const;
    // Each kind with its count and its first few lines.
    std::string summary(size_t examples_per_kind = 4) const;

private:
    std::map<std::string, std::vector<std::string>> m_by_kind;
    size_t m_count = 0;
};

// ---- The coordinate file ----------------------------------------------------------------------------

// Holds the file's live records to the model: every number at most once, in one of its allowed states,
// and no live number the model does not know. *found receives each model number's state on disk.
void judge_coord_file(
    const CoordImage& image, const PointModel& model, Findings* findings, std::map<uint32_t, PointState>* found);

// Both index files beside the coordinate file: complete and in order (disk_image.h).
void judge_indexes(const std::string& base_path, const CoordImage& image, Findings* findings);

// ---- Through the program ----------------------------------------------------------------------------

// Brings a fresh start to its idle main window. The indexing dialog may come on the way (it is waited
// out); anything else there (a message box) is a finding, answered so that the run can go on.
void settle_start(VarnoRun& run, Findings* findings);

// With the point editor open: Get for each number, each field held to the number's allowed states.
// *seen receives what was shown, as the state it matches (numbers whose fields matched none are left out).
void check_in_editor(VarnoRun& run, const PointModel& model, const std::vector<uint32_t>& numbers, Findings* findings,
    std::map<uint32_t, PointState>* seen = nullptr);

// ---- Values to type ---------------------------------------------------------------------------------

// A coordinate of whole eighths, so "%.3f" writes it exactly and any correct reading of that text gives
// back the same double.
double random_eighths(std::mt19937_64& rng, int64_t largest_whole);
// Letters, digits and a few signs, no space at either end; length 0 .. max_length.
std::string random_text(std::mt19937_64& rng, size_t max_length);
std::string coordinate_text(double value);  // "%.3f"

}  // namespace crash
