#include "tests/app/xwd_image.h"

#include <gtest/gtest.h>

namespace {

using testing_support::parse_xwd;
using testing_support::XwdImage;

void put32(std::string& b, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(char((v >> shift) & 0xFF));
}

// A dump as xwd writes it: 25 big-endian header words, the window name, colour entries, the pixels.
std::string make_dump(int w, int h, int bpp, bool msb_first, uint32_t colors, const std::vector<uint32_t>& px)
{
    const std::string name = "Varno";
    const uint32_t header = 100 + uint32_t(name.size()) + 1;
    const uint32_t stride = uint32_t(w * bpp / 8 + 3) / 4 * 4;
    std::string b;
    uint32_t fields[25] = {header, 7, 2, 24, uint32_t(w), uint32_t(h), 0, msb_first ? 1u : 0u, 32, 0, 32, uint32_t(bpp),
        stride, 4, 0xFF0000, 0xFF00, 0xFF, 8, 256, colors, uint32_t(w), uint32_t(h), 0, 0, 0};
    for (uint32_t f : fields)
        put32(b, f);
    b += name;
    b.push_back('\0');
    b.append(size_t(colors) * 12, '\x5A');
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            uint32_t v = px[size_t(y * w + x)];
            for (int k = 0; k < bpp / 8; ++k) {
                int byte = msb_first ? bpp / 8 - 1 - k : k;
                row.push_back(char((v >> (8 * byte)) & 0xFF));
            }
        }
        row.resize(stride, '\0');
        b += row;
    }
    return b;
}

TEST(XwdImage, ReadsBothByteOrdersAndPixelSizes)
{
    const std::vector<uint32_t> px = {0x123456, 0xFFFFFF, 0x000000, 0xA0B0C0, 0x010203, 0xFF0000};
    for (int bpp : {32, 24}) {
        for (bool msb : {false, true}) {
            XwdImage image;
            std::string error;
            ASSERT_TRUE(parse_xwd(make_dump(3, 2, bpp, msb, 16, px), &image, &error)) << error;
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            EXPECT_EQ(image.pixels, px) << bpp << " " << msb;
        }
    }
}

TEST(XwdImage, RefusesTruncatedAndForeignFiles)
{
    const std::string good = make_dump(2, 2, 32, false, 0, {1, 2, 3, 4});
    XwdImage image;
    std::string error;
    EXPECT_FALSE(parse_xwd(good.substr(0, 50), &image, &error));
    EXPECT_FALSE(parse_xwd(good.substr(0, good.size() - 1), &image, &error));
    std::string old_version = good;
    old_version[7] = 6;
    EXPECT_FALSE(parse_xwd(old_version, &image, &error));
    std::string bitmap = good;
    bitmap[11] = 1;  // XYPixmap
    EXPECT_FALSE(parse_xwd(bitmap, &image, &error));
}

}  // namespace
