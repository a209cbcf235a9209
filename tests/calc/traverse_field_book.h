#pragma once
// Field books for the traverse tests: setups and observations appended in order, and the points of a
// coordinate file as a lookup.

#include <map>
#include <string>

#include "calc/traverse.h"
#include "calc/traverse_compute.h"
#include "calc/slot_table.h"

namespace testing_support {

class FieldBook {
public:
    // A setup on `at` sighting the point `reference` (0: the azimuth text instead) with the circle at `bs`.
    FieldBook& at(
        uint32_t at, uint32_t reference, const char16_t* bs = u"0", double hi = 1.55, const char16_t* azimuth = u"")
    {
        calc::TraverseRecord r;
        r.kind = calc::kRecordSetup;
        r.at = at;
        r.reference_kind = reference != 0 ? calc::kReferencePoint : calc::kReferenceAzimuth;
        r.reference_point = reference;
        r.reference_azimuth = azimuth;
        r.backsight = bs;
        r.hi = hi;
        return add(r);
    }

    FieldBook& to(uint32_t to, const char16_t* hcr, double slope, bool side_shot = false, const char16_t* vcr = u"90",
        double hs = 1.5)
    {
        calc::TraverseRecord r;
        r.kind = calc::kRecordObservation;
        r.to = to;
        r.hcr = hcr;
        r.vcr = vcr;
        r.slope = slope;
        r.hs = hs;
        r.side_shot = side_shot ? 1 : 0;
        r.code = u"TRAV";
        r.note = u"stn  ";
        return add(r);
    }

    calc::TraverseJob job;

private:
    FieldBook& add(const calc::TraverseRecord& r)
    {
        job.records[size_t(calc::last_used_slot(job.records) + 1)] = r;
        return *this;
    }
};

using PointMap = std::map<uint32_t, calc::Point3>;

inline calc::TraversePointLookup lookup(const PointMap& points)
{
    return [points](uint32_t number) -> std::optional<calc::Point3> {
        const auto it = points.find(number);
        if (it == points.end())
            return std::nullopt;
        return it->second;
    };
}

}  // namespace testing_support
