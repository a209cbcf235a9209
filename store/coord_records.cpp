// Reading, rewriting, appending and deleting the records of the open coordinate file. Every call positions
// explicitly before it reads or writes: no file position is assumed between calls.

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/messages.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/coord_journal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr uint32_t kPointSize = sizeof(PointRecord);

// During a bulk store each index keeps up to this many pages (4 MiB) instead of its seven: the indexes of
// 100 000 points stored in no order are then changed in memory and written back once, at the end, where
// seven pages would fetch and write back a page for nearly every key. A deliberate departure from the
// seven pages (store/index.h), for the length of the store only; a crash meanwhile loses nothing the file
// holds, since the indexes gave up their clean-close marks before the first change and are rebuilt.
constexpr int kBulkCachePages = 4096;

void size_index_caches(int pages)
{
    index_set_cache_pages(coord_number_index(), pages);
    index_set_cache_pages(coord_name_index(), pages);
}

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

// Copies text up to its NUL; a field without one is cut so that the copy still ends in a NUL.
void copy_text(char* to, const char* from, size_t field_size)
{
    size_t length = strnlen(from, field_size);
    if (length == field_size)
        length = field_size - 1;
    std::memcpy(to, from, length);
    to[length] = '\0';
}

void report_short_read(uint32_t moved, int index)
{
    formats::message_number(u"Error: number of bytes read", long(moved));
    formats::message_number(u"recLen", long(kPointSize));
    formats::message_number(u"record", index);
}

bool index_in_file(int index)
{
    return index >= 1 && index <= coord_record_count();
}

// Where the next record goes: after the last whole record. A partial record at the tail (an append that a
// crash cut short) is written over.
int64_t append_offset(int64_t size)
{
    if (size < kCoordHeaderSize)
        return kCoordHeaderSize;
    return kCoordHeaderSize + kCoordRecordSize * ((size - (kCoordHeaderSize - 1)) / kCoordRecordSize);
}

// The record's bytes as a write puts them: type, point data with the flags forced, pads.
void encode_record(uint32_t type, const PointRecord& record, uint32_t flags, uint8_t* bytes)
{
    store_le32(bytes, type);
    PointRecord copy = record;
    copy.flags = flags;
    std::memcpy(bytes + 4, static_cast<const void*>(&copy), kPointSize);
    std::memset(bytes + 4 + kPointSize, 0xFF, 3);
}

// Records appended and held back before they are written (kScanBlockRecords at most).
constexpr size_t kTailBytes = size_t(kScanBlockRecords) * kCoordRecordSize;

// The held-back bytes at offset .. offset + size when the tail holds all of them, else nullptr.
uint8_t* tail_bytes(int64_t offset, uint32_t size)
{
    if (s_bulk.tail.empty() || offset < s_bulk.tail_offset
        || offset + size > s_bulk.tail_offset + int64_t(s_bulk.tail.size()))
        return nullptr;
    return s_bulk.tail.data() + (offset - s_bulk.tail_offset);
}

