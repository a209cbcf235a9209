// The map check and area dialogs driven as a user drives them: legs and points added with Another, edited
// and deleted, Calc and its results line by line, the File menu's save and reopen (byte for byte), and the
// files that Open and Save As refuse, which leave the job, its path and the file as they were.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "calc/area_dialog.h"
#include "calc/area_job.h"
#include "calc/curve_types.h"
#include "calc/job_file.h"
#include "calc/job_menu.h"
#include "calc/mapcheck_dialog.h"
#include "calc/mapcheck_job.h"
#include "draw/drawing_model.h"
#include "draw/entity.h"
#include "platform/controls/controls.h"
#include "platform/driver/driver.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "resources/calc_resources.h"
#include "resources/resources.h"
#include "store/coord_file.h"
#include "store/list_selection.h"
#include "store/point_index.h"
#include "tests/calc/calc_program.h"
#include "tests/support/program_harness.h"

namespace {

using platform::driver::Driver;
namespace res = resources;

// A main window whose commands open the map check and the area form; the File menu's paths come from
// a queue the test fills (an empty queue answers as a cancelled browser does).
namespace prog {

constexpr int kOpenMapCheck = 900;
constexpr int kOpenArea = 901;
int program()
{
    return testing_support::run_calc_program(u"CalcTestMain", [](platform::ui::Hwnd main, int id) {
        if (id == kOpenMapCheck)
            calc::run_map_check(main);
        else if (id == kOpenArea)
            calc::run_area(main);
    });
}

}  // namespace prog

const std::u16string kJob = u"\\My Documents\\Curve.job";
const std::u16string kCoords = u"\\My Documents\\Lot7.dat";

class CalcDialogTest : public testing_support::ProgramTest {
protected:
    void SetUp() override
    {
        testing_support::ProgramTest::SetUp();
        testing_support::job_paths().clear();
        ASSERT_TRUE(store::coord_create(kCoords));
        for (auto [number, e, n] : {std::tuple {1u, 0.0, 0.0}, {2u, 2.0, 0.0}, {3u, 2.0, 2.0}, {10u, 100.0, 100.0},
                 {11u, 110.0, 100.0}, {12u, 120.0, 100.0}}) {
            store::PointRecord p;
            p.number = number;
            p.easting = e;
            p.northing = n;
            ASSERT_EQ(store::point_store(p, false), 1);
        }
        start(prog::program);
    }

    // The next path the File menu gets.
    void choose(const std::u16string& path)
    {
        ASSERT_TRUE(d().inspect([&] { testing_support::job_paths().push_back(path); }));
    }

    void add_leg(const char* to, const char* azimuth, const char* distance, const char* type, const char* button)
    {
        EXPECT_OK(d().expect_window(res::kDialogMapCheckLeg));
        EXPECT_OK(d().type(res::kEditMapCheckLegTo, to));
        EXPECT_OK(d().type(res::kEditMapCheckLegAzimuth, azimuth));
        EXPECT_OK(d().type(res::kEditMapCheckLegDistance, distance));
        EXPECT_OK(d().select(res::kComboMapCheckLegType, type));
        EXPECT_OK(d().click(button));
    }

    void add_point(const char* number, const char* type, const char* button)
    {
        EXPECT_OK(d().expect_window(res::kDialogAreaPoint));
        EXPECT_OK(d().type(res::kEditAreaPointNumber, number));
        EXPECT_OK(d().select(res::kComboAreaPointType, type));
        EXPECT_OK(d().click(button));
    }

    void expect_items(int list, const std::vector<std::string>& items)
    {
        EXPECT_OK(d().expect_count(list, int(items.size())));
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_OK(d().expect_item(list, int(i), items[i]));
    }

    void expect_box(const char* caption, const char* text)
    {
        EXPECT_OK(d().expect_box(caption, text));
        EXPECT_OK(d().answer("ok"));
    }

    std::string caption()
    {
        std::u16string text;
        d().inspect([&] { text = platform::ui::window_text(platform::ui::active_window()); });
        return platform::text::to_utf8(text);
    }

