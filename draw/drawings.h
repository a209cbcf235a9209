#pragma once
// Drawings as wholes: creating one in a free slot, deleting one, and erasing what lies on a layer.
// Slot arguments are drawing indices 0 to 4; anything else (the -1 a caller keeps when no slot was free)
// is refused.

#include <string_view>

namespace draw {

constexpr size_t kDrawingNameLength = 259;

// Takes the lowest free slot, names it (cut to 259 characters), creates the header node (id 0), makes it
// the current drawing and defines the four standard symbols in it (ids 1 to 4), so the first entity
// appended gets id 5. Returns the slot, or -1 with nothing changed when all five are in use.
int dwg_create(std::string_view name);

// Frees the drawing with every node and payload and marks the slot free. When it was the current drawing,
// the lowest-indexed other slot in use becomes current, or none (-1). A free slot or an index outside
// 0..4 is ignored, so deleting twice is harmless.
void dwg_delete(int slot);

// Marks erased every entity node whose layer and every block node whose name equals `name`, both stripped
// of trailing blanks (space and the character 25) and `name` cut to the field's width as names are when
// stored. Erased nodes are never drawn nor found; nothing is freed. Returns the number of nodes this call
// erased (a node erased before is not counted again), or -1 for a free slot or an index outside 0..4.
int dwg_erase_by_name(int slot, std::string_view name);

}  // namespace draw
