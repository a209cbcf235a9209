// A coordinate file of any bytes, opened as the program opens one: with both indexes, built from its
// records. Every record is read on its own and by the scans, which must agree; the keyed walks must come
// out in order and read back by number; storing and deleting a point must then work on it.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "store/point_keys.h"
#include "store/view_extents.h"

namespace {

constexpr const char16_t* kPath = u"\\My Documents\\Fuzz.dat";
constexpr const char16_t* kNumberIndexPath = u"\\My Documents\\Fuzz.PPC_.PtNDX";
constexpr const char16_t* kNameIndexPath = u"\\My Documents\\Fuzz.PPC_.NamNDX";
// Records read one by one and compared with the scans; a longer file is still scanned and indexed whole.
constexpr int kModelRecords = 4096;

using store::PointRecord;

// Every field but the flags, which reads do not fill; texts up to their NUL.
bool same_point(const PointRecord& a, const PointRecord& b)
{
    return std::memcmp(&a.easting, &b.easting, 24) == 0 && a.number == b.number
        && std::strncmp(a.name, b.name, sizeof a.name) == 0 && std::strncmp(a.note, b.note, sizeof a.note) == 0
        && std::strncmp(a.code, b.code, sizeof a.code) == 0;
}

bool texts_terminated(const PointRecord& p)
{
    return strnlen(p.name, sizeof p.name) < sizeof p.name && strnlen(p.note, sizeof p.note) < sizeof p.note
        && strnlen(p.code, sizeof p.code) < sizeof p.code;
}

struct Read {
    int index;
    PointRecord point;
};

// Records 1 .. last read one at a time, the way the point editor reads them.
std::vector<Read> read_each(int last)
{
    std::vector<Read> reads;
    for (int i = 1; i <= last; ++i) {
        Read r {i, {}};
        if (store::coord_read(i, &r.point) == 1) {
            FUZZ_CHECK(texts_terminated(r.point));
            reads.push_back(r);
        }
    }
    return reads;
}

void check_scans_agree_with_reads(int count)
{
    int last = std::min(count, kModelRecords);
    std::vector<Read> reads = read_each(last);
    std::vector<Read> scanned;
    FUZZ_CHECK(store::coord_scan_records(1, last, [&](int index, const PointRecord& p) {
        scanned.push_back({index, p});
        return true;
    }));
    FUZZ_CHECK(scanned.size() == reads.size());
    for (size_t i = 0; i < reads.size(); ++i)
        FUZZ_CHECK(scanned[i].index == reads[i].index && same_point(scanned[i].point, reads[i].point));
    if (count <= kModelRecords)
        FUZZ_CHECK(store::coord_live_count() == int(reads.size()));

    // A visitor that stops ends the scan there.
    int visits = 0;
    bool whole = store::coord_scan_records(0, count, [&](int, const PointRecord&) { return ++visits < 2; });
    FUZZ_CHECK(whole ? visits < 2 : visits == 2);

    PointRecord outside;
    FUZZ_CHECK(store::coord_read(0, &outside) == 0);
    FUZZ_CHECK(store::coord_read_checked(count + 1, &outside) == 0);
}

// Walks the number index both ways; numbers strictly ascend, each reads back by number and is found by
// the nearest-number search, and the walk back meets them all again. (A point numbered 0 is where walks
// end: the steps give its number, 0, as "none".)
void check_number_walk(int live)
{
    PointRecord p;
    std::vector<uint32_t> forward;
    for (uint32_t n = store::point_first_by_number(&p); n != 0; n = store::point_next_by_number(&p)) {
        FUZZ_CHECK(n == p.number && texts_terminated(p));
        FUZZ_CHECK(forward.empty() || n > forward.back());
        FUZZ_CHECK(int(forward.size()) < live);
        PointRecord again;
        FUZZ_CHECK(store::point_read_by_number(n, &again) == 1 && same_point(again, p));
        forward.push_back(n);
    }
    std::vector<uint32_t> backward;
    for (uint32_t n = store::point_last_by_number(&p); n != 0; n = store::point_previous_by_number(&p)) {
        FUZZ_CHECK(int(backward.size()) < live);
        backward.push_back(n);
    }
    std::reverse(backward.begin(), backward.end());
    FUZZ_CHECK(forward.empty() || backward == forward);

    for (size_t i = 0; i < forward.size() && i < 64; ++i) {
        PointRecord near;
        FUZZ_CHECK(store::point_find_nearest_by_number(forward[i], &near) == 1 && near.number == forward[i]);
        if (forward[i] == UINT32_MAX)
            continue;
        int found = store::point_find_nearest_by_number(forward[i] + 1, &near);
        uint32_t next = i + 1 < forward.size() ? forward[i + 1] : forward.back();
        FUZZ_CHECK(found == (next == forward[i] + 1 ? 1 : 0) && near.number == next);
    }
}

// Walks the name index; the names' keys never descend.
void check_name_walk(int live)
{
    PointRecord p;
    std::u16string name;
    std::string previous;
    std::vector<std::u16string> names;
    int steps = 0;
    for (uint32_t n = store::point_first_by_name(&name, &p); n != 0; n = store::point_next_by_name(&name, &p)) {
        char key[store::kNameKeySize];
        store::point_name_key(p.name, key);
        std::string current(key, sizeof key);
        FUZZ_CHECK(steps == 0 || previous <= current);
        FUZZ_CHECK(++steps <= live);
        previous = current;
        if (steps <= 64)
            names.push_back(name);
    }
    // A name as the list shows it finds a point (itself, or one of the same name). Finds move the cursor,
    // so they come after the walk.
    for (const std::u16string& shown : names) {
        PointRecord near;
        FUZZ_CHECK(store::point_find_nearest_by_name(shown, &near) != -1);
    }
    // A point numbered 0 ends a walk wherever its name falls, so the two walks need not meet the same points.
    int back = 0;
    for (uint32_t n = store::point_last_by_name(&name, &p); n != 0; n = store::point_previous_by_name(&name, &p))
        FUZZ_CHECK(++back <= live);
}

// A point with a number above all others is stored and reads back; deleting it leaves its number unread.
void check_store_and_delete()
{
    PointRecord last;
    uint32_t greatest = store::point_last_by_number(&last);
    if (greatest == UINT32_MAX)
        return;
    PointRecord p;
    p.number = greatest + 1;
    p.easting = 1000.5;
    p.northing = 2000.25;
    std::strcpy(p.name, "FUZZ");
    FUZZ_CHECK(store::point_store(p, false) == 1);
    PointRecord back;
    FUZZ_CHECK(store::point_read_by_number(p.number, &back) == 1 && same_point(back, p));
    FUZZ_CHECK(store::point_delete(p.number) == 1);
    FUZZ_CHECK(store::point_read_by_number(p.number, &back) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::prepare_device();
    store::coord_reset_for_tests();
    store::set_index_build_runner([](store::IndexBuild&) {});
    fuzz::write_device_file(kNumberIndexPath, nullptr, 0);
    fuzz::write_device_file(kNameIndexPath, nullptr, 0);
    fuzz::write_device_file(kPath, data, size);

    bool header = size >= 4 && data[0] == store::kRecordTypeHeader && data[1] == 0 && data[2] == 0 && data[3] == 0;
    FUZZ_CHECK(store::coord_check(kPath) == (header ? 1 : -1));
    FUZZ_CHECK(store::coord_open_with_indexes(kPath) == 1);
    int count = store::coord_record_count();
    FUZZ_CHECK(count == (size < 286 ? 0 : int((size - 286) / 87)));

    check_scans_agree_with_reads(count);
    int live = store::coord_live_count();
    double box[4] = {};
    const bool boxed = store::coord_bounding_box(&box[0], &box[1], &box[2], &box[3]);
    FUZZ_CHECK(live > 0 || !boxed);
    FUZZ_CHECK(!boxed || (box[0] <= box[2] && box[1] <= box[3] && std::all_of(box, box + 4, [](double v) {
        return std::isfinite(v);
    })));
    store::coord_point_near(box[0], box[1], 1.0);

    FUZZ_CHECK(store::coord_number_index() && store::coord_name_index());
    check_number_walk(live);
    check_name_walk(live);
    check_store_and_delete();

    store::coord_reset_for_tests();
    store::set_index_build_runner({});
    return 0;
}
