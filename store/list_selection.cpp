#include "store/list_selection.h"

#include "platform/reset/reset.h"

namespace store {

namespace {

// The one selection of the process; the user-interface thread owns it.
struct SelectionState {
    PointRecord record;
};
SelectionState s_selection;

}  // namespace

const PointRecord& list_selection()
{
    return s_selection.record;
}

void list_selection_clear()
{
    s_selection.record.number = 0;
}

void list_selection_set_point(uint32_t number, double e, double n)
{
    PointRecord picked;
    picked.number = number;
    picked.easting = e;
    picked.northing = n;
    s_selection.record = picked;
}

void list_selection_set_position(double e, double n)
{
    list_selection_set_point(0, e, n);
}

void list_selection_reset_for_tests()
{
    s_selection.record = PointRecord {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, list_selection_reset_for_tests);

}  // namespace store
