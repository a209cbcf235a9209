// PNG files through libpng's simplified interface: 8-bit RGB out, any PNG in (converted to 8-bit RGB).

#include "platform/gdi/gdi.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace platform::gdi {

bool write_png(const Bitmap& bitmap, const std::string& host_path)
{
    if (bitmap.width() <= 0 || bitmap.height() <= 0)
        return false;
    std::vector<uint8_t> packed(size_t(bitmap.width()) * bitmap.height() * 3);
    uint8_t* out = packed.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        const uint32_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            *out++ = uint8_t(row[x] >> 16);
            *out++ = uint8_t(row[x] >> 8);
            *out++ = uint8_t(row[x]);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(bitmap.width());
    image.height = png_uint_32(bitmap.height());
    image.format = PNG_FORMAT_RGB;
    bool ok = png_image_write_to_file(&image, host_path.c_str(), 0, packed.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool read_png(const std::string& host_path, Bitmap* out)
{
    if (!out)
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, host_path.c_str()))
        return false;
    // A corrupt header could claim a huge picture; refuse anything beyond a generous screen size.
    constexpr png_uint_32 kMaxSide = 16384;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> packed(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, packed.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    Bitmap result(int(image.width), int(image.height));
    const uint8_t* in = packed.data();
    for (int y = 0; y < result.height(); ++y) {
        uint32_t* row = result.row(y);
        for (int x = 0; x < result.width(); ++x, in += 3)
            row[x] = rgb(in[0], in[1], in[2]);
    }
    *out = std::move(result);
    return true;
}

}  // namespace platform::gdi
