// The point editor, its prompts, the point list and the statistics, driven as a user drives them.

#include <gtest/gtest.h>

#include <optional>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/display_settings.h"
#include "platform/controls/controls.h"
#include "platform/driver/driver.h"
#include "resources/resources.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/point_edit_dialog.h"
#include "store/point_index.h"
#include "store/point_list_dialog.h"
#include "store/point_prompts.h"
#include "store/statistics_dialog.h"
#include "store/view_extents.h"
#include "tests/store/point_files.h"
#include "tests/store/store_fixture.h"
#include "tests/support/program_harness.h"

namespace {

using platform::driver::Driver;
using Strings = std::vector<std::string>;
using testing_support::program_log;

// A small program: a main window whose commands open the point editor (plain, or with a point handed in),
// the point list, the statistics and the three prompts, with the program's resources installed. What the
// prompts answered goes into the program log.
namespace prog {

constexpr int kOpenEditor = 900;
constexpr int kOpenEditorWithPoint = 901;  // point 77 at E 1234.5, N 6789.25
constexpr int kOpenList = 902;
constexpr int kOpenStatistics = 903;  // with the last chosen name "Lot9.dat"
constexpr int kAskOverwrite = 904;
constexpr int kAskDelete = 905;
constexpr int kAskRenumber = 906;  // with the text "Pt#12 exists.  Enter new pt#."
// The calls that answer: pick_point, ask_overwrite (with the text "Replace?"), ask_delete, ask_renumber
// (with the text "Pt#7 exists.").
constexpr int kPickPoint = 907;
constexpr int kAskOverwriteAnswer = 908;
constexpr int kAskDeleteAnswer = 909;
constexpr int kAskRenumberAnswer = 910;

std::string yes_no(bool yes)
{
    return yes ? "yes" : "no";
}

// The calls that answer, with what they answered; the list selection is still written beside the answer.
// Logs "picked <number> <name> <selection number>" or "picked none <selection number>", "yes" or "no",
// "renumber to <number>" or "renumber skipped".
void ask(platform::ui::Hwnd main, int id)
{
    if (id == kPickPoint) {
        std::optional<store::PointRecord> p = store::pick_point(main);
        const std::string picked = p ? std::to_string(p->number) + " " + p->name : "none";
        program_log().push_back("picked " + picked + " " + std::to_string(store::list_selection().number));
    } else if (id == kAskOverwriteAnswer) {
        program_log().push_back(yes_no(store::ask_overwrite(main, u"Replace?")));
    } else if (id == kAskDeleteAnswer) {
        program_log().push_back(yes_no(store::ask_delete(main)));
    } else if (std::optional<uint32_t> number = store::ask_renumber(main, u"Pt#7 exists.")) {
        program_log().push_back("renumber to " + std::to_string(*number));
    } else {
        program_log().push_back("renumber skipped");
    }
}

// Logs "overwrite <dialog result> <yes|no>", "delete ...", "renumber <result> <yes|no> <number>",
// "list <picked number>", "editor closed".
void on_command(platform::ui::Hwnd main, int id)
{
    switch (id) {
    case kOpenEditor:
        store::run_point_edit(main);
        program_log().push_back("editor closed");
        return;
    case kOpenEditorWithPoint:
        store::run_point_edit_with_point(main, 77, 1234.5, 6789.25);
        program_log().push_back("editor closed");
        return;
    case kOpenList:
        store::run_point_list(main);
        program_log().push_back("list " + std::to_string(store::list_selection().number));
        return;
    case kOpenStatistics:
        store::run_statistics(main, u"Lot9.dat");
        return;
    case kAskOverwrite: {
        int result = store::run_overwrite_prompt(main);
        program_log().push_back("overwrite " + std::to_string(result) + " " + yes_no(store::overwrite_confirmed()));
        return;
    }
    case kAskDelete: {
        int result = store::run_delete_prompt(main);
        program_log().push_back("delete " + std::to_string(result) + " " + yes_no(store::delete_confirmed()));
        return;
    }
    case kAskRenumber: {
        store::set_renumber_prompt_text(u"Pt#12 exists.  Enter new pt#.");
        int result = store::run_renumber_prompt(main);
        program_log().push_back("renumber " + std::to_string(result) + " " + yes_no(store::renumber_chosen()) + " "
            + std::to_string(store::renumber_new_number()));
        return;
    }
    case kPickPoint:
    case kAskOverwriteAnswer:
    case kAskDeleteAnswer:
    case kAskRenumberAnswer:
        ask(main, id);
        return;
    default:
        return;
    }
}

int program()
{
    return testing_support::run_test_program(
        u"PointTestMain", testing_support::command_window(on_command), resources::install_all);
}

}  // namespace prog

class PointDialogTest : public testing_support::WithProgram<StoreTest> {
protected:
    Driver& start() { return WithProgram::start(prog::program); }

