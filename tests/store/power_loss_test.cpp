// A simulated power loss at every write of a save, an overwrite, a delete and a reindex (each with the open
// before it and the close after it): the next open, without any manual reindex and without a message box,
// must find every acknowledged change, nothing unacknowledged half there, and indexes that a reader written
// from the file format finds complete and in order.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "index_file_checker.h"
#include "point_files.h"
#include "store_fixture.h"

namespace {

using namespace store;
namespace pf = platform::files;

using Points = std::map<uint32_t, PointRecord>;
using Entries = std::vector<CheckedEntry>;

bool same_point(const PointRecord& a, const PointRecord& b)
{
    return a.number == b.number && a.easting == b.easting && a.northing == b.northing && a.elevation == b.elevation
        && std::string(a.name) == b.name && std::string(a.code) == b.code && std::string(a.note) == b.note;
}

// The live points of the open file, read record by record, and the entries both indexes must hold for them.
Points live_points(Entries* numbers, Entries* names)
{
    Points points;
    coord_scan_records(1, coord_record_count(), [&](int record, const PointRecord& p) {
        EXPECT_EQ(points.count(p.number), 0u) << "two live records carry point " << p.number;
        points[p.number] = p;
        numbers->push_back({number_key(p.number), uint32_t(record)});
        names->push_back({name_key(p.name), uint32_t(record)});
        return true;
    });
    auto order = [](const CheckedEntry& a, const CheckedEntry& b) {
        return a.key != b.key ? a.key < b.key : a.record > b.record;
    };
    std::sort(numbers->begin(), numbers->end(), order);
    std::sort(names->begin(), names->end(), order);
    return points;
}

bool same_points(const Points& a, const Points& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
        return x.first == y.first && same_point(x.second, y.second);
    });
}

class PowerLossTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        set_index_build_runner([](IndexBuild& build) { build.run_to_end(); });
    }

    // A cleanly closed file with points 1..count.
    void make_base(int count)
    {
        ASSERT_TRUE(coord_create(kLot));
        for (int i = 1; i <= count; ++i) {
            PointRecord p = make_point(uint32_t(i), "P" + std::to_string(i % 7));
            ASSERT_EQ(point_store(p, false), 1);
            m_before[p.number] = p;
        }
        coord_close();
        for (const char16_t* path : {kLot, kLotNumbers, kLotNames})
            m_base.push_back(read_bytes(path));
    }

    void restore_base()
    {
        const char16_t* paths[] = {kLot, kLotNumbers, kLotNames};
        for (size_t i = 0; i < 3; ++i)
            write_bytes(paths[i], m_base[i]);
        pf::remove(u"\\My Documents\\Lot7.PPC_.Redo");
    }

    // Opens the base, runs the change and closes: the change's result (1: acknowledged).
    int session(const std::function<int()>& change)
    {
        if (coord_open_with_indexes(kLot) != 1)
            return 0;
        int result = change();
        coord_close();
        return result;
    }

    // After a loss at every write point of the session, torn several ways and dropped: the file holds the
    // points before or, when acknowledged, the points after; the indexes agree with it.
    void run_every_write_point(const std::function<int()>& change, const Points& after)
    {
        restore_base();
        pf::arm_power_loss({1 << 30, 0, true});
        ASSERT_EQ(session(change), 1);
        int writes = pf::power_loss_writes();
        pf::clear_power_loss();
        ASSERT_GT(writes, 0);
        for (int at = 1; at <= writes; ++at) {
            for (uint32_t seed = 0; seed < 5; ++seed) {
                SCOPED_TRACE(
                    testing::Message() << "power lost at write " << at << " of " << writes << ", seed " << seed);
                restore_base();
                pf::arm_power_loss({at, seed, seed != 0});
                int acknowledged = session(change);
                coord_reset_for_tests();
                pf::clear_power_loss();
                m_messages.clear();
                check_recovery(acknowledged == 1, after);
                if (HasFailure())
                    return;
            }
        }
    }

    void check_recovery(bool acknowledged, const Points& after)
    {
        ASSERT_EQ(coord_open_with_indexes(kLot), 1);
        EXPECT_TRUE(m_messages.empty()) << "no message box after the loss";
        Entries numbers;
        Entries names;
        Points live = live_points(&numbers, &names);
        if (acknowledged)
            EXPECT_TRUE(same_points(live, after)) << "an acknowledged change is lost";
        else if (m_unacknowledged)
            EXPECT_TRUE(m_unacknowledged(live)) << "a change is half there";
        else if (m_points_one_by_one)
            EXPECT_TRUE(between(live, after)) << "a point is half there";
        else
            EXPECT_TRUE(same_points(live, after) || same_points(live, m_before)) << "a change is half there";
        for (const auto& [number, point] : live) {
            PointRecord got;
            ASSERT_EQ(point_read_by_number(number, &got), 1) << "point " << number << " is hidden";
            EXPECT_TRUE(same_point(got, point));
        }
        coord_close();
        // The reader written from the format: both trees sound, one entry for each live point, in order.
        expect_point_indexes_hold(read_bytes(kLotNumbers), read_bytes(kLotNames), numbers, names);
    }

    // Every point before is there, and the others are whole points of after.
    bool between(const Points& live, const Points& after) const
    {
        for (const auto& [number, point] : m_before) {
            if (!live.count(number) || !same_point(live.at(number), point))
                return false;
        }
        for (const auto& [number, point] : live) {
            if (!after.count(number) || !same_point(after.at(number), point))
                return false;
        }
        return true;
    }

    std::vector<std::string> m_base;
    Points m_before;
    bool m_points_one_by_one = false;  // an unacknowledged run may leave any of its new points, each whole
    std::function<bool(const Points&)> m_unacknowledged;  // what an unacknowledged run may leave, when set
};

