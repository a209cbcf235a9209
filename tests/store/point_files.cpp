#include "tests/store/point_files.h"

#include <cstring>

#include "store/coord_file.h"
#include "store/point_index.h"

namespace point_files {

store::PointRecord point(uint32_t number, const std::string& name, const std::string& code, const std::string& note)
{
    store::PointRecord p;
    p.number = number;
    p.easting = 1000.0 + number;
    p.northing = 5000.0 + number;
    p.elevation = 10.0 + number;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    std::strncpy(p.code, code.c_str(), sizeof p.code - 1);
    std::strncpy(p.note, note.c_str(), sizeof p.note - 1);
    return p;
}

bool create_with(const std::vector<store::PointRecord>& points)
{
    if (!store::coord_create(kLotPath))
        return false;
    for (const store::PointRecord& p : points)
        if (store::point_store(p, false) != 1)
            return false;
    return true;
}

bool create_with_numbers(const std::vector<uint32_t>& numbers)
{
    std::vector<store::PointRecord> points;
    for (uint32_t n : numbers)
        points.push_back(point(n));
    return create_with(points);
}

}  // namespace point_files
