#pragma once
// Building one index of the open coordinate file from its records, a slice at a time, so that a dialog can
// show progress between slices.
//
// Every record 1 .. record count that reads (deleted records are skipped) gives one key: the number with
// "%12u" or the stored name, untrimmed, with "%-15s", and the record index as its record number. Progress
// is counted in steps: one each time the records keyed since the last step reach the step interval,
// record count / 20 (integer division), so a whole build comes to at most 20 steps (more only for files
// under 20 records, where every record is a step).
//
// The keys are gathered while the records are read, sorted into index order once the last record is read,
// and an empty index is filled with them bottom-up (index_fill_sorted): every page written once, in runs,
// where inserting key by key would restructure and write each page many times. An index that already holds
// entries takes them one by one. The index holds the same entries either way. Where two records carry the same point number (a file saved by a program that
// could not find the first, or an overwrite a crash cut short), the one with the higher record index is
// the later save: it is kept, and the earlier record is marked deleted so that the file and the index agree.
//
// One build runs at a time. Closing the coordinate file while one runs finishes it first
// (index_build_finish_active), so a build never reads a file closed under it.

#include <cstdint>
#include <string>
#include <vector>

#include "store/index.h"

namespace store {

enum class IndexKind { Number, Name };

class IndexBuild {
public:
    // Builds into index (borrowed; it should be empty) from the open coordinate file's records.
    IndexBuild(Index* index, IndexKind kind);

    IndexKind kind() const { return m_kind; }
    int record_count() const { return m_record_count; }
    int step_interval() const { return m_step_interval; }
    bool finished() const { return m_finished; }

    // Reads up to max_records records from the current one; once past the last record enters every key
    // and finishes. Returns the number of progress steps reached in this slice. Does nothing once finished,
    // nor when called again while a slice is under way (from a message box shown during it).
    int advance(int max_records);

    // Advances to the end in one go.
    void run_to_end();

    // Keys the index refused (a point number that two records carry) and keys lost to damage.
    int refused() const { return m_refused; }

    // Why the index is built again, shown under the usual text ("(not closed properly)"); empty for a
    // build of a missing index or a reindex.
    const std::u16string& reason() const { return m_reason; }
    void set_reason(const std::u16string& reason) { m_reason = reason; }

    ~IndexBuild();
    IndexBuild(const IndexBuild&) = delete;
    IndexBuild& operator=(const IndexBuild&) = delete;

private:
    struct Entry {
        char key[16];
        uint32_t record;
    };

    void take(int record, const char* name, uint32_t number);
    // Reads and keys the records first .. last that read; the progress steps reached.
    int key_records(int first, int last);
    void enter_all();
    void insert_each(const std::vector<Entry>& entries);

    Index* m_index;
    IndexKind m_kind;
    int m_key_size;
    int m_record_count;
    int m_step_interval;
    int m_next_record = 1;
    int m_since_step = 0;
    int m_refused = 0;
    bool m_finished = false;
    bool m_advancing = false;      // a slice is under way (see advance)
    std::vector<Entry> m_entries;  // gathered keys, entered once the last record is read
    std::u16string m_reason;
};

// Runs the build under way (if any) to its end.
void index_build_finish_active();

}  // namespace store
