// The job file container against the device's files: what a saved job holds byte by byte, that every job
// reopens exactly, that a short write is a failure, that nothing but an empty file or a job of the type is
// written over, and that every bad file (another type, cut short, a count out of range, a coordinate file)
// is refused whole.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "calc/area_job.h"
#include "calc/curve_types.h"
#include "calc/job_bytes.h"
#include "calc/job_file.h"
#include "calc/mapcheck_job.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "tests/support/temp_device.h"

namespace {

using namespace calc;
namespace files = platform::files;

const std::u16string kPath = u"\\My Documents\\Lot7.job";

MapCheckJob sample_map_check()
{
    MapCheckJob job;
    job.settings.start_n_text = u"5000.25";
    job.settings.start_e_text = u"2000";
    job.settings.start_n = 5000.25;
    job.entries[0] = {1, 7, u"", u"", kCorner};
    job.entries[1] = {1, 8, u"45.3015", u"100.5", kBeginCurve};
    job.entries[2] = {0, 0, u"", u"", 0};  // a free slot below the last in use is written as it is
    job.entries[3] = {1, 9, u"N45E", u"20", kCentreCounter};
    return job;
}

class JobFileTest : public testing_support::DeviceTest {
protected:
    // Saves as the File menu does: creates the file when there is none.
    JobWrite save(const JobType& type, const JobImage& image, const std::u16string& path = kPath)
    {
        JobWrite w = write_job(type, path, image);
        if (w == JobWrite::NoFile && create_empty_job_file(path))
            w = write_job(type, path, image);
        return w;
    }
};

TEST_F(JobFileTest, HeaderAndBodyLieWhereTheFormatSays)
{
    ASSERT_EQ(save(kMapCheckJob, map_check_image(MapCheckJob {})), JobWrite::Written);
    const std::string bytes = read_bytes(kPath);
    // An empty job: one free slot.
    ASSERT_EQ(bytes.size(), 48u + 240 + 4 + 92);
    const Bytes b(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(get_text(b, 0, 16), u"RSJ1");
    EXPECT_EQ(get_text(b, 16, 16), u"MAPCHK");
    EXPECT_EQ(get_text(b, 32, 16), u"0.5");
    EXPECT_EQ(b[16 + 12], 0);  // bytes after the terminator are zeros
    EXPECT_EQ(get_text(b, 48 + 40, 40), u"1.0");
    EXPECT_EQ(get_text(b, 48 + 120, 40), u"0.0");
    EXPECT_EQ(get_f64(b, 48 + 232), 1.0);
    EXPECT_EQ(get_i32(b, 48 + 240), 1);
    EXPECT_EQ(get_i32(b, 48 + 244), 0);

    ASSERT_EQ(save(kAreaJob, area_image(AreaJob {}), u"\\My Documents\\Lot7.area"), JobWrite::Written);
    EXPECT_EQ(file_size(u"\\My Documents\\Lot7.area"), 48 + 144 + 4 + 12);
}

// Written ones come back exactly, and a second save gives the same bytes.
TEST_F(JobFileTest, JobsReopenExactly)
{
    ASSERT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::Written);
    const std::string first = read_bytes(kPath);
    EXPECT_EQ(first.size(), 48u + 240 + 4 + 4 * 92);
    JobImage image;
    ASSERT_EQ(read_job(kMapCheckJob, kPath, &image), JobRead::Read);
    const MapCheckJob back = map_check_from_image(image);
    EXPECT_EQ(back.entries[1].azimuth, u"45.3015");
    EXPECT_EQ(back.entries[3].type, kCentreCounter);
    EXPECT_FALSE(back.entries[4].used());
    EXPECT_EQ(back.settings.start_n, 5000.25);
    ASSERT_EQ(save(kMapCheckJob, map_check_image(back)), JobWrite::Written);
    EXPECT_EQ(read_bytes(kPath), first);

    AreaJob area;
    area.settings.units_text = u"0.0001";
    area.entries[0] = {1, 1, kCorner};
    area.entries[1] = {1, 22, kCentre};
    const std::u16string area_path = u"\\My Documents\\Lot7.area";
    ASSERT_EQ(save(kAreaJob, area_image(area), area_path), JobWrite::Written);
    const std::string area_first = read_bytes(area_path);
    ASSERT_EQ(read_job(kAreaJob, area_path, &image), JobRead::Read);
    ASSERT_EQ(save(kAreaJob, area_image(area_from_image(image)), area_path), JobWrite::Written);
    EXPECT_EQ(read_bytes(area_path), area_first);
    EXPECT_EQ(area_from_image(image).entries[1].number, 22u);
}

TEST_F(JobFileTest, TheTypeIsReadWithoutRegardToCaseAndNothingElseOfTheHeaderIsLookedAt)
{
    ASSERT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::Written);
    std::string bytes = read_bytes(kPath);
    for (size_t i = 0; i < 6; ++i)
        bytes[16 + 2 * i] = char(std::tolower(bytes[16 + 2 * i]));  // "mapchk"
    bytes[0] = 'X';                                                 // another magic
    bytes[32] = '9';                                                // another version
    write_bytes(kPath, bytes);
    JobImage image;
    EXPECT_EQ(read_job(kMapCheckJob, kPath, &image), JobRead::Read);
    EXPECT_EQ(read_job(kAreaJob, kPath, &image), JobRead::WrongType);
}

