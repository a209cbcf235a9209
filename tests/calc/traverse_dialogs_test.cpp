// The traverse dialogs driven as a user drives them: a traverse between two control points entered
// through the editors and their proposals, computed, adjusted once, its points saved and plotted, the job
// saved and reopened byte for byte; Insert Before, Delete, the settings, and a full table.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "calc/job_file.h"
#include "calc/job_menu.h"
#include "calc/traverse_dialog.h"
#include "calc/traverse_job.h"
#include "draw/drawing_model.h"
#include "draw/entity.h"
#include "platform/driver/driver.h"
#include "resources/resources.h"
#include "resources/traverse_resources.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/calc/calc_program.h"
#include "tests/support/program_harness.h"

namespace {

using platform::driver::Driver;
namespace res = resources;

namespace prog {

constexpr int kOpenTraverse = 910;
int program()
{
    return testing_support::run_calc_program(u"TraverseTestMain", [](platform::ui::Hwnd main, int id) {
        if (id == kOpenTraverse)
            calc::run_traverse(main);
    });
}

}  // namespace prog

const std::u16string kJob = u"\\My Documents\\Link.job";

class TraverseDialogTest : public testing_support::ProgramTest {
protected:
    void SetUp() override
    {
        testing_support::ProgramTest::SetUp();
        testing_support::job_paths().clear();
        ASSERT_TRUE(store::coord_create(u"\\My Documents\\Control.dat"));
        for (auto [number, e, n] :
            {std::tuple {1u, 1000.0, 1000.0}, {100u, 1000.0, 1100.0}, {50u, 1420.0, 1350.0}, {51u, 1500.0, 1600.0}}) {
            store::PointRecord p;
            p.number = number;
            p.easting = e;
            p.northing = n;
            p.elevation = 50;
            ASSERT_EQ(store::point_store(p, false), 1);
        }
        start(prog::program);
        EXPECT_OK(d().command(prog::kOpenTraverse));
        EXPECT_OK(d().expect_window(res::kDialogTraverse));
    }

    void choose(const std::u16string& path)
    {
        ASSERT_TRUE(d().inspect([&] { testing_support::job_paths().push_back(path); }));
    }

    // A setup through At: the proposals checked, then the fields typed.
    void setup(const char* proposed_at, const char* proposed_ref, const char* at, const char* ref)
    {
        EXPECT_OK(d().click("At"));
        EXPECT_OK(d().expect_window(res::kDialogTraverseSetup));
        EXPECT_OK(d().expect_text(res::kEditSetupAt, proposed_at));
        EXPECT_OK(d().expect_text(res::kEditSetupRefPoint, proposed_ref));
        EXPECT_OK(d().type(res::kEditSetupAt, at));
        EXPECT_OK(d().type(res::kEditSetupHi, "1.55"));
        EXPECT_OK(d().type(res::kEditSetupRefPoint, ref));
        EXPECT_OK(d().type(res::kEditSetupHcr, "0"));
        EXPECT_OK(d().click("OK"));
        EXPECT_OK(d().expect_window(res::kDialogTraverse));
    }

    // An observation in the open editor: the proposed number checked, then the fields typed.
    void observation(const char* proposed_to, const char* to, const char* hcr, const char* slope, const char* button)
    {
        EXPECT_OK(d().expect_window(res::kDialogTraverseObservation));
        EXPECT_OK(d().expect_text(res::kEditObservationTo, proposed_to));
        EXPECT_OK(d().type(res::kEditObservationTo, to));
        EXPECT_OK(d().type(res::kEditObservationHcr, hcr));
        EXPECT_OK(d().type(res::kEditObservationVcr, "90"));
        EXPECT_OK(d().type(res::kEditObservationSlope, slope));
        EXPECT_OK(d().type(res::kEditObservationHs, "1.5"));
        EXPECT_OK(d().click(button));
    }

    // From 1 (sighting 100) by 2 and 3 to the control point 50, with the closing angle to 51.
    void enter_link()
    {
        setup("", "", "1", "100");
        EXPECT_OK(d().click("To"));
        observation("2", "2", "63.2614", "201.256", "OK");
        setup("2", "1", "2", "1");
        EXPECT_OK(d().click("To"));
        observation("3", "3", "135.5113", "211.903", "OK");
        setup("3", "2", "3", "2");
        EXPECT_OK(d().click("To"));
        observation("4", "50", "231.1621", "180.269", "OK");
        setup("50", "3", "50", "3");
        EXPECT_OK(d().click("To"));
        observation("51", "51", "127.1111", "0", "OK");
    }

