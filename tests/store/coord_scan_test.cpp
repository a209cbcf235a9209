// The whole-file scans, which read many records with one call: files whose record count falls on, just
// before and just after a block edge, deleted records at the edges, partial tails, and reads that come up
// short inside a block (through the file system's fault switch). Every result is checked against a model
// of the file.

#include <cstring>
#include <set>
#include <vector>

#include "store/coord_file.h"
#include "store/statistics_lines.h"
#include "store_fixture.h"

using namespace store;
namespace pf = platform::files;

namespace {

const std::u16string kPath = u"\\My Documents\\Scan.dat";

// The point that record i holds in these tests: number 7000 + i, E and N spread either side of zero.
PointRecord point_of(int i)
{
    PointRecord p;
    p.easting = (i % 37) * 3.5 - 50.0;
    p.northing = 1000.0 - (i % 91) * 2.25;
    p.elevation = i;
    p.number = uint32_t(7000 + i);
    std::snprintf(p.name, sizeof p.name, "P%d", i);
    std::memset(p.note, 'n', sizeof p.note);  // no NUL: the reader must cut it
    return p;
}

std::string record_bytes(uint32_t type, const PointRecord& p)
{
    std::string bytes(reinterpret_cast<const char*>(&type), 4);
    bytes.append(reinterpret_cast<const char*>(&p), sizeof p);
    return bytes + "\xFF\xFF\xFF";
}

class CoordScanTest : public StoreTest {
protected:
    // Writes a file of `count` records, those in `deleted` of type 6, then `tail`, and opens it.
    void make_file(int count, const std::set<int>& deleted, const std::string& tail = {})
    {
        std::string bytes("\x05\x00\x00\x00", 4);
        bytes += std::string(280, '\0') + "\xFF\xFF\xFF";
        for (int i = 1; i <= count; ++i)
            bytes += record_bytes(deleted.count(i) ? kRecordTypeDeleted : kRecordTypePoint, point_of(i));
        write_bytes(kPath, bytes + tail);
        ASSERT_TRUE(coord_open_file(kPath));
        m_live.clear();
        for (int i = 1; i <= count; ++i)
            if (!deleted.count(i))
                m_live.push_back(i);
    }

    std::vector<int> scanned(int first, int last)
    {
        std::vector<int> seen;
        coord_scan_records(first, last, [&](int index, const PointRecord& p) {
            EXPECT_EQ(p.number, uint32_t(7000 + index));
            EXPECT_EQ(p.easting, point_of(index).easting);
            EXPECT_EQ(std::strlen(p.note), sizeof p.note - 1) << "text without its NUL is cut";
            seen.push_back(index);
            return true;
        });
        return seen;
    }

    void expect_box_of_live()
    {
        double lo_e = 1e7, lo_n = 1e7, hi_e = -1e7, hi_n = -1e7;
        for (int i : m_live) {
            PointRecord p = point_of(i);
            lo_e = std::min(lo_e, p.easting);
            hi_e = std::max(hi_e, p.easting);
            lo_n = std::min(lo_n, p.northing);
            hi_n = std::max(hi_n, p.northing);
        }
        double box[4] = {};
        ASSERT_TRUE(coord_bounding_box(&box[0], &box[1], &box[2], &box[3]));
        EXPECT_EQ(box[0], lo_e);
        EXPECT_EQ(box[1], lo_n);
        EXPECT_EQ(box[2], hi_e);
        EXPECT_EQ(box[3], hi_n);
    }

