// A bulk store: the appended records it holds back and writes a block at a time, the rewrites it keeps
// until its end and writes together through one journal, the larger index caches, and its end.

#include "store/coord_bulk.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/coord_journal.h"

namespace store {

namespace files = platform::files;

namespace {

// During a bulk store each index keeps up to this many pages (4 MiB) instead of its seven: the indexes of
// 100 000 points stored in no order are then changed in memory and written back once, at the end, where
// seven pages would fetch and write back a page for nearly every key. A deliberate departure from the
// seven pages (store/index.h), for the length of the store only; a crash meanwhile loses nothing the file
// holds, since the indexes gave up their clean-close marks before the first change and are rebuilt.
constexpr int kBulkCachePages = 4096;

// Records appended and held back before they are written.
constexpr size_t kTailBytes = size_t(kScanBlockRecords) * kCoordRecordSize;

struct BulkState {
    int depth = 0;             // nested bulk stores under way
    int first_pending = 0;     // first record appended during them (0: none yet)
    bool written = false;      // something was written to the file meanwhile, to be flushed at the end
    bool failed = false;       // records it had taken were lost to a write that came up short
    PendingRewrites rewrites;  // records rewritten during them, reaching the file at the end
    // The last records appended, not written yet: they go to the file a block at a time (and at the end),
    // so that an import of many points costs a write per block, not per point. tail_offset is where the
    // first of them lies in the file.
    std::vector<uint8_t> tail;
    int64_t tail_offset = 0;
};

BulkState s_bulk;

void size_index_caches(int pages)
{
    index_set_cache_pages(coord_number_index(), pages);
    index_set_cache_pages(coord_name_index(), pages);
}

// The held-back bytes at offset .. offset + size when the tail holds all of them, else nullptr.
uint8_t* tail_bytes(int64_t offset, uint32_t size)
{
    if (s_bulk.tail.empty() || offset < s_bulk.tail_offset
        || offset + size > s_bulk.tail_offset + int64_t(s_bulk.tail.size()))
        return nullptr;
    return s_bulk.tail.data() + (offset - s_bulk.tail_offset);
}

// Writes the held-back records to the file (not flushed).
bool write_tail()
{
    if (s_bulk.tail.empty())
        return true;
    uint32_t size = uint32_t(s_bulk.tail.size());
    bool written = files::write_at(coord_handle(), s_bulk.tail_offset, s_bulk.tail.data(), size) == size;
    s_bulk.tail.clear();
    return written;
}

// Writes the pending rewrites over their records, the records of a stretch read, changed and written back
// with one call each (bytes between them are written as they were). Not flushed.
bool apply_rewrites(files::Handle file, const PendingRewrites& rewrites)
{
    std::vector<uint8_t> block;
    for (auto it = rewrites.begin(); it != rewrites.end();) {
        int first = it->first;
        auto end = rewrites.lower_bound(first + kScanBlockRecords);
        int last = std::prev(end)->first;
        uint32_t size = uint32_t(record_offset(last) - record_offset(first)) + kJournalRecordBytes;
        block.resize(size);
        if (files::read_at(file, record_offset(first), block.data(), size) != size)
            return false;
        for (; it != end; ++it)
            std::memcpy(block.data() + (record_offset(it->first) - record_offset(first)), it->second.data(),
                kJournalRecordBytes);
        if (files::write_at(file, record_offset(first), block.data(), size) != size)
            return false;
    }
    return true;
}

// The records appended during a bulk store become points once all of them are on the disk: flushed, their
// types set a block at a time (a block written back differs from the disk only in those types, so a crash
// amid it leaves each record pending or a point, whole either way), flushed again.
bool commit_pending()
{
    files::Handle file = coord_handle();
    if (!file || !s_bulk.written)
        return true;  // nothing to make durable (a build that retired no record, say)
    bool done = write_tail() && files::flush(file);
    std::vector<uint8_t> block;
    int count = coord_record_count();
    for (int first = s_bulk.first_pending; done && first >= 1 && first <= count; first += kScanBlockRecords) {
        int records = std::min(kScanBlockRecords, count - first + 1);
        block.resize(size_t(records) * kCoordRecordSize);
        uint32_t size = uint32_t(block.size());
        done = files::read_at(file, record_offset(first), block.data(), size) == size;
        for (int i = 0; done && i < records; ++i) {
            if (load_le32(&block[size_t(i) * kCoordRecordSize]) == kRecordTypePending)
                store_le32(&block[size_t(i) * kCoordRecordSize], kRecordTypePoint);
        }
        done = done && files::write_at(file, record_offset(first), block.data(), size) == size;
    }
    return done && files::flush(file);
}

// The end of the outermost bulk store (or a close under one): its rewrites and its records reach the file,
// and the indexes go back to their seven pages, the changed ones written back.
bool finish_bulk()
{
    bool done = bulk_settle_rewrites();
    done = commit_pending() && done && !s_bulk.failed;
    s_bulk = BulkState();
    size_index_caches(0);
    return done;
}

}  // namespace

bool bulk_active()
{
    return s_bulk.depth > 0;
}

void bulk_note_written()
{
    s_bulk.written = true;
}

bool bulk_hold_append(int64_t offset, int index, const uint8_t* bytes, int64_t* cut)
{
    if (s_bulk.tail.empty())
        s_bulk.tail_offset = offset;
    s_bulk.tail.insert(s_bulk.tail.end(), bytes, bytes + kCoordRecordSize);
    if (s_bulk.tail.size() >= kTailBytes && !write_tail()) {
        // The records held back with it are lost with it: the store fails at its end.
        *cut = s_bulk.tail_offset;
        s_bulk.failed = true;
        return false;
    }
    s_bulk.written = true;
    if (s_bulk.first_pending == 0)
        s_bulk.first_pending = index;
    return true;
}

bool bulk_put_bytes(int64_t offset, const uint8_t* bytes, uint32_t size)
{
    if (uint8_t* held = tail_bytes(offset, size)) {
        std::memcpy(held, bytes, size);
        return true;
    }
    return files::write_at(coord_handle(), offset, bytes, size) == size;
}

bool bulk_take_back(int64_t offset)
{
    if (!tail_bytes(offset, kCoordRecordSize))
        return false;
    s_bulk.tail.resize(size_t(offset - s_bulk.tail_offset));
    return !s_bulk.tail.empty();
}

void bulk_hold_rewrite(int index, const uint8_t* bytes)
{
    std::memcpy(s_bulk.rewrites[index].data(), bytes, kJournalRecordBytes);
}

uint8_t* bulk_rewrite_of(int index)
{
    auto it = s_bulk.rewrites.find(index);
    return it == s_bulk.rewrites.end() ? nullptr : it->second.data();
}

// The rewrites reach the file: their journal first (flushed), then the records, flushed, and the journal
// made void. A crash before the journal is whole leaves every old record; after, the next open writes them
// all.
bool bulk_settle_rewrites()
{
    if (s_bulk.rewrites.empty())
        return true;
    files::Handle file = coord_handle();
    bool done = journal_write_all(s_bulk.rewrites) && apply_rewrites(file, s_bulk.rewrites) && files::flush(file)
        && journal_retire();
    s_bulk.rewrites.clear();
    return done;
}

bool coord_record_pending(int index)
{
    return s_bulk.first_pending > 0 && index >= s_bulk.first_pending;
}

const uint8_t* coord_unwritten_record(int index)
{
    if (const uint8_t* held = tail_bytes(record_offset(index), kRecordReadSize))
        return held;
    if (s_bulk.rewrites.empty())
        return nullptr;
    return bulk_rewrite_of(index);
}

int64_t coord_size()
{
    if (!s_bulk.tail.empty())
        return s_bulk.tail_offset + int64_t(s_bulk.tail.size());
    return files::size(coord_handle());
}

void coord_begin_bulk()
{
    if (s_bulk.depth++ > 0)
        return;
    s_bulk = BulkState {1, 0};
    size_index_caches(kBulkCachePages);
}

bool coord_end_bulk()
{
    if (s_bulk.depth == 0 || --s_bulk.depth > 0)
        return true;
    return finish_bulk();
}

bool coord_bulk_close()
{
    return s_bulk.depth == 0 || finish_bulk();
}

}  // namespace store
