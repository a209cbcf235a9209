#pragma once
// The whole program under the driver, with helpers to end it and start it again on the same device as
// a user would (the process-wide state of the run reset in between, as a new process has it).

#include <string>

#include "tests/app/app_fixture.h"

namespace testing_support {

class SessionTest : public AppTest {
protected:
    // Ends the running program through its Close button (which saves the preferences), and forgets what
    // the process held, as a new process starts without it.
    void stop()
    {
        EXPECT_OK(m_driver->menu("Close"));
        EXPECT_EQ(finish(), 0);
        reset_program_state();
    }
    // Ends it and starts it again.
    platform::driver::Driver& restart()
    {
        stop();
        return start();
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
};

}  // namespace testing_support
