#pragma once
// The bulk store under way (coord_begin_bulk .. coord_end_bulk, store/coord_file.h): what it holds back from
// the coordinate file until its end, for the record writes of coord_records.cpp. Readers see what it holds
// through coord_unwritten_record and coord_size (store/coord_internal.h).

#include <cstdint>

namespace store {

// True while a bulk store is under way.
bool bulk_active();
// Notes a write made without a flush, for the store's end to flush.
void bulk_note_written();

// Holds back an appended record (its kCoordRecordSize bytes, at offset, record index) with the ones before
// it; they are written when they fill a block. False when the held-back records could not be written: they
// are lost, the store fails at its end, and *cut says where the file must be cut.
bool bulk_hold_append(int64_t offset, int index, const uint8_t* bytes, int64_t* cut);
// Writes bytes at offset: into the held-back records when they lie there, else to the file (not flushed).
bool bulk_put_bytes(int64_t offset, const uint8_t* bytes, uint32_t size);
// Takes back the held-back records from offset on. True when one was held back there and others remain
// held (nothing of the file must be cut); false when the file must be cut at offset.
bool bulk_take_back(int64_t offset);

// Keeps the rewrite of a record that was in the file before the store (its type and point data) until the
// store ends.
void bulk_hold_rewrite(int index, const uint8_t* bytes);
// The held rewrite of record index (its type first), to change its type; nullptr when there is none.
uint8_t* bulk_rewrite_of(int index);
// Writes the rewrites held so far to the file now, through their journal. False when they did not reach it.
bool bulk_settle_rewrites();

}  // namespace store
