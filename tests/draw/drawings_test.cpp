// Drawings as the plots use them: slots, ids, the standard symbols, fields cut to their widths, the
// refusals, erasing by layer, the palette and line types, boxes and orientations.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw/drawing_entities.h"
#include "draw/drawing_model.h"
#include "draw/drawings.h"
#include "draw/palette.h"
#include "draw/symbol_blocks.h"
#include "tests/support/program_state.h"

namespace {

using namespace draw;
using Drawings = testing_support::ProgramStateTest;

const Point3 kOrigin {0, 0, 0};

// The last node of the drawing at `slot`.
const Node& last_node(int slot)
{
    return *dwg_slot(slot).last;
}

int32_t add_line_on(int slot, std::string_view layer)
{
    return dwg_add_line(slot, layer, false, "Dash", 1, false, dwg_colour(9), kOrigin, Point3 {1, 1, 0});
}

TEST_F(Drawings, CreateNumbersHeaderAndStandardSymbolsAndRefusesASixth)
{
    EXPECT_EQ(dwg_create("AREA"), 0);
    const char* kinds[] = {"Cross", "Circle", "Square", "Triangle"};
    int id = 0;
    for (const Node* n = dwg_slot(0).first.get(); n; n = n->next.get(), ++id) {
        EXPECT_EQ(n->id, id);
        EXPECT_EQ(n->type, id == 0 ? kNodeHeader : kNodeBlock);
        if (id > 0) {
            EXPECT_EQ(field_text(n->block->name), kinds[id - 1]);
        }
    }
    EXPECT_EQ(id, 5);
    EXPECT_EQ(dwg_slot(0).block_counter, 4);
    EXPECT_EQ(add_line_on(0, "0"), 5);
    EXPECT_EQ(add_line_on(0, "0"), 6);

    for (int i = 1; i < kDrawingSlots; ++i)
        EXPECT_EQ(dwg_create("D" + std::to_string(i)), i);
    EXPECT_EQ(dwg_current(), 4);
    EXPECT_EQ(dwg_create("SIXTH"), kNoDrawing);
    EXPECT_EQ(dwg_current(), 4);
    EXPECT_EQ(dwg_slot(0).name, "AREA");
    EXPECT_EQ(dwg_slot(0).last->id, 6);
    EXPECT_EQ(dwg_create(std::string(300, 'N')), kNoDrawing);
    dwg_delete(2);
    EXPECT_EQ(dwg_create(std::string(300, 'N')), 2);  // the lowest free slot
    EXPECT_EQ(dwg_slot(2).name, std::string(259, 'N'));
}

TEST_F(Drawings, DeletingMovesTheCurrentDrawingToTheLowestSlotInUse)
{
    for (int i = 0; i < 3; ++i)
        dwg_create("D");
    EXPECT_EQ(dwg_current(), 2);
    dwg_delete(0);  // not current: stays
    EXPECT_EQ(dwg_current(), 2);
    dwg_delete(2);
    EXPECT_EQ(dwg_current(), 1);
    for (int bad : {-1, 5, 7, 2})
        dwg_delete(bad);  // ignored, as is a free slot
    EXPECT_TRUE(dwg_slot_in_use(1));
    dwg_delete(1);
    dwg_delete(1);
    EXPECT_EQ(dwg_current(), kNoDrawing);
    EXPECT_EQ(dwg_slot(1).block_counter, kFreeBlockCounter);
    EXPECT_EQ(dwg_slot(1).name, "");
}

TEST_F(Drawings, EverySlotOutsideZeroToFourOrFreeIsRefused)
{
    dwg_create("COGO_DWG");
    dwg_delete(0);
    dwg_create("X");  // slot 0 again; slots 1 to 4 free
    for (int slot : {-1, -2, 1, 4, 5, 1000}) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(add_line_on(slot, "0"), -1);
        EXPECT_EQ(dwg_add_circle(slot, "0", false, "Solid", 1, false, 0, kOrigin, 1), -1);
        EXPECT_EQ(dwg_add_arc(slot, "0", false, "Solid", 1, false, 0, kOrigin, Point3 {0, 1, 0}, Point3 {1, 0, 0}), -1);
        EXPECT_EQ(dwg_add_text(slot, "0", false, "A", "Courier", -12, -8, 0, kOrigin, 0, 0, 6, 90), -1);
        EXPECT_EQ(dwg_insert_symbol(slot, "0", false, "Cross", kOrigin, 1, 1, 1, 0), -1);
        EXPECT_EQ(dwg_insert_symbol_fitted(slot, "0", "Cross", kOrigin, 1, 1, 0), -1);
        EXPECT_EQ(dwg_erase_by_name(slot, "0"), -1);
        EXPECT_EQ(dwg_find_block(slot, "Cross"), nullptr);
        dwg_block_add_line(slot, "Mine", "0", "Solid", 0, 1, kOrigin, Point3 {1, 0, 0});
        dwg_block_end();
    }
    EXPECT_EQ(dwg_slot(0).last->id, 4);  // nothing reached slot 0
    // Nothing infinite or NaN is stored.
    const double nan = std::nan(""), inf = INFINITY;
    EXPECT_EQ(dwg_add_line(0, "0", false, "Solid", 1, false, 0, Point3 {nan, 0, 0}, kOrigin), -1);
    EXPECT_EQ(dwg_add_circle(0, "0", false, "Solid", 1, false, 0, kOrigin, inf), -1);
    EXPECT_EQ(dwg_add_text(0, "0", false, "A", "Courier", nan, -8, 0, kOrigin, 0, 0, 6, 90), -1);
    EXPECT_EQ(dwg_insert_symbol(0, "0", false, "Cross", kOrigin, 1, 1, 1, inf), -1);
    EXPECT_EQ(dwg_insert_symbol(0, "0", false, "NoSuch", kOrigin, 1, 1, 1, 0), -1);
    EXPECT_EQ(dwg_add_text(0, "0", false, "", "Courier", -12, -8, 0, kOrigin, 0, 0, 6, 90), 0);
    EXPECT_EQ(dwg_slot(0).last->id, 4);
}

