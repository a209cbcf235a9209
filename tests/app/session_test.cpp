// Start-up and shutdown with Varno.prefs, Open and Reindex on real files, driven through the browser.

#include <cstring>
#include <filesystem>

#include "app/preferences.h"
#include "formats/display_settings.h"
#include "gps/gps_link.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/view_extents.h"
#include "tests/app/session_fixture.h"

namespace {

namespace files = platform::files;
using testing_support::SessionTest;

class Session : public SessionTest {
protected:
    // A coordinate file with points 1..count (E = 1000 + number, N = 2000 + number), no index files.
    static void make_points_file(const std::u16string& path, int count)
    {
        ASSERT_TRUE(store::coord_create(path));
        for (int i = 1; i <= count; ++i) {
            store::PointRecord p {};
            p.number = uint32_t(i);
            p.easting = 1000.0 + i;
            p.northing = 2000.0 + i;
            std::snprintf(p.name, sizeof p.name, "P%d", i);
            ASSERT_TRUE(store::coord_append(p, nullptr));
        }
        store::coord_close();
        files::remove(store::coord_base_path_of(path) + store::kNumberIndexSuffix);
        files::remove(store::coord_base_path_of(path) + store::kNameIndexSuffix);
    }

    // A prefs file with these options and last file (and extents 10, 20, 30, 40).
    void write_prefs(const std::u16string& options, const std::u16string& last_file, size_t size = 568)
    {
        app::PreferencesRecord r {};
        app::set_preferences_options(&r, options);
        app::set_field_text(r.last_file, last_file);
        app::set_preferences_port_name(&r, u"COM7:");
        app::set_field_double(r.min_e, 10);
        app::set_field_double(r.min_n, 20);
        app::set_field_double(r.max_e, 30);
        app::set_field_double(r.max_n, 40);
        std::string bytes(reinterpret_cast<const char*>(&r), 568);
        for (size_t i = 568; i < size; ++i)
            bytes.push_back(char(i));
        write_bytes(kPrefsPath, bytes);
    }

    app::PreferencesRecord saved_prefs()
    {
        app::PreferencesRecord r {};
        const std::string bytes = read_bytes(kPrefsPath);
        EXPECT_GE(bytes.size(), 568u);
        if (bytes.size() >= 568)
            std::memcpy(&r, bytes.data(), 568);
        return r;
    }

    static int read_point(uint32_t number)
    {
        store::PointRecord p {};
        return store::point_read_by_number(number, &p);
    }

