#pragma once
// The coordinate file and its two index files as they lie on disk, read and written from their byte
// layout alone (nothing of store/ is linked): what the crash test trusts after the program has died.
//
//   coordinate file   0: type 5; 287 + 87 * (i - 1): record i = type (4 point, 6 deleted, anything else
//                     no point), 80 bytes E, N, El (doubles), number (u32), name[16], flags (u32),
//                     note[18], code[14], then three 0xFF pads. A partial record at the tail is no record.
//   number index      one entry per live record: "%12u" of its number, the record index
//   name index        one entry per live record: "%-15s" and a NUL of its name, the record index; a name
//                     stored through the editor is keyed trimmed of spaces and character 25 at both ends,
//                     a name entered by an index build untrimmed, so either key is accepted

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/host_files.h"

namespace crash {

// A point's values as the user typed them. Texts are what the record holds up to its NUL.
struct PointValues {
    uint32_t number = 0;
    double east = 0;
    double north = 0;
    double elevation = 0;
    std::string name;
    std::string note;
    std::string code;

    // Doubles compared bit for bit: "the same value" means the same bytes on disk.
    bool operator==(const PointValues& other) const;
};

std::string describe(const PointValues& p);

struct CoordImage {
    std::string problem;              // empty when the header and size are sound
    int record_count = 0;             // whole records
    std::map<int, PointValues> live;  // record index -> point, type 4 records only
};

using testing_support::read_host_file;
using testing_support::write_host_file;

CoordImage read_coord_image(const std::string& bytes);

// A coordinate file: header, then one record per entry (type 4 for points, 6 for deleted ones).
struct RecordToWrite {
    PointValues point;
    bool deleted = false;
};
std::string coord_file_bytes(const std::vector<RecordToWrite>& records);

std::string trim_name(const std::string& name);

enum class IndexKind { Number, Name };

// Checks an index file against the live records: a sound tree (tests/store/index_file_checker.h) holding
// exactly one entry per live record, with that record's key. The problems found, each one line; empty
// when the index is complete and in order.
std::vector<std::string> check_index(const std::string& index_bytes, IndexKind kind, const CoordImage& image);

}  // namespace crash
