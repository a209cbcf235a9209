// The transformation dialogs driven as a user drives them: parameters typed, transformed forward and back,
// a fitted block that keeps every digit through the dialog, refusals, and control pairs added, fitted,
// shown, applied and saved.

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "calc/job_file.h"
#include "calc/job_menu.h"
#include "calc/similarity_fit.h"
#include "calc/transform_dialogs.h"
#include "calc/transform_job.h"
#include "calc/transform_parameters.h"
#include "platform/controls/controls.h"
#include "resources/resources.h"
#include "resources/transform_resources.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/support/program_harness.h"

namespace {

namespace res = resources;

namespace prog {

constexpr int kByParameters = 900;
constexpr int kByPoints = 901;
std::deque<std::u16string> s_paths;

int program()
{
    return testing_support::run_test_program(u"TransformTestMain",
        testing_support::command_window([](platform::ui::Hwnd main, int id) {
            if (id == kByParameters)
                calc::run_transform_by_parameters(main);
            else if (id == kByPoints)
                calc::run_transform_by_points(main);
        }),
        [] {
            resources::install_all();
            calc::set_job_path_chooser([](platform::ui::Hwnd) {
                std::u16string path;
                if (!s_paths.empty()) {
                    path = s_paths.front();
                    s_paths.pop_front();
                }
                return path;
            });
        });
}

}  // namespace prog

const std::u16string kJob = u"\\My Documents\\Shift.job";

class TransformDialogs : public testing_support::ProgramTest {
protected:
    void SetUp() override
    {
        testing_support::ProgramTest::SetUp();
        prog::s_paths.clear();
        ASSERT_TRUE(store::coord_create(u"\\My Documents\\Lot7.dat"));
        // 1..3 at grid magnitudes; 11..13 the same turned by 30 degrees about 1 and moved.
        put(1, 4600000.0, 355800.0);
        put(2, 4600100.0, 355800.0);
        put(3, 4600000.0, 355950.0);
        start(prog::program);
    }

    static void put(uint32_t number, double n, double e)
    {
        store::PointRecord p;
        p.number = number;
        p.northing = n;
        p.easting = e;
        p.elevation = 12.5;
        ASSERT_EQ(store::point_store(p, false), 1);
    }

    static store::PointRecord point(uint32_t number)
    {
        store::PointRecord p;
        p.number = 0;
        store::point_read_by_number(number, &p);
        return p;
    }

    void choose(const std::u16string& path)
    {
        ASSERT_TRUE(d().inspect([&] { prog::s_paths.push_back(path); }));
    }