    void finish_indexing()
    {
        ASSERT_OK(m_driver->expect_window("PT_INDEXING"));
        for (int i = 0; i < 50 && m_driver->expect_window("PT_INDEXING").ok; ++i)
            ASSERT_OK(m_driver->wait(5));
        EXPECT_OK(m_driver->expect_window("main"));
    }
};

TEST_F(Session, FirstStartKeepsTheDefaultsAndAnExitWritesTheWholeRecord)
{
    auto& d = start();
    d.inspect([] {
        EXPECT_EQ(formats::angle_mode(), formats::kAngleDegrees);
        EXPECT_EQ(formats::coordinate_decimals(), 3);
        EXPECT_FALSE(store::coord_is_open());
        EXPECT_EQ(gps::GetGpsPortName(), u"COM3:");
    });
    EXPECT_FALSE(exists(kPrefsPath));
    ASSERT_OK(d.menu("Close"));
    EXPECT_EQ(d.finish(), 0);
    ASSERT_EQ(read_bytes(kPrefsPath).size(), 568u);
    const app::PreferencesRecord r = saved_prefs();
    EXPECT_EQ(app::preferences_last_file(r), u"----");
    EXPECT_EQ(app::preferences_options(r), u"degs,0,3,3,3");
    EXPECT_EQ(app::preferences_port_name(r), u"COM3:");  // the next start keeps the port
    const uint8_t marker[4] = {0xCD, 0xCC, 0x4C, 0x3F};
    EXPECT_EQ(std::memcmp(r.marker, marker, 4), 0);
}

TEST_F(Session, OpenOnANewPathCreatesTheFileAndItsIndexesAndARestartReopensIt)
{
    start();
    choose_typed("Coords/Open", "\\My Documents\\Lot7.dat");
    EXPECT_OK(m_driver->expect_window("main"));
    EXPECT_EQ(read_bytes(u"\\My Documents\\Lot7.dat").size(), 287u);
    EXPECT_TRUE(exists(u"\\My Documents\\Lot7.PPC_.PtNDX"));
    EXPECT_TRUE(exists(u"\\My Documents\\Lot7.PPC_.NamNDX"));
    m_driver->inspect([] {
        store::PointRecord p {};
        p.number = 12;
        p.easting = 512.5;
        p.northing = -77.25;
        EXPECT_EQ(store::point_store(p, false), 1);
        store::view_extents_set(500, -80, 520, -70);
    });

    auto& d = restart();
    d.inspect([] {
        EXPECT_TRUE(store::coord_is_open());
        EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Lot7.dat");
        EXPECT_EQ(read_point(12), 1);
        double min_e, min_n, max_e, max_n;
        store::view_extents_get(&min_e, &min_n, &max_e, &max_n);
        EXPECT_EQ(min_e, 500);
        EXPECT_EQ(min_n, -80);
        EXPECT_EQ(max_e, 520);
        EXPECT_EQ(max_n, -70);
        EXPECT_TRUE(store::view_extents_valid());
    });
    EXPECT_OK(d.expect_window("main"));
}

TEST_F(Session, OpenRefusesAFileThatIsNotACoordinateFileAndKeepsTheOpenOne)
{
    make_points_file(u"\\My Documents\\Job.dat", 0);
    write_bytes(u"\\Temp\\notes.txt", "hello");
    start();
    choose_typed("Coords/Open", "\\My Documents\\Job.dat");
    choose_typed("Coords/Open", "\\Temp\\notes.txt   ");
    EXPECT_OK(m_driver->expect_box("Error", "Not a coordinate file."));
    ASSERT_OK(m_driver->answer("ok"));
    m_driver->inspect([] { EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Job.dat"); });
    EXPECT_EQ(read_bytes(u"\\Temp\\notes.txt").size(), 5u);

    choose_typed("Coords/Reindex", "\\Temp\\notes.txt");
    EXPECT_OK(m_driver->expect_box("Error", "\\Temp\\notes.txt is not a coordinate file."));
    ASSERT_OK(m_driver->answer("ok"));
    m_driver->inspect([] { EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Job.dat"); });
}

TEST_F(Session, OpeningTheFileThatIsOpenReopensItWithItsPoints)
{
    make_points_file(u"\\Temp\\Job.dat", 5);
    start();
    choose_typed("Coords/Open", "\\Temp\\Job.dat");
    finish_indexing();
    choose_typed("Coords/Open", "\\temp\\JOB.DAT");  // the open file holds it unshared meanwhile
    EXPECT_OK(m_driver->expect_window("main"));
    EXPECT_EQ(read_bytes(u"\\Temp\\Job.dat").size(), 287u + 5 * 87u);
    m_driver->inspect([] {
        EXPECT_TRUE(store::coord_is_open());
        EXPECT_EQ(read_point(5), 1);
    });
}

TEST_F(Session, APathTooLongForTheStoreIsRefusedAndTheOpenFileStays)
{
    make_points_file(u"\\My Documents\\Job.dat", 0);
    start();
    choose_typed("Coords/Open", "\\My Documents\\Job.dat");
    choose_typed("Coords/Open", "\\Temp\\" + std::string(130, 'n') + ".dat");
    EXPECT_OK(m_driver->expect_box("Error", "The path is too long: at most 133 characters."));
    ASSERT_OK(m_driver->answer("ok"));
    EXPECT_OK(m_driver->expect_window("main"));
    m_driver->inspect([] { EXPECT_EQ(store::coord_full_path(), u"\\My Documents\\Job.dat"); });
}

TEST_F(Session, MissingIndexFilesAreBuiltWithTheProgressDialogOnOpen)
{
    make_points_file(u"\\Temp\\Big.dat", 450);
    start();
    choose_typed("Coords/Open", "\\Temp\\Big.dat");
    finish_indexing();
    EXPECT_TRUE(exists(u"\\Temp\\Big.PPC_.PtNDX"));
    EXPECT_TRUE(exists(u"\\Temp\\Big.PPC_.NamNDX"));
    m_driver->inspect([] {
        EXPECT_EQ(read_point(1), 1);
        EXPECT_EQ(read_point(450), 1);
        store::PointRecord p {};
        EXPECT_EQ(store::point_find_nearest_by_name(u"P77", &p), 1);
        EXPECT_EQ(p.number, 77u);
    });

    // Deleted again while the program is not running: the start that reopens the file builds them.
    ASSERT_OK(m_driver->menu("Close"));
    ASSERT_EQ(m_driver->finish(), 0);
    ASSERT_TRUE(files::remove(u"\\Temp\\Big.PPC_.PtNDX"));
    ASSERT_TRUE(files::remove(u"\\Temp\\Big.PPC_.NamNDX"));
    testing_support::reset_program_state();
    start();
    finish_indexing();
    m_driver->inspect([] { EXPECT_EQ(read_point(450), 1); });
}

TEST_F(Session, ClosingTheProgramUnderTheIndexingDialogFinishesTheBuildAndLeavesNoStrayFile)
{
    make_points_file(u"\\Temp\\Big.dat", 3000);
    start();
    for (const char* stage : {"numbers", "names"}) {
        SCOPED_TRACE(stage);
        choose_typed("Coords/Reindex", "\\Temp\\Big.dat");
        ASSERT_OK(m_driver->expect_window("PT_INDEXING"));
        if (std::string(stage) == "names") {
            while (m_driver->expect_text(1045, "Indexing point numbers ...").ok)
                ASSERT_OK(m_driver->wait(1));
            ASSERT_OK(m_driver->expect_window("PT_INDEXING"));
        }
        ASSERT_OK(m_driver->wait(3));  // a few slices into the build
        ASSERT_OK(m_driver->quit());
        EXPECT_EQ(m_driver->finish(), 0);
        m_driver.reset();
        testing_support::reset_program_state();
        EXPECT_FALSE(exists(u"\\----.PPC_.NamNDX"));
        EXPECT_FALSE(exists(u"\\----.PPC_.PtNDX"));
        // The close finished the build under way, so the next start builds only the index whose build had
        // not begun (the names, when the numbers were being built), and finds every point.
        start();
        if (std::string(stage) == "numbers")
            EXPECT_OK(m_driver->expect_text(1045, "Indexing point names ..."));
        else
            EXPECT_OK(m_driver->expect_window("main"));
        for (int i = 0; i < 50 && m_driver->expect_window("PT_INDEXING").ok; ++i)
            ASSERT_OK(m_driver->wait(5));
        EXPECT_EQ(answer_all_boxes(), 0);
        m_driver->inspect([] {
            for (uint32_t n : {1u, 1500u, 3000u})
                EXPECT_EQ(read_point(n), 1) << n;
            store::PointRecord p {};
            EXPECT_EQ(store::point_find_nearest_by_name(u"P2999", &p), 1);
        });
    }
}

TEST_F(Session, DamagedIndexFilesAreRebuiltAtOpenAndReindexRebuildsThemToo)
{
    make_points_file(u"\\Temp\\Hurt.dat", 120);
    std::string junk(3000, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = char(i * 37 + 11);
    write_bytes(u"\\Temp\\Hurt.PPC_.PtNDX", junk);
    write_bytes(u"\\Temp\\Hurt.PPC_.NamNDX", junk);
    start();
    choose_typed("Coords/Open", "\\Temp\\Hurt.dat");
    // The engine refuses both index files: they are built again at once, without a message box.
    finish_indexing();
    EXPECT_EQ(answer_all_boxes(), 0);
    EXPECT_OK(m_driver->expect_window("main"));
    m_driver->inspect([] {
        EXPECT_EQ(store::coord_full_path(), u"\\Temp\\Hurt.dat");
        EXPECT_EQ(read_point(60), 1);
    });

    choose_typed("Coords/Reindex", "\\Temp\\Hurt.dat");
    finish_indexing();
    EXPECT_EQ(answer_all_boxes(), 0);
    m_driver->inspect([] {
        EXPECT_EQ(store::coord_full_path(), u"\\Temp\\Hurt.dat");
        for (uint32_t n : {1u, 60u, 120u})
            EXPECT_EQ(read_point(n), 1) << n;
        EXPECT_EQ(read_point(121), 0);
    });
}

TEST_F(Session, ReindexOfAFileThatCannotBeOpenedLeavesNoneOpenAndSaysNothing)
{
    make_points_file(u"\\Temp\\Job.dat", 0);
    start();
    choose_typed("Coords/Open", "\\Temp\\Job.dat");
    choose_typed("Coords/Reindex", "\\Temp\\Missing.dat");
    EXPECT_OK(m_driver->expect_window("main"));
    m_driver->inspect([] { EXPECT_FALSE(store::coord_is_open()); });
    EXPECT_FALSE(exists(u"\\Temp\\Missing.dat"));
}

TEST_F(Session, StoredOptionsPortAndExtentsAreAppliedAtStart)
{
    write_prefs(u"quads,0,2,2,1", u"----");
    auto& d = start();
    d.inspect([] {
        EXPECT_EQ(formats::angle_mode(), formats::kAngleQuadrant);
        EXPECT_EQ(formats::angle_decimals(), 0);
        EXPECT_EQ(formats::coordinate_decimals(), 2);
        EXPECT_EQ(formats::distance_decimals(), 2);
        EXPECT_EQ(formats::area_decimals(), 1);
        EXPECT_EQ(gps::GetGpsPortName(), u"COM7:");
        EXPECT_FALSE(store::coord_is_open());
        EXPECT_FALSE(store::view_extents_valid());  // "----": nothing reopened, extents left alone
    });
}

TEST_F(Session, ALastFileThatNoLongerOpensLeavesNoneOpenWithoutAMessage)
{
    write_prefs(u"gons,4", u"\\Temp\\Gone.dat  ");
    auto& d = start();
    EXPECT_OK(d.expect_window("main"));
    d.inspect([] {
        EXPECT_FALSE(store::coord_is_open());
        EXPECT_EQ(formats::angle_mode(), formats::kAngleGons);
        EXPECT_EQ(formats::angle_decimals(), 6);
        double min_e, min_n, max_e, max_n;
        store::view_extents_get(&min_e, &min_n, &max_e, &max_n);
        EXPECT_EQ(min_e, 10);
        EXPECT_EQ(max_n, 40);
    });
    EXPECT_FALSE(exists(u"\\Temp\\Gone.dat"));
}

TEST_F(Session, ALastFileThatIsNotACoordinateFileIsNeitherOpenedNorWritten)
{
    std::string csv;
    for (int i = 1; i <= 20; ++i)
        csv += std::to_string(i) + ",5000.000,1000.000,10.000,POINT" + std::to_string(i) + "\r\n";
    write_bytes(u"\\Temp\\points.csv", csv);
    write_prefs(u"degs,0,3,3,3", u"\\Temp\\points.csv");
    auto& d = start();
    EXPECT_OK(d.expect_window("main"));  // no message, no indexing
    d.inspect([] { EXPECT_FALSE(store::coord_is_open()); });
    ASSERT_OK(d.menu("Coords/Edit"));  // needs an open file: does nothing
    EXPECT_OK(d.expect_window("main"));
    restart();
    EXPECT_OK(m_driver->expect_window("main"));
    EXPECT_EQ(read_bytes(u"\\Temp\\points.csv"), csv);
    EXPECT_FALSE(exists(u"\\Temp\\points.PPC_.PtNDX"));
    EXPECT_FALSE(exists(u"\\Temp\\points.PPC_.NamNDX"));
    // It exists and never will be one: its name is not kept.
    EXPECT_EQ(app::preferences_last_file(saved_prefs()), u"----");
}

TEST_F(Session, ALastFileOnACardThatIsNotThereKeepsItsNameUntilItReopens)
{
    const std::u16string job = u"\\Storage Card\\Job.dat";
    make_points_file(job, 0);
    write_prefs(u"degs,0,3,3,3", job + u"  ");
    files::set_card_folder(m_card + "/not-inserted");
    start();
    for (int run = 0; run < 2; ++run) {
        m_driver->inspect([] { EXPECT_FALSE(store::coord_is_open()); });
        restart();
        EXPECT_EQ(app::preferences_last_file(saved_prefs()), job) << run;  // as the run before left it
    }
    files::set_card_folder(m_card);
    restart();
    m_driver->inspect([&] {
        EXPECT_EQ(store::coord_full_path(), job);
        double min_e, min_n, max_e, max_n;  // the extents stayed with the name all along
        store::view_extents_get(&min_e, &min_n, &max_e, &max_n);
        EXPECT_EQ(min_e, 10);
        EXPECT_EQ(max_n, 40);
    });
}

TEST_F(Session, AReadOnlyLastFileKeepsItsNameAndReopensOnceWritable)
{
    make_points_file(u"\\Temp\\Job.dat", 0);
    write_prefs(u"degs,0,3,3,3", u"\\Temp\\Job.dat");
    std::filesystem::permissions(host(u"\\Temp\\Job.dat"), std::filesystem::perms::owner_read);
    start();
    m_driver->inspect([] { EXPECT_FALSE(store::coord_is_open()); });
    std::filesystem::permissions(
        host(u"\\Temp\\Job.dat"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    restart();
    EXPECT_EQ(app::preferences_last_file(saved_prefs()), u"\\Temp\\Job.dat");
    m_driver->inspect([] { EXPECT_EQ(store::coord_full_path(), u"\\Temp\\Job.dat"); });
}

TEST_F(Session, ChoosingAnotherFileForgetsTheLastFileThatDidNotReopen)
{
    write_prefs(u"degs,0,3,3,3", u"\\Temp\\Gone.dat");
    start();
    choose_typed("Coords/Open", "\\Temp\\Other.dat");  // created
    ASSERT_OK(m_driver->menu("Coords/Close"));
    m_driver->inspect([] { EXPECT_FALSE(store::coord_is_open()); });
    restart();
    EXPECT_EQ(app::preferences_last_file(saved_prefs()), u"----");

    // A refused choice changes nothing: the name is still kept.
    stop();
    write_prefs(u"degs,0,3,3,3", u"\\Temp\\Gone.dat");
    write_bytes(u"\\Temp\\notes.txt", "no");
    start();
    choose_typed("Coords/Open", "\\Temp\\notes.txt");
    ASSERT_OK(m_driver->expect_box("Error", "Not a coordinate file."));
    ASSERT_OK(m_driver->answer("ok"));
    restart();
    EXPECT_EQ(app::preferences_last_file(saved_prefs()), u"\\Temp\\Gone.dat");
}

TEST_F(Session, ALongerPrefsFileKeepsItsTailAndItsUnusedBytes)
{
    write_prefs(u"degs,1,1,1,1", u"----", 900);
    std::string before = read_bytes(kPrefsPath);
    before[40] = char(0x5A);   // unused
    before[420] = char(0xA5);  // reserved
    write_bytes(kPrefsPath, before);
    start();
    restart();
    const std::string after = read_bytes(kPrefsPath);
    ASSERT_EQ(after.size(), 900u);
    EXPECT_TRUE(std::equal(before.begin() + 388, before.end(), after.begin() + 388));
    EXPECT_TRUE(std::equal(before.begin() + 4, before.begin() + 88, after.begin() + 4));
}

TEST_F(Session, APrefsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds)
{
    ASSERT_TRUE(files::create_directory(kPrefsPath));  // a folder where the file should be
    auto& d = start();
    ASSERT_OK(d.menu("Close"));
    EXPECT_OK(d.expect_box("Error opening file:", "\\PROGRAM FILES\\VARNO\\Varno.prefs"));
    ASSERT_OK(d.answer("ok"));
    EXPECT_EQ(d.finish(), 0);
}

}  // namespace