TEST_F(Drawings, NamesAreCutToTheirFieldsAndTextIsTheRecordsOwnCopy)
{
    dwg_create("X");
    add_line_on(0, "LAYERNAMEISLONG");
    EXPECT_EQ(field_text(last_node(0).entity.layer), "LAYERNAME");
    dwg_add_circle(0, "0", false, std::string(30, 'L'), 1, true, 0, kOrigin, 2);
    EXPECT_EQ(field_text(last_node(0).entity.line_type), std::string(21, 'L'));
    EXPECT_EQ(last_node(0).entity.flags, kFlagHairline);
    std::string text = "1001";
    dwg_add_text(0, "0", false, text, "CourierNewWithAVeryLongName", 2, 0, 0, kOrigin, 1, 2, 6, 90);
    text[0] = 'X';
    const Entity& e = last_node(0).entity;
    EXPECT_STREQ(e.geometry.text.text, "1001");
    EXPECT_EQ(field_text(e.geometry.text.face), "CourierNewWithA");  // 15 characters
    EXPECT_EQ(field_text(e.line_type), "");
    EXPECT_EQ(e.width_code, 0);
    EXPECT_EQ(e.geometry.text.orientation, 0.0f);  // rotation 90: horizontal, stored as the baseline east
    // A 15-character block name is found; a longer one is not that block.
    dwg_block_add_line(0, "FIFTEEN_CHARS_X", "0", "Solid", 0, 1, kOrigin, Point3 {1, 0, 0});
    dwg_block_end();
    EXPECT_NE(dwg_find_block(0, "FIFTEEN_CHARS_X"), nullptr);
    EXPECT_EQ(dwg_find_block(0, "FIFTEEN_CHARS_XY"), nullptr);
    EXPECT_EQ(dwg_find_block(0, "cross"), nullptr);  // case-sensitive
}

TEST_F(Drawings, EraseByNameMarksLayersAndBlocksWithoutFreeing)
{
    dwg_create("COGO_DWG");
    add_line_on(0, "COGO");
    add_line_on(0, "COGO_TMP");
    add_line_on(0, "COGO");
    EXPECT_EQ(dwg_erase_by_name(0, "COGO  \x19"), 2);
    EXPECT_EQ(dwg_erase_by_name(0, "COGO"), 0);  // already erased
    int erased = 0, nodes = 0;
    for (const Node* n = dwg_slot(0).first.get(); n; n = n->next.get(), ++nodes)
        erased += n->erased;
    EXPECT_EQ(erased, 2);
    EXPECT_EQ(nodes, 8);
    EXPECT_EQ(dwg_erase_by_name(0, "Cross"), 1);
    EXPECT_EQ(dwg_find_block(0, "Cross"), nullptr);
    EXPECT_EQ(dwg_insert_symbol(0, "COGO", false, "Cross", kOrigin, -10, -10, 1, 0), -1);
    add_line_on(0, "LAYERNAMEISLONG");  // stored as "LAYERNAME": erased by the name it was given
    EXPECT_EQ(dwg_erase_by_name(0, "LAYERNAMEISLONG"), 1);
}

TEST_F(Drawings, ABlockUnderDefinitionDiesWithItsDrawing)
{
    dwg_create("A");
    dwg_create("B");
    dwg_block_add_line(0, "Mine", "0", "Solid", 0, 1, kOrigin, Point3 {2, 0, 0});
    dwg_delete(0);  // without dwg_block_end
    dwg_block_add_line(1, "Mine", "0", "Solid", 0, 1, kOrigin, Point3 {0, 3, 0});
    dwg_block_end();
    const Block* b = dwg_find_block(1, "Mine");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->members.size(), 1u);
    EXPECT_EQ(dwg_slot(1).block_counter, 5);
    EXPECT_EQ(b->extents.max_y, 3);
    EXPECT_EQ(b->extents.max_x, 0);
}

