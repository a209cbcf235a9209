#pragma once
// The redo journal of the open coordinate file: base path + ".PPC_.Redo". A record rewritten in place spans
// two disk sectors for most record indexes, so a power loss in the middle of the write could leave the old
// point's first fields with the new point's last ones. Before the record is written, the journal receives
// its new bytes and is flushed; open writes a whole journal's record again, so a rewrite cut short becomes
// the new point, never a mix.
//
//   offset  size  content
//   0       8     "VrnRedo1"
//   8       4     record index
//   12      84    the record's type and point data as they are to be written
//   96      4     checksum (FNV-1a) of the 96 bytes before
//
// A journal that is not whole (its checksum fails) is ignored: its rewrite had not begun.
//
// The rewrites of a bulk store reach the file together, at its end, through one journal of them all:
//
//   offset  size     content
//   0       8        "VrnRedoB"
//   8       4        n, the number of records
//   12      4        checksum (FNV-1a) of the n * 100 bytes from offset 100
//   96      4        checksum (FNV-1a) of the 96 bytes before
//   100     n * 100  one block per record, each laid out as the journal of a single rewrite above
//
// It is written and flushed before the first of its records is touched, and replayed whole or not at all:
// a journal whose header or blocks do not all check is ignored (the store had not ended).

#include <array>
#include <cstdint>
#include <map>

namespace store {

constexpr uint32_t kJournalRecordBytes = 84;  // type and point data; the pads stay

// The rewrites of a bulk store not yet on the disk: record index -> its type and point data.
using PendingRewrites = std::map<int, std::array<uint8_t, kJournalRecordBytes>>;

// Writes and flushes the journal for a rewrite of record index with bytes. False when it did not reach the
// disk (the rewrite must not be made then).
bool journal_write(int index, const uint8_t* bytes);
// Writes and flushes the journal of a bulk store's rewrites. False when it did not reach the disk (none of
// them may be made then).
bool journal_write_all(const PendingRewrites& rewrites);
// Makes the journal void (written and flushed) before a change that a replay could undo: a delete of the
// record it names, say. True when there was none or it is void now.
bool journal_retire();
// At open: writes the record a whole journal holds and flushes the coordinate file, then deletes the
// journal. False when the record could not be written again (the journal is kept for the next open).
bool journal_replay();
// At close: closes the journal, and deletes it when the coordinate file was flushed (whole).
void journal_close(bool whole);

}  // namespace store