    // A half disc of radius 10 east of the start, closed along its diameter.
    void enter_half_disc()
    {
        EXPECT_OK(d().command(prog::kOpenMapCheck));
        EXPECT_OK(d().menu("Start Pt"));
        EXPECT_OK(d().type(res::kEditMapCheckStartN, "5000"));
        EXPECT_OK(d().type(res::kEditMapCheckStartE, "2000"));
        EXPECT_OK(d().click("OK"));
        EXPECT_OK(d().click("Add Leg"));
        add_leg("1", "", "", "Corner", "Another");
        add_leg("2", "90", "10", "C", "Another");
        add_leg("3", "90", "10", "EC", "Another");
        add_leg("1", "270", "20", "Corner", "OK");
        EXPECT_OK(d().expect_window(res::kDialogMapCheck));
    }

    const std::vector<std::string> kHalfDiscLines = {
        "      1                           Corner",
        "      2           90           10 C",
        "      3           90           10 EC",
        "      1          270           20 Corner",
    };
};

TEST_F(CalcDialogTest, AMapCheckWithACurveIsEnteredEditedAndComputed)
{
    enter_half_disc();
    expect_items(res::kListMapCheckLegs, kHalfDiscLines);
    EXPECT_OK(d().menu("Calc"));
    EXPECT_OK(d().expect_window(res::kDialogMapCheckResults));
    expect_items(res::kListMapCheckResults,
        {"   Pt     N                      E", "        1 5000.000 2000.000", "        2    5000.000    2010.000",
            "        3    5000.000    2020.000", "        1    5000.000    2000.000", "",
            "Misclosure:", "   North = 0.000", "   East  = 0.000", "", "Area = 157.080"});
    // Display opens the plot on a drawing of the figure, which goes when the plot closes.
    EXPECT_OK(d().click("Display"));
    EXPECT_OK(d().expect_window("GRAPHICS"));
    std::map<int32_t, int> kinds;
    std::string name;
    d().inspect([&] {
        const int slot = draw::dwg_current();
        name = slot >= 0 ? draw::dwg_slot(slot).name : "";
        for (const draw::Node* n = slot >= 0 ? draw::dwg_slot(slot).first.get() : nullptr; n; n = n->next.get())
            kinds[n->type == draw::kNodeEntity ? n->entity.kind : -1]++;
    });
    EXPECT_EQ(name, "MAPCHECK");
    EXPECT_EQ(kinds[draw::kEntityLine], 3);
    EXPECT_EQ(kinds[draw::kEntityArc], 1);
    EXPECT_EQ(kinds[draw::kEntityText], 4);
    EXPECT_OK(d().menu("OK"));
    EXPECT_OK(d().expect_window(res::kDialogMapCheckResults));
    d().inspect([&] { name = draw::dwg_current() >= 0 ? draw::dwg_slot(draw::dwg_current()).name : ""; });
    EXPECT_EQ(name, "");
    EXPECT_OK(d().click("OK"));

    // The last leg 0.5 short: a misclosure, its precision, and the area of the figure closed.
    EXPECT_OK(d().select(res::kListMapCheckLegs, 3));
    EXPECT_OK(d().click("Edit"));
    EXPECT_OK(d().expect_text(res::kEditMapCheckLegTo, "1"));
    EXPECT_OK(d().expect_text(res::kEditMapCheckLegDistance, "20"));
    EXPECT_OK(d().type(res::kEditMapCheckLegDistance, "19.5"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_item(res::kListMapCheckLegs, 3, "      1          270         19.5 Corner"));
    EXPECT_OK(d().menu("Calc"));
    EXPECT_OK(d().expect_item(res::kListMapCheckResults, 8, "   East  = 0.500"));
    EXPECT_OK(d().expect_item(res::kListMapCheckResults, 10, "Relative Precision = 1 : 79"));
    EXPECT_OK(d().expect_item(res::kListMapCheckResults, 12, "Area = 157.080"));
    EXPECT_OK(d().click("OK"));

    // A leg inserted after the selected line; the first line deleted.
    EXPECT_OK(d().select(res::kListMapCheckLegs, 0));
    EXPECT_OK(d().click("Add Leg"));
    add_leg("9", "0", "5", "Corner", "OK");
    EXPECT_OK(d().expect_item(res::kListMapCheckLegs, 1, "      9            0            5 Corner"));
    EXPECT_OK(d().select(res::kListMapCheckLegs, 0));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().expect_count(res::kListMapCheckLegs, 4));
    EXPECT_OK(d().expect_item(res::kListMapCheckLegs, 0, "      9            0            5 Corner"));

    // A curve end as the first leg is refused, naming it.
    EXPECT_OK(d().select(res::kListMapCheckLegs, 0));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().select(res::kListMapCheckLegs, 0));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().menu("Calc"));
    expect_box("Map Check", "Leg 1 (Pt 3): a curve end needs the leg to its centre before it.");
    EXPECT_OK(d().expect_window(res::kDialogMapCheck));
}

