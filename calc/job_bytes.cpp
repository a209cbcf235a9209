#include "calc/job_bytes.h"

#include <bit>
#include <cstring>

namespace calc {

uint32_t get_u32(Bytes bytes, size_t offset)
{
    const uint8_t* p = bytes.data() + offset;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t get_i32(Bytes bytes, size_t offset)
{
    return static_cast<int32_t>(get_u32(bytes, offset));
}

double get_f64(Bytes bytes, size_t offset)
{
    uint64_t bits = uint64_t(get_u32(bytes, offset)) | uint64_t(get_u32(bytes, offset + 4)) << 32;
    return std::bit_cast<double>(bits);
}

void put_u32(MutableBytes bytes, size_t offset, uint32_t value)
{
    uint8_t* p = bytes.data() + offset;
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(value >> (8 * i));
}

void put_i32(MutableBytes bytes, size_t offset, int32_t value)
{
    put_u32(bytes, offset, static_cast<uint32_t>(value));
}

void put_f64(MutableBytes bytes, size_t offset, double value)
{
    uint64_t bits = std::bit_cast<uint64_t>(value);
    put_u32(bytes, offset, uint32_t(bits));
    put_u32(bytes, offset + 4, uint32_t(bits >> 32));
}

std::u16string get_text(Bytes bytes, size_t offset, size_t width)
{
    std::u16string text;
    const size_t most = width / 2 == 0 ? 0 : width / 2 - 1;
    for (size_t i = 0; i < most; ++i) {
        const char16_t c = char16_t(bytes[offset + 2 * i] | bytes[offset + 2 * i + 1] << 8);
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

void put_text(MutableBytes bytes, size_t offset, size_t width, std::u16string_view text)
{
    std::memset(bytes.data() + offset, 0, width);
    const size_t most = width / 2 == 0 ? 0 : width / 2 - 1;
    for (size_t i = 0; i < text.size() && i < most; ++i) {
        bytes[offset + 2 * i] = uint8_t(text[i]);
        bytes[offset + 2 * i + 1] = uint8_t(text[i] >> 8);
    }
}

}  // namespace calc
