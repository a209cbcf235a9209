#include "tests/app/xwd_image.h"

#include <bit>

namespace testing_support {

namespace {

enum Field {
    kHeaderSize,
    kFileVersion,
    kPixmapFormat,
    kPixmapDepth,
    kPixmapWidth,
    kPixmapHeight,
    kXOffset,
    kByteOrder,
    kBitmapUnit,
    kBitmapBitOrder,
    kBitmapPad,
    kBitsPerPixel,
    kBytesPerLine,
    kVisualClass,
    kRedMask,
    kGreenMask,
    kBlueMask,
    kBitsPerRgb,
    kColormapEntries,
    kColorCount,
    kFieldCount = 25
};
constexpr uint32_t kZPixmap = 2;
constexpr size_t kColorEntrySize = 12;

// The header is written most significant byte first whatever the machine.
uint32_t big_endian(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 | uint32_t(uint8_t(b[at + 2])) << 8
        | uint32_t(uint8_t(b[at + 3]));
}

uint32_t channel(uint32_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    uint32_t v = (value & mask) >> std::countr_zero(mask);
    int bits = std::popcount(mask);
    return bits >= 8 ? v >> (bits - 8) : v << (8 - bits);
}

}  // namespace

bool parse_xwd(const std::string& bytes, XwdImage* out, std::string* error)
{
    if (bytes.size() < kFieldCount * 4) {
        *error = "shorter than an XWD header";
        return false;
    }
    uint32_t h[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i)
        h[i] = big_endian(bytes, size_t(i) * 4);
    const uint32_t bpp = h[kBitsPerPixel];
    if (h[kFileVersion] != 7 || h[kPixmapFormat] != kZPixmap || (bpp != 32 && bpp != 24)) {
        *error = "not a version 7 ZPixmap of 24 or 32 bits a pixel";
        return false;
    }
    const uint64_t width = h[kPixmapWidth], height = h[kPixmapHeight], stride = h[kBytesPerLine];
    const uint64_t data = uint64_t(h[kHeaderSize]) + uint64_t(h[kColorCount]) * kColorEntrySize;
    if (width == 0 || height == 0 || width > 8192 || height > 8192 || stride < width * (bpp / 8)
        || data + stride * height > bytes.size()) {
        *error = "sizes do not fit the file";
        return false;
    }
    out->width = int(width);
    out->height = int(height);
    out->pixels.assign(size_t(width * height), 0);
    const bool msb_first = h[kByteOrder] == 1;
    const size_t step = bpp / 8;
    for (uint64_t y = 0; y < height; ++y) {
        for (uint64_t x = 0; x < width; ++x) {
            size_t at = size_t(data + y * stride + x * step);
            uint32_t v = 0;
            for (size_t k = 0; k < step; ++k) {
                uint32_t byte = uint8_t(bytes[at + k]);
                v |= msb_first ? byte << (8 * (step - 1 - k)) : byte << (8 * k);
            }
            uint32_t rgb = channel(v, h[kRedMask]) << 16 | channel(v, h[kGreenMask]) << 8 | channel(v, h[kBlueMask]);
            out->pixels[size_t(y * width + x)] = rgb;
        }
    }
    return true;
}

}  // namespace testing_support
