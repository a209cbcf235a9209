// Reading, rewriting, appending and deleting the records of the open coordinate file. Every call positions
// explicitly before it reads or writes: no file position is assumed between calls.

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/messages.h"
#include "store/coord_bulk.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/coord_journal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr uint32_t kPointSize = sizeof(PointRecord);

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

// Outside a bulk store every change is flushed before it is reported; inside one, at its end.
bool settle_write(files::Handle file)
{
    if (!bulk_active())
        return files::flush(file);
    bulk_note_written();
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
    if (uint8_t* rewritten = bulk_rewrite_of(index)) {
        std::memcpy(rewritten, bytes, sizeof bytes);
        return true;
    }
    return bulk_put_bytes(record_offset(index), bytes, sizeof bytes) && settle_write(coord_handle());
}

// Cuts the file at offset: the records from there on are gone.
bool cut_at(files::Handle file, int64_t offset)
{
    return files::seek(file, offset, files::Origin::Begin) == offset && files::set_end_of_file(file);
}

}  // namespace

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
    if (bulk_active() && coord_record_pending(index)) {
        // Appended in this bulk store: no point until the store ends, which flushes it before its type
        // becomes 4, so it is written over in place, its type still pending.
        store_le32(bytes, kRecordTypePending);
        if (prepare_change() && bulk_put_bytes(record_offset(index), bytes, kJournalRecordBytes)) {
            bulk_note_written();
            return 1;
        }
        formats::message(u"WriteMorventPointRecord", u"Error.");
        return 0;
    }
    if (bulk_active()) {
        // Held until the store ends (readers see it at once), then journaled and written with the others.
        if (!prepare_change()) {
            formats::message(u"WriteMorventPointRecord", u"Error.");
            return 0;
        }
        bulk_hold_rewrite(index, bytes);
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
    if (bulk_active() && prepare_change()) {
        // Held back with the records appended just before it, written when they fill a block.
        written = bulk_hold_append(offset, index, bytes, &cut);
    } else if (!bulk_active() && prepare_change()) {
        cut = offset;
        written = files::write_at(file, offset, bytes, kCoordRecordSize) == kCoordRecordSize;
        if (written) {
            const uint8_t type = uint8_t(kRecordTypePoint);
            written = files::flush(file) && files::write_at(file, offset, &type, 1) == 1 && files::flush(file);
        }
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
    if (!file || index != coord_record_count() || !bulk_settle_rewrites())
        return false;
    if (bulk_take_back(record_offset(index)))
        return true;
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

}  // namespace store
