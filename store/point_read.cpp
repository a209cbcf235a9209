// Reading points through the indexes: by number, nearest by number or name, and stepping in either order.

#include <cstdint>
#include <cstring>

#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/point_keys.h"

namespace store {

namespace {

using Step = int (*)(Index*, char*, uint32_t*);

// One step (first, last, next or previous), then on past entries that disagree with their records.
uint32_t step(IndexKind kind, Step first_step, Walk walk, PointRecord* out)
{
    Index* index = usable_index(kind);
    char key[kNameKeySize] = {};
    uint32_t record = 0;
    PointRecord point;
    if (!index) {
        clear_point(out);
        return 0;
    }
    int result = first_step(index, key, &record);
    if (!walk_to_agreeing(index, kind, result, key, record, walk, &point)) {
        clear_point(out);
        return 0;
    }
    deliver(point, out);
    return point.number;
}

uint32_t step_by_name(Step first_step, Walk walk, std::u16string* out_name, PointRecord* out)
{
    uint32_t number = step(IndexKind::Name, first_step, walk, out);
    if (out_name)
        *out_name = number ? platform::text::from_ansi(std::string_view(out->name, strnlen(out->name, 16)))
                           : std::u16string();
    return number;
}

// The nearest-find rule over either index: 1 for an exact match, else 0 with the next greater point (the
// greatest when the key lies beyond all), -1 when no entry agrees with its record.
int find_nearest(IndexKind kind, const char* wanted, PointRecord* out)
{
    Index* index = usable_index(kind);
    if (!index)
        return -1;
    char key[kNameKeySize] = {};
    std::memcpy(key, wanted, size_t(index_key_size(index)));
    uint32_t record = 0;
    // Equal names lie in descending record order, and a run of them may cross leaves with one of them as
    // the separator between: a search by the key alone would go right of it and miss the first. Asking for
    // a record above every record stops before the whole run, at its first entry (the highest record).
    int result = kind == IndexKind::Name ? index_find(index, key, UINT32_MAX, true, &record)
                                         : index_find(index, key, 0, false, &record);
    if (result == kIndexDamaged || record == 0)
        return -1;
    PointRecord point;
    bool stopped = result == kIndexOk || result == kIndexNextGreater || result == kIndexNotFound;
    bool exact = stopped && std::memcmp(key, wanted, size_t(index_key_size(index))) == 0;
    if (exact && entry_agrees(kind, key, record, &point)) {
        deliver(point, out);
        return 1;
    }
    // The search stopped at the next greater entry, or at the last one when the key lies beyond all.
    Walk walk = result == kIndexEnd ? Walk::Backward : Walk::Forward;
    bool found = walk_to_agreeing(index, kind, kIndexOk, key, record, walk, &point);
    if (!found) {
        int last = index_last(index, key, &record);
        found = walk_to_agreeing(index, kind, last, key, record, Walk::Backward, &point);
    }
    if (!found)
        return -1;
    deliver(point, out);
    return 0;
}

}  // namespace

int point_read_by_number(uint32_t number, PointRecord* out)
{
    // A file without records reads nothing: whatever entry its index may hold names a record that is not
    // there (read_existing tells), so no size is asked of the file system for every read.
    Index* index = usable_index(IndexKind::Number);
    if (!index)
        return 0;
    char key[kNumberKeySize];
    point_number_key(number, key);
    uint32_t record = 0;
    PointRecord point;
    if (index_find(index, key, 0, false, &record) != kIndexOk || !entry_agrees(IndexKind::Number, key, record, &point))
        return 0;
    deliver(point, out);
    return 1;
}

int point_find_nearest_by_number(uint32_t number, PointRecord* out)
{
    char key[kNumberKeySize];
    point_number_key(number, key);
    return find_nearest(IndexKind::Number, key, out);
}

int point_find_nearest_by_name(const std::u16string& name, PointRecord* out)
{
    std::string ansi = platform::text::to_ansi(name);
    char key[kNameKeySize];
    point_name_key(ansi.c_str(), key);
    return find_nearest(IndexKind::Name, key, out);
}

uint32_t point_first_by_number(PointRecord* out)
{
    return step(IndexKind::Number, index_first, Walk::Forward, out);
}

uint32_t point_next_by_number(PointRecord* out)
{
    return step(IndexKind::Number, index_next, Walk::Forward, out);
}

uint32_t point_previous_by_number(PointRecord* out)
{
    return step(IndexKind::Number, index_previous, Walk::Backward, out);
}

uint32_t point_last_by_number(PointRecord* out)
{
    return step(IndexKind::Number, index_last, Walk::Backward, out);
}

uint32_t point_first_by_name(std::u16string* out_name, PointRecord* out)
{
    return step_by_name(index_first, Walk::Forward, out_name, out);
}

uint32_t point_next_by_name(std::u16string* out_name, PointRecord* out)
{
    return step_by_name(index_next, Walk::Forward, out_name, out);
}

uint32_t point_previous_by_name(std::u16string* out_name, PointRecord* out)
{
    return step_by_name(index_previous, Walk::Backward, out_name, out);
}

uint32_t point_last_by_name(std::u16string* out_name, PointRecord* out)
{
    return step_by_name(index_last, Walk::Backward, out_name, out);
}

}  // namespace store
