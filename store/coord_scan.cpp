// Whole-file scans of the open coordinate file: live points, bounding box, a point near a position.

#include <cmath>

#include "store/coord_file.h"

namespace store {

int coord_live_count()
{
    int count = coord_record_count();
    int live = 0;
    PointRecord record;
    for (int i = 1; i <= count; ++i)
        live += coord_read(i, &record);
    return live;
}

bool coord_bounding_box(double* min_e, double* min_n, double* max_e, double* max_n)
{
    if (!coord_is_open())
        return false;
    double lo_e = 10000000.0, lo_n = 10000000.0;
    double hi_e = -10000000.0, hi_n = -10000000.0;
    int count = coord_record_count();
    PointRecord record;
    for (int i = 1; i <= count; ++i) {
        if (!coord_read(i, &record))
            continue;
        if (record.easting < lo_e)
            lo_e = record.easting;
        if (record.easting > hi_e)
            hi_e = record.easting;
        if (record.northing < lo_n)
            lo_n = record.northing;
        if (record.northing > hi_n)
            hi_n = record.northing;
    }
    *min_e = lo_e;
    *min_n = lo_n;
    *max_e = hi_e;
    *max_n = hi_n;
    return true;
}

int coord_point_near(double e, double n, double tolerance)
{
    int count = coord_record_count();
    PointRecord record;
    for (int i = 1; i <= count; ++i) {
        if (!coord_read(i, &record))
            continue;
        double de = record.easting - e;
        double dn = record.northing - n;
        if (std::sqrt(de * de + dn * dn) <= tolerance)
            return 1;
    }
    return 0;
}

}  // namespace store
