#pragma once
// The whole program under the driver, with helpers to end it and start it again on the same device as
// a user would (the process-wide state of the run reset in between, as a new process has it).

#include <fstream>
#include <string>
#include <vector>

#include "app/file_browser_dialog.h"
#include "app/preferences.h"
#include "formats/display_settings.h"
#include "gps/gps_link.h"
#include "platform/controls/controls.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/view_extents.h"
#include "tests/app/app_fixture.h"

namespace testing_support {

class SessionTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        platform::files::set_card_folder(m_card.path());
        fresh_process();
    }
    void TearDown() override
    {
        if (m_driver)
            m_driver->finish();
        m_driver.reset();
        fresh_process();
    }

    // What a new process starts with.
    static void fresh_process()
    {
        platform::controls::set_menu_bar_failure(false);
        platform::files::clear_faults();
        formats::reset_display_settings();
        store::coord_reset_for_tests();
        store::view_extents_reset_for_tests();
        gps::SetGpsPortName(u"COM3:");
        app::reset_preferences();
        app::file_browser_reset_for_tests();
    }

    // Ends the running program through its Close button (which saves the preferences).
    void stop()
    {
        EXPECT_OK(m_driver->menu("Close"));
        EXPECT_EQ(m_driver->finish(), 0);
        m_driver.reset();
        fresh_process();
    }
    // Ends it and starts it again.
    platform::driver::Driver& restart()
    {
        stop();
        return start();
    }

    static std::string host(const std::u16string& device_path) { return platform::files::host_path(device_path); }
    static bool exists(const std::u16string& device_path)
    {
        return platform::files::attributes(device_path) != platform::files::kInvalidAttributes;
    }
    static std::vector<uint8_t> read_bytes(const std::u16string& device_path)
    {
        std::ifstream in(host(device_path), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    static void write_bytes(const std::u16string& device_path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream(host(device_path), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // Answers OK to message boxes while one is active; how many there were.
    int answer_all_boxes()
    {
        int count = 0;
        while (m_driver->expect_window("MessageBox").ok && count < 20) {
            EXPECT_OK(m_driver->answer("ok"));
            ++count;
        }
        return count;
    }

    // Coords/Open (or Reindex) in the browser: the path typed, then OK.
    void choose_typed(const char* command, const std::string& path)
    {
        ASSERT_OK(m_driver->menu(command));
        ASSERT_OK(m_driver->expect_window("PATHNAMES"));
        ASSERT_OK(m_driver->type(1002, path));
        ASSERT_OK(m_driver->menu("OK"));
    }

    static constexpr const char16_t* kPrefsPath = u"\\Program Files\\Varno\\Varno.prefs";
    TempDir m_card;
};

}  // namespace testing_support
