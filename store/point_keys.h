#pragma once
// Internals of the point-index layer shared by its .cpp files: which index a call uses, whether an entry
// agrees with the record it names, and walking past entries that do not.

#include <cstdint>

#include "store/index.h"
#include "store/index_build.h"
#include "store/point_record.h"

namespace store {

// The index of that kind of the open file when it can be used: a file is open, the index exists and is
// not damaged. nullptr otherwise.
Index* usable_index(IndexKind kind);

// Reads record into *out when it lies within the file and is live, without the messages a read beyond
// the end would show (an index entry may name a record that is not there).
bool read_existing(uint32_t record, PointRecord* out);

// Copies every field of point into *out except the flags word, which a read leaves as the caller had it.
void deliver(const PointRecord& point, PointRecord* out);
// Zeros every field of *out except the flags word.
void clear_point(PointRecord* out);

// True when the entry (key, record) of an index of that kind names a live record that holds that key
// (names: the stored name, trimmed or not); the record is then in *out.
bool entry_agrees(IndexKind kind, const char* key, uint32_t record, PointRecord* out);

enum class Walk { Forward, Backward };

// From the entry an index call just reached (result kIndexOk, key and record), steps in the direction
// given until an entry agrees with its record. True with that point in *out and the cursor on it; false
// when the index ran out (or failed) first.
bool walk_to_agreeing(
    Index* index, IndexKind kind, int result, char* key, uint32_t record, Walk walk, PointRecord* out);

}  // namespace store
