// The view extents of the open coordinate file.

#include <cmath>
#include <limits>

#include "platform/reset/reset.h"
#include "store/view_extents.h"

namespace store {

namespace {

struct ExtentsState {
    ViewExtents extents;  // whole units of the coordinate file
    bool valid = false;   // set for the open file; cleared when another is opened
};

ExtentsState s_extents;

int32_t truncate_to_whole(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);  // truncates toward zero
}

}  // namespace

void view_extents_set(double min_e, double min_n, double max_e, double max_n)
{
    s_extents.extents.left = truncate_to_whole(min_e);
    s_extents.extents.top = truncate_to_whole(max_n);
    s_extents.extents.right = truncate_to_whole(max_e);
    s_extents.extents.bottom = truncate_to_whole(min_n);
    s_extents.valid = true;
}

void view_extents_get(double* min_e, double* min_n, double* max_e, double* max_n)
{
    *min_e = s_extents.extents.left;
    *min_n = s_extents.extents.bottom;
    *max_e = s_extents.extents.right;
    *max_n = s_extents.extents.top;
}

void view_extents_extend(double e, double n)
{
    ViewExtents& x = s_extents.extents;
    if (e < x.left)
        x.left = truncate_to_whole(e);
    if (e > x.right)
        x.right = truncate_to_whole(e);
    if (n < x.bottom)
        x.bottom = truncate_to_whole(n);
    if (n > x.top)
        x.top = truncate_to_whole(n);
}

ViewExtents view_extents()
{
    return s_extents.extents;
}

bool view_extents_valid()
{
    return s_extents.valid;
}

void view_extents_invalidate()
{
    s_extents.valid = false;
}

void view_extents_reset_for_tests()
{
    s_extents = ExtentsState();
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, view_extents_reset_for_tests);

}  // namespace store
