#pragma once
// The field traverse as the field book holds it: the job settings (surveyor, instrument, the distance and
// angle corrections and the factors) and a table of 250 records in observed order, each a setup ("At") or
// an observation ("To"). Angles stay the texts the user typed and are read at each computation in the
// angle mode of the options; distances are numbers. The job file layout is calc/traverse_job.h.

#include <array>
#include <cstdint>
#include <string>

#include "calc/job_file.h"

namespace calc {

constexpr int32_t kRecordUnused = 0;
constexpr int32_t kRecordSetup = 1;
constexpr int32_t kRecordObservation = 2;

constexpr int32_t kReferenceNone = 0;
constexpr int32_t kReferencePoint = 1;
constexpr int32_t kReferenceAzimuth = 2;

constexpr int kTraverseTextChars = 19;  // the typed texts of a record and of the settings
constexpr int kTraverseDateChars = 15;

// One slot: a setup (kind 1) uses at, the reference, hi and the backsight; an observation (kind 2) the
// rest.
struct TraverseRecord {
    int32_t kind = kRecordUnused;  // any value other than 0 is a slot in use

    // Setup.
    uint32_t at = 0;
    int32_t reference_kind = kReferenceNone;
    uint32_t reference_point = 0;      // reference kind 1
    std::u16string reference_azimuth;  // reference kind 2, as typed
    double hi = 0;                     // instrument height
    std::u16string backsight;          // horizontal circle reading to the backsight, as typed

    // Observation.
    uint32_t to = 0;
    std::u16string code;
    std::u16string note;
    std::u16string hcr;  // horizontal circle reading, as typed
    std::u16string vcr;  // zenith angle, as typed
    double slope = 0;    // slope distance
    double hs = 0;       // target height
    int32_t side_shot = 0;

    bool used() const { return kind != kRecordUnused; }
    bool is_setup() const { return kind == kRecordSetup; }
    bool is_observation() const { return kind == kRecordObservation; }
};

// The settings block (432 bytes in the job file). The doubles are refreshed from the texts at each
// computation and kept as they stand.
struct TraverseSettings {
    std::u16string surveyor;
    std::u16string date;
    std::u16string field_book;
    std::u16string pages;
    std::u16string instrument;
    std::u16string distance_factor_text = u"1.000";
    std::u16string distance_correction_text = u"0.000";
    std::u16string vc_correction_text = u"0.0000";
    std::u16string projection_factor_text = u"1.0000";
    std::u16string units_factor_text = u"1.0000";
    double distance_factor = 1.0;
    double distance_correction = 0.0;
    double vc_correction = 0.0;  // radians
    double projection_factor = 1.0;
    double units_factor = 1.0;
};

struct TraverseJob {
    TraverseSettings settings;
    std::array<TraverseRecord, kJobSlots> records;
};

// Every text and double to its initial value, every slot free.
void reset_traverse(TraverseJob* job);

}  // namespace calc
