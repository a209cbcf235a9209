#pragma once
// The preferences record: 568 bytes, kept in memory for the whole run and written to Varno.prefs byte for
// byte. Numbers are little-endian; texts are UTF-16 (little-endian) with a terminating NUL inside their
// field.
//
//   offset  size  content
//   0       4     float 0.8, written on every save and never read
//   4       84    unused: zero in a new file, otherwise kept as read
//   88      8     double: view extents, smallest E
//   96      8     double: view extents, smallest N
//   104     8     double: view extents, largest E
//   112     8     double: view extents, largest N
//   120     268   last coordinate file: full path, or "----" when none was open (133 characters at most)
//   388     16    GPS serial port name such as "COM3:" (7 characters at most)
//   404     64    reserved: zero in a new file, otherwise kept as read
//   468     100   options string such as "gons,6,3,3,2" (49 characters at most)
//
// Readers survive any bytes: a text without its NUL ends at the end of its field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

struct PreferencesRecord {
    uint8_t marker[4];
    uint8_t unused[84];
    uint8_t min_e[8];
    uint8_t min_n[8];
    uint8_t max_e[8];
    uint8_t max_n[8];
    uint8_t last_file[268];
    uint8_t port_name[16];
    uint8_t reserved[64];
    uint8_t options[100];
};

constexpr size_t kPreferencesSize = 568;
static_assert(sizeof(PreferencesRecord) == kPreferencesSize);
static_assert(offsetof(PreferencesRecord, unused) == 4);
static_assert(offsetof(PreferencesRecord, min_e) == 88);
static_assert(offsetof(PreferencesRecord, min_n) == 96);
static_assert(offsetof(PreferencesRecord, max_e) == 104);
static_assert(offsetof(PreferencesRecord, max_n) == 112);
static_assert(offsetof(PreferencesRecord, last_file) == 120);
static_assert(offsetof(PreferencesRecord, port_name) == 388);
static_assert(offsetof(PreferencesRecord, reserved) == 404);
static_assert(offsetof(PreferencesRecord, options) == 468);

// The path "----": no coordinate file was open.
constexpr const char16_t* kNoLastFile = u"----";

// ---- Field access ----------------------------------------------------------------------------------

// The text of a UTF-16 field up to its NUL, or the whole field when it has none.
template <size_t N> std::u16string field_text(const uint8_t (&field)[N]);
// Writes the text and its NUL and zeroes the rest of the field. False (field unchanged) when the text and
// its NUL do not fit.
template <size_t N> bool set_field_text(uint8_t (&field)[N], std::u16string_view text);

double field_double(const uint8_t (&field)[8]);
void set_field_double(uint8_t (&field)[8], double value);
void set_field_float(uint8_t (&field)[4], float value);

// Most characters a field of N bytes holds besides the NUL.
constexpr size_t field_capacity(size_t bytes)
{
    return bytes / 2 - 1;
}

// ---- Implementation of the templates ---------------------------------------------------------------

std::u16string text_from_bytes(const uint8_t* bytes, size_t size);
bool text_to_bytes(uint8_t* bytes, size_t size, std::u16string_view text);

template <size_t N> std::u16string field_text(const uint8_t (&field)[N])
{
    return text_from_bytes(field, N);
}

template <size_t N> bool set_field_text(uint8_t (&field)[N], std::u16string_view text)
{
    return text_to_bytes(field, N, text);
}

}  // namespace app