// Writes bytes at offset: into the tail when they lie there, else to the file.
bool put_bytes(int64_t offset, const uint8_t* bytes, uint32_t size)
{
    if (uint8_t* held = tail_bytes(offset, size)) {
        std::memcpy(held, bytes, size);
        return true;
    }
    return files::write_at(coord_handle(), offset, bytes, size) == size;
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

// Outside a bulk store every change is flushed before it is reported; inside one, at its end.
bool settle_write(files::Handle file)
{
    if (s_bulk.depth == 0)
        return files::flush(file);
    s_bulk.written = true;
    return true;
}

// Before the file changes: the indexes give up their clean-close marks (after a crash from here on they
// are rebuilt from the records), so an index can never claim to match a file that moved on without it.
bool prepare_change()
{
    return index_begin_change(coord_number_index()) && index_begin_change(coord_name_index());
}

// Writes a record's type alone (4 and 6 differ in one byte, so no crash can mix them). A record a bulk
// store rewrote takes the type in its pending bytes, which reach the file with the others.
bool write_type(int index, uint32_t type)
{
    uint8_t bytes[4];
    store_le32(bytes, type);
    if (!prepare_change())
        return false;
    auto rewritten = s_bulk.rewrites.find(index);
    if (rewritten != s_bulk.rewrites.end()) {
        std::memcpy(rewritten->second.data(), bytes, sizeof bytes);
        return true;
    }
    return put_bytes(record_offset(index), bytes, sizeof bytes) && settle_write(coord_handle());
}

// Cuts the file at offset: the records from there on are gone.
bool cut_at(files::Handle file, int64_t offset)
{
    return files::seek(file, offset, files::Origin::Begin) == offset && files::set_end_of_file(file);
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

// The rewrites of a bulk store reach the file: their journal first (flushed), then the records, flushed,
// and the journal made void. A crash before the journal is whole leaves every old record; after, the next
// open writes them all.
bool settle_rewrites()
{
    if (s_bulk.rewrites.empty())
        return true;
    files::Handle file = coord_handle();
    bool done = journal_write_all(s_bulk.rewrites) && apply_rewrites(file, s_bulk.rewrites) && files::flush(file)
        && journal_retire();
    s_bulk.rewrites.clear();
    return done;
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

// The end of the outermost bulk store (or a close under one): its records become points, and the indexes
// go back to their seven pages, the changed ones written back.
bool finish_bulk()
{
    bool done = settle_rewrites();
    done = commit_pending() && done && !s_bulk.failed;
    s_bulk = BulkState();
    size_index_caches(0);
    return done;
}

}  // namespace

bool coord_record_pending(int index)
{
    return s_bulk.first_pending > 0 && index >= s_bulk.first_pending;
}

RecordBytes decode_record(const uint8_t* bytes, uint32_t moved, int index, PointRecord* out)
{
    if (moved >= 4) {
        uint32_t type = load_le32(bytes);
        bool point = type == kRecordTypePoint || (type == kRecordTypePending && coord_record_pending(index));
        if (!point)
            return RecordBytes::NoPoint;
    }
    if (moved < kRecordReadSize)
        return RecordBytes::Short;
    PointRecord stored;
    std::memcpy(static_cast<void*>(&stored), bytes + 4, kPointSize);
    out->easting = stored.easting;
    out->northing = stored.northing;
    out->elevation = stored.elevation;
    out->number = stored.number;
    copy_text(out->name, stored.name, sizeof stored.name);
    copy_text(out->note, stored.note, sizeof stored.note);
    copy_text(out->code, stored.code, sizeof stored.code);
    return RecordBytes::Point;
}

const uint8_t* coord_unwritten_record(int index)
{
    if (const uint8_t* held = tail_bytes(record_offset(index), kRecordReadSize))
        return held;
    if (s_bulk.rewrites.empty())
        return nullptr;
    auto it = s_bulk.rewrites.find(index);
    return it == s_bulk.rewrites.end() ? nullptr : it->second.data();
}

int64_t coord_size()
{
    if (!s_bulk.tail.empty())
        return s_bulk.tail_offset + int64_t(s_bulk.tail.size());
    return files::size(coord_handle());
}

int coord_read(int index, PointRecord* out)
{
    files::Handle file = coord_handle();
    if (!file || index < 1)
        return 0;
    if (const uint8_t* pending = coord_unwritten_record(index))
        return decode_record(pending, kRecordReadSize, index, out) == RecordBytes::Point ? 1 : 0;
    // Type and point data in one read: the record is fetched with one call to the file system.
    uint8_t bytes[kRecordReadSize];
    uint32_t moved = files::read_at(file, record_offset(index), bytes, sizeof bytes);
    RecordBytes kind = decode_record(bytes, moved, index, out);
    if (kind == RecordBytes::Short)
        report_short_read(moved > 4 ? moved - 4 : 0, index);
    return kind == RecordBytes::Point ? 1 : 0;
}

int coord_read_checked(int index, PointRecord* out)
{
    std::memset(static_cast<void*>(out), 0, sizeof *out);
    if (!coord_handle() || !index_in_file(index))
        return 0;
    return coord_read(index, out);
}

int coord_rewrite(int index, const PointRecord& record)
{
    files::Handle file = coord_handle();
    if (!file || !index_in_file(index))
        return 0;
    uint8_t bytes[kCoordRecordSize];
    encode_record(kRecordTypePoint, record, kFlagsRewritten, bytes);
    if (s_bulk.depth > 0 && coord_record_pending(index)) {
        // Appended in this bulk store: no point until the store ends, which flushes it before its type
        // becomes 4, so it is written over in place, its type still pending.
        store_le32(bytes, kRecordTypePending);
        if (prepare_change() && put_bytes(record_offset(index), bytes, kJournalRecordBytes)) {
            s_bulk.written = true;
            return 1;
        }
        formats::message(u"WriteMorventPointRecord", u"Error.");
        return 0;
    }
    if (s_bulk.depth > 0) {
        // Held until the store ends (readers see it at once), then journaled and written with the others.
        if (!prepare_change()) {
            formats::message(u"WriteMorventPointRecord", u"Error.");
            return 0;
        }
        std::memcpy(s_bulk.rewrites[index].data(), bytes, kJournalRecordBytes);
        return 1;
    }
    // The journal first: from the moment the record is touched, a crash leaves it whole, old or new.
    bool written = prepare_change() && journal_write(index, bytes)
        && files::write_at(file, record_offset(index), bytes, kJournalRecordBytes) == kJournalRecordBytes
        && files::flush(file);
    if (!written) {
        formats::message(u"WriteMorventPointRecord", u"Error.");
        return 0;
    }
    return 1;
}

bool coord_append(const PointRecord& record, int* out_index)
{
    files::Handle file = coord_handle();
    if (!file)
        return false;
    int64_t offset = append_offset(coord_size());
    int index = int((offset - kCoordHeaderSize) / kCoordRecordSize) + 1;
    // The whole record in one write, its type pending; the type follows on its own once the rest is on the
    // disk (in a bulk store, when the store ends). A crash before that leaves no point.
    uint8_t bytes[kCoordRecordSize];
    encode_record(kRecordTypePending, record, kFlagsAppended, bytes);
    bool written = false;
    int64_t cut = -1;  // where the file is cut after a failed write (-1: nothing reached it)
    if (s_bulk.depth > 0 && prepare_change()) {
        // Held back with the records appended just before it, written when they fill a block.
        if (s_bulk.tail.empty())
            s_bulk.tail_offset = offset;
        s_bulk.tail.insert(s_bulk.tail.end(), bytes, bytes + kCoordRecordSize);
        written = s_bulk.tail.size() < kTailBytes || write_tail();
        if (!written) {
            // The records held back with it are lost with it: the store fails at its end.
            cut = s_bulk.tail_offset;
            s_bulk.failed = true;
        }
    } else if (s_bulk.depth == 0 && prepare_change()) {
        cut = offset;
        written = files::write_at(file, offset, bytes, kCoordRecordSize) == kCoordRecordSize;
    }
    if (written && s_bulk.depth > 0) {
        s_bulk.written = true;
        if (s_bulk.first_pending == 0)
            s_bulk.first_pending = index;
    } else if (written) {
        const uint8_t type = uint8_t(kRecordTypePoint);
        written = files::flush(file) && files::write_at(file, offset, &type, 1) == 1 && files::flush(file);
    }
    if (!written) {
        if (cut >= 0)
            cut_at(file, cut);  // nothing of it may stay behind for a later open to take for a point
        formats::message(u"WriteNewMorventPointRecord", u"Error");
        return false;
    }
    if (out_index)
        *out_index = index;
    return true;
}

bool coord_undo_append(int index)
{
    files::Handle file = coord_handle();
    if (!file || index != coord_record_count() || !settle_rewrites())
        return false;
    if (tail_bytes(record_offset(index), kCoordRecordSize)) {
        s_bulk.tail.resize(size_t(record_offset(index) - s_bulk.tail_offset));
        if (!s_bulk.tail.empty())
            return true;
    }
    return cut_at(file, record_offset(index)) && settle_write(file);
}

int coord_delete(int index)
{
    // A journal naming this record would bring it back at the next open: it goes first.
    return coord_handle() && index_in_file(index) && journal_retire() && write_type(index, kRecordTypeDeleted) ? 1 : 0;
}

int coord_restore(int index)
{
    return coord_handle() && index_in_file(index) && write_type(index, kRecordTypePoint) ? 1 : 0;
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
