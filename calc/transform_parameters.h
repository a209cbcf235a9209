#pragma once
// The transform parameters: rotation about a point, a scale and a shift per axis, and the point ranges they
// are applied over. One block for the whole run, shared by the parameters dialog and the control-point
// fit, saved as the 96-byte body of a "TRAN0" job (little-endian):
//
//   offset  size  field                         offset  size  field
//   0       4     source From Pt#               40      8     About point E
//   4       4     source To Pt#                 48      8     shift N
//   8       4     target From Pt#               56      8     shift E
//   12      4     target To Pt# (not used)      64      8     shift El
//   16      4     About Pt number (0: none)     72      8     scale N
//   20      4     reserved                      80      8     scale E
//   24      8     rotation (radians, clockwise) 88      8     scale El
//   32      8     About point N

#include <cstddef>
#include <cstdint>

namespace calc {

// The value of an About point or a residual that has none (shown as an empty field).
constexpr double kUnset = -987654321.1234568;
inline bool is_unset(double v)
{
    return v == kUnset;
}

struct TransformParameters {
    uint32_t source_from = 0;
    uint32_t source_to = 0;
    uint32_t target_from = 0;
    uint32_t target_to = 0;
    uint32_t about_number = 0;
    uint32_t reserved = 0;
    double rotation = 0.0;
    double about_n = kUnset;
    double about_e = kUnset;
    double shift_n = 0.0;
    double shift_e = 0.0;
    double shift_el = 0.0;
    double scale_n = 1.0;
    double scale_e = 1.0;
    double scale_el = 1.0;
};

constexpr size_t kTransformBlockSize = 96;

void encode_transform_block(const TransformParameters& p, uint8_t out[kTransformBlockSize]);
TransformParameters decode_transform_block(const uint8_t in[kTransformBlockSize]);

// The block of the run (back to the initial values when the program state is reset).
TransformParameters& transform_parameters();

}  // namespace calc
