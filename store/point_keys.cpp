// The keys of the two point indexes, and checking index entries against the records they name.

#include <climits>
#include <cstring>

#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/point_index.h"
#include "store/point_keys.h"

namespace store {

namespace {

constexpr char kTrimmedCode = 25;

bool trimmed(char c)
{
    return c == ' ' || c == kTrimmedCode;
}

// The stored name's two possible keys: the build keys a name as stored, store and delete key it trimmed.
bool name_matches(const char* key, const char* stored_name)
{
    char own[kNameKeySize];
    point_name_key(stored_name, own);
    if (std::memcmp(own, key, kNameKeySize) == 0)
        return true;
    point_name_key(point_trim_name(stored_name).c_str(), own);
    return std::memcmp(own, key, kNameKeySize) == 0;
}

}  // namespace

void point_number_key(uint32_t number, char key[kNumberKeySize])
{
    // "%12u" by hand: the largest 32-bit number has ten digits, so the key never needs more than twelve.
    std::memset(key, ' ', kNumberKeySize);
    int at = kNumberKeySize;
    do {
        key[--at] = char('0' + number % 10);
        number /= 10;
    } while (number != 0);
}

void point_name_key(const char* name, char key[kNameKeySize])
{
    size_t length = strnlen(name, kNameKeySize - 1);
    std::memset(key, ' ', kNameKeySize - 1);
    std::memcpy(key, name, length);
    key[kNameKeySize - 1] = '\0';
}

std::string point_trim_name(const char* name)
{
    size_t length = strnlen(name, sizeof(PointRecord::name));
    size_t first = 0;
    while (first < length && trimmed(name[first]))
        ++first;
    while (length > first && trimmed(name[length - 1]))
        --length;
    return std::string(name + first, length - first);
}

Index* usable_index(IndexKind kind)
{
    if (!coord_is_open())
        return nullptr;
    Index* index = kind == IndexKind::Number ? coord_number_index() : coord_name_index();
    return index && !index_damaged(index) ? index : nullptr;
}

bool read_existing(uint32_t record, PointRecord* out)
{
    platform::files::Handle file = coord_handle();
    if (!file || record < 1 || record > uint32_t(INT32_MAX))
        return false;
    // A record a bulk store under way holds back: its bytes are not on the disk yet.
    if (coord_unwritten_record(int(record)))
        return coord_read(int(record), out) == 1;
    // Type and point data in one positioned read. Where it comes up short inside the file, the record's own
    // read is left to report it; past the end there is simply no such record.
    uint8_t bytes[4 + sizeof(PointRecord)];
    uint32_t moved = platform::files::read_at(file, record_offset(int(record)), bytes, sizeof bytes);
    if (moved < sizeof bytes) {
        if (int64_t(record) > coord_record_count())
            return false;
        return coord_read(int(record), out) == 1;
    }
    if (load_le32(bytes) == kRecordTypeDeleted)
        return false;
    PointRecord stored;
    std::memcpy(static_cast<void*>(&stored), bytes + 4, sizeof stored);
    // As the record read does: each text ends within its field.
    stored.name[sizeof stored.name - 1] = '\0';
    stored.note[sizeof stored.note - 1] = '\0';
    stored.code[sizeof stored.code - 1] = '\0';
    deliver(stored, out);
    return true;
}

void deliver(const PointRecord& point, PointRecord* out)
{
    uint32_t flags = out->flags;  // never read back: the caller's word stays
    *out = point;
    out->flags = flags;
}

void clear_point(PointRecord* out)
{
    deliver(PointRecord(), out);
}

bool entry_agrees(IndexKind kind, const char* key, uint32_t record, PointRecord* out)
{
    PointRecord point;
    if (!read_existing(record, &point))
        return false;
    if (kind == IndexKind::Number) {
        char own[kNumberKeySize];
        point_number_key(point.number, own);
        if (std::memcmp(own, key, kNumberKeySize) != 0)
            return false;
    } else if (!name_matches(key, point.name)) {
        return false;
    }
    deliver(point, out);
    return true;
}

bool walk_to_agreeing(Index* index, IndexKind kind, int result, char* key, uint32_t record, Walk walk, PointRecord* out)
{
    while (result == kIndexOk) {
        if (entry_agrees(kind, key, record, out))
            return true;
        result = walk == Walk::Forward ? index_next(index, key, &record) : index_previous(index, key, &record);
    }
    return false;
}

}  // namespace store
