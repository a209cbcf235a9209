#pragma once
// The traverse job file, type "TRAV". Body after the header:
//
//   offset   0  432  settings: ten texts (surveyor 40, date 32, then 40 bytes each), five doubles at 392
//                    (distance factor, distance correction, VC correction, projection and units factor)
//   offset 432    4  count N
//   offset 436 240 N records. Setup: kind 1 (4), unused (4), at (4), reference kind (4), reference point
//                    or azimuth text (40), HI (8), backsight text (40), unused (136). Observation: kind 2
//                    (4), unused (4), to (4), code (40), note (80), HCR (40), VCR (40), unused (4), slope
//                    distance (8), HS (8), side shot (4), unused (4).

#include "calc/job_file.h"
#include "calc/traverse.h"

namespace calc {

extern const JobType kTraverseJob;

constexpr uint32_t kTraverseSettingsSize = 432;
constexpr uint32_t kTraverseRecordSize = 240;

JobImage traverse_image(const TraverseJob& job);
// The whole job from an image read by read_job: slots past the image's count are free.
TraverseJob traverse_from_image(const JobImage& image);

}  // namespace calc
