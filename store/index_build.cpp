// Building an index from the records of the open coordinate file, a slice at a time.

#include <algorithm>
#include <cstring>
#include <limits>

#include "store/coord_file.h"
#include "store/index_build.h"
#include "store/point_index.h"

namespace store {

namespace {

constexpr int kProgressSteps = 20;

IndexBuild* s_active = nullptr;  // the build under way, borrowed

// Keys of a size known here compare with a few word comparisons, not a call per comparison.
template <size_t KeySize, typename Entries> void sort_entries(Entries& entries)
{
    using Entry = typename Entries::value_type;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        int order = std::memcmp(a.key, b.key, KeySize);
        if (order != 0)
            return order < 0;
        return a.record > b.record;
    });
}

}  // namespace

IndexBuild::IndexBuild(Index* index, IndexKind kind)
    : m_index(index)
    , m_kind(kind)
    , m_key_size(kind == IndexKind::Number ? kNumberKeySize : kNameKeySize)
    , m_record_count(std::max(coord_record_count(), 0))
    , m_step_interval(m_record_count / kProgressSteps)
{
    m_entries.reserve(size_t(m_record_count));
    s_active = this;
}

IndexBuild::~IndexBuild()
{
    if (s_active == this)
        s_active = nullptr;
}

void index_build_finish_active()
{
    if (s_active)
        s_active->run_to_end();
}

void IndexBuild::take(int record, const char* name, uint32_t number)
{
    Entry entry {};
    if (m_kind == IndexKind::Number)
        point_number_key(number, entry.key);
    else
        point_name_key(name, entry.key);
    entry.record = uint32_t(record);
    m_entries.push_back(entry);
}

int IndexBuild::key_records(int first, int last)
{
    int steps = 0;
    coord_scan_records(first, last, [this, &steps](int record, const PointRecord& point) {
        take(record, point.name, point.number);
        if (++m_since_step >= m_step_interval) {
            ++steps;
            m_since_step = 0;
        }
        return true;
    });
    return steps;
}

int IndexBuild::advance(int max_records)
{
    // A short read shows message boxes, whose loops keep the dialog's timer running: a slice asked for
    // meanwhile waits for the one under way to end.
    if (m_finished || m_advancing)
        return 0;
    m_advancing = true;
    int last = int(std::min<int64_t>(int64_t(m_next_record) + std::max(max_records, 0) - 1, m_record_count));
    int steps = m_next_record <= last ? key_records(m_next_record, last) : 0;
    m_next_record = std::max(m_next_record, last + 1);
    if (m_next_record > m_record_count)
        enter_all();
    m_advancing = false;
    return steps;
}

void IndexBuild::run_to_end()
{
    while (!m_finished)
        advance(std::numeric_limits<int>::max());
}

void IndexBuild::enter_all()
{
    // Index order: keys ascending; equal names by descending record as the index keeps them, equal numbers
    // by descending record too, so that the later record of a number is the one the index keeps.
    const size_t size = size_t(m_key_size);
    if (m_kind == IndexKind::Number)
        sort_entries<kNumberKeySize>(m_entries);
    else
        sort_entries<kNameKeySize>(m_entries);
    // The retired records reach the disk together, with one flush, as a bulk store's changes do.
    coord_begin_bulk();
    std::vector<Entry> kept;
    kept.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        if (m_kind == IndexKind::Number && !kept.empty() && std::memcmp(kept.back().key, entry.key, size) == 0) {
            // A number already kept: this earlier record was superseded by a later save.
            ++m_refused;
            coord_delete(int(entry.record));
            continue;
        }
        kept.push_back(entry);
    }
    m_entries.clear();
    m_entries.shrink_to_fit();
    // An empty index is filled bottom-up, each page written once; one that holds entries already takes
    // them one by one.
    int filled = index_fill_sorted(m_index, kept.size(), [&kept](size_t i, const char** key, uint32_t* record) {
        *key = kept[i].key;
        *record = kept[i].record;
    });
    if (filled == kIndexExists)
        insert_each(kept);
    else if (filled != kIndexOk)
        m_refused += int(kept.size());
    coord_end_bulk();
    m_finished = true;
}

void IndexBuild::insert_each(const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (index_insert(m_index, entry.key, entry.record) != kIndexOk)
            ++m_refused;
    }
}

}  // namespace store
