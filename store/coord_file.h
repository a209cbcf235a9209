#pragma once
// The coordinate file: the program's point database, one binary file of fixed-length records, one record per
// point, with two index files beside it. At most one coordinate file is open at a time; it is process-wide
// state, and every call below works on it.
//
// File layout (integers little-endian, doubles IEEE 754 binary64 little-endian):
//
//   offset        size    content
//   0             4       record type of the header: 5
//   4             280     header block: zeros when created; never read
//   284           3       pad bytes, each 0xFF
//   287           87 * n  records 1 .. n
//
// Record i (1-based) starts at byte 200 + 87 * i, so record 1 starts at 287:
//
//   offset  size  content
//   0       4     record type: 4 = point, 6 = deleted
//   4       80    point record (store/point_record.h)
//   84      3     pad bytes, each 0xFF
//
// The record count n is (file size - 286) / 87, integer division: a partial record at the tail is not
// counted. A deleted record keeps its bytes and its place; every reader treats it as absent.
//
// Index files are named from the base path, the full path cut at the last "." of its last component (the
// whole path when that has none): base + ".PPC_.PtNDX" holds point numbers, base + ".PPC_.NamNDX" names.
//
// Failures a user should see are shown through formats::message with the captions and texts given below;
// the calls themselves return 0 / false / -1 as stated.

#include <cstdint>
#include <functional>
#include <string>

#include "store/index.h"
#include "store/point_record.h"