    // The seven fields of the editor: number, name, N, E, El, note, code.
    void expect_fields(const Strings& values)
    {
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_OK(d().expect_text(1011 + int(i), values[i]));
    }
    void expect_number_shown(const std::string& number) { EXPECT_OK(d().expect_text(1011, number)); }

    store::PointRecord stored(uint32_t number)
    {
        store::PointRecord p;
        int found = 0;
        EXPECT_TRUE(d().inspect([&] { found = store::point_read_by_number(number, &p); }));
        if (found != 1)
            p.number = 0;
        return p;
    }

    void open_editor(const std::vector<uint32_t>& numbers)
    {
        ASSERT_TRUE(point_files::create_with_numbers(numbers));
        start();
        ASSERT_OK(d().command(prog::kOpenEditor));
        ASSERT_OK(d().expect_window("PT_EDIT"));
    }
};

// ---- The editor: showing and stepping --------------------------------------------------------------

TEST_F(PointDialogTest, TheEditorOpensOnTheFirstPointAndStepsInNumberOrder)
{
    store::PointRecord p2 = point_files::point(2, "TREE", "OAK", "by the gate");
    ASSERT_TRUE(point_files::create_with({point_files::point(5), p2, point_files::point(1)}));
    start();
    ASSERT_OK(d().command(prog::kOpenEditor));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    expect_fields({"1", "", "5001.000", "1001.000", "11.000", "", ""});
    ASSERT_OK(d().click("Next"));
    expect_fields({"2", "TREE", "5002.000", "1002.000", "12.000", "by the gate", "OAK"});
    ASSERT_OK(d().click("Next"));
    expect_number_shown("5");
    // Past the last point the fields are cleared.
    ASSERT_OK(d().click("Next"));
    expect_fields({"", "", "", "", "", "", ""});
    EXPECT_EQ(store::point_edit_current().number, 0u);
    ASSERT_OK(d().click("Last"));
    expect_number_shown("5");
    ASSERT_OK(d().click("Prev"));
    expect_number_shown("2");
    ASSERT_OK(d().click("First"));
    expect_number_shown("1");
    ASSERT_OK(d().menu("Cancel"));
    EXPECT_OK(d().expect_window("main"));
    EXPECT_EQ(log(), Strings {"editor closed"});
}

TEST_F(PointDialogTest, GetReadsTheTypedNumberOrClears)
{
    open_editor({3, 8});
    ASSERT_OK(d().type(1011, "8"));
    ASSERT_OK(d().click("Get"));
    expect_fields({"8", "", "5008.000", "1008.000", "18.000", "", ""});
    ASSERT_OK(d().type(1011, "  +3xyz"));
    ASSERT_OK(d().click("Get"));
    expect_number_shown("3");
    ASSERT_OK(d().type(1011, "4"));
    ASSERT_OK(d().click("Get"));
    expect_fields({"", "", "", "", "", "", ""});
}

TEST_F(PointDialogTest, AnEmptyFileOpensWithEmptyFieldsAndGetDoesNothingWithoutAFile)
{
    open_editor({});
    expect_fields({"", "", "", "", "", "", ""});
    ASSERT_OK(d().menu("Cancel"));
    ASSERT_TRUE(d().inspect([] { store::coord_close(); }));
    ASSERT_OK(d().command(prog::kOpenEditor));
    ASSERT_OK(d().type(1012, "KEEP"));
    ASSERT_OK(d().type(1011, "1"));
    ASSERT_OK(d().click("Get"));
    EXPECT_OK(d().expect_text(1012, "KEEP"));
    ASSERT_OK(d().menu("Save"));
    EXPECT_OK(d().expect_window("PT_EDIT"));
}

TEST_F(PointDialogTest, OpeningSetsInvalidViewExtentsFromThePointsWidenedByATenth)
{
    store::PointRecord a = point_files::point(1), b = point_files::point(2);
    a.easting = 0;
    a.northing = 0;
    b.easting = 100;
    b.northing = 50;
    ASSERT_TRUE(point_files::create_with({a, b}));
    store::view_extents_invalidate();
    start();
    ASSERT_OK(d().command(prog::kOpenEditor));
    store::ViewExtents v;
    bool valid = false;
    ASSERT_TRUE(d().inspect([&] {
        v = store::view_extents();
        valid = store::view_extents_valid();
    }));
    EXPECT_TRUE(valid);
    EXPECT_EQ(v.left, -10);
    EXPECT_EQ(v.right, 110);
    EXPECT_EQ(v.bottom, -5);
    EXPECT_EQ(v.top, 55);
}

TEST_F(PointDialogTest, ValidViewExtentsAndFilesWithoutPointsLeaveTheExtentsAlone)
{
    ASSERT_TRUE(point_files::create_with_numbers({1, 2}));
    store::view_extents_set(-1, -2, 3, 4);
    start();
    ASSERT_OK(d().command(prog::kOpenEditor));
    ASSERT_OK(d().menu("Cancel"));
    store::ViewExtents v;
    ASSERT_TRUE(d().inspect([&] { v = store::view_extents(); }));
    EXPECT_EQ(v.left, -1);
    EXPECT_EQ(v.top, 4);

    ASSERT_TRUE(d().inspect([] {
        store::coord_create(point_files::kLotPath);
        store::view_extents_invalidate();
    }));
    ASSERT_OK(d().command(prog::kOpenEditor));
    bool valid = true;
    ASSERT_TRUE(d().inspect([&] { valid = store::view_extents_valid(); }));
    EXPECT_FALSE(valid);
}

// ---- Save, overwrite, delete -----------------------------------------------------------------------

TEST_F(PointDialogTest, SaveStoresANewPointTrimmedWithAnEmptyElevationAsZero)
{
    open_editor({1});
    ASSERT_OK(d().type(1011, "10"));
    ASSERT_OK(d().type(1012, "NEW   "));
    ASSERT_OK(d().type(1013, "200.5"));
    ASSERT_OK(d().type(1014, " 100.25 "));
    ASSERT_OK(d().type(1015, ""));
    ASSERT_OK(d().type(1016, "note\t "));
    ASSERT_OK(d().type(1017, "CD"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_box("Save pt", "Pt saved."));
    ASSERT_OK(d().answer("ok"));
    store::PointRecord p = stored(10);
    ASSERT_EQ(p.number, 10u);
    EXPECT_STREQ(p.name, "NEW");
    EXPECT_STREQ(p.note, "note");
    EXPECT_STREQ(p.code, "CD");
    EXPECT_EQ(p.northing, 200.5);
    EXPECT_EQ(p.easting, 100.25);
    EXPECT_EQ(p.elevation, 0.0);
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
    ASSERT_TRUE(d().inspect([&] { store::view_extents_get(&min_e, &min_n, &max_e, &max_n); }));
    EXPECT_LE(min_e, 100.0);
    EXPECT_LE(min_n, 200.0);
}

TEST_F(PointDialogTest, SavingOverAnExistingPointAsksAndCancelLeavesItAlone)
{
    open_editor({4});
    ASSERT_OK(d().type(1011, "4"));
    ASSERT_OK(d().type(1012, "CHANGED"));
    ASSERT_OK(d().type(1013, "1.5"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_window("OVERWRITE_PT"));
    EXPECT_OK(d().expect_text(1214, "Point exists.  Overwrite?"));
    ASSERT_OK(d().click("Cancel"));
    EXPECT_OK(d().expect_window("PT_EDIT"));
    store::PointRecord kept = stored(4);
    EXPECT_STREQ(kept.name, "");
    EXPECT_EQ(kept.northing, 5004.0);

    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_window("OVERWRITE_PT"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().expect_box("Save pt", "Pt overwritten."));
    ASSERT_OK(d().answer("ok"));
    store::PointRecord changed = stored(4);
    EXPECT_STREQ(changed.name, "CHANGED");
    EXPECT_EQ(changed.northing, 1.5);
    // The E field still shows the old value, which stays.
    EXPECT_EQ(changed.easting, 1004.0);
}

TEST_F(PointDialogTest, ACoordinateThatDoesNotParseKeepsTheStoredValue)
{
    open_editor({6});
    ASSERT_OK(d().type(1011, "6"));
    ASSERT_OK(d().type(1013, "12x"));
    ASSERT_OK(d().type(1014, "1e2"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().answer("ok"));
    store::PointRecord p = stored(6);
    EXPECT_EQ(p.northing, 5006.0);
    EXPECT_EQ(p.easting, 100.0);
}

TEST_F(PointDialogTest, FieldsAreReadOnlyUpToTheirLimits)
{
    open_editor({});
    ASSERT_OK(d().type(1011, "12345678901"));  // typing stops at the ten digits the field reads
    EXPECT_OK(d().expect_text(1011, "1234567890"));
    ASSERT_OK(d().type(1012, "ABCDEFGHIJKLMNOPQRS"));
    ASSERT_OK(d().type(1013, "1234567.1234567"));
    ASSERT_OK(d().type(1016, "0123456789abcdefghij"));
    ASSERT_OK(d().type(1017, "CODECODECODECODE"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_box("Save pt", "Pt saved."));
    ASSERT_OK(d().answer("ok"));
    store::PointRecord p = stored(1234567890);
    ASSERT_EQ(p.number, 1234567890u);
    EXPECT_STREQ(p.name, "ABCDEFGHIJKLMN");
    EXPECT_DOUBLE_EQ(p.northing, 1234567.1234567);  // coordinates are read whole: no digit is lost
    EXPECT_STREQ(p.note, "0123456789abcdef");
    EXPECT_STREQ(p.code, "CODECODECODE");
}

TEST_F(PointDialogTest, TheHighestPointNumberIsReadWholeByGetSaveAndDelete)
{
    // Point 429496729 is what a number field read short of its tenth digit would act on.
    open_editor({429496729, 4294967295u});
    ASSERT_OK(d().click("Last"));
    expect_number_shown("4294967295");
    ASSERT_OK(d().click("First"));
    ASSERT_OK(d().type(1011, "4294967295"));
    ASSERT_OK(d().click("Get"));
    expect_fields({"4294967295", "", "4294972295.000", "4294968295.000", "4294967305.000", "", ""});

    ASSERT_OK(d().type(1012, "TOP"));
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_window("OVERWRITE_PT"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().expect_box("Save pt", "Pt overwritten."));
    ASSERT_OK(d().answer("ok"));
    EXPECT_STREQ(stored(4294967295u).name, "TOP");
    EXPECT_STREQ(stored(429496729).name, "");

    ASSERT_OK(d().menu("Delete"));
    ASSERT_OK(d().expect_window("DELETE_PT"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().expect_box("Delete pt", "Pt deleted."));
    ASSERT_OK(d().answer("ok"));
    EXPECT_EQ(stored(4294967295u).number, 0u);
    EXPECT_EQ(stored(429496729).number, 429496729u);
}

TEST_F(PointDialogTest, ANumberThatIsNoPointNumberIsRefused)
{
    open_editor({});
    for (const char* typed : {"0", "-5", "", "abc"}) {
        ASSERT_OK(d().type(1011, typed));
        ASSERT_OK(d().menu("Save"));
        ASSERT_OK(d().expect_box("Save pt", "Not a point number."));
        ASSERT_OK(d().answer("ok"));
    }
    int count = -1;
    ASSERT_TRUE(d().inspect([&] { count = store::coord_live_count(); }));
    EXPECT_EQ(count, 0);
}

TEST_F(PointDialogTest, DeleteAsksFirstAndKeepsShowingThePoint)
{
    open_editor({1, 2});
    ASSERT_OK(d().type(1011, "2"));
    ASSERT_OK(d().click("Get"));
    ASSERT_OK(d().menu("Delete"));
    ASSERT_OK(d().expect_window("DELETE_PT"));
    ASSERT_OK(d().click("Cancel"));
    EXPECT_EQ(stored(2).number, 2u);

    ASSERT_OK(d().menu("Delete"));
    ASSERT_OK(d().expect_window("DELETE_PT"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().expect_box("Delete pt", "Pt deleted."));
    ASSERT_OK(d().answer("ok"));
    expect_fields({"2", "", "5002.000", "1002.000", "12.000"});
    EXPECT_EQ(stored(2).number, 0u);
    // A number not in the file: no prompt at all.
    ASSERT_OK(d().menu("Delete"));
    EXPECT_OK(d().expect_window("PT_EDIT"));
    ASSERT_OK(d().type(1011, "99"));
    ASSERT_OK(d().menu("Delete"));
    EXPECT_OK(d().expect_window("PT_EDIT"));
}

TEST_F(PointDialogTest, AnOfferedPointIsShownReadyToSave)
{
    ASSERT_TRUE(point_files::create_with_numbers({1}));
    start();
    ASSERT_OK(d().command(prog::kOpenEditorWithPoint));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    expect_fields({"77", "", "6789.250", "1234.500", "0.000", "", ""});
    EXPECT_EQ(stored(77).number, 0u);
    ASSERT_OK(d().menu("Save"));
    ASSERT_OK(d().expect_box("Save pt", "Pt saved."));
    ASSERT_OK(d().answer("ok"));
    store::PointRecord p = stored(77);
    EXPECT_EQ(p.easting, 1234.5);
    EXPECT_EQ(p.northing, 6789.25);
}

TEST_F(PointDialogTest, ShowRunsThePlotOnceOneIsThere)
{
    open_editor({1});
    ASSERT_OK(d().menu("Show"));
    EXPECT_OK(d().expect_window("PT_EDIT"));
    ASSERT_OK(d().menu("Cancel"));
    int shown = 0;
    ASSERT_TRUE(d().inspect([&] { store::set_point_plot_runner([&](platform::ui::Hwnd) { ++shown; }); }));
    ASSERT_OK(d().command(prog::kOpenEditor));
    ASSERT_OK(d().menu("Show"));
    EXPECT_EQ(shown, 1);
}

TEST_F(PointDialogTest, AMenuBarThatCannotBeMadeIsReportedAndTheDialogsGoOn)
{
    ASSERT_TRUE(point_files::create_with_numbers({1}));
    platform::controls::set_menu_bar_failure(true);
    start();
    ASSERT_OK(d().command(prog::kOpenEditor));
    ASSERT_OK(d().expect_box("Area", "menu error"));
    ASSERT_OK(d().answer("ok"));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    expect_number_shown("1");
    ASSERT_OK(d().key("escape"));
    ASSERT_OK(d().expect_window("main"));
    ASSERT_OK(d().command(prog::kOpenList));
    ASSERT_OK(d().expect_box("Pt list", "menu error"));
    ASSERT_OK(d().answer("ok"));
    EXPECT_OK(d().expect_window("PT_LIST"));
    EXPECT_OK(d().expect_count(1190, 1));
}

TEST_F(PointDialogTest, PtNumberButtonShowsThePointPickedFromTheList)
{
    open_editor({3, 6, 9});
    ASSERT_OK(d().click("Pt#"));
    ASSERT_OK(d().expect_window("PT_LIST"));
    ASSERT_OK(d().select(1190, 2));
    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("PT_EDIT"));
    expect_fields({"9", "", "5009.000", "1009.000", "19.000"});
    // Nothing picked: the fields stay.
    ASSERT_OK(d().click("Pt#"));
    ASSERT_OK(d().menu("Cancel"));
    expect_number_shown("9");
}

// ---- The prompts -----------------------------------------------------------------------------------

TEST_F(PointDialogTest, PromptsAnswerYesOrNoAndStartFromNo)
{
    start();
    ASSERT_OK(d().command(prog::kAskOverwrite));
    ASSERT_OK(d().expect_window("OVERWRITE_PT"));
    EXPECT_OK(d().expect_text(1214, "Point exists. Overwrite?"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().command(prog::kAskOverwrite));
    ASSERT_OK(d().click("Cancel"));
    ASSERT_OK(d().command(prog::kAskDelete));
    ASSERT_OK(d().expect_window("DELETE_PT"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().command(prog::kAskDelete));
    ASSERT_OK(d().key("escape"));
    EXPECT_EQ(log(), (Strings {"overwrite 1 yes", "overwrite 2 no", "delete 1 yes", "delete 2 no"}));
}

TEST_F(PointDialogTest, TheRenumberPromptReadsTheNewNumber)
{
    start();
    ASSERT_OK(d().command(prog::kAskRenumber));
    ASSERT_OK(d().expect_window("RENUMBER_PT"));
    EXPECT_OK(d().expect_text(1217, "Pt#12 exists.  Enter new pt#."));
    EXPECT_OK(d().expect_text(1045, ""));
    ASSERT_OK(d().type(1045, "4500000000"));
    ASSERT_OK(d().click("Renumber"));
    ASSERT_OK(d().command(prog::kAskRenumber));
    EXPECT_OK(d().expect_text(1045, ""));
    ASSERT_OK(d().type(1045, "45"));
    ASSERT_OK(d().click("Skip"));
    ASSERT_OK(d().command(prog::kAskRenumber));
    ASSERT_OK(d().type(1045, " 45"));
    ASSERT_OK(d().click("Renumber"));
    // Nine characters of "4500000000" are 450000000.
    EXPECT_EQ(log(), (Strings {"renumber 1215 yes 450000000", "renumber 1216 no 450000000", "renumber 1215 yes 45"}));
}

TEST_F(PointDialogTest, PromptsAskedThroughTheirCallsAnswerWithWhatWasChosen)
{
    start();
    ASSERT_OK(d().command(prog::kAskOverwriteAnswer));
    EXPECT_OK(d().expect_text(1214, "Replace?"));
    ASSERT_OK(d().click("OK"));
    ASSERT_OK(d().command(prog::kAskDeleteAnswer));
    ASSERT_OK(d().key("escape"));
    ASSERT_OK(d().command(prog::kAskRenumberAnswer));
    EXPECT_OK(d().expect_text(1217, "Pt#7 exists."));
    ASSERT_OK(d().type(1045, "12"));
    ASSERT_OK(d().click("Renumber"));
    // Closing is no answer, whatever stands in the field.
    ASSERT_OK(d().command(prog::kAskRenumberAnswer));
    ASSERT_TRUE(d().inspect([] {
        platform::ui::set_item_text(platform::ui::active_window(), 1045, u"13");
        platform::ui::post_message(platform::ui::active_window(), platform::ui::kMsgClose);
    }));
    EXPECT_OK(d().expect_window("main"));
    EXPECT_EQ(log(), (Strings {"yes", "no", "renumber to 12", "renumber skipped"}));
    // What later dialogs read is written all the same.
    ASSERT_TRUE(d().inspect([] {
        EXPECT_TRUE(store::overwrite_confirmed());
        EXPECT_EQ(store::overwrite_prompt_text(), u"Replace?");
        EXPECT_FALSE(store::renumber_chosen());
    }));
}

// ---- The point list --------------------------------------------------------------------------------

class PointListDialogTest : public PointDialogTest {
protected:
    void open_list(uint32_t count)
    {
        ASSERT_TRUE(point_files::create_with_reversed_names(count, "C", "note"));
        start();
        ASSERT_OK(d().command(prog::kOpenList));
        ASSERT_OK(d().expect_window("PT_LIST"));
    }
};

std::string number_line(uint32_t n)
{
    char line[80];
    std::snprintf(line, sizeof line, "%6u %11.3f %11.3f %10.3f", n, 5000.0 + n, 1000.0 + n, 10.0 + n);
    return line;
}

TEST_F(PointListDialogTest, OpensOnTheFirstFiftyAndPagesDownWithOneLineOverlap)
{
    open_list(120);
    EXPECT_OK(d().expect_count(1190, 50));
    EXPECT_OK(d().expect_item(1190, 0, number_line(1)));
    EXPECT_OK(d().expect_item(1190, 49, number_line(50)));
    EXPECT_OK(d().expect_text(1189, "Pt <"));
    EXPECT_OK(d().expect_text(1195, "N"));
    ASSERT_OK(d().click("Down"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(50)));
    EXPECT_OK(d().expect_item(1190, 49, number_line(99)));
    ASSERT_OK(d().click("Up"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(1)));
    ASSERT_OK(d().click(1189));
    EXPECT_OK(d().expect_text(1189, "Pt >"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(120)));
    EXPECT_OK(d().expect_item(1190, 49, number_line(71)));
}

TEST_F(PointListDialogTest, OkHandsBackThePickedPointAndCancelNothing)
{
    open_list(120);
    ASSERT_OK(d().select(1190, 4));
    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().expect_window("main"));
    store::PointRecord picked;
    ASSERT_TRUE(d().inspect([&] { picked = store::list_selection(); }));
    EXPECT_EQ(picked.number, 5u);
    EXPECT_EQ(picked.easting, 1005.0);
    EXPECT_EQ(picked.northing, 5005.0);
    // Opening clears the pick; Cancel and OK without a line leave it empty.
    ASSERT_OK(d().command(prog::kOpenList));
    ASSERT_OK(d().select(1190, 7));
    ASSERT_OK(d().menu("Cancel"));
    ASSERT_OK(d().command(prog::kOpenList));
    ASSERT_OK(d().menu("OK"));
    EXPECT_EQ(log(), (Strings {"list 5", "list 0", "list 0"}));
}

TEST_F(PointListDialogTest, PickPointAnswersWithTheWholeRecordAndTheSelectionIsWrittenBesideIt)
{
    open_list(120);
    ASSERT_OK(d().menu("Cancel"));
    ASSERT_OK(d().command(prog::kPickPoint));
    ASSERT_OK(d().select(1190, 4));
    ASSERT_OK(d().menu("OK"));
    ASSERT_OK(d().command(prog::kPickPoint));
    ASSERT_OK(d().select(1190, 2));
    ASSERT_OK(d().key("escape"));
    EXPECT_EQ(log(), (Strings {"list 0", "picked 5 N116 5", "picked none 0"}));
}

TEST_F(PointListDialogTest, LayoutTwoHandsBackTheNumberNotTheName)
{
    open_list(120);
    ASSERT_OK(d().menu("Format/Name, Pt, N, E"));
    EXPECT_OK(d().expect_text(1189, "Name <"));
    EXPECT_OK(d().expect_text(1195, "Pt"));
    // "N001" is point 120; names that begin with digits would be read wrongly as numbers.
    EXPECT_OK(d().expect_item(1190, 0, "N001               120    5120.000    1120.000"));
    ASSERT_OK(d().select(1190, 1));
    ASSERT_OK(d().menu("OK"));
    EXPECT_EQ(log(), Strings {"list 119"});
    // The layout is kept for the next opening.
    ASSERT_OK(d().command(prog::kOpenList));
    EXPECT_OK(d().expect_text(1189, "Name <"));
    ASSERT_OK(d().menu("Format/Pt, Name, Code, Note"));
    EXPECT_OK(d().expect_item(1190, 0, "     1 N120            C       note                   "));
    EXPECT_OK(d().expect_text(1197, "Note"));
}

TEST_F(PointListDialogTest, GoToFindsByNumberOrByNameAndSelectsTheFirstLine)
{
    open_list(120);
    ASSERT_OK(d().type(1045, "  60 "));
    ASSERT_OK(d().click("Go To"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(60)));
    EXPECT_OK(d().expect_item(1190, 49, number_line(109)));
    ASSERT_OK(d().click(1188));
    EXPECT_OK(d().expect_text(1188, "Name"));
    // By name in a number layout: N010 is point 111, and the lines go on in name order.
    ASSERT_OK(d().type(1045, "N010"));
    ASSERT_OK(d().click("Go To"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(111)));
    EXPECT_OK(d().expect_item(1190, 1, number_line(110)));
    ASSERT_OK(d().menu("OK"));
    EXPECT_EQ(log(), Strings {"list 111"});
    // An empty text does nothing.
    ASSERT_OK(d().command(prog::kOpenList));
    ASSERT_OK(d().type(1045, "   "));
    ASSERT_OK(d().click("Go To"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(1)));
}

TEST_F(PointListDialogTest, TheGoToEditHasTheFocusOnOpeningSoANumberCanBeTypedAtOnce)
{
    open_list(120);
    for (const char* key : {"6", "0"})
        ASSERT_OK(d().key(key));
    EXPECT_OK(d().expect_text(1045, "60"));
    ASSERT_OK(d().key("tab"));  // on to the Go To button
    ASSERT_OK(d().key("space"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(60)));
    ASSERT_OK(d().menu("Cancel"));

    // Every opening: emptied and focused again.
    ASSERT_OK(d().command(prog::kOpenList));
    EXPECT_OK(d().expect_text(1045, ""));
    ASSERT_OK(d().key("7"));
    EXPECT_OK(d().expect_text(1045, "7"));
}

TEST_F(PointListDialogTest, TheOffsetShiftsEveryLineAndNeverGoesBelowZero)
{
    open_list(3);
    ASSERT_OK(d().click("<<"));
    EXPECT_OK(d().expect_item(1190, 0, number_line(1)));
    ASSERT_OK(d().click(">>"));
    ASSERT_OK(d().click(">>"));
    EXPECT_OK(d().expect_item(1190, 2, number_line(3).substr(2)));
    ASSERT_OK(d().click("<<"));
    EXPECT_OK(d().expect_item(1190, 2, number_line(3).substr(1)));
}

// ---- The statistics --------------------------------------------------------------------------------

TEST_F(PointDialogTest, StatisticsListTheirLinesUntilOk)
{
    ASSERT_TRUE(point_files::create_with_numbers({1, 2, 3, 7, 9}));
    start();
    ASSERT_OK(d().command(prog::kOpenStatistics));
    ASSERT_OK(d().expect_window("PT_STATISTICS"));
    EXPECT_OK(d().expect_count(1100, 22));
    EXPECT_OK(d().expect_item(1100, 0, "Statistics:   Lot9.dat"));
    EXPECT_OK(d().expect_item(1100, 2, "Number of points = 5"));
    EXPECT_OK(d().expect_item(1100, 8, "    From 1 to 3"));
    EXPECT_OK(d().expect_item(1100, 15, "    From 10 to ..."));
    ASSERT_OK(d().click("OK"));
    EXPECT_OK(d().expect_window("main"));
}

}  // namespace
