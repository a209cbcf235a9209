// Whole-file scans of the open coordinate file: every record, live points, bounding box, a point near a
// position. The records are read a block at a time: one call to the file system fetches kScanBlockRecords
// of them, where a read per record would spend most of a scan in system calls.

#include <algorithm>
#include <cmath>
#include <vector>

#include "store/coord_file.h"
#include "store/coord_internal.h"

namespace store {

namespace files = platform::files;

namespace {

// Reads records first .. first + count - 1 with one call and visits those that read; false when visit
// stopped the scan.
bool scan_block(int first, int count, std::vector<uint8_t>& block, const RecordVisitor& visit)
{
    block.resize(size_t(count) * kCoordRecordSize);
    uint32_t moved = files::read_at(coord_handle(), record_offset(first), block.data(), uint32_t(block.size()));
    PointRecord record;
    for (int i = 0; i < count; ++i) {
        uint32_t at = uint32_t(i) * kCoordRecordSize;
        const uint8_t* bytes = block.data() + at;
        uint32_t arrived = moved > at ? moved - at : 0;
        // A record a bulk store under way holds back is read as it will be written.
        if (const uint8_t* pending = coord_unwritten_record(first + i)) {
            bytes = pending;
            arrived = kRecordReadSize;
        }
        RecordBytes kind = decode_record(bytes, arrived, first + i, &record);
        // A record cut short is read again on its own: that read reports it when it cannot be had.
        if (kind == RecordBytes::Short && coord_read(first + i, &record) == 1)
            kind = RecordBytes::Point;
        if (kind == RecordBytes::Point && !visit(first + i, record))
            return false;
    }
    return true;
}

}  // namespace

bool coord_scan_records(int first, int last, const RecordVisitor& visit)
{
    if (!coord_handle())
        return true;
    // Each call has its own block: a message box shown during a scan may start another one.
    std::vector<uint8_t> block;
    for (int64_t next = std::max(first, 1); next <= last; next += kScanBlockRecords) {
        int count = int(std::min<int64_t>(last - next + 1, kScanBlockRecords));
        if (!scan_block(int(next), count, block, visit))
            return false;
    }
    return true;
}

int coord_live_count()
{
    int live = 0;
    coord_scan_records(1, coord_record_count(), [&live](int, const PointRecord&) {
        ++live;
        return true;
    });
    return live;
}

bool coord_bounding_box(double* min_e, double* min_n, double* max_e, double* max_n)
{
    if (!coord_is_open())
        return false;
    // The box starts from the first live point: no start value is far enough for every grid (state-plane
    // feet pass 13 000 000). A coordinate that is not a finite number takes no part.
    bool any = false;
    double lo_e = 0, lo_n = 0, hi_e = 0, hi_n = 0;
    coord_scan_records(1, coord_record_count(), [&](int, const PointRecord& record) {
        if (!std::isfinite(record.easting) || !std::isfinite(record.northing))
            return true;
        if (!any) {
            lo_e = hi_e = record.easting;
            lo_n = hi_n = record.northing;
            any = true;
            return true;
        }
        lo_e = std::min(lo_e, record.easting);
        hi_e = std::max(hi_e, record.easting);
        lo_n = std::min(lo_n, record.northing);
        hi_n = std::max(hi_n, record.northing);
        return true;
    });
    if (!any)
        return false;
    *min_e = lo_e;
    *min_n = lo_n;
    *max_e = hi_e;
    *max_n = hi_n;
    return true;
}

int coord_point_near(double e, double n, double tolerance)
{
    bool found = !coord_scan_records(1, coord_record_count(), [&](int, const PointRecord& record) {
        double de = record.easting - e;
        double dn = record.northing - n;
        return !(std::sqrt(de * de + dn * dn) <= tolerance);
    });
    return found ? 1 : 0;
}

}  // namespace store
