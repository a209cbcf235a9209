// The export and import forms driven as a user drives them: the replace policies with their prompts, the
// renumber prompt's answers, Preview taking a heading, an export of a range with a heading, the files that
// do not open, and the configuration saved, refused and loaded.

#include <gtest/gtest.h>

#include "calc/job_menu.h"
#include "exchange/exchange_config.h"
#include "exchange/exchange_dialogs.h"
#include "platform/driver/driver.h"
#include "resources/exchange_resources.h"
#include "resources/point_dialog_resources.h"
#include "resources/resources.h"
#include "tests/exchange/exchange_fixture.h"
#include "tests/support/program_harness.h"

namespace {

using namespace exchange_testing;
namespace res = resources;

namespace prog {

constexpr int kOpenExport = 900;
constexpr int kOpenImport = 901;

int program()
{
    return testing_support::run_test_program(u"ExchangeTestMain",
        testing_support::command_window([](platform::ui::Hwnd main, int id) {
            if (id == kOpenExport)
                exchange::run_ascii_export(main);
            else if (id == kOpenImport)
                exchange::run_ascii_import(main);
        }),
        [] {
            resources::install_all();
            calc::set_job_path_chooser([](platform::ui::Hwnd) { return testing_support::next_chosen_path(); });
        });
}

}  // namespace prog

const std::u16string kConfig = u"\\My Documents\\layout.job";
const char* const kAsciiText = "\\My Documents\\points.txt";

class ExchangeDialogTest : public testing_support::WithProgram<ExchangeTest> {
protected:
    void SetUp() override
    {
        WithProgram<ExchangeTest>::SetUp();
        m_before = {{1, make_point(1, 1, 1, 1, "OLD1")}, {2, make_point(2, 2, 2, 2, "OLD2")},
            {50, make_point(50, 5, 5, 5, "OLD50")}};
        store_points(m_before);
        start(prog::program);
    }

    void choose(const std::u16string& path)
    {
        ASSERT_TRUE(d().inspect([&] { testing_support::chosen_paths().push_back(path); }));
    }

    void expect_box(const char* caption, const char* text)
    {
        EXPECT_OK(d().expect_box(caption, text));
        EXPECT_OK(d().answer("ok"));
    }

    // The import form with a policy and the file, and Import chosen: the progress dialog runs.
    void import_with(const char* policy, const char* file = kAsciiText)
    {
        EXPECT_OK(d().command(prog::kOpenImport));
        EXPECT_OK(d().expect_window(res::kDialogAsciiImport));
        EXPECT_OK(d().select(res::kComboExchangePolicy, policy));
        EXPECT_OK(d().type(res::kEditExchangeFile, file));
        EXPECT_OK(d().menu("Import"));
        EXPECT_OK(d().wait(5));
    }

    Points points()
    {
        Points live;
        d().inspect([&] { live = live_points(); });
        return live;
    }

