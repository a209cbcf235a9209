#pragma once
// The transform job file, type "TRAN0": the 96-byte parameter block (calc/transform_parameters.h) and no
// table. The two transformation dialogs share the block and the path; the control-point dialog forgets the
// path when it is left.

#include "calc/job_file.h"
#include "calc/transform_parameters.h"

namespace calc {

extern const JobType kTransformParamsJob;
extern const JobType kTransformPointsJob;

JobImage transform_image(const TransformParameters& p);
// The block of an image read by read_job.
TransformParameters transform_from_image(const JobImage& image);

}  // namespace calc
