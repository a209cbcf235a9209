#include "resources/strings.h"

#include <gtest/gtest.h>

#include "tests/support/program_state.h"

namespace {

using resources::add_string;
using resources::load_string;

using StringTable = testing_support::ProgramStateTest;

TEST_F(StringTable, TextIsCutToTheBufferLessItsTerminator)
{
    add_string(1, u"Varno");
    EXPECT_EQ(load_string(1, 100), u"Varno");
    EXPECT_EQ(load_string(1, 6), u"Varno");
    EXPECT_EQ(load_string(1, 5), u"Varn");
    EXPECT_EQ(load_string(1, 1), u"");
    EXPECT_EQ(load_string(1, 0), u"");
    EXPECT_EQ(load_string(1, -3), u"");
}

TEST_F(StringTable, UnknownIdsAreEmptyAndAddingReplaces)
{
    EXPECT_EQ(load_string(3, 100), u"");
    add_string(3, u"XX");
    add_string(3, u"MV");
    EXPECT_EQ(load_string(3, 100), u"MV");
    EXPECT_EQ(load_string(4, 100), u"");
}

}  // namespace
