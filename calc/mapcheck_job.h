#pragma once
// The map check job file, type "MAPCHK". Body after the header:
//
//   offset   0  240  settings block: five 40-byte texts (reserved, "1.0", "1.0", start N, start E) and
//                    five doubles at 200 (reserved 0.0, 1.0, 1.0, start N, start E)
//   offset 240    4  count N
//   offset 244 92 N  slots: in use (4), to point (4), azimuth text (40), distance text (40), type (4)

#include "calc/job_file.h"
#include "calc/mapcheck.h"

namespace calc {

extern const JobType kMapCheckJob;

constexpr uint32_t kMapCheckSettingsSize = 240;
constexpr uint32_t kMapCheckRecordSize = 92;

JobImage map_check_image(const MapCheckJob& job);
// The whole job from an image read by read_job: slots past the image's count are free.
MapCheckJob map_check_from_image(const JobImage& image);

}  // namespace calc
