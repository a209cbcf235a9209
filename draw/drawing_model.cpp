#include "draw/drawing_model.h"

#include <cassert>

#include "platform/reset/reset.h"

namespace draw {
namespace {

struct DrawingTable {
    DrawingSlot slots[kDrawingSlots];  // lives for the whole run; nodes owned by their slot
    int current = kNoDrawing;          // index of the current drawing
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

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, dwg_init);

}  // namespace draw
