#include "draw/drawings.h"

#include <algorithm>

#include "draw/drawing_model.h"
#include "draw/symbol_blocks.h"

namespace draw {
namespace {

std::string_view without_trailing_blanks(std::string_view s)
{
    s = s.substr(0, std::min(s.find('\0'), s.size()));
    while (!s.empty() && (s.back() == ' ' || s.back() == 25))
        s.remove_suffix(1);
    return s;
}

// `name` as a field of `width` would hold it, compared without trailing blanks.
std::string_view as_field(std::string_view name, size_t width)
{
    name = name.substr(0, std::min(name.find('\0'), name.size()));
    return without_trailing_blanks(name.substr(0, width - 1));
}

bool erase(Node* node)
{
    if (node->erased)
        return false;
    node->erased = 1;
    return true;
}

}  // namespace

int dwg_create(std::string_view name)
{
    int index = 0;
    while (index < kDrawingSlots && dwg_slot_in_use(index))
        ++index;
    if (index == kDrawingSlots)
        return kNoDrawing;
    DrawingSlot& slot = dwg_slot(index);
    slot.first = std::make_unique<Node>();  // header: id 0, type 0
    slot.last = slot.first.get();
    slot.name.assign(name.substr(0, std::min({name.find('\0'), name.size(), kDrawingNameLength})));
    slot.block_counter = 0;
    dwg_set_current(index);
    dwg_define_standard_symbols(index);
    return index;
}

void dwg_delete(int index)
{
    if (!dwg_slot_in_use(index))
        return;
    BlockUnderDefinition& defining = dwg_block_under_definition();
    if (defining.slot == index)
        defining = BlockUnderDefinition {};
    DrawingSlot& slot = dwg_slot(index);
    slot.first.reset();
    slot.last = nullptr;
    slot.name.clear();
    slot.block_counter = kFreeBlockCounter;
    if (dwg_current() != index)
        return;
    int next = 0;
    while (next < kDrawingSlots && !dwg_slot_in_use(next))
        ++next;
    dwg_set_current(next < kDrawingSlots ? next : kNoDrawing);
}

int dwg_erase_by_name(int index, std::string_view name)
{
    if (!dwg_slot_in_use(index))
        return -1;
    std::string_view layer = as_field(name, kLayerField);
    std::string_view block = as_field(name, kBlockNameField);
    int count = 0;
    for (Node* node = dwg_slot(index).first.get(); node; node = node->next.get()) {
        if (node->type == kNodeEntity && without_trailing_blanks(field_text(node->entity.layer)) == layer)
            count += erase(node) ? 1 : 0;
        else if (node->type == kNodeBlock && node->block
            && without_trailing_blanks(field_text(node->block->name)) == block)
            count += erase(node) ? 1 : 0;
    }
    return count;
}

}  // namespace draw
