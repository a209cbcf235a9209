#include "app/program.h"

#include "app/file_browser_dialog.h"
#include "app/main_window.h"
#include "app/message_sink.h"
#include "app/program_directory.h"
#include "app/session.h"
#include "calc/job_menu.h"
#include "draw/drawing_model.h"
#include "draw/point_plot.h"
#include "platform/controls/controls.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "resources/app_resources.h"
#include "resources/resources.h"
#include "resources/strings.h"
#include "store/coord_open.h"
#include "store/indexing_dialog.h"
#include "store/point_edit_dialog.h"

namespace app {

namespace ui = platform::ui;

namespace {

constexpr int kNameBuffer = 100;  // characters for the class name and the title

// The menu bar is a window of its own along the bottom of the screen; the main window gives up that
// much of its height.
void shrink_for_menu_bar(ui::Hwnd window)
{
    ui::Hwnd bar = main_menu_bar();
    if (bar == ui::kNoWindow)
        return;
    ui::Rect w = ui::window_rect(window);
    ui::Rect b = ui::window_rect(bar);
    int bottom = w.bottom - (b.bottom - b.top);
    ui::move_window(window, w.left, w.top, w.width(), bottom - w.top, false);
}

// The store builds an index through this runner: behind the indexing dialog, over the main window once
// it exists. The point editor's "Show" opens the point plot.
void install_runners()
{
    store::set_index_build_runner([](store::IndexBuild& build) { store::run_indexing_dialog(main_window(), build); });
    store::set_point_plot_runner([](ui::Hwnd owner) { draw::run_point_plot(owner); });
}

// The calculations' File menu chooses its paths with the file browser.
void install_job_path_chooser()
{
    calc::set_job_path_chooser([](ui::Hwnd owner) {
        run_file_browser(owner);
        return file_browser_result();
    });
}

int message_loop()
{
    ui::Message m;
    while (ui::get_message(&m)) {
        ui::Hwnd target = m.hwnd != ui::kNoWindow ? m.hwnd : main_window();
        if (!ui::translate_accelerator(target, resources::kAcceleratorsMain, m))
            ui::dispatch_message(m);
    }
    return int(m.wparam);
}

}  // namespace

void install_program()
{
    ui::reset();
    platform::controls::register_classes();
    resources::install_all();
    install_message_sink();
    install_runners();
    install_job_path_chooser();
}

int win_main()
{
    const std::u16string class_name = resources::load_string(resources::kStringClassName, kNameBuffer);
    const std::u16string title = resources::load_string(resources::kStringTitle, kNameBuffer);

    // One main window per device: a second start brings the first forward, with its pop-ups.
    if (ui::Hwnd other = ui::find_window(class_name, title); other != ui::kNoWindow) {
        ui::set_foreground_window(other | 1);
        return 0;
    }

    register_main_window_class(class_name);
    ui::Hwnd window = ui::create_window(class_name, title, ui::kStyleVisible, ui::kUseDefault, ui::kUseDefault,
        ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    if (window == ui::kNoWindow)
        return 0;
    shrink_for_menu_bar(window);
    ui::show_window(window, true);
    ui::update_window(window);

    // The accelerator table (Ctrl+A, Ctrl+Q) is installed with the resources; the loop translates with it.
    draw::dwg_init();
    set_program_directory(program_directory_from(platform::files::executable_path()));
    restore_session(program_directory());
    return message_loop();
}

}  // namespace app
