#pragma once
// The area of a figure of stored points: an ordered list of point numbers, each a corner or part of a
// circular curve (calc/curve_types.h), with straight legs between corners and circular segments for
// curves, multiplied once by the units factor and once by the projection factor. The figure is not closed
// automatically: it is closed when its last point repeats its first.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/job_file.h"
#include "calc/point_lookup.h"
#include "formats/plane_geometry.h"

namespace calc {

// One slot of the figure table (12 bytes in the job file).
struct AreaEntry {
    int32_t in_use = 0;  // 1: in use, 0: free
    uint32_t number = 0;
    int32_t type = 0;  // calc/curve_types.h

    bool used() const { return in_use == 1; }
};

// The settings block (144 bytes in the job file).
struct AreaSettings {
    std::u16string reserved_text;  // always written empty
    std::u16string projection_text = u"1.0";
    std::u16string units_text = u"1.0";
    int32_t reserved_1 = 0;
    int32_t reserved_2 = 0;
    double projection = 1.0;  // as read at the last Calc
    double units = 1.0;
};

constexpr int kAreaFactorChars = 18;

struct AreaJob {
    AreaSettings settings;
    std::array<AreaEntry, kJobSlots> entries;
};

// One leg of the figure, from one entry in use to the next.
struct AreaLeg {
    uint32_t from_number = 0;
    int32_t from_type = 0;
    formats::Position from;
    uint32_t to_number = 0;
    int32_t to_type = 0;
    formats::Position to;
    double azimuth = 0;
    double distance = 0;
};

struct AreaResult {
    std::vector<AreaLeg> legs;
    double projection = 1.0;
    double units = 1.0;
    double area = 0;
};

// A computation, or the reason there is none (a text to show under the caption "Area").
struct AreaOutcome {
    std::optional<AreaResult> result;
    std::u16string refusal;
};

// Computes the area. Refused, with a text that names what is wrong: a factor that does not read as a
// number, a point missing from the file, a leg into "EC" or "POC" with no leg before it, an arc with a
// radius of 0 or a chord longer than the diameter, an unknown point type, numbers that overflow.
AreaOutcome compute_area(const AreaJob& job, const PointLookup& points);

// Every entry free, texts "1.0", doubles 1.0.
void reset_area(AreaJob* job);

}  // namespace calc