    void expect_items(int list, const std::vector<std::string>& items)
    {
        EXPECT_OK(d().expect_count(list, int(items.size())));
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_OK(d().expect_item(list, int(i), items[i]));
    }

    static std::vector<std::string> field_book_lines()
    {
        std::vector<std::string> lines = {"At=1 1.550 HCR=0 ", "To=2  HCR=63.2614 SD=201.256", "At=2 1.550 HCR=0 ",
            "To=3  HCR=135.5113 SD=211.903", "At=3 1.550 HCR=0 ", "To=50  HCR=231.1621 SD=180.269",
            "At=50 1.550 HCR=0 ", "To=51  HCR=127.1111 SD=0.000"};
        lines.resize(250);
        return lines;
    }
};

TEST_F(TraverseDialogTest, ATraverseIsEnteredComputedAdjustedSavedAndPlotted)
{
    enter_link();
    expect_items(res::kListTraverse, field_book_lines());
    EXPECT_OK(d().menu("Calc"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseResults));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 0, "From Pt N, E, El:"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 1, "1 1000.000, 1000.000, 50.000"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 5, "50 1349.990, 1420.013, 50.150"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 7, "Misclosure:"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 8, "   N = -0.010"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 9, "   E = 0.013"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 11, "  Angle = 0\u00BA 00' 18\""));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 13, "Relative Precision = 1 : 36285"));

    // Adjust with the rule chosen; a second Adjust opens nothing.
    EXPECT_OK(d().click("Adjust"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseAdjust));
    EXPECT_OK(d().expect_text(res::kComboTraverseMethod, "Compass Rule"));
    EXPECT_OK(d().select(res::kComboTraverseMethod, "Compass Rule"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseResults));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 1, "Adjusted Coordinates"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 6, "2 1089.998, 1180.011, 49.999"));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 8, "50 1350.000, 1420.000, 50.000"));
    EXPECT_OK(d().expect_count(res::kListTraverseResults, 9));
    EXPECT_OK(d().click("Adjust"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseResults));
    EXPECT_OK(d().expect_item(res::kListTraverseResults, 6, "2 1089.998, 1180.011, 49.999"));

    // Save Pts with overwrite: 2 and 3 only; the control points stay.
    EXPECT_OK(d().click("Save Pts"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseSavePoints));
    EXPECT_OK(d().click("Overwrite points"));
    EXPECT_OK(d().click("Save"));
    EXPECT_OK(d().expect_box("Save Points", "2 points saved."));
    EXPECT_OK(d().answer("ok"));
    store::PointRecord p50, p2;
    d().inspect([&] {
        store::point_read_by_number(50, &p50);
        store::point_read_by_number(2, &p2);
    });
    EXPECT_EQ(p50.easting, 1420);
    EXPECT_EQ(p50.elevation, 50);
    EXPECT_NEAR(p2.easting, 1180.011, 0.001);

    // The plot: a mark and a label at the start and each listed point, a leg to each.
    EXPECT_OK(d().click("Display"));
    EXPECT_OK(d().expect_window("GRAPHICS"));
    std::map<int32_t, int> kinds;
    std::string name, layer;
    d().inspect([&] {
        const int slot = draw::dwg_current();
        name = slot >= 0 ? draw::dwg_slot(slot).name : "";
        for (const draw::Node* n = slot >= 0 ? draw::dwg_slot(slot).first.get() : nullptr; n; n = n->next.get())
            kinds[n->type == draw::kNodeEntity ? n->entity.kind : -1]++;
    });
    EXPECT_EQ(name, "TRAVERSE");
    EXPECT_EQ(kinds[draw::kEntityLine], 3);
    EXPECT_EQ(kinds[draw::kEntityText], 4);
    EXPECT_OK(d().menu("OK"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_window(res::kDialogTraverse));

    // Saved, reset by New (which forgets the path), reopened and saved again: the same bytes.
    choose(kJob);
    EXPECT_OK(d().menu("File/Save"));
    const std::string saved = read_bytes(kJob);
    EXPECT_EQ(saved.size(), 48u + 432 + 4 + 8 * 240);
    EXPECT_OK(d().menu("File/New"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 0, ""));
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    expect_items(res::kListTraverse, field_book_lines());
    EXPECT_OK(d().menu("File/Save"));
    EXPECT_EQ(read_bytes(kJob), saved);
}

