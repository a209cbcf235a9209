#pragma once
// What the exchange tests share: a device with a coordinate file, points made to order or at random, the
// points a file holds, and the real point files of the shared data folder.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "formats/messages.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "tests/support/temp_device.h"

namespace exchange_testing {

using Points = std::map<uint32_t, store::PointRecord>;

inline const std::u16string kCoords = u"\\My Documents\\Lot7.dat";
inline const std::u16string kAscii = u"\\My Documents\\points.txt";

inline store::PointRecord make_point(
    uint32_t number, double e, double n, double el, const char* name = "", const char* code = "", const char* note = "")
{
    store::PointRecord p;
    p.number = number;
    p.easting = e;
    p.northing = n;
    p.elevation = el;
    std::strncpy(p.name, name, sizeof p.name - 1);
    std::strncpy(p.code, code, sizeof p.code - 1);
    std::strncpy(p.note, note, sizeof p.note - 1);
    return p;
}

inline bool same_point(const store::PointRecord& a, const store::PointRecord& b)
{
    return a.number == b.number && a.easting == b.easting && a.northing == b.northing && a.elevation == b.elevation
        && std::string(a.name) == b.name && std::string(a.code) == b.code && std::string(a.note) == b.note;
}

inline std::string describe_point(const store::PointRecord& p)
{
    char text[400];
    std::snprintf(text, sizeof text, "%u E %.17g N %.17g El %.17g name [%s] code [%s] note [%s]", p.number, p.easting,
        p.northing, p.elevation, p.name, p.code, p.note);
    return text;
}

// Every live point of the open coordinate file, read record by record.
inline Points live_points()
{
    Points points;
    store::coord_scan_records(1, store::coord_record_count(), [&](int, const store::PointRecord& p) {
        EXPECT_EQ(points.count(p.number), 0u) << "two live records carry point " << p.number;
        points[p.number] = p;
        return true;
    });
    return points;
}

// A printable text of up to `max` characters, commas, quotes and spaces likely.
inline std::string random_text(std::mt19937& rng, size_t max)
{
    static const std::string kLikely = ",\"  ,\"'";
    std::string text(std::uniform_int_distribution<size_t>(0, max)(rng), ' ');
    for (char& c : text) {
        c = std::uniform_int_distribution<int>(0, 3)(rng) == 0
            ? kLikely[std::uniform_int_distribution<size_t>(0, kLikely.size() - 1)(rng)]
            : char(std::uniform_int_distribution<int>(32, 126)(rng));
    }
    return text;
}

// The real point files: the shared data folder beside the project, or "" when it is absent.
inline std::string shared_points_folder()
{
    const std::string folder = std::string(VARNO_SHARED_DATA_DIR) + "/points";
    std::FILE* f = std::fopen((folder + "/README.md").c_str(), "rb");
    if (!f)
        return "";
    std::fclose(f);
    return folder;
}

// A device with a new, empty coordinate file open; message boxes of the store are recorded, index builds
// run at once.
class ExchangeTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        formats::set_message_sink([this](const std::u16string& caption, const std::u16string& text) {
            m_messages.emplace_back(caption, text);
        });
        store::set_index_build_runner([](store::IndexBuild& build) { build.run_to_end(); });
        ASSERT_TRUE(store::coord_create(kCoords));
    }

    void store_points(const Points& points)
    {
        for (const auto& [number, p] : points)
            ASSERT_EQ(store::point_store(p, true), 1);
    }

    std::vector<std::pair<std::u16string, std::u16string>> m_messages;
};

}  // namespace exchange_testing
