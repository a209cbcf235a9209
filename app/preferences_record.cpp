#include "app/preferences_record.h"

#include <cstring>

namespace app {

std::u16string text_from_bytes(const uint8_t* bytes, size_t size)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t c = char16_t(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

bool text_to_bytes(uint8_t* bytes, size_t size, std::u16string_view text)
{
    if (text.size() > field_capacity(size))
        return false;
    std::memset(bytes, 0, size);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = uint8_t(text[i] & 0xFF);
        bytes[2 * i + 1] = uint8_t(text[i] >> 8);
    }
    return true;
}

double field_double(const uint8_t (&field)[8])
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | field[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void set_field_double(uint8_t (&field)[8], double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        field[i] = uint8_t(bits >> (8 * i));
}

void set_field_float(uint8_t (&field)[4], float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        field[i] = uint8_t(bits >> (8 * i));
}

}  // namespace app
