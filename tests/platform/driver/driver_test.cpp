#include "platform/driver/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "platform/ui/ui.h"
#include "tests/platform/driver/test_program.h"
#include "tests/support/program_harness.h"

namespace platform::driver::testing {
namespace {

bool contains(const std::string& haystack, const std::string& needle)
{
    return haystack.find(needle) != std::string::npos;
}

class DriverTest : public testing_support::ProgramTest {
protected:
    void SetUp() override
    {
        testing_support::ProgramTest::SetUp();
        start(test_program);
    }
    // The lines logged since the last call.
    std::vector<std::string> fresh()
    {
        std::vector<std::string> all = log();
        std::vector<std::string> out(all.begin() + std::min(m_seen, all.size()), all.end());
        m_seen = all.size();
        return out;
    }
    size_t m_seen = 0;
};

TEST_F(DriverTest, AMenuPathPostsItsCommandToTheActiveWindow)
{
    EXPECT_OK(d().expect_window("main"));
    EXPECT_OK(d().menu("Coords/Transform/By Parameters"));
    EXPECT_OK(d().menu(" Coords / Open "));
    EXPECT_EQ(fresh(), (std::vector<std::string> {"main 40202", "main 40004"}));
    Result r = d().menu("Coords/Transform");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(contains(r.message, "Coords/Transform")) << r.message;
}

TEST_F(DriverTest, AMessageBoxShowsItsCaptionAndTextAndReturnsTheButtonPressed)
{
    ASSERT_OK(d().command(kAskYesNoCancel));
    EXPECT_OK(d().expect_window("MessageBox"));
    EXPECT_OK(d().expect_box("Error", "Not a coordinate file."));
    Result wrong = d().expect_box("Error", "Something else.");
    EXPECT_FALSE(wrong.ok);
    EXPECT_TRUE(contains(wrong.message, "seen box \"Error\" \"Not a coordinate file.\"")) << wrong.message;
    EXPECT_FALSE(d().answer("maybe").ok);
    EXPECT_OK(d().answer("no"));
    EXPECT_EQ(fresh(), (std::vector<std::string> {"box 7"}));
    EXPECT_OK(d().expect_window("main"));
    EXPECT_FALSE(d().answer("ok").ok);  // no box any more
}

TEST_F(DriverTest, EscapeAnswersCancelOrNoAndReturnPressesTheFocusedButton)
{
    d().command(kAskYesNoCancel);
    d().key("escape");
    d().command(kAskYesNo);
    d().key("escape");
    d().command(kTellOk);
    d().key("return");
    d().command(kAskYesNo);
    d().answer("yes");
    d().command(kAskYesNoCancel);
    d().key("tab");
    d().key("return");
    d().command(kAskYesNoCancel);
    d().key("return");
    EXPECT_EQ(fresh(), (std::vector<std::string> {"box 2", "box 7", "box 1", "box 6", "box 7", "box 6"}));
}

TEST_F(DriverTest, AMessageBoxIsSizedToItsWrappedTextAndCentred)
{
    d().command(kTellOk);
    ui::Rect r;
    ui::Rect text;
    d().inspect([&] {
        ui::Hwnd box = ui::active_window();
        r = ui::window_rect(box);
        text = ui::window_rect(ui::child_by_id(box, controls::kMessageBoxTextId));
    });
    EXPECT_LT(r.width(), ui::kScreenWidth);
    EXPECT_NEAR(r.left + r.width() / 2, ui::kScreenWidth / 2, 1);
    EXPECT_GE(text.left, r.left);
    EXPECT_LE(text.right, r.right);
    EXPECT_LT(r.height(), 120);
}

TEST_F(DriverTest, AnIconStandsLeftOfTheTextInItsColour)
{
    d().command(kTellOk);
    int plain_indent = 0;  // text left of the box's left edge, without an icon
    d().inspect([&] {
        ui::Hwnd b = ui::active_window();
        plain_indent = ui::window_rect(ui::child_by_id(b, controls::kMessageBoxTextId)).left - ui::window_rect(b).left;
    });
    d().answer("ok");
    d().command(kWarnWithIcon);
    ui::Rect box, text;
    int red = 0;
    d().inspect([&] {
        ui::paint_pending();
        box = ui::window_rect(ui::active_window());
        text = ui::window_rect(ui::child_by_id(ui::active_window(), controls::kMessageBoxTextId));
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < text.left; ++x)
                red += ui::screen().pixel(x, y) == gdi::rgb(200, 0, 0) ? 1 : 0;
    });
    EXPECT_GE(text.left - box.left, plain_indent + 16);
    EXPECT_GT(red, 100);
    EXPECT_OK(d().expect_box("Error", "Not a coordinate file."));
    d().key("escape");
    EXPECT_EQ(fresh(), (std::vector<std::string> {"box 1", "box 1"}));
}

TEST_F(DriverTest, TypingClickingAndSelectingSendTheNotificationsOfAUser)
{
    ASSERT_OK(d().command(kOpenForm));
    ASSERT_OK(d().expect_window("TEST_FORM"));
    fresh();
    EXPECT_OK(d().type(1012, "12"));
    EXPECT_OK(d().expect_text(1012, "12"));
    // 1011 had the focus first (the first tab stop).
    EXPECT_EQ(fresh(), (std::vector<std::string> {"form 1011 512", "form 1012 256", "form 1012 768"}));
    EXPECT_OK(d().click("Get"));
    EXPECT_OK(d().click(1050));
    EXPECT_OK(d().select(1100, 2));
    EXPECT_OK(d().select(1244, "Gons (Grads)"));
    EXPECT_EQ(fresh(),
        (std::vector<std::string> {"form 1012 512", "form 1006 0", "form 1050 0", "form 1100 1", "form 1244 1"}));
    EXPECT_OK(d().expect_text(1244, "Gons (Grads)"));
    EXPECT_OK(d().expect_item(1100, 0, "    From 1 to 3"));
    EXPECT_OK(d().expect_count(1100, 3));
    EXPECT_OK(d().expect_count(1244, 3));
    int check = -1;
    d().inspect([&] { check = controls::button_check(ui::child_by_id(ui::active_window(), 1050)); });
    EXPECT_EQ(check, 1);
}

TEST_F(DriverTest, FailuresSayWhatWasExpectedAndWhatWasSeen)
{
    d().command(kOpenForm);
    Result r = d().expect_count(1100, 4);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(contains(r.message, "expected 4, seen 3")) << r.message;
    r = d().expect_item(1100, 5, "x");
    EXPECT_TRUE(contains(r.message, "no such entry")) << r.message;
    r = d().expect_text(1011, "5");
    EXPECT_TRUE(contains(r.message, "expected \"5\", seen \"\"")) << r.message;
    r = d().expect_window("PT_EDIT");
    EXPECT_TRUE(contains(r.message, "expected PT_EDIT, seen TEST_FORM")) << r.message;
    r = d().click(4711);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(contains(r.message, "no control 4711")) << r.message;
    r = d().type(1006, "x");  // a button is not an edit
    EXPECT_TRUE(contains(r.message, "is a button")) << r.message;
    EXPECT_FALSE(d().select(1100, 3).ok);
    EXPECT_FALSE(d().select(1244, "Mils").ok);
    EXPECT_FALSE(d().key("hyper+x").ok);
}

TEST_F(DriverTest, TheDriverRefusesWhatAUserCouldNotDo)
{
    d().command(kOpenForm);
    fresh();
    Result r = d().click("Off");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(contains(r.message, "is disabled")) << r.message;
    r = d().type(1013, "12a");
    EXPECT_TRUE(contains(r.message, "digits only")) << r.message;
    EXPECT_OK(d().type(1013, "42"));
    EXPECT_OK(d().expect_text(1013, "42"));
    EXPECT_EQ(fresh(), (std::vector<std::string> {"form 1011 512", "form 1013 256", "form 1013 768"}));
}

TEST_F(DriverTest, ATapAtClientCoordinatesReachesTheControlThere)
{
    d().command(kOpenForm);
    fresh();
    EXPECT_OK(d().tap(100, 36));  // inside edit 1012
    EXPECT_OK(d().key("7"));
    EXPECT_OK(d().key("shift+tab"));
    EXPECT_OK(d().key("8"));
    EXPECT_OK(d().expect_text(1012, "7"));
    EXPECT_OK(d().expect_text(1011, "8"));
}

TEST_F(DriverTest, ATemplateKnownByNumberIsNamedByIt)
{
    d().command(kOpenAbout);
    EXPECT_OK(d().expect_window("103"));
    EXPECT_FALSE(d().expect_window("104").ok);
    EXPECT_FALSE(d().expect_window("main").ok);
    d().command(ui::kIdOk);
    EXPECT_OK(d().expect_window("main"));
}

TEST_F(DriverTest, DumpListsEveryControlWithEntriesAndSelection)
{
    d().command(kOpenForm);
    d().select(1100, 1);
    Result r = d().dump();
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(contains(r.message, "window TEST_FORM \"Test form\"")) << r.message;
    EXPECT_TRUE(contains(r.message, "1011 edit \"\"")) << r.message;
    EXPECT_TRUE(contains(r.message, "1006 button \"Get\"")) << r.message;
    EXPECT_TRUE(contains(r.message, "1050 button \"Closed\" check 0")) << r.message;
    EXPECT_TRUE(contains(r.message, "1100 listbox \"\" focused count 3 selection 1")) << r.message;
    EXPECT_TRUE(contains(r.message, "0 \"    From 1 to 3\"")) << r.message;
    // Each control's rectangle in client pixels: the field right of the label "Number".
    EXPECT_TRUE(contains(r.message, "1300 static \"Number\" at 4,4 56x16\n")) << r.message;
    EXPECT_TRUE(contains(r.message, "1011 edit \"\" at 64,4 96x18\n")) << r.message;
    EXPECT_TRUE(contains(r.message, "1100 listbox \"\" focused count 3 selection 1 at 4,60 156x80\n    0 "))
        << r.message;
    EXPECT_TRUE(contains(r.message, "1244 combobox \"Degrees\" count 3 selection 0")) << r.message;
    d().command(ui::kIdCancel);
    r = d().dump();
    EXPECT_TRUE(contains(r.message, "window main")) << r.message;
    EXPECT_TRUE(contains(r.message, "\"Coords/Transform/By Parameters\" 40202")) << r.message;
}

TEST_F(DriverTest, AScreenshotIsTheWholeScreenAsPng)
{
    std::string path = (std::filesystem::temp_directory_path() / "varno_driver_shot.png").string();
    std::remove(path.c_str());
    d().command(kOpenForm);
    ASSERT_OK(d().screenshot(path));
    gdi::Bitmap shot;
    ASSERT_TRUE(gdi::read_png(path, &shot));
    EXPECT_EQ(shot.width(), ui::kScreenWidth);
    EXPECT_EQ(shot.height(), ui::kScreenHeight);
    std::remove(path.c_str());
    EXPECT_FALSE(d().screenshot("/nonexistent-folder/x.png").ok);
}

TEST_F(DriverTest, QuitClosesTheMainWindowAndTheProgramEnds)
{
    EXPECT_OK(d().quit());
    EXPECT_FALSE(d().running());
    EXPECT_EQ(d().finish(), kProgramExitCode);
    EXPECT_FALSE(d().command(1).ok);
    EXPECT_OK(d().quit());  // nothing left to close
}

TEST_F(DriverTest, WaitAdvancesTheClock)
{
    EXPECT_OK(d().wait(1500));
    EXPECT_OK(d().expect_window("main"));
}

}  // namespace
}  // namespace platform::driver::testing
