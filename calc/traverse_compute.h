#pragma once
// The traverse computed: every observation of the field book reduced from slope distance and zenith angle
// to a horizontal distance and a height difference, oriented from its setup's backsight and carried from
// setup to setup; the closure (on the start point, on a point computed earlier in the traverse, or on a
// point of the coordinate file), the linear and angular misclosures and the relative precision.
//
// The computation reads the field book and the settings only; the coordinate file comes in as a lookup, so
// that tests hand in points of their own. Adjusting is calc/traverse_adjust.h, the results text
// calc/traverse_results.h, storing the points calc/traverse_save.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/traverse.h"

namespace calc {

struct Point3 {
    double e = 0;
    double n = 0;
    double el = 0;
};

// A stored point by number, nothing when it is not there. An undefined elevation reads 0.
using TraversePointLookup = std::function<std::optional<Point3>(uint32_t number)>;
// The open coordinate file.
TraversePointLookup traverse_stored_points();

// One observation record, reduced. Angles in radians, distances in the job's units.
struct TraverseObservation {
    int slot = 0;  // of the record in the field book
    uint32_t at = 0;
    uint32_t reference_point = 0;     // 0 when the setup gave an azimuth
    double reference_azimuth = -1.0;  // as used for this observation
    Point3 at_position;
    Point3 backsight_position;  // where the reference point was found (a given azimuth: none)
    double hi = 0;
    double hs = 0;
    double hcr = 0;
    double backsight_reading = 0;
    double vcr = 0;
    double slope = 0;
    double azimuth = 0;
    double horizontal = 0;
    double height_difference = 0;
    uint32_t to = 0;
    Point3 position;  // of the to point, when `computed`
    std::u16string code;
    std::u16string note;
    bool side_shot = false;
    bool closing = false;      // a traverse observation of the final point
    bool computed = false;     // has coordinates (reduced before any stop, not an angle check)
    bool angle_check = false;  // a traverse observation after the closure: its angle only
};

// Where the closing point's known position came from.
enum class ClosureOn { None, StartPoint, ComputedPoint, StoredPoint };

struct TraverseComputation {
    std::vector<TraverseObservation> observations;
    int side_shots = 0;
    uint32_t start_point = 0;
    Point3 start_position;
    double initial_reference_azimuth = 0;
    double total_length = 0;  // traverse legs reduced before the closure
    bool closed = false;
    int closing_index = -1;  // into observations
    ClosureOn closure_on = ClosureOn::None;
    int held_index = -1;  // closure on a computed point: the observation that computed it
    Point3 closing_known;
    double misclosure_e = 0, misclosure_n = 0, misclosure_el = 0;  // computed minus known
    bool closing_angle = false;  // the last record is an observation with slope distance 0
    int closing_angle_index = -1;
    bool angular_misclosure_known = false;  // the closing sight had a direction to compare with
    double angular_misclosure = 0;          // in (-pi, pi]
    bool adjusted = false;
    std::u16string stop;  // the message that stopped the computation ("" when it ran through)
};

// Computes the traverse: the settings' numbers are refreshed from their texts (in job->settings), the
// observations built and reduced. A missing point, a setup without a reference, a text that does not read
// or a number that overflows stops the computation with a message in `stop` (caption "Error"); the
// observations reduced before it keep their values.
TraverseComputation compute_traverse(TraverseJob* job, const TraversePointLookup& points);

// An angle reduced into (-pi, pi].
double reduced_half_turn(double radians);
// An angle reduced into [0, 2 pi).
double reduced_turn(double radians);

}  // namespace calc