    Points m_before;
};

// "Ask before replace": each existing number asks; OK overwrites, Cancel keeps. The box says what was done.
TEST_F(ExchangeDialogTest, AskBeforeReplaceAsksForEachExistingPoint)
{
    write_device_file(kAscii, "1,\"NEW1\",10,10,10\r\n2,\"NEW2\",20,20,20\r\n3,\"NEW3\",30,30,30\r\n1,,,,\r\n");
    import_with("Ask before replace");
    EXPECT_OK(d().expect_window("OVERWRITE_PT"));
    EXPECT_OK(d().expect_text(1214, "Pt#1 exists.  Overwrite?"));
    // While the prompt is open the run waits: ticks bring no second prompt and store nothing.
    EXPECT_OK(d().wait(50));
    EXPECT_OK(d().expect_text(1214, "Pt#1 exists.  Overwrite?"));
    EXPECT_EQ(points().count(3), 0u);
    EXPECT_OK(d().click("Cancel"));
    EXPECT_OK(d().wait(5));
    EXPECT_OK(d().expect_text(1214, "Pt#2 exists.  Overwrite?"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().wait(5));
    expect_box("Import", "Imported: 1\nReplaced: 1\nExisting kept: 1\nLines skipped: 1 (line 4)");
    EXPECT_OK(d().expect_window("main"));
    const Points live = points();
    EXPECT_TRUE(same_point(live.at(1), m_before.at(1)));
    EXPECT_TRUE(same_point(live.at(2), make_point(2, 20, 20, 20, "NEW2")));
    EXPECT_TRUE(same_point(live.at(3), make_point(3, 30, 30, 30, "NEW3")));
}

// "Renumber": Skip and an empty or 0 number keep the line out; a free number stores it there; a number in
// use asks to overwrite that one.
TEST_F(ExchangeDialogTest, RenumberTakesAFreeNumberAndNeverPointZero)
{
    write_device_file(kAscii, "1,\"A\",10,10,10\r\n2,\"B\",20,20,20\r\n50,\"C\",30,30,30\r\n1,\"D\",40,40,40\r\n");
    import_with("Renumber");
    EXPECT_OK(d().expect_window("RENUMBER_PT"));
    EXPECT_OK(d().expect_text(1217, "Pt#1 exists.  Enter new pt#."));
    EXPECT_OK(d().type(1045, "0"));
    EXPECT_OK(d().click("Renumber"));
    EXPECT_OK(d().wait(5));
    EXPECT_OK(d().expect_text(1217, "Pt#2 exists.  Enter new pt#."));
    EXPECT_OK(d().type(1045, "7"));
    EXPECT_OK(d().click("Renumber"));
    EXPECT_OK(d().wait(5));
    EXPECT_OK(d().expect_text(1217, "Pt#50 exists.  Enter new pt#."));
    EXPECT_OK(d().type(1045, "7"));
    EXPECT_OK(d().click("Renumber"));
    EXPECT_OK(d().wait(5));
    EXPECT_OK(d().expect_window("OVERWRITE_PT"));
    EXPECT_OK(d().expect_text(1214, "Pt#7 exists.  Overwrite?"));
    EXPECT_OK(d().click("OK"));
    EXPECT_OK(d().wait(5));
    EXPECT_OK(d().expect_window("RENUMBER_PT"));
    EXPECT_OK(d().click("Skip"));
    EXPECT_OK(d().wait(5));
    expect_box("Import", "Imported: 1\nReplaced: 1\nExisting kept: 2\nLines skipped: 0");
    const Points live = points();
    EXPECT_EQ(live.size(), 4u);
    EXPECT_EQ(live.count(0), 0u);
    EXPECT_TRUE(same_point(live.at(7), make_point(7, 30, 30, 30, "C")));
    for (uint32_t n : {1u, 2u, 50u})
        EXPECT_TRUE(same_point(live.at(n), m_before.at(n)));
}

// "Never replace" leaves every existing point as it was; the default policy replaces.
TEST_F(ExchangeDialogTest, NeverReplaceAndAlwaysReplace)
{
    write_device_file(kAscii, "1,\"NEW1\",10,10,10\r\n50,\"NEW50\",20,20,20\r\n");
    import_with("Never replace");
    expect_box("Import", "Imported: 0\nReplaced: 0\nExisting kept: 2\nLines skipped: 0");
    EXPECT_TRUE(same_point(points().at(50), m_before.at(50)));
    import_with("Always replace");
    expect_box("Import", "Imported: 0\nReplaced: 2\nLines skipped: 0");
    EXPECT_TRUE(same_point(points().at(50), make_point(50, 20, 20, 20, "NEW50")));
}

// Preview takes a heading's layout into the boxes and shows the first point; a file that is not there and
// lines that match nothing are said.
TEST_F(ExchangeDialogTest, PreviewTakesAHeadingAndShowsTheFirstPoint)
{
    write_device_file(kAscii, "Number,Name,Northing,Easting\r\n12,\"Gate\",100.5,200.25\r\n");
    EXPECT_OK(d().command(prog::kOpenImport));
    EXPECT_OK(d().type(res::kEditExchangeFile, kAsciiText));
    EXPECT_OK(d().menu("Preview"));
    expect_box("Import Preview", "Pt: 12\nName: Gate\nN: 100.500\nE: 200.250\nEl: 0.000\nCode: \nRemark: ");
    for (int k = 0; k < 7; ++k) {
        const char* names[] = {"Number", "Name", "Northing", "Easting", " ", " ", " "};
        EXPECT_OK(d().expect_text(res::kComboExchangeField1 + k, names[k]));
    }
    EXPECT_OK(d().type(res::kEditExchangeFile, "\\My Documents\\none.txt"));
    EXPECT_OK(d().menu("Preview"));
    expect_box("Error opening file:", "\\My Documents\\none.txt");
    expect_box("Error", "Data does not match format.");
    EXPECT_OK(d().menu("Import"));
    expect_box("Error opening file:", "\\My Documents\\none.txt");
    EXPECT_OK(d().expect_window(res::kDialogAsciiImport));
}

// An export of a range with a heading and 3 decimals; the run's box counts the points; Append adds.
TEST_F(ExchangeDialogTest, ExportARangeWithAHeading)
{
    // A northing of -0.0004 at 3 decimals keeps its sign: -0.000.
    d().inspect([&] { store_points({{20, make_point(20, 7, -0.0004, 1, "NEG")}}); });
    EXPECT_OK(d().command(prog::kOpenExport));
    EXPECT_OK(d().expect_window(res::kDialogAsciiExport));
    for (int k = 0; k < 7; ++k) {
        const char* kinds[] = {"Number", "Northing", "Easting", "Elevation", " ", " ", "Name"};
        EXPECT_OK(d().select(res::kComboExchangeField1 + k, kinds[k]));
    }
    EXPECT_OK(d().type(res::kEditExchangeFrom, "2"));
    EXPECT_OK(d().type(res::kEditExchangeTo, "60"));
    EXPECT_OK(d().select(res::kComboExchangeDecimals, "3"));
    EXPECT_OK(d().click("Heading"));
    EXPECT_OK(d().type(res::kEditExchangeFile, kAsciiText));
    EXPECT_OK(d().menu("Export"));
    EXPECT_OK(d().wait(5));
    expect_box("Export", "Points written: 3");
    EXPECT_EQ(read_bytes(kAscii),
        "Number,Northing,Easting,Elevation,,,Name\r\n2,2.000,2.000,2.000,,,\"OLD2\"\r\n"
        "20,-0.000,7.000,1.000,,,\"NEG\"\r\n50,5.000,5.000,5.000,,,\"OLD50\"\r\n");
    // The form shows the configuration it left.
    EXPECT_OK(d().command(prog::kOpenExport));
    EXPECT_OK(d().expect_text(res::kEditExchangeFrom, "2"));
    EXPECT_OK(d().expect_text(res::kComboExchangeDecimals, "3"));
    EXPECT_OK(d().type(res::kEditExchangeFile, "\\No Folder\\x.txt"));
    EXPECT_OK(d().menu("Export"));
    expect_box("Error opening file:", "\\No Folder\\x.txt");
}

// Save writes the configuration, Load brings it back into either form; a path too long for the file is
// refused and never cut; another kind of file is refused with the form's text.
TEST_F(ExchangeDialogTest, TheConfigurationIsSavedAndLoaded)
{
    EXPECT_OK(d().command(prog::kOpenExport));
    EXPECT_OK(d().select(res::kComboExchangeField1, "Code"));
    EXPECT_OK(d().type(res::kEditExchangeTo, "77"));
    EXPECT_OK(d().select(res::kComboExchangeDecimals, "10"));
    EXPECT_OK(d().type(res::kEditExchangeFile, "\\My Documents\\out.txt"));
    choose(kConfig);
    EXPECT_OK(d().menu("Configuration/Save"));
    EXPECT_EQ(file_size(kConfig), 48 + 132);
    // A path longer than 39 characters stays whole in the form and is not saved.
    const std::string long_path = "\\My Documents\\exports\\2026\\december\\points.txt";
    EXPECT_OK(d().type(res::kEditExchangeFile, long_path));
    EXPECT_OK(d().menu("Configuration/Save"));
    EXPECT_OK(d().expect_window("MessageBox"));
    EXPECT_OK(d().answer("ok"));
    EXPECT_OK(d().expect_text(res::kEditExchangeFile, long_path));
    EXPECT_EQ(file_size(kConfig), 48 + 132);
    EXPECT_OK(d().menu("Cancel"));

    EXPECT_OK(d().command(prog::kOpenImport));
    EXPECT_OK(d().select(res::kComboExchangeField1, "Number"));
    choose(kConfig);
    EXPECT_OK(d().menu("Config./Load"));
    EXPECT_OK(d().expect_text(res::kComboExchangeField1, "Code"));
    EXPECT_OK(d().expect_text(res::kEditExchangeFile, "\\My Documents\\out.txt"));
    write_device_file(kAscii, std::string(200, 'x'));
    choose(kAscii);
    EXPECT_OK(d().menu("Config./Load"));
    expect_box("Error", "Not an Import file.");
    choose(u"\\My Documents\\none.job");
    EXPECT_OK(d().menu("Config./Load"));
    expect_box("Error opening file:", "\\My Documents\\none.job");
    expect_box("Error", "Not an Import file.");
    EXPECT_OK(d().expect_text(res::kComboExchangeField1, "Code"));
    bool same = false;
    d().inspect([&] { same = exchange::exchange_config().to == 77 && exchange::exchange_config().decimals == 10; });
    EXPECT_TRUE(same);
}

}  // namespace
