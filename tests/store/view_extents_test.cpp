// View extents: whole numbers by truncation toward zero, moved outwards only, validity kept apart.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/view_extents.h"

#include "tests/support/program_state.h"

using namespace store;

namespace {

using ViewExtentsTest = testing_support::ProgramStateTest;

TEST_F(ViewExtentsTest, SetTruncatesTowardZeroAndMarksValid)
{
    EXPECT_FALSE(view_extents_valid());
    view_extents_set(-5.7, -10.2, 100.9, 200.99);
    EXPECT_TRUE(view_extents_valid());
    ViewExtents x = view_extents();
    EXPECT_EQ(x.left, -5);
    EXPECT_EQ(x.bottom, -10);
    EXPECT_EQ(x.right, 100);
    EXPECT_EQ(x.top, 200);
    double a, b, c, d;
    view_extents_get(&a, &b, &c, &d);
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, -10);
    EXPECT_EQ(c, 100);
    EXPECT_EQ(d, 200);
    view_extents_invalidate();
    EXPECT_FALSE(view_extents_valid());
}

TEST_F(ViewExtentsTest, ExtendMovesBoundsOutwardsOnlyAndKeepsValidity)
{
    view_extents_set(0, 0, 10, 10);
    view_extents_invalidate();
    view_extents_extend(5, 5);
    view_extents_extend(-3.5, 12.5);
    view_extents_extend(20, -1.5);
    ViewExtents x = view_extents();
    EXPECT_EQ(x.left, -3);
    EXPECT_EQ(x.top, 12);
    EXPECT_EQ(x.right, 20);
    EXPECT_EQ(x.bottom, -1);
    EXPECT_FALSE(view_extents_valid());
}

TEST_F(ViewExtentsTest, ValuesBeyondWholeNumbersAreHeldAtTheEnds)
{
    view_extents_set(-1e300, std::nan(""), 1e300, std::numeric_limits<double>::infinity());
    ViewExtents x = view_extents();
    EXPECT_EQ(x.left, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(x.bottom, 0);
    EXPECT_EQ(x.right, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(x.top, std::numeric_limits<int32_t>::max());
}

}  // namespace