// Saved, reset, reopened and saved again: the same bytes. The path is kept by New and shown in the caption.
TEST_F(CalcDialogTest, AMapCheckJobReopensExactly)
{
    enter_half_disc();
    choose(kJob);
    EXPECT_OK(d().menu("File/Save"));  // no path yet: goes on as Save As, which creates the file
    EXPECT_OK(d().expect_window(res::kDialogMapCheck));
    const std::string saved = read_bytes(kJob);
    EXPECT_EQ(saved.size(), 48u + 240 + 4 + 4 * 92);
    EXPECT_EQ(caption(), "Mapcheck:   Curve.job");
    EXPECT_OK(d().menu("File/New"));
    EXPECT_OK(d().expect_count(res::kListMapCheckLegs, 0));
    EXPECT_EQ(caption(), "Mapcheck:   Curve.job");
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    expect_items(res::kListMapCheckLegs, kHalfDiscLines);
    EXPECT_OK(d().menu("File/Save"));
    EXPECT_EQ(read_bytes(kJob), saved);
    // Exit keeps the job for the next opening.
    EXPECT_OK(d().menu("Exit"));
    EXPECT_OK(d().command(prog::kOpenMapCheck));
    expect_items(res::kListMapCheckLegs, kHalfDiscLines);
}

// Every bad file is refused with the type's text; the legs, the path and the file stay as they were.
TEST_F(CalcDialogTest, OpenAndSaveAsRefuseOtherFilesAndKeepTheJob)
{
    enter_half_disc();
    choose(kJob);
    EXPECT_OK(d().menu("File/Save As"));
    const std::string saved = read_bytes(kJob);
    d().inspect([] { store::coord_close(); });
    const std::string coordinates = read_bytes(kCoords);

    auto with_count = [&](int32_t count) {
        std::string bytes = saved;
        for (int i = 0; i < 4; ++i)
            bytes[48 + 240 + i] = char(uint32_t(count) >> (8 * i));
        return bytes;
    };
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"truncated", saved.substr(0, saved.size() - 10)},
        {"count 1000", with_count(1000)},
        {"count -5", with_count(-5)},
        {"area job", std::string("R\0S\0J\0001\0\0\0\0\0\0\0\0\0\0\0\0\0A\0R\0E\0A\0", 24) + std::string(400, '\0')},
    };
    for (const auto& [what, bytes] : bad) {
        write_bytes(u"\\My Documents\\Bad.job", bytes);
        choose(u"\\My Documents\\Bad.job");
        EXPECT_OK(d().menu("File/Open"));
        expect_box("Error", "Not a Mapcheck file.");
        expect_items(res::kListMapCheckLegs, kHalfDiscLines);
    }
    choose(kCoords);
    EXPECT_OK(d().menu("File/Open"));
    expect_box("Error", "Not a Mapcheck file.");
    EXPECT_OK(d().menu("File/Open"));  // cancelled: no path
    expect_box("Error", "Not a Mapcheck file.");
    EXPECT_EQ(caption(), "Mapcheck:   Curve.job");

    // Save still goes to the job's own file, never to the file picked by mistake.
    EXPECT_OK(d().select(res::kListMapCheckLegs, 3));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().menu("File/Save"));
    EXPECT_EQ(read_bytes(kJob).substr(0, 48 + 240 + 4), saved.substr(0, 48 + 240) + std::string("\x03\0\0\0", 4));
    EXPECT_EQ(read_bytes(kCoords), coordinates);

    // Save As onto the coordinate file is refused; a cancelled Save As and a short write cannot save.
    choose(kCoords);
    EXPECT_OK(d().menu("File/Save As"));
    expect_box("Save Mapcheck", "Not a Mapcheck file. It was not overwritten.");
    EXPECT_EQ(read_bytes(kCoords), coordinates);
    EXPECT_EQ(caption(), "Mapcheck:   Curve.job");
    EXPECT_OK(d().menu("File/Save As"));
    expect_box("Save Mapcheck", "Could not save file.");
    d().inspect([] { platform::files::arm_write_fault({.skip = 0, .count = -1, .moved = 10}); });
    EXPECT_OK(d().menu("File/Save"));
    expect_box("Save Mapcheck", "Could not save file.");
    d().inspect([] { platform::files::clear_faults(); });
}

