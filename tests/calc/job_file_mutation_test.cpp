// Read job against damaged files, a few seconds of it in every test run: saved jobs of each type with bytes
// changed, cut off, extended and counts rewritten, opened as every type. A refused file leaves the job as it
// was; a read one holds the type's sizes and at most 250 slots, and writes back to a file that reads the same.
// (fuzz/job_file_fuzz.cpp searches further with coverage guidance under make test-fuzz.)

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>

#include "calc/area_job.h"
#include "calc/job_file.h"
#include "calc/mapcheck_job.h"
#include "calc/transform_job.h"
#include "tests/support/temp_device.h"

namespace {

using calc::JobImage;
using calc::JobType;

const std::u16string kPath = u"\\My Documents\\Damaged.job";
const std::u16string kSaved = u"\\My Documents\\Saved.job";

const JobType* const kTypes[] = {&calc::kAreaJob, &calc::kMapCheckJob, &calc::kTransformParamsJob};

class JobFileMutations : public testing_support::DeviceTest {
protected:
    std::string saved_job(const JobType& type, int slots, std::mt19937& rng);
};

// A saved job of the type with `slots` slots of varied bytes.
std::string JobFileMutations::saved_job(const JobType& type, int slots, std::mt19937& rng)
{
    JobImage image;
    image.settings.resize(type.settings_size);
    for (uint8_t& b : image.settings)
        b = uint8_t(rng());
    for (int i = 0; type.record_size > 0 && i < slots; ++i) {
        std::vector<uint8_t> slot(type.record_size);
        for (uint8_t& b : slot)
            b = uint8_t(rng());
        slot[0] = 1;
        image.slots.push_back(slot);
    }
    EXPECT_TRUE(calc::create_empty_job_file(kPath));
    EXPECT_EQ(calc::write_job(type, kPath, image), calc::JobWrite::Written);
    return read_bytes(kPath);
}

std::string mutated(std::string bytes, std::mt19937& rng)
{
    std::uniform_int_distribution<int> kind(0, 4);
    const size_t size = bytes.size();
    switch (kind(rng)) {
    case 0:  // bytes changed
        for (int i = 0, n = 1 + int(rng() % 8); i < n && size > 0; ++i)
            bytes[rng() % size] = char(rng());
        break;
    case 1:  // cut off
        bytes.resize(size > 0 ? rng() % size : 0);
        break;
    case 2:  // extended
        bytes.append(rng() % 300, char(rng()));
        break;
    case 3:  // a count rewritten (after the header and the settings of some type)
        if (size >= 52) {
            const uint32_t at = 48 + uint32_t(rng() % (size - 51));
            const int32_t counts[] = {-5, -1, 0, 1, 249, 250, 251, 1000, INT32_MAX, INT32_MIN};
            std::memcpy(&bytes[at], &counts[rng() % 10], 4);
        }
        break;
    default:  // the type field of another type, in any letter case
        if (size >= 48) {
            const char16_t* names[] = {u"area", u"MAPCHK", u"TrAn0", u"TRAV", u"IMP/EXP"};
            const char16_t* name = names[rng() % 5];
            std::memset(&bytes[16], 0, 16);
            std::memcpy(&bytes[16], name, std::char_traits<char16_t>::length(name) * 2);
        }
        break;
    }
    return bytes;
}

TEST_F(JobFileMutations, DamagedJobsAreRefusedWholeOrReadWithinTheirLimits)
{
    std::mt19937 rng(20261208);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int reads = 0, refusals = 0;
    while (std::chrono::steady_clock::now() < end) {
        const JobType& made = *kTypes[rng() % 3];
        const std::string original = saved_job(made, int(rng() % 12), rng);
        for (int m = 0; m < 20; ++m) {
            write_bytes(kPath, mutated(original, rng));
            for (const JobType* type : kTypes) {
                JobImage image;
                image.settings = {7, 7, 7};
                const calc::JobRead result = calc::read_job(*type, kPath, &image);
                if (result != calc::JobRead::Read) {
                    ++refusals;
                    ASSERT_EQ(image.settings, (std::vector<uint8_t> {7, 7, 7}));
                    ASSERT_TRUE(image.slots.empty());
                    continue;
                }
                ++reads;
                ASSERT_EQ(image.settings.size(), type->settings_size);
                ASSERT_LE(image.slots.size(), size_t(calc::kJobSlots));
                for (const auto& slot : image.slots)
                    ASSERT_EQ(slot.size(), type->record_size);
                // What was read writes back to a file that reads the same.
                ASSERT_TRUE(calc::create_empty_job_file(kSaved));
                ASSERT_EQ(calc::write_job(*type, kSaved, image), calc::JobWrite::Written);
                JobImage again;
                ASSERT_EQ(calc::read_job(*type, kSaved, &again), calc::JobRead::Read);
                ASSERT_EQ(again.settings, image.settings);
                ASSERT_EQ(again.slots, image.slots);
            }
        }
    }
    EXPECT_GT(reads, 100);
    EXPECT_GT(refusals, 100);
}

}  // namespace
