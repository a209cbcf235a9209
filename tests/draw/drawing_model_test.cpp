// The drawing table: its slots own their node lists, freed without recursion however long they are.

#include "draw/drawing_model.h"

#include <gtest/gtest.h>

#include "tests/support/program_state.h"

namespace {

using DrawingModel = testing_support::ProgramStateTest;

TEST_F(DrawingModel, InitFreesAMillionNodeListWithoutRecursionAndFreesTheSlot)
{
    draw::DrawingSlot& slot = draw::dwg_slot(4);
    // Long enough that freeing node by node through the destructors' own recursion would overflow the stack.
    slot.first = std::make_unique<draw::Node>();
    slot.last = slot.first.get();
    for (int32_t id = 1; id < 1000000; ++id) {
        slot.last->next = std::make_unique<draw::Node>();
        slot.last = slot.last->next.get();
        slot.last->id = id;
        slot.last->type = draw::kNodeEntity;
    }
    slot.name = "TRAVERSE";
    draw::dwg_set_current(4);
    EXPECT_TRUE(draw::dwg_slot_in_use(4));

    draw::dwg_init();
    EXPECT_FALSE(draw::dwg_slot_in_use(4));
    EXPECT_EQ(draw::dwg_slot(4).first, nullptr);
    EXPECT_EQ(draw::dwg_slot(4).last, nullptr);
    EXPECT_EQ(draw::dwg_slot(4).name, "");
    EXPECT_EQ(draw::dwg_current(), draw::kNoDrawing);
}

}  // namespace