// A job of 250 legs opens whole; no leg can be added to it, before its end or after.
TEST_F(CalcDialogTest, AFullLegTableRefusesAnotherLeg)
{
    calc::MapCheckJob full;
    for (auto& entry : full.entries)
        entry = {1, 5, u"90", u"1", calc::kCorner};
    ASSERT_EQ(calc::create_empty_job_file(kJob), true);
    ASSERT_EQ(calc::write_job(calc::kMapCheckJob, kJob, calc::map_check_image(full)), calc::JobWrite::Written);
    EXPECT_OK(d().command(prog::kOpenMapCheck));
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    EXPECT_OK(d().expect_count(res::kListMapCheckLegs, 250));
    EXPECT_OK(d().select(res::kListMapCheckLegs, 10));
    EXPECT_OK(d().click("Add Leg"));
    expect_box("Map Check", "The leg table is full (250 legs): no leg can be added.");
    EXPECT_OK(d().expect_count(res::kListMapCheckLegs, 250));
    EXPECT_OK(d().expect_item(res::kListMapCheckLegs, 249, "      5           90            1 Corner"));
}

// Long coordinates: the results list carries each line on rather than cutting it.
TEST_F(CalcDialogTest, ResultLinesAreShownInFull)
{
    EXPECT_OK(d().command(prog::kOpenMapCheck));
    EXPECT_OK(d().menu("Start Pt"));
    EXPECT_OK(d().type(res::kEditMapCheckStartN, "123456789012.5"));
    EXPECT_OK(d().type(res::kEditMapCheckStartE, "98765432109.25"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().click("Add Leg"));
    add_leg("4294967295", "0", "1", "Corner", "OK");
    EXPECT_OK(d().menu("Calc"));
    std::vector<std::u16string> items;
    d().inspect([&] {
        platform::ui::Hwnd list = platform::ui::child_by_id(platform::ui::active_window(), res::kListMapCheckResults);
        for (int i = 0; i < platform::controls::list_count(list); ++i)
            items.push_back(platform::controls::list_text(list, i));
    });
    std::u16string joined;
    for (const std::u16string& item : items)
        joined += item.substr(0, 2) == u"  " && !joined.empty() && item.find(u"Pt") == std::u16string::npos
            ? item.substr(2)
            : u"|" + item;
    EXPECT_NE(joined.find(u"4294967295 123456789012.500 98765432109.250"), std::u16string::npos)
        << platform::text::to_utf8(joined);
}

TEST_F(CalcDialogTest, AnAreaFromStoredPointsWithFactorsAndACurve)
{
    EXPECT_OK(d().command(prog::kOpenArea));
    EXPECT_OK(d().expect_window(res::kDialogArea));
    EXPECT_OK(d().click("Add Pt"));
    add_point("1", "Corner", "Another");
    add_point("2", "Corner", "Another");
    add_point("3", "Corner", "Another");
    // "Show" opens the point plot; the point picked there fills the number field.
    EXPECT_OK(d().click("Show"));
    EXPECT_OK(d().expect_window("PT_GRAPHICS"));
    d().inspect([] { store::list_selection_set_point(1, 0, 0); });
    EXPECT_OK(d().menu("OK"));
    EXPECT_OK(d().expect_text(res::kEditAreaPointNumber, "1"));
    EXPECT_OK(d().click("OK"));
    expect_items(res::kListAreaPoints, {"      1 Corner", "      2 Corner", "      3 Corner", "      1 Corner"});
    EXPECT_OK(d().menu("Calc"));
    expect_items(res::kListAreaResults, {"Area = 2.000"});
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().menu("Setup"));
    EXPECT_OK(d().type(res::kEditAreaProjection, "2"));
    EXPECT_OK(d().type(res::kEditAreaUnits, "0.25"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().menu("Calc"));
    expect_items(res::kListAreaResults, {"Area = 1.000"});
    EXPECT_OK(d().click("OK"));

    // A point not in the file is named, and nothing is computed.
    EXPECT_OK(d().select(res::kListAreaPoints, 2));
    EXPECT_OK(d().click("Edit"));
    EXPECT_OK(d().expect_text(res::kEditAreaPointNumber, "3"));
    EXPECT_OK(d().type(res::kEditAreaPointNumber, "7"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().menu("Calc"));
    expect_box("Area", "Pt 7 is not in the coordinate file.");

    // A half disc of radius 10 through stored points, entered after New.
    EXPECT_OK(d().menu("File/New"));
    EXPECT_OK(d().expect_count(res::kListAreaPoints, 0));
    EXPECT_OK(d().click("Add Pt"));
    add_point("10", "BC", "Another");
    add_point("11", "CC", "Another");
    add_point("12", "EC", "Another");
    add_point("10", "Corner", "OK");
    EXPECT_OK(d().menu("Calc"));
    expect_items(res::kListAreaResults, {"Area = 157.080"});
    EXPECT_OK(d().click("OK"));
    // Deleting the selected line moves the rest up.
    EXPECT_OK(d().select(res::kListAreaPoints, 1));
    EXPECT_OK(d().click("Delete"));
    expect_items(res::kListAreaPoints, {"     10 BC", "     12 EC", "     10 Corner"});
}

TEST_F(CalcDialogTest, AreaJobsReopenExactlyAndBadFilesLeaveTheFigure)
{
    EXPECT_OK(d().command(prog::kOpenArea));
    // An empty figure is saved with one free entry and loads back empty.
    choose(kJob);
    EXPECT_OK(d().menu("File/Save As"));
    EXPECT_EQ(file_size(kJob), 48 + 144 + 4 + 12);
    EXPECT_OK(d().click("Add Pt"));
    add_point("10", "BC", "Another");
    add_point("11", "C", "OK");
    EXPECT_OK(d().menu("File/Save"));
    const std::string saved = read_bytes(kJob);
    EXPECT_EQ(saved.size(), 48u + 144 + 4 + 2 * 12);
    EXPECT_OK(d().menu("File/Close"));
    EXPECT_OK(d().expect_count(res::kListAreaPoints, 0));
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    expect_items(res::kListAreaPoints, {"     10 BC", "     11 C"});
    EXPECT_OK(d().menu("File/Save"));
    EXPECT_EQ(read_bytes(kJob), saved);

    for (const std::u16string& path : {kCoords, std::u16string(u"\\My Documents\\None.job")}) {
        choose(path);
        EXPECT_OK(d().menu("File/Open"));
        expect_box("Error", "Not a Area file.");
        expect_items(res::kListAreaPoints, {"     10 BC", "     11 C"});
    }

    // A figure of 250 points takes no other.
    calc::AreaJob full;
    for (auto& entry : full.entries)
        entry = {1, 1, calc::kCorner};
    ASSERT_EQ(calc::write_job(calc::kAreaJob, kJob, calc::area_image(full)), calc::JobWrite::Written);
    choose(kJob);
    EXPECT_OK(d().menu("File/Open"));
    EXPECT_OK(d().expect_count(res::kListAreaPoints, 250));
    EXPECT_OK(d().click("Add Pt"));
    expect_box("Area", "The figure is full (250 points): no point can be added.");
    EXPECT_OK(d().expect_count(res::kListAreaPoints, 250));
}

}  // namespace