// Saving over a longer job leaves its tail; reading takes the counted records only.
TEST_F(JobFileTest, WritingDoesNotShortenTheFile)
{
    MapCheckJob big;
    for (int i = 0; i < 10; ++i)
        big.entries[size_t(i)] = {1, uint32_t(100 + i), u"90", u"10", kCorner};
    ASSERT_EQ(save(kMapCheckJob, map_check_image(big)), JobWrite::Written);
    const int64_t long_size = file_size(kPath);
    ASSERT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::Written);
    EXPECT_EQ(file_size(kPath), long_size);
    JobImage image;
    ASSERT_EQ(read_job(kMapCheckJob, kPath, &image), JobRead::Read);
    EXPECT_EQ(image.slots.size(), 4u);
    const MapCheckJob back = map_check_from_image(image);
    EXPECT_FALSE(back.entries[4].used()) << "slots past the count are free after a read";
    EXPECT_EQ(back.entries[3].to, 9u);
}

// Every bad file is refused with the image untouched: another type, cut anywhere short of its counted
// end, a count out of range, a coordinate file, nothing there.
TEST_F(JobFileTest, BadFilesAreRefusedAndLeaveTheImageAsItWas)
{
    ASSERT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::Written);
    const std::string good = read_bytes(kPath);
    JobImage kept;
    kept.settings = {1, 2, 3};
    auto refused = [&](JobRead expected, const std::string& what) {
        JobImage image = kept;
        EXPECT_EQ(read_job(kMapCheckJob, kPath, &image), expected) << what;
        EXPECT_EQ(image.settings, kept.settings) << what;
        EXPECT_TRUE(image.slots.empty()) << what;
    };
    for (size_t cut : {size_t(0), size_t(20), size_t(47), size_t(48), size_t(200), size_t(288), size_t(290),
             good.size() - 92, good.size() - 1}) {
        write_bytes(kPath, good.substr(0, cut));
        refused(cut < 48 ? JobRead::WrongType : JobRead::Truncated, "cut at " + std::to_string(cut));
    }
    for (int32_t count : {1000, -5, 251}) {
        std::string bytes = good;
        MutableBytes b(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
        put_i32(b, 48 + 240, count);
        write_bytes(kPath, bytes);
        refused(JobRead::BadCount, "count " + std::to_string(count));
    }
    write_bytes(kPath, "");
    ASSERT_EQ(save(kAreaJob, area_image(AreaJob {})), JobWrite::Written);
    refused(JobRead::WrongType, "an area job");
    ASSERT_TRUE(store::coord_create(u"\\My Documents\\Lot7.dat"));
    store::coord_close();
    JobImage image = kept;
    EXPECT_EQ(read_job(kMapCheckJob, u"\\My Documents\\Lot7.dat", &image), JobRead::WrongType);
    EXPECT_EQ(read_job(kMapCheckJob, u"\\My Documents\\None.job", &image), JobRead::NoFile);
    EXPECT_EQ(read_job(kMapCheckJob, u"", &image), JobRead::NoFile);
    EXPECT_EQ(image.settings, kept.settings);
}

