#pragma once
// The drawing table: five retained drawings ("slots" 0 to 4), each a singly linked list of nodes that
// starts with its header node, plus the index of the current drawing. A free slot has no nodes, an empty
// name and the block counter kFreeBlockCounter; the current drawing is -1 while no slot is in use.
//
// Everything runs on the user-interface thread.

#include <cstdint>
#include <memory>
#include <string>

#include "draw/entity.h"

namespace draw {

constexpr int kDrawingSlots = 5;
constexpr int32_t kFreeBlockCounter = 9999999;  // block counter of a free slot
constexpr int kNoDrawing = -1;

// Node types.
constexpr int32_t kNodeHeader = 0;
constexpr int32_t kNodeEntity = 1;
constexpr int32_t kNodeBlock = 7;

// One node of a drawing. Each node owns the rest of the list after it, payload included, so the slot that
// owns the header owns the whole drawing. A list is freed one node at a time, never by recursion: a
// drawing may hold many thousand nodes. The payload lives in the node (one allocation per entity): the
// entity of a type 1 node, the block of a type 7 node; the header's name is the slot's.
struct Node {
    int32_t id = 0;  // 0 for the header, then one more than the node that was last before it
    int32_t type = kNodeHeader;
    int32_t erased = 0;            // 1 once erased by name: never drawn, never found
    Entity entity;                 // type 1
    std::unique_ptr<Block> block;  // type 7
    std::unique_ptr<Node> next;

    ~Node();
};

struct DrawingSlot {
    std::unique_ptr<Node> first;  // header node; null while the slot is free
    Node* last = nullptr;         // borrowed from the list, for appending; null while the slot is free
    std::string name;             // at most 259 characters; empty while free
    int32_t block_counter = kFreeBlockCounter;
};

// Once at start-up (and by tests): frees every node of every slot and leaves all five free, with no
// current drawing.
void dwg_init();

// The slot with that index; REQUIRES: 0 <= index < kDrawingSlots.
DrawingSlot& dwg_slot(int index);
bool dwg_slot_in_use(int index);  // false for an index outside 0..4

// Index of the current drawing, or kNoDrawing.
int dwg_current();
void dwg_set_current(int index);

// Appends a node of `type` to the drawing in use at `index`, with id = (id of the last node) + 1; the new
// node, now the last. REQUIRES: dwg_slot_in_use(index).
Node* dwg_append_node(int index, int32_t type);

// The one block under definition (symbol_blocks.h), or none. Forgotten when its drawing is deleted.
struct BlockUnderDefinition {
    int slot = kNoDrawing;
    Block* block = nullptr;  // borrowed from its node
};
BlockUnderDefinition& dwg_block_under_definition();

}  // namespace draw
