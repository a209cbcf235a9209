#include "draw/drawing_model.h"

#include <cassert>

#include "platform/reset/reset.h"

namespace draw {
namespace {

struct DrawingTable {
    DrawingSlot slots[kDrawingSlots];  // lives for the whole run; nodes owned by their slot
    int current = kNoDrawing;          // index of the current drawing
    BlockUnderDefinition defining;     // the block dwg_block_add_* append to
};
DrawingTable s_table;

void free_nodes(DrawingSlot& slot)
{
    slot.first.reset();
    slot.last = nullptr;
}

}  // namespace

Node::~Node()
{
    // Each step detaches the next node before the one holding it goes, so no destructor runs another.
    std::unique_ptr<Node> rest = std::move(next);
    while (rest)
        rest = std::move(rest->next);
}

void dwg_init()
{
    for (DrawingSlot& slot : s_table.slots) {
        free_nodes(slot);
        slot.name.clear();
        slot.name.reserve(260);
        slot.block_counter = kFreeBlockCounter;
    }
    s_table.current = kNoDrawing;
    s_table.defining = BlockUnderDefinition {};
}

DrawingSlot& dwg_slot(int index)
{
    assert(index >= 0 && index < kDrawingSlots);
    return s_table.slots[index];
}

bool dwg_slot_in_use(int index)
{
    return index >= 0 && index < kDrawingSlots && s_table.slots[index].first != nullptr;
}

int dwg_current()
{
    return s_table.current;
}

void dwg_set_current(int index)
{
    s_table.current = (index >= 0 && index < kDrawingSlots) ? index : kNoDrawing;
}

Node* dwg_append_node(int index, int32_t type)
{
    DrawingSlot& slot = dwg_slot(index);
    assert(slot.last);
    auto node = std::make_unique<Node>();
    node->id = slot.last->id + 1;
    node->type = type;
    Node* added = node.get();
    slot.last->next = std::move(node);
    slot.last = added;
    return added;
}

BlockUnderDefinition& dwg_block_under_definition()
{
    return s_table.defining;
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, dwg_init);

}  // namespace draw
