// The coordinate file on real files in a temporary device: layout byte by byte, the record operations, the
// scans, and every message box of a short read or write (through the file system's fault switch).

#include <cstring>

#include "store/coord_file.h"
#include "store_fixture.h"

using namespace store;
namespace pf = platform::files;

namespace {

const std::u16string kPath = u"\\My Documents\\Lot7.dat";

PointRecord make_point(uint32_t number, double e, double n, const char* name = "PT")
{
    PointRecord p;
    p.easting = e;
    p.northing = n;
    p.elevation = 100.5;
    p.number = number;
    std::strncpy(p.name, name, sizeof p.name - 1);
    std::strcpy(p.note, "note");
    std::strcpy(p.code, "CODE");
    return p;
}

uint32_t le32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint32_t(uint8_t(bytes[at + 2])) << 16
        | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

class CoordFileTest : public StoreTest {
protected:
    // Creates kPath and appends points numbered 1..count at (10 * i, 20 * i).
    void create_with(int count)
    {
        ASSERT_TRUE(coord_create(kPath));
        for (int i = 1; i <= count; ++i) {
            int index = 0;
            ASSERT_TRUE(coord_append(make_point(uint32_t(i), 10.0 * i, 20.0 * i), &index));
            ASSERT_EQ(index, i);
        }
    }
};

TEST_F(CoordFileTest, NewFileIsHeaderOnlyWithEmptyIndexesBeside)
{
    ASSERT_TRUE(coord_create(kPath));
    EXPECT_EQ(coord_record_count(), 0);
    EXPECT_EQ(coord_live_count(), 0);
    EXPECT_EQ(coord_full_path(), kPath);
    EXPECT_EQ(coord_base_path(), u"\\My Documents\\Lot7");
    EXPECT_NE(coord_number_index(), nullptr);
    EXPECT_NE(coord_name_index(), nullptr);
    EXPECT_EQ(index_key_size(coord_number_index()), 12);
    EXPECT_EQ(index_key_size(coord_name_index()), 16);
    coord_close();

    std::string bytes = read_bytes(kPath);
    ASSERT_EQ(bytes.size(), 287u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x05\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(4, 280), std::string(280, '\0'));
    EXPECT_EQ(bytes.substr(284), "\xFF\xFF\xFF");
    EXPECT_EQ(file_size(u"\\My Documents\\Lot7.PPC_.PtNDX"), 3072);
    EXPECT_EQ(file_size(u"\\My Documents\\Lot7.PPC_.NamNDX"), 3072);
    EXPECT_EQ(coord_full_path(), u"----");
    EXPECT_EQ(coord_base_path(), u"----");
    EXPECT_EQ(coord_record_count(), -1);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordFileTest, AppendWritesOneWholeRecordAndReadsBack)
{
    create_with(0);
    PointRecord p = make_point(42, 1234.5, -678.25, "CORNER");
    p.flags = 0x12345678;
    int index = 0;
    ASSERT_TRUE(coord_append(p, &index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(coord_record_count(), 1);

    PointRecord out;
    out.flags = 0xDEADBEEF;
    ASSERT_EQ(coord_read(1, &out), 1);
    EXPECT_EQ(out.easting, 1234.5);
    EXPECT_EQ(out.northing, -678.25);
    EXPECT_EQ(out.elevation, 100.5);
    EXPECT_EQ(out.number, 42u);
    EXPECT_STREQ(out.name, "CORNER");
    EXPECT_STREQ(out.note, "note");
    EXPECT_STREQ(out.code, "CODE");
    EXPECT_EQ(out.flags, 0xDEADBEEF) << "a read leaves the flags word alone";
    coord_close();

    std::string bytes = read_bytes(kPath);
    ASSERT_EQ(bytes.size(), 374u);
    EXPECT_EQ(le32(bytes, 287), 4u);
    EXPECT_EQ(le32(bytes, 287 + 4 + 24), 42u);
    EXPECT_EQ(le32(bytes, 287 + 4 + 44), 0x40000007u);
    EXPECT_EQ(bytes.substr(371), "\xFF\xFF\xFF");
}

TEST_F(CoordFileTest, ReadCopiesTextUpToItsNulAndAlwaysTerminates)
{
    create_with(1);
    coord_close();
    // Name without a NUL in its 16 bytes; note "AB" with bytes after its NUL.
    std::string bytes = read_bytes(kPath);
    std::memset(&bytes[287 + 4 + 28], 'N', 16);
    std::memcpy(&bytes[287 + 4 + 48], "AB\0xyz", 6);
    write_bytes(kPath, bytes);
    ASSERT_TRUE(coord_open_file(kPath));

    PointRecord out;
    std::memset(out.note, 'Z', sizeof out.note);
    ASSERT_EQ(coord_read(1, &out), 1);
    EXPECT_EQ(std::string(out.name), std::string(15, 'N'));
    EXPECT_STREQ(out.note, "AB");
    EXPECT_EQ(out.note[3], 'Z') << "bytes after the NUL are not copied";
}

TEST_F(CoordFileTest, CheckedReadOutsideTheRecordsGivesZeroAndAClearedRecord)
{
    create_with(2);
    for (int index : {0, -1, 3, 1000}) {
        PointRecord out = make_point(9, 1, 2, "X");
        EXPECT_EQ(coord_read_checked(index, &out), 0) << index;
        PointRecord zero;
        std::memset(static_cast<void*>(&zero), 0, sizeof zero);
        EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0) << index;
    }
    PointRecord out;
    EXPECT_EQ(coord_read_checked(2, &out), 1);
    EXPECT_EQ(out.number, 2u);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordFileTest, DeletedRecordIsAbsentForEveryReader)
{
    create_with(5);
    EXPECT_EQ(coord_delete(3), 1);
    PointRecord out;
    EXPECT_EQ(coord_read(3, &out), 0);
    EXPECT_EQ(coord_read_checked(3, &out), 0);
    EXPECT_EQ(coord_record_count(), 5);
    EXPECT_EQ(coord_live_count(), 4);
    EXPECT_EQ(coord_point_near(30, 60, 0.001), 0) << "the deleted point is not near anything";
    EXPECT_EQ(coord_point_near(40, 80, 0.001), 1);
    EXPECT_EQ(le32(read_bytes(kPath), 200 + 87 * 3), 6u);

    EXPECT_EQ(coord_delete(0), 0);
    EXPECT_EQ(coord_delete(6), 0) << "deleting past the end would grow a partial record";
    EXPECT_EQ(read_bytes(kPath).size(), 287u + 5 * 87);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CoordFileTest, OperationsWithNoFileOpenFail)
{
    PointRecord p = make_point(1, 1, 1);
    int index = 77;
    EXPECT_EQ(coord_record_count(), -1);
    EXPECT_EQ(coord_read(1, &p), 0);
    EXPECT_EQ(coord_rewrite(1, p), 0);
    EXPECT_FALSE(coord_append(p, &index));
    EXPECT_EQ(index, 77);
    EXPECT_EQ(coord_delete(1), 0);
    EXPECT_EQ(coord_live_count(), 0);
    EXPECT_EQ(coord_point_near(1, 1, 100), 0);
    double a = 1, b = 2, c = 3, d = 4;
    EXPECT_FALSE(coord_bounding_box(&a, &b, &c, &d));
    EXPECT_EQ(a + b + c + d, 10.0);
    coord_close();  // harmless
    EXPECT_FALSE(coord_is_open());
}

TEST_F(CoordFileTest, CheckTellsCoordinateFilesFromOthers)
{
    write_bytes(u"\\My Documents\\good.dat", std::string("\x05\x00\x00\x00", 4) + std::string(283, '\0'));
    write_bytes(u"\\My Documents\\other.dat", std::string("\x04\x00\x00\x00", 4));
    write_bytes(u"\\My Documents\\short.dat", std::string("\x05\x00", 2));
    EXPECT_EQ(coord_check(u"\\My Documents\\good.dat"), 1);
    EXPECT_EQ(coord_check(u"\\My Documents\\other.dat"), -1);
    EXPECT_EQ(coord_check(u"\\My Documents\\short.dat"), -1);
    EXPECT_EQ(coord_check(u"\\My Documents\\missing.dat"), 0);
    EXPECT_EQ(coord_check(u"\\My Documents"), 0);
}

TEST_F(CoordFileTest, BoundingBoxCoversLivePointsOnly)
{
    double lo_e = 0, lo_n = 0, hi_e = 0, hi_n = 0;
    create_with(0);
    EXPECT_FALSE(coord_bounding_box(&lo_e, &lo_n, &hi_e, &hi_n));
    EXPECT_EQ(lo_e, 0);

    ASSERT_TRUE(coord_append(make_point(1, 5, -7), nullptr));
    ASSERT_TRUE(coord_append(make_point(2, -3, 12), nullptr));
    ASSERT_TRUE(coord_append(make_point(3, 1000, 1000), nullptr));
    ASSERT_EQ(coord_delete(3), 1);
    ASSERT_TRUE(coord_bounding_box(&lo_e, &lo_n, &hi_e, &hi_n));
    EXPECT_EQ(lo_e, -3);
    EXPECT_EQ(lo_n, -7);
    EXPECT_EQ(hi_e, 5);
    EXPECT_EQ(hi_n, 12);

    ASSERT_EQ(coord_delete(1), 1);
    ASSERT_EQ(coord_delete(2), 1);
    EXPECT_FALSE(coord_bounding_box(&lo_e, &lo_n, &hi_e, &hi_n));
    EXPECT_EQ(lo_e, -3);
    EXPECT_EQ(hi_n, 12);

    // State-plane feet pass the ten million a fixed start value would assume.
    ASSERT_TRUE(coord_append(make_point(7, 13500000.25, 13400000.5), nullptr));
    ASSERT_TRUE(coord_bounding_box(&lo_e, &lo_n, &hi_e, &hi_n));
    EXPECT_EQ(lo_e, 13500000.25);
    EXPECT_EQ(hi_e, 13500000.25);
    EXPECT_EQ(lo_n, 13400000.5);
    EXPECT_EQ(hi_n, 13400000.5);
}

TEST_F(CoordFileTest, PointNearUsesPlaneDistanceInclusive)
{
    create_with(0);
    ASSERT_TRUE(coord_append(make_point(1, 100, 200), nullptr));
    EXPECT_EQ(coord_point_near(103, 204, 5.0), 1) << "distance 5 equals the tolerance";
    EXPECT_EQ(coord_point_near(103, 204, 4.999), 0);
    EXPECT_EQ(coord_point_near(100, 200, 0.0), 1);
}

TEST_F(CoordFileTest, RewriteKeepsPadsAndStampsFlags)
{
    create_with(3);
    coord_close();
    std::string bytes = read_bytes(kPath);
    size_t at = 200 + 87 * 2;
    bytes.replace(at + 84, 3, "\x11\x22\x33");
    bytes.replace(at, 4, std::string("\x06\x00\x00\x00", 4));  // deleted; a rewrite revives it
    write_bytes(kPath, bytes);
    ASSERT_TRUE(coord_open_file(kPath));

    PointRecord p = make_point(99, 1.25, 2.5, "NEW");
    p.flags = 0;
    ASSERT_EQ(coord_rewrite(2, p), 1);
    bytes = read_bytes(kPath);
    EXPECT_EQ(le32(bytes, at), 4u);
    EXPECT_EQ(bytes.substr(at + 4 + 44, 4), std::string("\x07\x00\x80\x00", 4));
    EXPECT_EQ(bytes.substr(at + 84, 3), "\x11\x22\x33");
    EXPECT_EQ(bytes.size(), 287u + 3 * 87);
    PointRecord out;
    ASSERT_EQ(coord_read(2, &out), 1);
    EXPECT_EQ(out.number, 99u);
    EXPECT_STREQ(out.name, "NEW");

    EXPECT_EQ(coord_rewrite(0, p), 0);
    EXPECT_EQ(coord_rewrite(4, p), 0) << "rewriting past the end would leave a partial record";
    EXPECT_EQ(read_bytes(kPath).size(), 287u + 3 * 87);
}

// A tail of t bytes after two whole records; where the next append lands and the index it gets.
struct TailCase {
    int tail;
    int64_t offset;
    int index;
};

TEST_F(CoordFileTest, AppendAfterPartialTail)
{
    // A partial record at the tail is what a crash leaves of an append: the next append writes over it.
    const TailCase cases[] = {
        {0, 461, 3},                 // a whole file
        {1, 461, 3},                 // one stray byte
        {40, 461, 3}, {86, 548, 4},  // 86 bytes count as a record short of its last pad: the append follows it
    };
    for (const TailCase& c : cases) {
        SCOPED_TRACE(c.tail);
        create_with(2);
        coord_close();
        write_bytes(kPath, read_bytes(kPath) + std::string(size_t(c.tail), '\x04'));
        ASSERT_TRUE(coord_open_file(kPath));
        int index = 0;
        ASSERT_TRUE(coord_append(make_point(7, 1, 1), &index));
        EXPECT_EQ(index, c.index);
        std::string bytes = read_bytes(kPath);
        ASSERT_EQ(int64_t(bytes.size()), c.offset + 87);
        EXPECT_EQ(le32(bytes, size_t(c.offset)), 4u);
        EXPECT_EQ(le32(bytes, size_t(c.offset) + 4 + 24), 7u);
        PointRecord out;
        ASSERT_EQ(coord_read(index, &out), 1);
        EXPECT_EQ(out.number, 7u);
        coord_close();
    }
}

TEST_F(CoordFileTest, AppendToFileShorterThanHeaderStartsAtFirstRecord)
{
    write_bytes(kPath, std::string("\x05\x00\x00\x00", 4) + std::string(96, '\0'));
    ASSERT_TRUE(coord_open_file(kPath));
    EXPECT_EQ(coord_record_count(), 0);
    int index = 0;
    ASSERT_TRUE(coord_append(make_point(1, 1, 1), &index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(file_size(kPath), 374);
}

TEST_F(CoordFileTest, ShortWritesWhileCreatingAreReportedAndCreationGoesOn)
{
    pf::arm_write_fault({0, 1, 0});
    ASSERT_TRUE(coord_create(kPath));
    pf::clear_faults();
    coord_close();
    pf::arm_write_fault({1, 1, 100});
    ASSERT_TRUE(coord_create(kPath));
    EXPECT_TRUE(coord_is_open());
    Messages expected
        = {{u"OpenNewMorventFile", u"Error writing recType"}, {u"OpenNewMorventFile", u"Error writing COORDFILE_HEAD"}};
    EXPECT_EQ(m_messages, expected);
}

TEST_F(CoordFileTest, ShortWritesWhileAppendingAreReported)
{
    create_with(1);
    // The record is one write, then its type: either coming up short fails the append, reported, and
    // leaves nothing that a later open could take for a point.
    for (pf::Fault fault : {pf::Fault {0, 1, 30}, pf::Fault {1, 1, 0}}) {
        m_messages.clear();
        pf::arm_write_fault(fault);
        int index = -5;
        EXPECT_FALSE(coord_append(make_point(3, 1, 1), &index));
        EXPECT_EQ(index, -5);
        Messages expected = {{u"WriteNewMorventPointRecord", u"Error"}};
        EXPECT_EQ(m_messages, expected);
        EXPECT_EQ(coord_record_count(), 1);
        EXPECT_EQ(int64_t(read_bytes(kPath).size()), 287 + 87);
    }
    int index = 0;
    EXPECT_TRUE(coord_append(make_point(2, 1, 1), &index));
    EXPECT_EQ(index, 2);
    PointRecord out;
    EXPECT_EQ(coord_read(2, &out), 1);
    EXPECT_EQ(out.number, 2u);
}

TEST_F(CoordFileTest, ShortWritesWhileRewritingOrDeletingFail)
{
    create_with(2);
    pf::arm_write_fault({1, 1, 79});
    EXPECT_EQ(coord_rewrite(1, make_point(5, 0, 0)), 0);
    Messages expected = {{u"WriteMorventPointRecord", u"Error."}};
    EXPECT_EQ(m_messages, expected);

    pf::arm_write_fault({0, 1, 0});
    EXPECT_EQ(coord_delete(2), 0);
    PointRecord out;
    EXPECT_EQ(coord_read(2, &out), 1) << "a type that did not reach the file deletes nothing";
}

TEST_F(CoordFileTest, ShortReadShowsThreeDebuggingBoxes)
{
    create_with(2);
    pf::arm_read_fault({0, 1, 14});  // the type and 10 bytes of point data
    PointRecord out;
    EXPECT_EQ(coord_read(2, &out), 0);
    Messages expected = {{u"Error: number of bytes read", u"10"}, {u"recLen", u"80"}, {u"record", u"2"}};
    EXPECT_EQ(m_messages, expected);

    // Past the end nothing at all can be read.
    m_messages.clear();
    EXPECT_EQ(coord_read(3, &out), 0);
    expected = {{u"Error: number of bytes read", u"0"}, {u"recLen", u"80"}, {u"record", u"3"}};
    EXPECT_EQ(m_messages, expected);
}

TEST_F(CoordFileTest, PathsLongerThanThePreferencesHoldAreRefused)
{
    // "\My Documents\" is 14 characters; the name and ".dat" make up the rest.
    std::u16string longest = u"\\My Documents\\" + std::u16string(133 - 14 - 4, u'a') + u".dat";
    ASSERT_EQ(longest.size(), 133u);
    ASSERT_TRUE(coord_create(longest));
    EXPECT_EQ(coord_full_path(), longest) << "the whole path is held";

    std::u16string too_long = u"\\My Documents\\" + std::u16string(133 - 14 - 3, u'b') + u".dat";
    ASSERT_EQ(too_long.size(), 134u);
    EXPECT_FALSE(coord_create(too_long));
    EXPECT_FALSE(coord_open_file(too_long));
    Messages expected(2, {u"Error", u"The path is too long: at most 133 characters."});
    EXPECT_EQ(m_messages, expected);
    EXPECT_EQ(file_size(too_long), -1) << "nothing was created";
    EXPECT_EQ(coord_full_path(), longest) << "the open file stays open";
    EXPECT_TRUE(coord_is_open());
}

TEST_F(CoordFileTest, BasePathCutsOnlyTheLastComponentsExtension)
{
    EXPECT_EQ(coord_base_path_of(u"\\My Documents\\Lot7.dat"), u"\\My Documents\\Lot7");
    EXPECT_EQ(coord_base_path_of(u"\\A\\b.c.d"), u"\\A\\b.c");
    EXPECT_EQ(coord_base_path_of(u"\\My.Docs\\Lot7"), u"\\My.Docs\\Lot7");
    EXPECT_EQ(coord_base_path_of(u"Lot7"), u"Lot7");
}

TEST_F(CoordFileTest, CreateStartsWithEmptyIndexesAndCloseWritesThem)
{
    create_with(3);
    char key[12];
    std::memcpy(key, "           5", 12);
    ASSERT_EQ(index_insert(coord_number_index(), key, 5), kIndexOk);

    // Creating another file closes this one, writing its index pages.
    ASSERT_TRUE(coord_create(u"\\My Documents\\Other.dat"));
    EXPECT_EQ(coord_full_path(), u"\\My Documents\\Other.dat");
    Index* numbers = index_open(u"\\My Documents\\Lot7.PPC_.PtNDX", 12, false);
    ASSERT_NE(numbers, nullptr);
    uint32_t record = 0;
    EXPECT_EQ(index_find(numbers, key, 0, false, &record), kIndexOk);
    EXPECT_EQ(record, 5u);
    index_close(numbers);

    // A new file of the old name gets empty indexes, not the old entries naming records it lacks.
    ASSERT_TRUE(coord_create(kPath));
    EXPECT_EQ(coord_record_count(), 0);
    EXPECT_EQ(index_first(coord_number_index(), nullptr, nullptr), kIndexEnd);
    EXPECT_EQ(index_first(coord_name_index(), nullptr, nullptr), kIndexEnd);
}

TEST_F(CoordFileTest, CreateFailsWhereNoFileCanBe)
{
    create_with(1);
    EXPECT_FALSE(coord_create(u"\\No Such Folder\\x.dat"));
    EXPECT_FALSE(coord_is_open());
    EXPECT_EQ(coord_full_path(), u"----");
    EXPECT_FALSE(coord_open_file(u"\\My Documents\\missing.dat"));
    EXPECT_EQ(coord_base_path(), u"----");
}

// A whole record whose type is neither a point's nor a deleted one's (a crash can leave one zero-filled
// after the file grew, or an append whose type had not been written yet) is no point for any reader.
TEST_F(CoordFileTest, ARecordOfAnyOtherTypeIsNoPoint)
{
    create_with(3);
    coord_close();
    std::string bytes = read_bytes(kPath);
    bytes[287 + 87] = '\0';          // record 2: type 0, as an append leaves it before its type is set
    bytes[287 + 2 * 87] = '\x07';    // record 3: a type nothing writes
    bytes += std::string(87, '\0');  // record 4: zeros after the file grew
    write_bytes(kPath, bytes);
    ASSERT_TRUE(coord_open_file(kPath));
    EXPECT_EQ(coord_record_count(), 4);
    PointRecord out;
    for (int index : {2, 3, 4})
        EXPECT_EQ(coord_read(index, &out), 0) << index;
    EXPECT_EQ(coord_read(1, &out), 1);
    EXPECT_EQ(coord_live_count(), 1);
    EXPECT_TRUE(m_messages.empty()) << "no point, and nothing to report";
}

}  // namespace
