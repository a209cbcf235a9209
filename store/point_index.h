#pragma once
// Keyed access to the points of the open coordinate file through its two indexes:
//
//   index               file                      key size  key                                   duplicates
//   point-number index  base path + ".PPC_.PtNDX"   12      number with "%12u" (no NUL)            no
//   point-name index    base path + ".PPC_.NamNDX"  16      name with "%-15s", then its NUL        yes
//
// The record number stored with a key is the point's record index in the coordinate file. The number key
// is right-aligned decimal, so byte order is numeric order for every 32-bit number; names sort by their
// 8-bit bytes padded with spaces.
//
// Every call works on the open coordinate file (store/coord_file.h) and fails (0, or the stated "none")
// when none is open, or when the index it needs is missing or damaged: keyed operations then find
// nothing. Next and Previous continue from the index's cursor, which every find, first, last, store and
// delete moves; position it with a find or First/Last before stepping.
//
// An index can disagree with the file (one not closed properly, or left beside a file that was replaced).
// Readers check what they reach: an entry whose record does not read, or holds another number (another
// name), is passed over by the steps and the nearest finds and not reported as found. Store and delete
// mend the entries they meet that way. Reindexing (store/coord_open.h) rebuilds both from the records.

#include <cstdint>
#include <string>

#include "store/point_record.h"

namespace store {

// ---- Keys -------------------------------------------------------------------------------------------

// "%12u": twelve bytes, right-aligned, space-padded, no NUL.
void point_number_key(uint32_t number, char key[12]);
// "%-15s" with its NUL: the name's first 15 bytes (up to its NUL), space-padded to 15, then a NUL.
void point_name_key(const char* name, char key[16]);
// The name with spaces and the character code 25 removed from both ends (what store and delete key by).
std::string point_trim_name(const char* name);

// ---- Reading ----------------------------------------------------------------------------------------

// 1 when the number is in the index and its record reads into *out; else 0 (no records, not in the index,
// the record does not read). *out is left as it is on 0.
int point_read_by_number(uint32_t number, PointRecord* out);

// 1 when the number exists (its point in *out). Otherwise 0 with *out holding the point with the next
// greater number, or with the greatest number when the number lies beyond all; -1 when the index holds no
// point (or is not available), *out then unchanged.
int point_find_nearest_by_number(uint32_t number, PointRecord* out);

// The same rule in name order. The wide name is converted to 8-bit and keyed with "%-15s" without
// trimming; among equal names the entry found first is the one with the highest record index.
int point_find_nearest_by_name(const std::u16string& name, PointRecord* out);

// Steps in number order. The point number reached (its record in *out), or 0 when there is none (the
// index is empty, the step ran off an end, or no cursor was set); *out is cleared to zeros on 0.
//
// Every read here fills each field of *out but the flags word, which stays as the caller had it.
uint32_t point_first_by_number(PointRecord* out);
uint32_t point_next_by_number(PointRecord* out);
uint32_t point_previous_by_number(PointRecord* out);
uint32_t point_last_by_number(PointRecord* out);

// Steps in name order (equal names by descending record index). As above, and *out_name receives the
// point's name as wide text (empty on 0). out_name may be null.
uint32_t point_first_by_name(std::u16string* out_name, PointRecord* out);
uint32_t point_next_by_name(std::u16string* out_name, PointRecord* out);
uint32_t point_previous_by_name(std::u16string* out_name, PointRecord* out);
uint32_t point_last_by_name(std::u16string* out_name, PointRecord* out);

// ---- Changing ---------------------------------------------------------------------------------------

// Stores the point under its number. A new number is appended to the file and entered in both indexes
// (the name trimmed): 1; an append that fails shows the number with caption "Write Point error" and gives
// 0; a number key that cannot be found again after its insert shows the number with caption "Index error".
// An existing number: 0 without overwrite_allowed (nothing is written); with it the record is rewritten
// in place (1; 0 when the rewrite fails) and a changed name moves its name entry. The flags of the stored
// record are set by the file (store/coord_file.h). With no number index available the store refuses (0)
// after the message "Index error" / "The point indexes cannot be used: reindex the coordinate file.",
// since it could not keep numbers unique.
int point_store(const PointRecord& record, bool overwrite_allowed);

// 1 when the point was in the index: its record is marked deleted and its number and name entries go.
// 0 when it is not in the index or no file is open.
int point_delete(uint32_t number);

}  // namespace store
