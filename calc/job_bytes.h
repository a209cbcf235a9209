#pragma once
// The fields of job file bodies: 32-bit integers and binary64 doubles, little-endian, and UTF-16LE texts
// in fixed-width fields that hold a NUL-terminated string. Every getter reads within the span it is given
// and every text it returns ends before the field's last character: a field read from a file is never
// trusted to carry its NUL.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace calc {

using Bytes = std::span<const uint8_t>;
using MutableBytes = std::span<uint8_t>;

// REQUIRES (all): offset + the field's size <= the span's size.
int32_t get_i32(Bytes bytes, size_t offset);
uint32_t get_u32(Bytes bytes, size_t offset);
double get_f64(Bytes bytes, size_t offset);
void put_i32(MutableBytes bytes, size_t offset, int32_t value);
void put_u32(MutableBytes bytes, size_t offset, uint32_t value);
void put_f64(MutableBytes bytes, size_t offset, double value);

// A text field of `width` bytes (an even count): the characters up to the first NUL, at most
// width / 2 - 1 of them whatever the bytes hold.
std::u16string get_text(Bytes bytes, size_t offset, size_t width);
// Writes at most width / 2 - 1 characters of `text`, then zeros to the end of the field.
void put_text(MutableBytes bytes, size_t offset, size_t width, std::u16string_view text);

}  // namespace calc