    std::vector<int> m_live;  // record indexes that should read, ascending
};

TEST_F(CoordScanTest, RecordCountsAroundABlockEdgeWithDeletedRecordsAtTheEdges)
{
    ASSERT_EQ(kScanBlockRecords, 1024);
    for (int count : {1, 1023, 1024, 1025, 2049}) {
        SCOPED_TRACE(count);
        std::set<int> deleted;
        for (int i : {1, 1023, 1024, 1025, 2048, 2049, count})
            if (i <= count && count > 1)
                deleted.insert(i);
        make_file(count, deleted);
        EXPECT_EQ(scanned(1, coord_record_count()), m_live);
        EXPECT_EQ(coord_live_count(), int(m_live.size()));
        expect_box_of_live();
        coord_close();
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordScanTest, AScanCanStartAndEndInsideABlockAndStopEarly)
{
    make_file(2100, {1030});
    std::vector<int> expected;
    for (int i = 1020; i <= 2060; ++i)
        if (i != 1030)
            expected.push_back(i);
    EXPECT_EQ(scanned(1020, 2060), expected);
    EXPECT_EQ(scanned(-5, 2), (std::vector<int> {1, 2})) << "a first index below 1 starts at record 1";
    EXPECT_TRUE(scanned(9, 8).empty());

    int visits = 0;
    EXPECT_FALSE(coord_scan_records(1, 2100, [&](int index, const PointRecord&) {
        ++visits;
        return index < 1500;
    }));
    EXPECT_EQ(visits, 1499) << "record 1030 is deleted and not visited";
    EXPECT_TRUE(coord_scan_records(1, 2100, [](int, const PointRecord&) { return true; }));
}

TEST_F(CoordScanTest, PointNearFindsARecordInALaterBlockButNotADeletedOne)
{
    make_file(2100, {1800});
    PointRecord far = point_of(1);
    far.easting = 5000.0;
    far.northing = -5000.0;
    ASSERT_EQ(coord_rewrite(1700, far), 1);
    EXPECT_EQ(coord_point_near(5000.5, -5000.0, 0.5), 1);
    ASSERT_EQ(coord_rewrite(1800, far), 1);  // a rewrite revives the deleted record
    ASSERT_EQ(coord_delete(1700), 1);
    EXPECT_EQ(coord_point_near(5000.0, -5000.0, 0.0), 1);
    ASSERT_EQ(coord_delete(1800), 1);
    EXPECT_EQ(coord_point_near(5000.0, -5000.0, 100.0), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordScanTest, APartialTailIsNotScannedUnlessItHoldsTheWholePointData)
{
    // 40 stray bytes after the last record are no record at all.
    make_file(1024, {}, std::string(40, '\x04'));
    EXPECT_EQ(coord_record_count(), 1024);
    EXPECT_EQ(coord_live_count(), 1024);
    EXPECT_EQ(scanned(1, coord_record_count()).size(), 1024u);
    coord_close();

    // A last record missing one pad byte still counts, and is the first of a new block.
    std::string tail = record_bytes(kRecordTypePoint, point_of(1025));
    tail.pop_back();
    make_file(1024, {1024}, tail);
    m_live.push_back(1025);
    ASSERT_EQ(coord_record_count(), 1025);
    EXPECT_EQ(scanned(1, coord_record_count()), m_live);
    EXPECT_EQ(coord_live_count(), 1024);
    expect_box_of_live();
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordScanTest, AReadShortInsideABlockReadsTheRestRecordByRecord)
{
    make_file(1500, {600});
    // The block read stops 30 bytes into record 501; records 501 .. 1024 are read again one by one.
    pf::arm_read_fault({0, 1, 87 * 500 + 30});
    EXPECT_EQ(scanned(1, 1500), m_live);
    pf::arm_read_fault({0, 1, 87 * 500 + 30});
    EXPECT_EQ(coord_live_count(), 1499);
    pf::arm_read_fault({0, 1, 87 * 1023 + 84});  // only the pads of the block's last record are missing
    EXPECT_EQ(coord_live_count(), 1499);
    pf::arm_read_fault({0, 1, 87 * 599 + 2});  // the type of the deleted record 600 is cut short
    expect_box_of_live();
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordScanTest, ARecordThatCannotBeReadIsReportedWithItsIndexAndLeftOut)
{
    make_file(1100, {});
    // The first block passes; the second stops inside record 1025, and so does that record's own read.
    pf::arm_read_fault({1, 2, 60});
    EXPECT_EQ(coord_live_count(), 1099);
    Messages expected = {{u"Error: number of bytes read", u"56"}, {u"recLen", u"80"}, {u"record", u"1025"}};
    EXPECT_EQ(m_messages, expected);

    // Nothing reads at all: every record reports, and none counts.
    m_messages.clear();
    coord_close();
    make_file(2, {});
    pf::arm_read_fault({0, -1, 0});
    double box[4] = {1, 2, 3, 4};
    EXPECT_FALSE(coord_bounding_box(&box[0], &box[1], &box[2], &box[3]));
    pf::clear_faults();
    EXPECT_EQ(box[0], 1);
    EXPECT_EQ(box[3], 4);
    expected = {{u"Error: number of bytes read", u"0"}, {u"recLen", u"80"}, {u"record", u"1"},
        {u"Error: number of bytes read", u"0"}, {u"recLen", u"80"}, {u"record", u"2"}};
    EXPECT_EQ(m_messages, expected);
}

TEST_F(CoordScanTest, ScansWithNoFileOpenVisitNothing)
{
    int visits = 0;
    EXPECT_TRUE(coord_scan_records(1, 10, [&](int, const PointRecord&) { return ++visits > 0; }));
    EXPECT_EQ(visits, 0);
    EXPECT_EQ(coord_live_count(), 0);
    EXPECT_EQ(coord_point_near(0, 0, 1e9), 0);
}

TEST_F(CoordScanTest, StatisticsCountAndBoundTheLiveRecordsAcrossBlocks)
{
    make_file(1025, {1, 1024, 1025});
    StatisticsInput in = gather_statistics(u"Scan.dat");
    EXPECT_EQ(in.point_count, 1022);
    ASSERT_TRUE(in.have_bounds);
    double box[4] = {};
    ASSERT_TRUE(coord_bounding_box(&box[0], &box[1], &box[2], &box[3]));
    EXPECT_EQ(in.min_e, box[0]);
    EXPECT_EQ(in.min_n, box[1]);
    EXPECT_EQ(in.max_e, box[2]);
    EXPECT_EQ(in.max_n, box[3]);
    expect_box_of_live();

    coord_close();
    make_file(1024, {1, 2, 1024}, record_bytes(kRecordTypeDeleted, point_of(1025)));
    in = gather_statistics(u"Scan.dat");
    EXPECT_EQ(in.point_count, 1021);
    coord_close();
    make_file(3, {1, 2, 3});
    in = gather_statistics(u"Scan.dat");
    EXPECT_EQ(in.point_count, 0);
    EXPECT_FALSE(in.have_bounds);
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
