// Reading, rewriting, appending and deleting the records of the open coordinate file. Every call positions
// explicitly before it reads or writes: no file position is assumed between calls.

#include <cstring>

#include "formats/messages.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr uint32_t kPointSize = sizeof(PointRecord);

bool seek_to(files::Handle file, int64_t offset)
{
    return files::seek(file, offset, files::Origin::Begin) == offset;
}

bool write_type(files::Handle file, uint32_t type)
{
    uint8_t bytes[4] = { uint8_t(type), uint8_t(type >> 8), uint8_t(type >> 16), uint8_t(type >> 24) };
    return files::write(file, bytes, sizeof bytes) == sizeof bytes;
}

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

// Where the next record goes: after the last whole record, or after a partial tail longer than one byte.
int64_t append_offset(int64_t size)
{
    if (size < kCoordHeaderSize)
        return kCoordHeaderSize;
    int64_t q = (size - (kCoordHeaderSize - 1)) / kCoordRecordSize;
    int64_t r = (size - (kCoordHeaderSize - 1)) % kCoordRecordSize;
    if (r > 1)
        ++q;
    return kCoordHeaderSize + kCoordRecordSize * q;
}

}  // namespace

RecordBytes decode_record(const uint8_t* bytes, uint32_t moved, PointRecord* out)
{
    if (moved >= 4 && load_le32(bytes) == kRecordTypeDeleted)
        return RecordBytes::Deleted;
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
    // Type and point data in one read: the record is fetched with one call to the file system.
    uint8_t bytes[kRecordReadSize];
    uint32_t moved = seek_to(file, record_offset(index)) ? files::read(file, bytes, sizeof bytes) : 0;
    RecordBytes kind = decode_record(bytes, moved, out);
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
    PointRecord copy = record;
    copy.flags = kFlagsRewritten;
    bool written = seek_to(file, record_offset(index)) && write_type(file, kRecordTypePoint)
        && files::write(file, &copy, kPointSize) == kPointSize;
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
    int64_t offset = append_offset(files::size(file));
    if (!seek_to(file, offset) || !write_type(file, kRecordTypePoint))
        formats::message(u"WriteNewMorventPointRecord", u"Error writing recType");
    // The point data go to their place even after a short type write, so the record stays aligned.
    PointRecord copy = record;
    copy.flags = kFlagsAppended;
    bool written = seek_to(file, offset + 4) && files::write(file, &copy, kPointSize) == kPointSize;
    if (!written)
        formats::message(u"WriteNewMorventPointRecord", u"Error");
    const uint8_t pad = 0xFF;
    for (int i = 0; i < 3; ++i)
        files::write(file, &pad, 1);
    if (!written)
        return false;
    if (out_index)
        *out_index = int((files::size(file) - kCoordHeaderSize) / kCoordRecordSize);
    return true;
}

int coord_delete(int index)
{
    files::Handle file = coord_handle();
    if (!file || !index_in_file(index))
        return 0;
    return seek_to(file, record_offset(index)) && write_type(file, kRecordTypeDeleted) ? 1 : 0;
}

}  // namespace store
