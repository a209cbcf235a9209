// A bulk store against a model of the points: long random runs of new points, overwrites (renames among
// them), deletes and reads, more appends than the store holds back at a time, every read and scan during the
// store seeing the points as stored, and after its end and a close the file, reopened without a rebuild,
// holding exactly the model.

#include <map>
#include <random>

#include "point_files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "store_fixture.h"

using namespace store;

namespace {

using Model = std::map<uint32_t, PointRecord>;

bool same_point(const PointRecord& a, const PointRecord& b)
{
    return a.number == b.number && a.easting == b.easting && a.northing == b.northing && std::string(a.name) == b.name
        && std::string(a.code) == b.code;
}

class BulkStoreTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        set_index_build_runner([this](IndexBuild& build) {
            ++m_builds;
            build.run_to_end();
        });
    }

    PointRecord random_point(uint32_t number)
    {
        return make_point(number, "N" + std::to_string(m_random() % 50), 1000.0 + m_random() % 9000, 77.5);
    }

    // Every point of the model reads back by number, the live count and the scan agree with it.
    void expect_model()
    {
        for (const auto& [number, point] : m_model) {
            PointRecord got;
            ASSERT_EQ(point_read_by_number(number, &got), 1) << number;
            ASSERT_TRUE(same_point(got, point)) << number;
        }
        EXPECT_EQ(coord_live_count(), int(m_model.size()));
        Model scanned;
        coord_scan_records(1, coord_record_count(), [&scanned](int, const PointRecord& p) {
            scanned[p.number] = p;
            return true;
        });
        ASSERT_EQ(scanned.size(), m_model.size());
        for (const auto& [number, point] : m_model)
            ASSERT_TRUE(same_point(scanned[number], point)) << number;
    }

    Model m_model;
    int m_builds = 0;
    std::mt19937 m_random {8086};
};

TEST_F(BulkStoreTest, ReadsDuringAndAfterABulkStoreSeeEveryChange)
{
    ASSERT_TRUE(coord_create(kLot));
    coord_begin_bulk();  // the points there before, on the disk when the store under test begins
    for (uint32_t n = 1; n <= 300; ++n) {
        m_model[n] = random_point(n);
        ASSERT_EQ(point_store(m_model[n], false), 1);
    }
    ASSERT_TRUE(coord_end_bulk());
    coord_begin_bulk();
    for (int step = 0; step < 4000 && !HasFatalFailure(); ++step) {
        int roll = int(m_random() % 100);
        uint32_t number = 1 + m_random() % 3000;
        if (roll < 60) {  // a new point, or an overwrite of one there
            PointRecord p = random_point(number);
            bool there = m_model.count(number) > 0;
            ASSERT_EQ(point_store(p, there), 1);
            m_model[number] = p;
        } else if (roll < 75) {
            ASSERT_EQ(point_delete(number), m_model.erase(number) ? 1 : 0);
        } else {
            PointRecord got;
            ASSERT_EQ(point_read_by_number(number, &got), m_model.count(number) ? 1 : 0);
            if (m_model.count(number))
                ASSERT_TRUE(same_point(got, m_model[number]));
        }
        if (step % 1000 == 999)
            expect_model();
    }
    ASSERT_TRUE(coord_end_bulk());
    expect_model();
    coord_close();

    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    EXPECT_EQ(m_builds, 0) << "the indexes of a bulk store closed cleanly are kept";
    expect_model();
    EXPECT_TRUE(m_messages.empty());
}

// The disk fills up while a bulk store writes the points it held back: the store reports failure at its end,
// and the file, reopened, holds every point before it and only whole points of it.
TEST_F(BulkStoreTest, AWriteThatComesUpShortFailsTheStoreAndLeavesOnlyWholePoints)
{
    ASSERT_TRUE(coord_create(kLot));
    for (uint32_t n = 1; n <= 20; ++n) {
        m_model[n] = random_point(n);
        ASSERT_EQ(point_store(m_model[n], false), 1);
    }
    Model before = m_model;
    coord_begin_bulk();
    platform::files::arm_write_fault({1, -1, 0});  // the disk is full from the second block on
    int stored = 0;
    for (uint32_t n = 100; n < 2700; ++n) {
        m_model[n] = random_point(n);
        stored += point_store(m_model[n], false);
    }
    EXPECT_FALSE(coord_end_bulk());
    platform::files::clear_faults();
    EXPECT_LT(stored, 2600);
    EXPECT_FALSE(m_messages.empty());
    coord_close();

    ASSERT_EQ(coord_open_with_indexes(kLot), 1);
    int live = 0;
    coord_scan_records(1, coord_record_count(), [&](int, const PointRecord& p) {
        ++live;
        EXPECT_TRUE(m_model.count(p.number) && same_point(p, m_model[p.number])) << p.number;
        PointRecord got;
        EXPECT_EQ(point_read_by_number(p.number, &got), 1) << p.number;
        return true;
    });
    for (const auto& [number, point] : before) {
        PointRecord got;
        ASSERT_EQ(point_read_by_number(number, &got), 1) << number;
        EXPECT_TRUE(same_point(got, point));
    }
    EXPECT_GE(live, int(before.size()));
}

}  // namespace