    void expect_box(const char* caption, const char* text)
    {
        EXPECT_OK(d().expect_box(caption, text));
        EXPECT_OK(d().answer("ok"));
    }
};

TEST_F(TransformDialogs, ParametersTurnARangeForwardAndTheInverseBringsItBack)
{
    EXPECT_OK(d().command(prog::kByParameters));
    EXPECT_OK(d().expect_window(res::kDialogTransformParams));
    EXPECT_OK(d().expect_text(res::kEditScaleN, "1.000000000"));
    EXPECT_OK(d().type(res::kEditSourceFrom, "1"));
    EXPECT_OK(d().type(res::kEditSourceTo, "3"));
    EXPECT_OK(d().type(res::kEditTargetFrom, "101"));
    EXPECT_OK(d().type(res::kEditRotation, "90"));
    EXPECT_OK(d().type(res::kEditAboutNumber, "1"));
    EXPECT_OK(d().type(res::kEditShiftEl, "1.5"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Stored 3 points.");
    EXPECT_OK(d().expect_window("main"));
    d().inspect([&] {
        // Point 2, 100 north of the About point, turns to 100 east of it.
        EXPECT_NEAR(point(102).easting, 355900.0, 1e-6);
        EXPECT_NEAR(point(102).northing, 4600000.0, 1e-6);
        EXPECT_EQ(point(102).elevation, 14.0);
    });

    // Back again: the kept block shown, Inverse checked, into 201 on.
    EXPECT_OK(d().command(prog::kByParameters));
    EXPECT_OK(d().expect_text(res::kEditAboutNumber, "1"));
    EXPECT_OK(d().type(res::kEditSourceFrom, "101"));
    EXPECT_OK(d().type(res::kEditSourceTo, "103"));
    EXPECT_OK(d().type(res::kEditTargetFrom, "201"));
    EXPECT_OK(d().click("Inverse"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Stored 3 points.");
    d().inspect([&] {
        for (uint32_t n = 1; n <= 3; ++n) {
            EXPECT_NEAR(point(200 + n).easting, point(n).easting, 1e-6);
            EXPECT_NEAR(point(200 + n).northing, point(n).northing, 1e-6);
            EXPECT_NEAR(point(200 + n).elevation, point(n).elevation, 1e-9);
        }
    });

    // Again into 201: every number in use, nothing overwritten, and the dialog says so.
    EXPECT_OK(d().command(prog::kByParameters));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Stored 0 points, skipped 3 whose number is in use.");
}

TEST_F(TransformDialogs, AFittedBlockKeepsEveryDigitThroughTheDialogAndItsFile)
{
    // A rotation and an About point below what the fields show.
    calc::TransformParameters exact;
    exact.rotation = 0.0123456789012345;
    exact.about_n = 4600000.123456789;
    exact.about_e = 355800.987654321;
    exact.scale_n = exact.scale_e = 1.000012345678;
    exact.shift_e = 0.0004;
    d().inspect([&] { calc::transform_parameters() = exact; });
    EXPECT_OK(d().command(prog::kByParameters));
    EXPECT_OK(d().type(res::kEditSourceFrom, "1"));
    EXPECT_OK(d().type(res::kEditSourceTo, "3"));
    EXPECT_OK(d().type(res::kEditTargetFrom, "501"));
    d().inspect([&] { ASSERT_TRUE(calc::create_empty_job_file(kJob)); });
    choose(kJob);
    EXPECT_OK(d().menu("File/Save As"));
    calc::JobImage saved;
    d().inspect([&] { ASSERT_EQ(calc::read_job(calc::kTransformParamsJob, kJob, &saved), calc::JobRead::Read); });
    const calc::TransformParameters back = calc::transform_from_image(saved);
    EXPECT_EQ(back.rotation, exact.rotation);
    EXPECT_EQ(back.about_n, exact.about_n);
    EXPECT_EQ(back.scale_e, exact.scale_e);
    EXPECT_EQ(back.shift_e, exact.shift_e);
    EXPECT_EQ(back.target_from, 501u);

    // A field typed anew is read from its text.
    EXPECT_OK(d().type(res::kEditRotation, "0"));
    EXPECT_OK(d().menu("File/Save"));
    d().inspect([&] { ASSERT_EQ(calc::read_job(calc::kTransformParamsJob, kJob, &saved), calc::JobRead::Read); });
    EXPECT_EQ(calc::transform_from_image(saved).rotation, 0.0);
    EXPECT_EQ(calc::transform_from_image(saved).about_e, exact.about_e);
}

TEST_F(TransformDialogs, RefusesWhatCannotBeTransformedAndFilesOfAnotherKind)
{
    EXPECT_OK(d().command(prog::kByParameters));
    EXPECT_OK(d().type(res::kEditSourceFrom, "1"));
    EXPECT_OK(d().type(res::kEditSourceTo, "3"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Give the target From point number.");
    EXPECT_OK(d().type(res::kEditTargetFrom, "4294967294"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "The target range would pass point number 4294967295.");
    EXPECT_OK(d().type(res::kEditTargetFrom, "50"));
    EXPECT_OK(d().type(res::kEditScaleE, "0"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Every scale must be a number other than 0.");
    EXPECT_OK(d().type(res::kEditScaleE, "1"));
    EXPECT_OK(d().type(res::kEditRotation, "12a"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "The rotation does not read as an angle.");
    EXPECT_OK(d().expect_window(res::kDialogTransformParams));

    // The coordinate file is no transform job: refused, and the block stays.
    choose(u"\\My Documents\\Lot7.dat");
    EXPECT_OK(d().menu("File/Open"));
    expect_box("Error", "Not a Parameter Transform file.");
    EXPECT_OK(d().expect_text(res::kEditRotation, "12a"));
    EXPECT_OK(d().menu("Exit"));
    d().inspect([&] { EXPECT_EQ(point(50).number, 0u) << "nothing stored"; });
}

TEST_F(TransformDialogs, ControlPairsAreFittedShownAppliedAndSaved)
{
    // 11..13: 1..3 moved by (+10 N, -20 E).
    d().inspect([&] {
        put(11, 4600010.0, 355780.0);
        put(12, 4600110.0, 355780.0);
        put(13, 4600010.0, 355930.0);
    });
    EXPECT_OK(d().command(prog::kByPoints));
    EXPECT_OK(d().expect_window(res::kDialogTransformPoints));
    EXPECT_OK(d().menu("Parameters/Save"));
    expect_box("Save Transform", "No parameters calculated.");

    EXPECT_OK(d().click("Add"));
    EXPECT_OK(d().expect_window(res::kDialogTransformPair));
    for (auto [source, target] : {std::pair {"1", "11"}, {"2", "12"}}) {
        EXPECT_OK(d().type(res::kEditPairSource, source));
        EXPECT_OK(d().type(res::kEditPairTarget, target));
        EXPECT_OK(d().click("Another"));
    }
    EXPECT_OK(d().type(res::kEditPairSource, "3"));
    EXPECT_OK(d().type(res::kEditPairTarget, "99"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_item(res::kListControlPairs, 2, "      3     99"));

    EXPECT_OK(d().menu("Parameters/Calc"));
    expect_box("Transform", "Control point 99 is not in the coordinate file.");
    EXPECT_OK(d().select(res::kListControlPairs, 2));
    EXPECT_OK(d().click("Edit"));
    EXPECT_OK(d().expect_text(res::kEditPairTarget, "99"));
    EXPECT_OK(d().type(res::kEditPairTarget, "13"));
    EXPECT_OK(d().click("OK"));

    EXPECT_OK(d().menu("Parameters/Calc"));
    EXPECT_OK(d().expect_window(res::kDialogTransParameters));
    EXPECT_OK(d().expect_text(res::kStaticParameterValue + 3, "10.000"));
    EXPECT_OK(d().expect_text(res::kStaticParameterValue + 4, "-20.000"));
    EXPECT_OK(d().expect_text(res::kStaticParameterValue + 6, "1.0000"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().expect_item(res::kListControlPairs, 0, "      1     11 0.000 0.000"));

    EXPECT_OK(d().type(res::kEditSourceFrom, "1"));
    EXPECT_OK(d().type(res::kEditSourceTo, "3"));
    EXPECT_OK(d().type(res::kEditTargetFrom, "21"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "Stored 3 points.");
    d().inspect([&] { EXPECT_NEAR(point(23).easting, 355930.0, 1e-6); });

    d().inspect([&] { ASSERT_TRUE(calc::create_empty_job_file(kJob)); });
    choose(kJob);
    EXPECT_OK(d().menu("Parameters/Save"));
    calc::JobImage saved;
    d().inspect([&] { ASSERT_EQ(calc::read_job(calc::kTransformPointsJob, kJob, &saved), calc::JobRead::Read); });
    EXPECT_NEAR(calc::transform_from_image(saved).shift_e, -20.0, 1e-6);

    // A change to the pairs forgets the fit; Exit forgets the pairs.
    EXPECT_OK(d().select(res::kListControlPairs, 0));
    EXPECT_OK(d().click("Delete"));
    EXPECT_OK(d().menu("Transform"));
    expect_box("Transform", "No parameters calculated.");
    EXPECT_OK(d().menu("Exit"));
    d().inspect([&] { EXPECT_EQ(calc::control_pairs().count(), 0); });
}

}  // namespace