TEST_F(Drawings, PaletteAndLineTypes)
{
    EXPECT_EQ(dwg_colour(0), 0x000000u);
    EXPECT_EQ(dwg_colour(1), 0xFFFFFFu);
    EXPECT_EQ(dwg_colour(5), 0x000080u);   // dark Red: R in the low byte
    EXPECT_EQ(dwg_colour(12), 0xC00000u);  // Blue: B in the third byte
    EXPECT_EQ(dwg_colour(19), 0x00FFFFu);  // light Yellow
    EXPECT_EQ(dwg_colour(22), 0xFF00FFu);
    EXPECT_EQ(dwg_colour(23), 0u);
    EXPECT_EQ(dwg_colour(-1), 0u);
    EXPECT_EQ(dwg_pen_style("Solid"), LineStyle::Solid);
    EXPECT_EQ(dwg_pen_style(" dash\x19 "), LineStyle::Dash);
    EXPECT_EQ(dwg_pen_style("None"), LineStyle::Null);
    EXPECT_EQ(dwg_pen_style("Dashed"), LineStyle::Solid);
    EXPECT_EQ(dwg_pen_style(std::string(47, ' ') + "DASH"), LineStyle::Dash);   // 51 characters
    EXPECT_EQ(dwg_pen_style(std::string(48, ' ') + "DASH"), LineStyle::Solid);  // cut to "DAS"
}

void expect_box(const Box& b, double min_x, double min_y, double max_x, double max_y)
{
    EXPECT_NEAR(b.min_x, min_x, 1e-9);
    EXPECT_NEAR(b.min_y, min_y, 1e-9);
    EXPECT_NEAR(b.max_x, max_x, 1e-9);
    EXPECT_NEAR(b.max_y, max_y, 1e-9);
}

TEST_F(Drawings, BoxesOfArcsSymbolsAndText)
{
    dwg_create("X");
    // Clockwise from north to east: a quarter; from east to north: three quarters.
    dwg_add_arc(0, "0", false, "Solid", 1, false, 0, kOrigin, Point3 {0, 1, 0}, Point3 {1, 0, 0});
    expect_box(last_node(0).entity.box, 0, 0, 1, 1);
    dwg_add_arc(0, "0", false, "Solid", 1, false, 0, kOrigin, Point3 {1, 0, 0}, Point3 {0, 1, 0});
    expect_box(last_node(0).entity.box, -1, -1, 1, 1);

    const Block* triangle = dwg_find_block(0, "Triangle");
    expect_box(triangle->extents, -0.4330127, -0.25, 0.4330127, 0.5);
    dwg_insert_symbol_fitted(0, "0", "Triangle", Point3 {5, 6, 0}, -3, -3, 0);
    const SymbolGeometry& fitted = last_node(0).entity.geometry.symbol;
    EXPECT_DOUBLE_EQ(fitted.scale_x, -3 / 0.8660254);
    EXPECT_DOUBLE_EQ(fitted.scale_y, -3 / 0.75);
    EXPECT_EQ(fitted.orientation, 0.0f);  // the direction as given
    expect_box(last_node(0).entity.box, 5, 6, 5, 6);

    dwg_insert_symbol(0, "0", false, "Cross", Point3 {7, 8, 0}, -10, -10, 5, 0);
    EXPECT_EQ(last_node(0).entity.geometry.symbol.scale_z, 1.0);
    EXPECT_EQ(last_node(0).entity.geometry.symbol.orientation, 90.0f);
    expect_box(last_node(0).entity.box, 7, 8, 7, 8);
    // A square of side 2 turned by 45 degrees: a diamond reaching sqrt(2).
    dwg_insert_symbol(0, "0", false, "Square", Point3 {10, 10, 0}, 2, 2, 1, 45 + 720);
    EXPECT_FLOAT_EQ(last_node(0).entity.geometry.symbol.orientation, 45.0f);
    double r = std::sqrt(2.0);
    expect_box(last_node(0).entity.box, 10 - r, 10 - r, 10 + r, 10 + r);

    // Text 2 high, 1 wide, three characters, lower-left at (1, 2) + (3, 4); turned to read north.
    dwg_add_text(0, "0", false, "abc", "Arial", 2, 1, 0, Point3 {1, 2, 0}, 3, 4, kAnchorLowerLeft, 90);
    expect_box(last_node(0).entity.box, 4, 6, 8, 8);
    dwg_add_text(0, "0", false, "abc", "Arial", 2, 1, 0, Point3 {1, 2, 0}, 3, 4, kAnchorLowerLeft, 0);
    EXPECT_FLOAT_EQ(last_node(0).entity.geometry.text.orientation, 90.0f);
    expect_box(last_node(0).entity.box, 2, 6, 4, 10);
    dwg_add_text(0, "0", false, "abc", "Arial", 2, 1, 0, Point3 {1, 2, 0}, 0, 0, kAnchorUpperRight, -270);
    expect_box(last_node(0).entity.box, -3, 0, 1, 2);
}

}  // namespace
