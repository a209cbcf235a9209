#include "calc/transform_job.h"

namespace calc {

const JobType kTransformParamsJob {
    u"TRAN0", uint32_t(kTransformBlockSize), 0, u"Save Transform", u"Not a Parameter Transform file.", false, false};
const JobType kTransformPointsJob {
    u"TRAN0", uint32_t(kTransformBlockSize), 0, u"Save Transform", u"Not a Parameter Transform file.", false, true};

JobImage transform_image(const TransformParameters& p)
{
    JobImage image;
    image.settings.resize(kTransformBlockSize);
    encode_transform_block(p, image.settings.data());
    return image;
}

TransformParameters transform_from_image(const JobImage& image)
{
    if (image.settings.size() < kTransformBlockSize)
        return TransformParameters {};
    return decode_transform_block(image.settings.data());
}

}  // namespace calc