namespace store {

constexpr uint32_t kRecordTypePoint = 4;
constexpr uint32_t kRecordTypeHeader = 5;
constexpr uint32_t kRecordTypeDeleted = 6;
constexpr int kCoordHeaderBlockSize = 280;
constexpr int kCoordHeaderSize = 287;  // type, header block, pads
constexpr int kCoordRecordSize = 87;   // type, point record, pads
constexpr uint32_t kFlagsRewritten = 0x00800007;
constexpr uint32_t kFlagsAppended = 0x40000007;

// Longest full path held for the open file: what the preferences file can keep.
constexpr size_t kMaxCoordPathLength = 133;

constexpr const char16_t* kNumberIndexSuffix = u".PPC_.PtNDX";
constexpr const char16_t* kNameIndexSuffix = u".PPC_.NamNDX";
constexpr int kNumberKeySize = 12;  // "%12u", no duplicates
constexpr int kNameKeySize = 16;    // "%-15s" with its NUL, duplicates allowed

// ---- Opening and closing ----------------------------------------------------------------------------

// 1 when the file opens for reading and writing and its first four bytes read as the integer 5; -1 when it
// opens but they do not (or it is shorter); 0 when it cannot be opened. The file is closed again.
int coord_check(const std::u16string& path);
constexpr int kIsCoordFile = 1;
constexpr int kNotCoordFile = -1;

// Creates a coordinate file and makes it the open one: closes the open file first, writes the type 5, the
// 280-byte header block (zeros when null) and three 0xFF pads, then creates the two index files empty
// (index files of an earlier file of that name are replaced: their entries would name missing records). A short write of the type shows "OpenNewMorventFile" / "Error writing recType", of the header
// block "OpenNewMorventFile" / "Error writing COORDFILE_HEAD", and creation carries on. Returns false when
// the file cannot be created (nothing is open then). A path longer than kMaxCoordPathLength shows "Error" /
// "The path is too long: at most 133 characters." and returns false before anything is closed or created.
// Index files that cannot be opened leave the coordinate file open without that index.
bool coord_create(const std::u16string& path, const uint8_t* header_block = nullptr);

// Makes an existing file the open one, without its indexes (the point-index layer opens those): closes the
// open file, opens this one for reading and writing, unshared, sets the paths, and finishes a rewrite that
// a crash cut short from the redo journal. Returns false (paths
// "----", nothing open) when it cannot be opened; a path longer than kMaxCoordPathLength is refused as by
// coord_create, before anything is closed.
bool coord_open_file(const std::u16string& path);

// Ends a bulk store under way, flushes the file, closes both indexes (their changed pages are written, and
// when all is on the disk, their clean-close marks with the file's size), closes the file, deletes the redo
// journal and sets both paths to "----". Harmless when nothing is open. The view extents are left alone.
void coord_close();

bool coord_is_open();
// Changes with every close: a caller that ran a dialog can tell that the file was closed meanwhile.
uint64_t coord_generation();
const std::u16string& coord_full_path();  // "----" while no file is open
const std::u16string& coord_base_path();  // "----" while no file is open
// The base path a full path gives (see the layout above).
std::u16string coord_base_path_of(const std::u16string& path);

// The index handles of the open file (null when not open or not available). coord_set_indexes hands new
// ones over: the store owns them from then on and closes the ones it held before.
Index* coord_number_index();
Index* coord_name_index();
void coord_set_indexes(Index* number_index, Index* name_index);

// ---- Records ----------------------------------------------------------------------------------------

// n, or -1 with no file open (0 for a file shorter than the header).
int coord_record_count();

// 1 and every field of *out but the flags filled (text copied up to its NUL, and always NUL-terminated
// within its field); 0 with no file open, for an index below 1, for a deleted record, or when fewer than 80
// bytes of point data could be read. The last case shows three message boxes in turn: the number of bytes
// read with caption "Error: number of bytes read", the number 80 with caption "recLen" and the record index
// with caption "record".
int coord_read(int index, PointRecord* out);

// Clears all 80 bytes of *out, then reads only when a file is open and 1 <= index <= record count; the read
// result, else 0.
int coord_read_checked(int index, PointRecord* out);

// ---- Changing records -------------------------------------------------------------------------------
//
// Every change reaches the disk (flushed) before it reports success, and a crash at any moment leaves the
// old record or the new one, never a mix and never a half record taken for a point:
// - an append writes the whole record with a pending type (no point) in one write, then, once that is on the
//   disk, the type 4 on its own;
// - a rewrite puts the record's new bytes in the redo journal (store/coord_journal.h) first;
// - a delete writes the type 6, which differs from 4 in one byte.
// Before the first change after opening, both index files give up their clean-close marks (store/index.h),
// so after a crash they are rebuilt from the records.

// Writes type 4 and the record (flags forced to kFlagsRewritten) over record index; the pad bytes stay as
// they are. 1 on success; 0 with no file open, for an index outside 1 .. record count, or when a write came
// up short, after the message box "WriteMorventPointRecord" / "Error.".
int coord_rewrite(int index, const PointRecord& record);

// Appends the record (flags forced to kFlagsAppended) after the last whole record; a partial record at the
// tail, which a crash can leave, is written over. A write that comes up short shows
// "WriteNewMorventPointRecord" / "Error", leaves nothing of the record in the file, and the append fails. On
// success *out_index (may be null) receives the new record index.
bool coord_append(const PointRecord& record, int* out_index);

// Takes back the append that made record index, the last record (the store undoes a point whose index
// entries could not be made). False when index is not the last record or the file could not be cut.
bool coord_undo_append(int index);

// Writes the type 6 over the record's type. 1, or 0 with no file open, for an index outside 1 .. record
// count, or when the write came up short.
int coord_delete(int index);

// Writes the type 4 back over a record that coord_delete marked (the store undoes a delete whose index
// entries could not be removed). 1, or 0 as for coord_delete.
int coord_restore(int index);

// A bulk store (an import, a traverse's or a transformation's points) flushes once, at its end, instead of
// after every change: records appended meanwhile are points for this program at once, and on the disk from
// the end on; a crash before the end leaves none of them. They are held back and written a block at a
// time. Records rewritten meanwhile read as rewritten at once and reach the file together at the end,
// through one redo journal of them all (store/coord_journal.h): a crash before the journal is whole leaves
// every old record, one after it every new one. Both indexes keep a larger page cache meanwhile
// (store/index.h). Bulk stores nest; coord_close ends one still under way. coord_end_bulk returns false
// when the records could not be made durable (the run must not report them stored).
void coord_begin_bulk();
bool coord_end_bulk();

// ---- Scans ------------------------------------------------------------------------------------------

// Records fetched with one call to the file system by the scans.
constexpr int kScanBlockRecords = 1024;

// Receives each record a scan reads, with its index; returns false to stop the scan there.
using RecordVisitor = std::function<bool(int index, const PointRecord& record)>;

// Calls visit for every record first .. last (first below 1 counts from 1) that reads as coord_read would
// read it, in record order, reading kScanBlockRecords records at a time. Deleted records are skipped; a
// record whose bytes did not all arrive is read again on its own with coord_read, so the three message
// boxes of a short read appear only for a record that cannot be read at all, and it is left out. The
// flags of the records handed over are not filled. Returns false when visit stopped the scan, else true
// (also when no file is open: nothing is visited then).
bool coord_scan_records(int first, int last, const RecordVisitor& visit);

// The number of records 1 .. n that read (0 with no file open or an empty file).
int coord_live_count();

// Smallest E, smallest N, largest E, largest N over the live records whose coordinates are finite. Returns
// false and leaves the outputs unchanged with no file open or no such record.
bool coord_bounding_box(double* min_e, double* min_n, double* max_e, double* max_n);

// 1 as soon as a live record, examined in record order, lies at a plane distance <= tolerance from (e, n);
// else 0 (also with no file open).
int coord_point_near(double e, double n, double tolerance);

// Closes whatever is open and returns the module to its first state (for tests).
void coord_reset_for_tests();

}  // namespace store
