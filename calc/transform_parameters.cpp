#include "calc/transform_parameters.h"

#include <cstring>

#include "platform/reset/reset.h"

namespace calc {

namespace {

TransformParameters s_parameters;

// The fields in file order: six words, then nine doubles.
template <class Visit> void each_field(TransformParameters& p, Visit visit)
{
    for (uint32_t* w : {&p.source_from, &p.source_to, &p.target_from, &p.target_to, &p.about_number, &p.reserved})
        visit(w, sizeof *w);
    for (double* d :
        {&p.rotation, &p.about_n, &p.about_e, &p.shift_n, &p.shift_e, &p.shift_el, &p.scale_n, &p.scale_e, &p.scale_el})
        visit(d, sizeof *d);
}

}  // namespace

void encode_transform_block(const TransformParameters& p, uint8_t out[kTransformBlockSize])
{
    TransformParameters copy = p;
    size_t at = 0;
    each_field(copy, [&](void* field, size_t size) {
        std::memcpy(out + at, field, size);  // the host is little-endian, as the file
        at += size;
    });
}

TransformParameters decode_transform_block(const uint8_t in[kTransformBlockSize])
{
    TransformParameters p;
    size_t at = 0;
    each_field(p, [&](void* field, size_t size) {
        std::memcpy(field, in + at, size);
        at += size;
    });
    return p;
}

TransformParameters& transform_parameters()
{
    return s_parameters;
}

namespace {
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_parameters = TransformParameters {}; });
}  // namespace

}  // namespace calc