// A text field without its NUL is cut before the field's last character.
TEST_F(JobFileTest, TextFieldsEndInsideTheirWidth)
{
    ASSERT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::Written);
    std::string bytes = read_bytes(kPath);
    for (size_t i = 0; i < 40; i += 2) {
        bytes[48 + 244 + 92 + 8 + i] = 'A';  // slot 1's azimuth, no NUL anywhere
        bytes[48 + 244 + 92 + 8 + i + 1] = 0;
    }
    write_bytes(kPath, bytes);
    JobImage image;
    ASSERT_EQ(read_job(kMapCheckJob, kPath, &image), JobRead::Read);
    const MapCheckJob back = map_check_from_image(image);
    EXPECT_EQ(back.entries[1].azimuth, std::u16string(19, u'A'));
    EXPECT_EQ(back.entries[1].distance, u"100.5");
}

// Nothing but an empty file or a job of the type is written over; a short write is a failure.
TEST_F(JobFileTest, OtherFilesAreNotWrittenOverAndShortWritesFail)
{
    const std::u16string dat = u"\\My Documents\\Lot7.dat";
    ASSERT_TRUE(store::coord_create(dat));
    store::coord_close();
    const std::string coordinates = read_bytes(dat);
    EXPECT_EQ(save(kMapCheckJob, map_check_image(sample_map_check()), dat), JobWrite::OtherContent);
    EXPECT_EQ(read_bytes(dat), coordinates);

    ASSERT_EQ(save(kAreaJob, area_image(AreaJob {})), JobWrite::Written);
    const std::string area = read_bytes(kPath);
    EXPECT_EQ(save(kMapCheckJob, map_check_image(sample_map_check())), JobWrite::OtherContent);
    EXPECT_EQ(read_bytes(kPath), area);

    write_bytes(kPath, "");
    files::arm_write_fault({.skip = 0, .count = 1, .moved = 100});
    EXPECT_EQ(write_job(kMapCheckJob, kPath, map_check_image(sample_map_check())), JobWrite::ShortWrite);
    files::clear_faults();
    EXPECT_EQ(write_job(kMapCheckJob, u"", map_check_image(sample_map_check())), JobWrite::NoFile);
}

// A type with a block and no table (a transformation's parameters, an exchange layout): header and block
// only, read back whole or refused when short; types of one text share one path.
TEST_F(JobFileTest, TypesWithoutATableHoldTheirBlockOnly)
{
    const JobType parameters {.type = u"TRAN0",
        .settings_size = 96,
        .save_title = u"Save Transform",
        .wrong_type_text = u"Not a Parameter Transform file."};
    JobImage image;
    image.settings.assign(96, 0);
    put_f64(image.settings, 8, 0.5);
    ASSERT_EQ(save(parameters, image), JobWrite::Written);
    EXPECT_EQ(file_size(kPath), 48 + 96);
    JobImage back;
    ASSERT_EQ(read_job(parameters, kPath, &back), JobRead::Read);
    EXPECT_EQ(back.settings, image.settings);
    EXPECT_TRUE(back.slots.empty());
    write_bytes(kPath, read_bytes(kPath).substr(0, 48 + 95));
    EXPECT_EQ(read_job(parameters, kPath, &back), JobRead::Truncated);

    const JobType by_points = parameters;
    job_path(parameters) = kPath;
    EXPECT_EQ(job_path(by_points), kPath);
    EXPECT_EQ(job_path(kMapCheckJob), u"");
}

TEST(JobSlots, TheCountIsOneMoreThanTheHighestSlotInUseAndOneForNone)
{
    EXPECT_EQ(job_slot_count({}), 1);
    EXPECT_EQ(job_slot_count({false, false}), 1);
    EXPECT_EQ(job_slot_count({true, false, true, false}), 3);
    std::vector<bool> all(kJobSlots, true);
    EXPECT_EQ(job_slot_count(all), kJobSlots);
}

}  // namespace
