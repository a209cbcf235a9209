#include "app/main_window.h"

#include "app/commands.h"
#include "app/session.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "resources/app_resources.h"
#include "store/coord_file.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

struct MainWindowState {
    ui::Hwnd window = ui::kNoWindow;    // from its creation to its destruction
    ui::Hwnd menu_bar = ui::kNoWindow;  // kNoWindow when the bar could not be created
    ui::ActivationInfo activation;      // handed to the shell on every activation and setting change
    std::u16string program_directory;   // ends in a backslash, or empty
};
MainWindowState s_main;

void on_create(ui::Hwnd hwnd)
{
    s_main.window = hwnd;
    s_main.menu_bar = controls::create_menu_bar(hwnd, resources::kMenuBarMain);
    s_main.activation = ui::ActivationInfo {};
    s_main.activation.size = 12;
}

void on_destroy()
{
    save_session(s_main.program_directory);
    store::coord_close();
    if (s_main.menu_bar != ui::kNoWindow)
        ui::destroy_window(s_main.menu_bar);
    s_main.menu_bar = ui::kNoWindow;
    s_main.window = ui::kNoWindow;
    ui::post_quit_message(0);
}

}  // namespace

bool register_main_window_class(const std::u16string& class_name)
{
    ui::WindowClass cls;
    cls.name = class_name;
    cls.proc = main_window_proc;
    cls.icon = resources::kIconProgram;
    cls.erase_background = true;
    cls.background = platform::gdi::kWhite;
    return ui::register_class(cls);
}

ui::LResult main_window_proc(ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    switch (msg) {
    case ui::kMsgCreate:
        on_create(hwnd);
        return 0;
    case ui::kMsgActivate:
        ui::handle_activate(hwnd, wparam, lparam, &s_main.activation);
        return 0;
    case ui::kMsgSettingChange:
        ui::handle_setting_change(hwnd, wparam, lparam, &s_main.activation);
        return 0;
    case ui::kMsgCommand:
        if (dispatch_command(hwnd, ui::loword(wparam)))
            return 1;
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    case ui::kMsgDestroy:
        on_destroy();
        return 0;
    default:
        // The close request too: default processing destroys the window.
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    }
}

ui::Hwnd main_window()
{
    return s_main.window;
}

ui::Hwnd main_menu_bar()
{
    return s_main.menu_bar;
}

void set_program_directory(const std::u16string& directory)
{
    s_main.program_directory = directory;
}

const std::u16string& program_directory()
{
    return s_main.program_directory;
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_main = MainWindowState {}; });

}  // namespace

}  // namespace app
