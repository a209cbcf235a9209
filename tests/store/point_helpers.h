#pragma once
// Small helpers for the point-index tests: making points and coordinate files with them.

#include <cstdint>
#include <cstring>
#include <string>

#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/point_record.h"

inline store::PointRecord make_point(uint32_t number, const std::string& name = "", double e = 0, double n = 0)
{
    store::PointRecord p;
    p.number = number;
    std::strncpy(p.name, name.c_str(), sizeof p.name - 1);
    p.easting = e == 0 ? 1000.0 + number : e;
    p.northing = n == 0 ? 5000.0 + number : n;
    p.elevation = 10.0 + number;
    std::strncpy(p.code, "CD", sizeof p.code - 1);
    return p;
}

inline const char16_t* kLot = u"\\My Documents\\Lot7.dat";
inline const char16_t* kLotNumbers = u"\\My Documents\\Lot7.PPC_.PtNDX";
inline const char16_t* kLotNames = u"\\My Documents\\Lot7.PPC_.NamNDX";

// The key of a number or a name as a string, for comparing with what an index holds.
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

// True when the index holds exactly that key with that record.
inline bool index_holds(store::Index* index, const std::string& key, uint32_t record)
{
    std::string probe = key;
    return store::index_find(index, probe.data(), record, true, nullptr) == store::kIndexOk;
}
