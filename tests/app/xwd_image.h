#pragma once
// Reads the window dumps that xwd writes (X Window Dump, version 7, ZPixmap of 24 or 32 bits a pixel).

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct XwdImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row-major
    uint32_t pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// False, with `error` saying why, for anything but a well-formed true-colour ZPixmap dump.
bool parse_xwd(const std::string& bytes, XwdImage* out, std::string* error);

}  // namespace testing_support
