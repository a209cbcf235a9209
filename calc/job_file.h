#pragma once
// Job files: a saved calculation (area, map check, traverse, transformation) or exchange layout. Every job
// file starts with a 48-byte header of three 16-byte UTF-16LE fields, each NUL-terminated (at most seven
// characters):
//
//   offset  0  magic "RSJ1"
//   offset 16  job type ("AREA", "MAPCHK", "TRAV", "TRAN0", "IMP/EXP")
//   offset 32  format version "0.5"
//
// A reader looks at the type only, without regard to letter case. The body belongs to the job type: its
// settings block, then, for types with a table, a signed 32-bit count N and N records (slots 0 to N-1 of a
// table of kJobSlots). Integers are 32-bit and doubles binary64, little-endian.
//
// A job is handled here as a JobImage (its settings block and slots as bytes); each job type turns its
// tables into an image and back (calc/area_job.h, calc/mapcheck_job.h). The File menu over these calls is
// calc/job_menu.h.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

constexpr int kJobSlots = 250;  // every job table
constexpr uint32_t kJobHeaderSize = 48;
constexpr uint32_t kJobHeaderField = 16;

// What a job type is to the container and to the File menu.
struct JobType {
    std::u16string_view type;             // header type field, at most seven characters
    uint32_t settings_size = 0;           // bytes of the settings block
    uint32_t record_size = 0;             // bytes of one slot; 0: the body has no count and no slots
    std::u16string_view save_title;       // caption of the save failure box: "Save Mapcheck"
    std::u16string_view wrong_type_text;  // text when a file is not of this type: "Not a Mapcheck file."
    bool forget_path_on_reset = false;    // New and Close forget the job's path (traverse)
    bool forget_path_on_exit = false;     // leaving the dialog forgets it (traverse, control points)
};

// A job as the file holds it: the settings block (settings_size bytes) and slots 0 to N-1
// (record_size bytes each, N at most kJobSlots; none for a type without records).
struct JobImage {
    std::vector<uint8_t> settings;
    std::vector<std::vector<uint8_t>> slots;
};

// The count a table is written with: one more than the highest slot in use, or 1 when none is.
int job_slot_count(const std::vector<bool>& in_use);

enum class JobWrite {
    Written,       // header and body written from offset 0 and flushed
    NoFile,        // empty path, or no existing file that opens for reading and writing
    ShortWrite,    // a write or the flush moved less than asked: the file may hold part of the job
    OtherContent,  // the file holds something else (another job type, a coordinate file): left untouched
};

// Write job: header ("RSJ1", the type, "0.5") and body into the existing file at `path`, from offset 0.
// The file is not shortened: bytes after the new end stay (a reader reads only the counted records). A
// file that is neither empty nor a job of this type is not written. REQUIRES: the image has the type's
// sizes.
JobWrite write_job(const JobType& type, const std::u16string& path, const JobImage& image);

// Create empty job file: creates the file, or empties an existing one. False when it cannot be created.
bool create_empty_job_file(const std::u16string& path);

enum class JobRead {
    Read,       // *out holds the job
    NoFile,     // empty path or a file that does not open
    WrongType,  // shorter than a header, or another type in the header
    Truncated,  // the file ends before its settings block, count or counted records do
    BadCount,   // a count below 0 or above kJobSlots
};

// Read job: the whole job at `path` into *out, which is left as it was unless the result is Read.
JobRead read_job(const JobType& type, const std::u16string& path, JobImage* out);

// Whether 48 header bytes name this type (letter case ignored, at most the field's width compared).
bool header_names_type(const uint8_t* header, std::u16string_view type);

// The path of the current job of a type, kept per type text for the run ("" until one is chosen). Types
// that share a text share the path.
std::u16string& job_path(const JobType& type);

}  // namespace calc
