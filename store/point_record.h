#pragma once
// The point record: the 80-byte point block of the coordinate file. The in-memory form is the same 80 bytes
// (little-endian host), so a record is read and written as it lies in memory.
//
//   offset  size  type                        field
//   0       8     double                      easting (E)
//   8       8     double                      northing (N)
//   16      8     double                      elevation (El)
//   24      4     unsigned 32-bit             point number; 0 means no point
//   28      16    8-bit text, NUL-terminated  name
//   44      4     unsigned 32-bit             record flags (set by the store on every write, never read)
//   48      18    8-bit text, NUL-terminated  note
//   66      14    8-bit text, NUL-terminated  code
//
// Text is Windows-1252. The point editor lets a user type at most 14, 16 and 12 characters of name, note and
// code, shorter than the fields. Numeric fields without a value hold the undefined value -123.321.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace store {

struct PointRecord {
    double easting = 0;
    double northing = 0;
    double elevation = 0;
    uint32_t number = 0;
    char name[16] = {};
    uint32_t flags = 0;
    char note[18] = {};
    char code[14] = {};
};

static_assert(std::endian::native == std::endian::little, "records are stored as they lie in memory");
static_assert(sizeof(PointRecord) == 80);
static_assert(offsetof(PointRecord, easting) == 0);
static_assert(offsetof(PointRecord, northing) == 8);
static_assert(offsetof(PointRecord, elevation) == 16);
static_assert(offsetof(PointRecord, number) == 24);
static_assert(offsetof(PointRecord, name) == 28);
static_assert(offsetof(PointRecord, flags) == 44);
static_assert(offsetof(PointRecord, note) == 48);
static_assert(offsetof(PointRecord, code) == 66);

}  // namespace store
