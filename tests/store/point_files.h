#pragma once
// Points and coordinate files for the store's tests, and the keys the point indexes give them.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/point_record.h"

namespace point_files {

inline const char16_t* kLotPath = u"\\My Documents\\Lot9.dat";

// A point with E = 1000 + number, N = 5000 + number, El = 10 + number, and the texts given.
inline store::PointRecord point(
    uint32_t number, const std::string& name = "", const std::string& code = "", const std::string& note = "")
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

// Creates kLotPath (replacing it) and stores the points in the order given; false when anything failed.
inline bool create_with(const std::vector<store::PointRecord>& points)
{
    if (!store::coord_create(kLotPath))
        return false;
    for (const store::PointRecord& p : points)
        if (store::point_store(p, false) != 1)
            return false;
    return true;
}

inline bool create_with_numbers(const std::vector<uint32_t>& numbers)
{
    std::vector<store::PointRecord> points;
    for (uint32_t n : numbers)
        points.push_back(point(n));
    return create_with(points);
}

// Points 1 .. count whose names run the other way ("N120" for 1 ... "N001" for 120), so name order is the
// reverse of number order; each with that code and note.
inline bool create_with_reversed_names(uint32_t count, const std::string& code = "", const std::string& note = "")
{
    std::vector<store::PointRecord> points;
    for (uint32_t n = 1; n <= count; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "N%03u", count + 1 - n);
        points.push_back(point(n, name, code, note));
    }
    return create_with(points);
}

}  // namespace point_files

// A point as point_files::point makes it, with code "CD", and E and N as given unless 0.
inline store::PointRecord make_point(uint32_t number, const std::string& name = "", double e = 0, double n = 0)
{
    store::PointRecord p = point_files::point(number, name, "CD");
    if (e != 0)
        p.easting = e;
    if (n != 0)
        p.northing = n;
    return p;
}

inline const char16_t* kLot = u"\\My Documents\\Lot7.dat";
inline const char16_t* kLotNumbers = u"\\My Documents\\Lot7.PPC_.PtNDX";
inline const char16_t* kLotNames = u"\\My Documents\\Lot7.PPC_.NamNDX";

// The key of a number or a name as the store makes it, for comparing with what an index holds.
inline std::string number_key(uint32_t number)
{
    char key[store::kNumberKeySize];
    store::point_number_key(number, key);
    return std::string(key, sizeof key);
}

inline std::string name_key(const std::string& name)
{
    char key[store::kNameKeySize];
    store::point_name_key(name.c_str(), key);
    return std::string(key, sizeof key);
}

// kLot closed, with points 1..count (make_point, named name_of(number)) and no index files beside it;
// false when anything failed.
inline bool create_unindexed(int count, const std::function<std::string(int)>& name_of)
{
    if (!store::coord_create(kLot))
        return false;
    for (int i = 1; i <= count; ++i)
        if (store::point_store(make_point(uint32_t(i), name_of(i)), false) != 1)
            return false;
    store::coord_close();
    return platform::files::remove(kLotNumbers) && platform::files::remove(kLotNames);
}

// True when the index holds exactly that key with that record.
inline bool index_holds(store::Index* index, const std::string& key, uint32_t record)
{
    std::string probe = key;
    return store::index_find(index, probe.data(), record, true, nullptr) == store::kIndexOk;
}
