#pragma once
// The area job file, type "AREA". Body after the header:
//
//   offset   0  144  settings block: three 40-byte texts (reserved, projection factor, units factor), two
//                    reserved integers at 120, the two factors as doubles at 128
//   offset 144    4  count N
//   offset 148 12 N  slots: in use (4), point number (4), point type (4)

#include "calc/area.h"
#include "calc/job_file.h"

namespace calc {

extern const JobType kAreaJob;

constexpr uint32_t kAreaSettingsSize = 144;
constexpr uint32_t kAreaRecordSize = 12;

JobImage area_image(const AreaJob& job);
// The whole job from an image read by read_job: slots past the image's count are free.
AreaJob area_from_image(const JobImage& image);

}  // namespace calc
