#include "tests/calc/calc_program.h"

#include "calc/job_menu.h"
#include "resources/resources.h"
#include "tests/support/program_harness.h"

namespace testing_support {

std::deque<std::u16string>& job_paths()
{
    static std::deque<std::u16string> paths;
    return paths;
}

int run_calc_program(const char16_t* name, std::function<void(platform::ui::Hwnd main, int command)> on_command)
{
    return run_test_program(name, command_window(std::move(on_command)), [] {
        resources::install_all();
        calc::set_job_path_chooser([](platform::ui::Hwnd) {
            std::u16string path;
            if (!job_paths().empty()) {
                path = job_paths().front();
                job_paths().pop_front();
            }
            return path;
        });
    });
}

}  // namespace testing_support
