#pragma once
// Whole numbers typed by the user or shown in a line of text, read as the C library's atol reads them:
// leading white space (space, tab, line feed, vertical tab, form feed, carriage return) and an optional
// sign accepted, reading stops at the first non-digit, no digits give 0.

#include <cstdint>
#include <string_view>

namespace formats {

// The value; magnitudes beyond kDecimalIntegerLimit are held at it (with the sign), so any text reads.
constexpr int64_t kDecimalIntegerLimit = int64_t(1) << 40;
int64_t read_decimal_integer(std::u16string_view text);

// The value when it is a point number (1 .. 4294967295), else 0 (0 means "no point").
uint32_t read_point_number(std::u16string_view text);

}  // namespace formats
