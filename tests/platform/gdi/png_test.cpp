// PNG files: round trip and refusal of what is not a readable PNG.

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "tests/support/host_files.h"

using namespace platform::gdi;
namespace fs = std::filesystem;

namespace {

class PngTest : public testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.path() + "/" + name; }
    testing_support::TempDir m_dir;
};

}  // namespace

TEST_F(PngTest, RoundTripKeepsEveryPixel)
{
    Bitmap b(37, 23);
    std::mt19937 rng(1);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            b.set_pixel(x, y, rng() & 0xFFFFFF);
    ASSERT_TRUE(write_png(b, path("a.png")));
    Bitmap back;
    ASSERT_TRUE(read_png(path("a.png"), &back));
    ASSERT_EQ(back.width(), 37);
    ASSERT_EQ(back.height(), 23);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            ASSERT_EQ(back.pixel(x, y), b.pixel(x, y));
}

TEST_F(PngTest, FailuresAreReportedAndLeaveTheOutputAlone)
{
    Bitmap b(4, 4);
    EXPECT_FALSE(write_png(b, path("missing-folder/a.png")));
    EXPECT_FALSE(write_png(Bitmap(), path("empty.png")));
    Bitmap out(2, 2, kBlack);
    EXPECT_FALSE(read_png(path("nothing.png"), &out));
    testing_support::write_host_file(path("junk.png"), "\x89PNG\r\n\x1a\n this is not a picture");
    EXPECT_FALSE(read_png(path("junk.png"), &out));
    EXPECT_EQ(out.width(), 2);
    EXPECT_EQ(out.pixel(0, 0), kBlack);
    // A valid file cut short is refused too.
    ASSERT_TRUE(write_png(Bitmap(50, 50, rgb(1, 2, 3)), path("whole.png")));
    auto size = fs::file_size(path("whole.png"));
    fs::copy_file(path("whole.png"), path("cut.png"));
    fs::resize_file(path("cut.png"), size / 2);
    EXPECT_FALSE(read_png(path("cut.png"), &out));
    EXPECT_EQ(out.width(), 2);
}
