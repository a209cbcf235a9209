#include "draw/drawing_model.h"

#include <cassert>

#include "platform/reset/reset.h"

namespace draw {
namespace {

struct DrawingTable {
    DrawingSlot slots[kDrawingSlots];   // lives for the whole run; nodes owned by their slot
    int current = kNoDrawing;           // index of the current drawing
};
DrawingTable s_table;

// Frees the node list iteratively: a drawing may hold many thousand nodes.
void free_nodes(DrawingSlot& slot)
{
    Node* node = slot.first;
    while (node) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    slot.first = nullptr;
    slot.last = nullptr;
}

}  // namespace

void dwg_init()
{
    for (DrawingSlot& slot : s_table.slots) {
        free_nodes(slot);
        slot.name.clear();
        slot.name.reserve(260);
        slot.block_counter = kFreeBlockCounter;
    }
    s_table.current = kNoDrawing;
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

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered =
    platform::register_reset(platform::ResetStage::Program, dwg_init);

}  // namespace

}  // namespace draw
