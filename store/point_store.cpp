// Storing and deleting points: the coordinate file and both indexes change together.

#include <cstring>

#include "formats/messages.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/point_keys.h"

namespace store {

namespace {

constexpr const char16_t* kIndexErrorCaption = u"Index error";

void trimmed_name_key(const char* name, char key[kNameKeySize])
{
    point_name_key(point_trim_name(name).c_str(), key);
}

// Removes the name entry of this record. The entry was made with the trimmed name when the point came
// through store, with the name as stored when the index was built; either is tried. Only the entry of this
// very record goes: another point of the same name keeps its own.
void remove_name_entry(const char* name, uint32_t record)
{
    Index* index = usable_index(IndexKind::Name);
    if (!index)
        return;
    char key[kNameKeySize];
    trimmed_name_key(name, key);
    if (index_delete(index, key, record) == kIndexOk)
        return;
    point_name_key(name, key);
    index_delete(index, key, record);
}

// False only when the name index is there and refused the entry (damaged): a file without a usable name
// index stores its points without name entries, and its next open builds that index again.
bool add_name_entry(const char* name, uint32_t record)
{
    Index* index = usable_index(IndexKind::Name);
    if (!index)
        return true;
    char key[kNameKeySize];
    trimmed_name_key(name, key);
    int result = index_insert(index, key, record);
    return result == kIndexOk || result == kIndexExists;
}

// The record the number index gives for number, when the record really holds that point; an entry naming
// a record that does not (an index that disagrees with the file) is removed on the way, so the number can
// be stored afresh. 0 when the number is not in the file.
uint32_t locate(Index* index, uint32_t number, PointRecord* stored)
{
    char key[kNumberKeySize];
    point_number_key(number, key);
    uint32_t record = 0;
    if (index_find(index, key, 0, false, &record) != kIndexOk)
        return 0;
    if (read_existing(record, stored) && stored->number == number)
        return record;
    point_number_key(number, key);
    index_delete(index, key, record);
    return 0;
}

// A point is saved only when its record and both its index entries are written; otherwise whatever was
// written is taken back and the store fails.
int store_new(Index* index, const PointRecord& point)
{
    int record = 0;
    if (!coord_append(point, &record)) {
        formats::message_number(u"Write Point error", long(point.number));
        return 0;
    }
    char key[kNumberKeySize];
    point_number_key(point.number, key);
    bool numbered = index_insert(index, key, uint32_t(record)) == kIndexOk;
    uint32_t found = 0;
    numbered = numbered && index_find(index, key, 0, false, &found) == kIndexOk && found == uint32_t(record);
    if (numbered && add_name_entry(point.name, uint32_t(record)))
        return 1;
    if (numbered)
        index_delete(index, key, uint32_t(record));
    coord_undo_append(record);
    formats::message_number(kIndexErrorCaption, long(point.number));
    return 0;
}

int overwrite(uint32_t record, const PointRecord& stored, const PointRecord& point)
{
    if (coord_rewrite(int(record), point) != 1)
        return 0;
    char old_key[kNameKeySize];
    char new_key[kNameKeySize];
    trimmed_name_key(stored.name, old_key);
    trimmed_name_key(point.name, new_key);
    if (std::memcmp(old_key, new_key, kNameKeySize) == 0)
        return 1;
    remove_name_entry(stored.name, record);
    if (add_name_entry(point.name, record))
        return 1;
    // The old point goes back, with its name entry, and the save is reported as failed.
    coord_rewrite(int(record), stored);
    add_name_entry(stored.name, record);
    formats::message_number(kIndexErrorCaption, long(point.number));
    return 0;
}

}  // namespace

int point_store(const PointRecord& point, bool overwrite_allowed)
{
    if (!coord_is_open())
        return 0;
    Index* index = usable_index(IndexKind::Number);
    if (!index) {
        formats::message(kIndexErrorCaption, u"The point indexes cannot be used: reindex the coordinate file.");
        return 0;
    }
    PointRecord stored;
    uint32_t record = locate(index, point.number, &stored);
    if (index_damaged(index)) {
        formats::message(kIndexErrorCaption, u"The point indexes cannot be used: reindex the coordinate file.");
        return 0;
    }
    if (record == 0)
        return store_new(index, point);
    if (!overwrite_allowed)
        return 0;
    return overwrite(record, stored, point);
}

int point_delete(uint32_t number)
{
    Index* index = usable_index(IndexKind::Number);
    if (!index)
        return 0;
    PointRecord stored;
    uint32_t record = locate(index, number, &stored);
    if (record == 0 || coord_delete(int(record)) != 1)
        return 0;
    char key[kNumberKeySize];
    point_number_key(number, key);
    if (index_delete(index, key, record) != kIndexOk) {
        // The point stays: a number entry that could not go would name a deleted record.
        coord_restore(int(record));
        return 0;
    }
    remove_name_entry(stored.name, record);
    return 1;
}

}  // namespace store