// Records 3 and 62 straddle a sector boundary (record i starts at byte 200 + 87 i), so a torn write of
// either would mix old and new bytes.
TEST_F(PowerLossTest, ASaveOfANewPoint)
{
    make_base(61);
    PointRecord fresh = make_point(500, "NEW", 123.25, 456.5);
    Points after = m_before;
    after[500] = fresh;
    run_every_write_point([&] { return point_store(fresh, false); }, after);
}

TEST_F(PowerLossTest, AnOverwriteThatRenamesThePoint)
{
    make_base(60);
    PointRecord changed = make_point(3, "RENAMED", 777.125, 888.0625);
    std::strncpy(changed.note, "moved", sizeof changed.note - 1);
    Points after = m_before;
    after[3] = changed;
    run_every_write_point([&] { return point_store(changed, true); }, after);
}

TEST_F(PowerLossTest, ADelete)
{
    make_base(60);
    Points after = m_before;
    after.erase(33);
    run_every_write_point([] { return point_delete(33); }, after);
}

TEST_F(PowerLossTest, AReindexOfAFileWithSeveralLevelsOfIndex)
{
    make_base(400);
    run_every_write_point([] { return coord_reindex(kLot); }, m_before);
}

TEST_F(PowerLossTest, ABulkStoreLeavesEachOfItsNewPointsWholeOrAbsent)
{
    make_base(20);
    m_points_one_by_one = true;
    Points after = m_before;
    for (uint32_t n = 100; n < 130; ++n)
        after[n] = make_point(n, "BULK");
    run_every_write_point(
        [] {
            coord_begin_bulk();
            int stored = 1;
            for (uint32_t n = 100; n < 130; ++n)
                stored &= point_store(make_point(n, "BULK"), false);
            return coord_end_bulk() ? stored : 0;
        },
        after);
}

// A bulk store that overwrites points (records 3 and 62 straddle a sector boundary), renames one and adds
// new ones: its rewrites reach the file together at its end through one journal, so a loss before the end
// leaves every old point and one after it every new one; the new points are each whole or absent.
TEST_F(PowerLossTest, ABulkStoreOfOverwritesLeavesEveryPointOldOrNew)
{
    make_base(62);
    Points after = m_before;
    std::vector<PointRecord> changes;
    for (uint32_t n : {3u, 62u, 17u, 40u}) {
        PointRecord changed = make_point(n, n == 17 ? "RENAMED" : "P" + std::to_string(n % 7), 100.5 + n, 200.25 + n);
        changes.push_back(changed);
        after[n] = changed;
    }
    PointRecord added = make_point(300, "NEW");
    PointRecord added_then_moved = make_point(301, "NEWER", 9.5, 8.5);
    after[300] = added;
    after[301] = added_then_moved;
    // Unacknowledged: the overwrites all old or all new, every other point as before, each new one whole
    // or absent.
    m_unacknowledged = [&](const Points& live) {
        bool all_new = true, all_old = true;
        for (const PointRecord& p : changes) {
            all_new = all_new && live.count(p.number) && same_point(live.at(p.number), after.at(p.number));
            all_old = all_old && live.count(p.number) && same_point(live.at(p.number), m_before.at(p.number));
        }
        for (const auto& [number, point] : live) {
            const PointRecord* changed = nullptr;
            for (const PointRecord& p : changes)
                changed = p.number == number ? &p : changed;
            if (!changed && (!after.count(number) || !same_point(after.at(number), point)))
                return false;
        }
        for (const auto& [number, point] : m_before) {
            if (!live.count(number))
                return false;
        }
        return all_new || all_old;
    };
    run_every_write_point(
        [&] {
            coord_begin_bulk();
            int stored = point_store(added, false) & point_store(make_point(301, "NEWER"), false);
            for (const PointRecord& p : changes)
                stored &= point_store(p, true);
            stored &= point_store(added_then_moved, true);  // a point of this very store, overwritten
            PointRecord seen;
            stored &= point_read_by_number(17, &seen) == 1 && std::string(seen.name) == "RENAMED";
            return coord_end_bulk() ? stored : 0;
        },
        after);
}

// The disk fills up at any write of a save: the save is acknowledged only when nothing went wrong (no
// message box before it), and a failed one leaves nothing behind that the next open would show.
TEST_F(PowerLossTest, ADiskThatFillsUpAtAnyWriteOfASave)
{
    make_base(300);
    PointRecord fresh = make_point(900, "FULL", 5.5, 6.5);
    Points after = m_before;
    after[900] = fresh;
    for (int skip = 0; skip < 40; ++skip) {
        SCOPED_TRACE(testing::Message() << "disk full after " << skip << " writes");
        restore_base();
        ASSERT_EQ(coord_open_with_indexes(kLot), 1);
        pf::arm_write_fault({skip, -1, 0});
        int saved = point_store(fresh, false);
        EXPECT_TRUE(saved == 0 || m_messages.empty()) << "a save acknowledged after an error box";
        PointRecord got;
        EXPECT_EQ(point_read_by_number(900, &got), saved) << "the save's answer and the file disagree";
        coord_reset_for_tests();
        pf::clear_faults();
        m_messages.clear();
        check_recovery(saved == 1, after);
        if (HasFailure())
            return;
    }
}

}  // namespace
