#include "tests/store/point_dialog_program.h"

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"
#include "resources/resources.h"
#include "store/list_selection.h"
#include "store/point_edit_dialog.h"
#include "store/point_list_dialog.h"
#include "store/point_prompts.h"
#include "store/statistics_dialog.h"

namespace point_dialog_program {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;

std::string yes_no(bool yes) { return yes ? "yes" : "no"; }

// The calls that answer, with what they answered; the list selection is still written beside the answer.
void ask(ui::Hwnd main, int id)
{
    if (id == kPickPoint) {
        std::optional<store::PointRecord> p = store::pick_point(main);
        const std::string picked = p ? std::to_string(p->number) + " " + p->name : "none";
        log().push_back("picked " + picked + " " + std::to_string(store::list_selection().number));
    } else if (id == kAskOverwriteAnswer) {
        log().push_back(yes_no(store::ask_overwrite(main, u"Replace?")));
    } else if (id == kAskDeleteAnswer) {
        log().push_back(yes_no(store::ask_delete(main)));
    } else if (std::optional<uint32_t> number = store::ask_renumber(main, u"Pt#7 exists.")) {
        log().push_back("renumber to " + std::to_string(*number));
    } else {
        log().push_back("renumber skipped");
    }
}

void on_command(ui::Hwnd main, int id)
{
    switch (id) {
    case kOpenEditor:
        store::run_point_edit(main);
        log().push_back("editor closed");
        return;
    case kOpenEditorWithPoint:
        store::run_point_edit_with_point(main, 77, 1234.5, 6789.25);
        log().push_back("editor closed");
        return;
    case kOpenList:
        store::run_point_list(main);
        log().push_back("list " + std::to_string(store::list_selection().number));
        return;
    case kOpenStatistics: store::run_statistics(main, u"Lot9.dat"); return;
    case kAskOverwrite: {
        int result = store::run_overwrite_prompt(main);
        log().push_back("overwrite " + std::to_string(result) + " " + yes_no(store::overwrite_confirmed()));
        return;
    }
    case kAskDelete: {
        int result = store::run_delete_prompt(main);
        log().push_back("delete " + std::to_string(result) + " " + yes_no(store::delete_confirmed()));
        return;
    }
    case kAskRenumber: {
        store::set_renumber_prompt_text(u"Pt#12 exists.  Enter new pt#.");
        int result = store::run_renumber_prompt(main);
        log().push_back("renumber " + std::to_string(result) + " " + yes_no(store::renumber_chosen()) + " " +
                        std::to_string(store::renumber_new_number()));
        return;
    }
    case kPickPoint:
    case kAskOverwriteAnswer:
    case kAskDeleteAnswer:
    case kAskRenumberAnswer: ask(main, id); return;
    default: return;
    }
}

ui::LResult main_proc(ui::Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    switch (msg) {
    case ui::kMsgCommand: on_command(hwnd, ui::loword(wparam)); return 0;
    case ui::kMsgDestroy: ui::post_quit_message(0); return 0;
    default: return ui::default_window_proc(hwnd, msg, wparam, lparam);
    }
}

}  // namespace

std::vector<std::string>& log()
{
    static std::vector<std::string> lines;
    return lines;
}

int program()
{
    log().clear();
    ui::reset();
    controls::register_classes();
    resources::install_all();
    ui::register_class({u"PointTestMain", main_proc});
    ui::Hwnd main = ui::create_window(u"PointTestMain", u"Varno", ui::kStyleVisible, ui::kUseDefault,
                                      ui::kUseDefault, ui::kUseDefault, ui::kUseDefault, ui::kNoWindow);
    if (main == ui::kNoWindow)
        return 1;
    ui::Message m;
    while (ui::get_message(&m))
        ui::dispatch_message(m);
    return int(m.wparam);
}

}  // namespace point_dialog_program
