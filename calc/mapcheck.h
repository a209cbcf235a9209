#pragma once
// The map check: a figure given by legs from a start position, as on a plan. Each leg gives the point it
// reaches, an azimuth (typed in the angle mode of the options) and a distance; curves are entered by their
// radial legs (calc/curve_types.h). The computation reports the coordinates reached, the misclosure, the
// relative precision and the area. It never reads or writes the coordinate file.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/job_file.h"
#include "formats/plane_geometry.h"

namespace calc {

// One slot of the leg table (92 bytes in the job file).
struct MapCheckEntry {
    int32_t in_use = 0;       // 1: in use; any other value: free (kept as read)
    uint32_t to = 0;          // point reached; 0 when none was typed
    std::u16string azimuth;   // as typed, at most 18 characters
    std::u16string distance;  // as typed, at most 18 characters
    int32_t type = 0;         // calc/curve_types.h

    bool used() const { return in_use == 1; }
};

// The settings block (240 bytes in the job file). Only the start texts and the start doubles mean
// anything; the reserved fields are kept as read.
struct MapCheckSettings {
    std::u16string reserved_text;
    std::u16string reserved_factor_1 = u"1.0";
    std::u16string reserved_factor_2 = u"1.0";
    std::u16string start_n_text = u"0.0";
    std::u16string start_e_text = u"0.0";
    double reserved_value = 0.0;
    double reserved_factor_value_1 = 1.0;
    double reserved_factor_value_2 = 1.0;
    double start_n = 0.0;  // filled at each computation
    double start_e = 1.0;
};

struct MapCheckJob {
    MapCheckSettings settings;
    std::array<MapCheckEntry, kJobSlots> entries;
};

constexpr int kMapCheckTextChars = 18;  // azimuth, distance and start texts

// One leg as computed.
struct MapCheckLeg {
    uint32_t from = 0;
    formats::Position from_point;
    double azimuth = 0;  // radians clockwise from north
    double distance = 0;
    uint32_t to = 0;
    formats::Position to_point;
    int32_t type = 0;
    int line = 0;  // the entry's index in the leg table
};

struct MapCheckResult {
    formats::Position start;
    uint32_t start_number = 0;  // of the entry that names the start, 0 when none does
    std::vector<MapCheckLeg> legs;
    double misclosure_n = 0;
    double misclosure_e = 0;
    double total_distance = 0;
    double area = 0;
    std::optional<double> precision;  // total distance / misclosure, when the misclosure is not noise
};

// A computation, or the reason there is none (a text to show under the caption "Map Check").
struct MapCheckOutcome {
    std::optional<MapCheckResult> result;
    std::u16string refusal;
};

// Computes the figure. Entries between the first and the last in use are visited, free ones skipped; a
// first entry with empty azimuth and distance only names the start. Refused, with a text that names the
// leg: a start, azimuth or distance text that does not read; an "EC" or "POC" leg with no leg before it;
// an arc with a radius of 0 or less or a chord longer than the diameter; an unknown leg type; and a figure
// whose numbers overflow. No relative precision is given when the misclosure is at most 1e-9 of the total
// distance (rounding noise).
MapCheckOutcome compute_map_check(const MapCheckJob& job);

// Every slot free, texts and doubles to their initial values.
void reset_map_check(MapCheckJob* job);

}  // namespace calc