TEST_F(TraverseDialogTest, EditorsProposeInsertDeleteAndRefuseAFullTable)
{
    setup("", "", "12", "11");
    // After a setup at 12 the observation proposes 13; Another goes on with 14, HS and Side Shot kept.
    EXPECT_OK(d().click("To"));
    EXPECT_OK(d().expect_text(res::kEditObservationTo, "13"));
    EXPECT_OK(d().click("Side Shot"));
    observation("13", "13", "10", "25", "Another");
    EXPECT_OK(d().expect_text(res::kEditObservationTo, "14"));
    EXPECT_OK(d().expect_text(res::kEditObservationHs, "1.5"));
    EXPECT_OK(d().expect_text(res::kEditObservationHcr, ""));
    observation("14", "20", "20", "30", "OK");
    EXPECT_OK(d().expect_item(res::kListTraverse, 1, "To=13 SS HCR=10 SD=25.000"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 2, "To=20 SS HCR=20 SD=30.000"));
    // Below the observation to 20: At 20 and the previous setup's 12.
    EXPECT_OK(d().select(res::kListTraverse, 2));
    setup("20", "12", "20", "12");
    // Insert Before puts the setup above the selection, and is remembered.
    EXPECT_OK(d().select(res::kListTraverse, 1));
    EXPECT_OK(d().click("At"));
    EXPECT_OK(d().click("Insert Before"));
    EXPECT_OK(d().type(res::kEditSetupAt, "30"));
    EXPECT_OK(d().type(res::kEditSetupRefPoint, ""));  // the proposed 12 would take precedence
    EXPECT_OK(d().type(res::kEditSetupRefAzimuth, "45.3015"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 1, "At=30 0.000 HCR= "));
    EXPECT_OK(d().click("At"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseSetup));
    EXPECT_OK(d().click("Cancel"));
    // Edit shows the record as typed.
    EXPECT_OK(d().select(res::kListTraverse, 1));
    EXPECT_OK(d().click("Edit"));
    EXPECT_OK(d().expect_text(res::kEditSetupRefAzimuth, "45.3015"));
    EXPECT_OK(d().expect_text(res::kEditSetupRefPoint, ""));
    EXPECT_OK(d().click("Cancel"));
    // Deleting the first record moves every following record up one line.
    EXPECT_OK(d().select(res::kListTraverse, 0));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 0, "At=30 0.000 HCR= "));
    EXPECT_OK(d().expect_item(res::kListTraverse, 1, "To=13 SS HCR=10 SD=25.000"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 4, ""));

    // Set Up keeps the texts; a factor that does not read stops Calc with its name.
    EXPECT_OK(d().menu("Set Up"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseSettings));
    EXPECT_OK(d().expect_text(res::kEditTraverseSettingFirst + 5, "1.000"));
    EXPECT_OK(d().type(res::kEditTraverseSettingFirst, "J. Smith"));
    EXPECT_OK(d().type(res::kEditTraverseSettingFirst + 9, "x"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().menu("Calc"));
    EXPECT_OK(d().expect_box("Error", "Units Factor does not read."));
    EXPECT_OK(d().answer("ok"));
    EXPECT_OK(d().expect_window(res::kDialogTraverseResults));
    EXPECT_OK(d().click("OK"));

    // A full table (opened from a file of 250 records) refuses another record and keeps its last.
    calc::TraverseJob full;
    for (calc::TraverseRecord& r : full.records) {
        r.kind = calc::kRecordObservation;
        r.to = 7;
    }
    d().inspect([&] {
        calc::create_empty_job_file(kJob);
        calc::write_job(calc::kTraverseJob, kJob, calc::traverse_image(full));
    });
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    EXPECT_OK(d().select(res::kListTraverse, 0));
    EXPECT_OK(d().click("To"));
    observation("8", "8", "1", "1", "OK");
    EXPECT_OK(d().expect_box("Traverse", "The traverse table is full (250 records): the record was not added."));
    EXPECT_OK(d().answer("ok"));
    EXPECT_OK(d().click("Cancel"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 0, "To=7  HCR= SD=0.000"));
    EXPECT_OK(d().expect_item(res::kListTraverse, 249, "To=7  HCR= SD=0.000"));
}

}  // namespace
