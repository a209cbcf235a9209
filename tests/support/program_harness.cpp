#include "tests/support/program_harness.h"

#include "platform/controls/controls.h"

namespace testing_support {

namespace ui = platform::ui;

std::vector<std::string>& program_log()
{
    static std::vector<std::string> lines;
    return lines;
}

std::deque<std::u16string>& chosen_paths()
{
    static std::deque<std::u16string> paths;
    return paths;
}

std::u16string next_chosen_path()
{
    std::u16string path;
    if (!chosen_paths().empty()) {
        path = chosen_paths().front();
        chosen_paths().pop_front();
    }
    return path;
}

int run_test_program(const std::u16string& class_name, ui::WndProc proc, const std::function<void()>& install)
{
    program_log().clear();
    chosen_paths().clear();
    ui::reset();
    platform::controls::register_classes();
    if (install)
        install();
    ui::register_class({class_name, std::move(proc)});
    ui::Hwnd main = ui::create_window(class_name, u"Varno", ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    if (main == ui::kNoWindow)
        return 1;
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

ui::WndProc command_window(std::function<void(ui::Hwnd, int)> on_command)
{
    return [on_command = std::move(on_command)](
               ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam) -> ui::LResult {
        switch (msg) {
        case ui::kMsgCommand:
            on_command(hwnd, ui::loword(wparam));
            return 0;
        case ui::kMsgDestroy:
            ui::post_quit_message(0);
            return 0;
        default:
            return ui::default_window_proc(hwnd, msg, wparam, lparam);
        }
    };
}

}  // namespace testing_support
