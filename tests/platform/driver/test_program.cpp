#include "tests/platform/driver/test_program.h"

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"
#include "tests/support/program_harness.h"

namespace platform::driver::testing {

namespace {

using ui::Hwnd;
int s_starts = 0;

void log(std::string line)
{
    testing_support::program_log().push_back(std::move(line));
}

ui::ControlTemplate control(int id, std::u16string cls, std::u16string caption, ui::Rect r, uint32_t style = 0)
{
    uint32_t tab = cls == u"static" ? 0 : ui::kStyleTabStop;
    return {id, std::move(cls), std::move(caption), r, ui::kStyleVisible | ui::kStyleChild | tab | style};
}

void add_templates()
{
    ui::DialogTemplate form;
    form.name = "TEST_FORM";
    form.title = u"Test form";
    form.controls = {
        control(1300, u"static", u"Number", {4, 4, 60, 20}),
        control(1011, u"edit", u"", {64, 4, 160, 22}),
        control(1012, u"edit", u"", {64, 28, 160, 46}),
        control(1006, u"button", u"Get", {170, 4, 230, 26}),
        control(1050, u"button", u"Closed", {170, 30, 236, 48}, controls::kButtonAutoCheckBox),
        control(1100, u"listbox", u"", {4, 60, 160, 140}),
        control(1244, u"combobox", u"", {4, 150, 160, 240}, controls::kComboDropDownList),
        control(1007, u"button", u"Off", {170, 52, 236, 70}, ui::kStyleDisabled),
        control(1013, u"edit", u"", {64, 244, 160, 262}, controls::kEditNumber),
    };
    ui::add_dialog_template(form);
    ui::DialogTemplate about;
    about.number = 103;
    about.title = u"About";
    about.controls = {control(1400, u"static", u"Varno test", {10, 10, 200, 30})};
    ui::add_dialog_template(about);

    controls::MenuBarTemplate bar;
    bar.id = 500;
    controls::MenuBarButton coords {u"Coords", 0, {}};
    coords.popup.push_back({u"Open", 40004, {}});
    coords.popup.push_back({u"Transform", 0, {{u"By Parameters", 40202, {}}, {u"By Points", 40203, {}}}});
    bar.buttons = {coords, {u"About", 40003, {}}, {u"Close", 40018, {}}};
    controls::add_menu_bar_template(bar);
}

class FormProc : public ui::DialogProc {
public:
    bool on_init() override
    {
        for (const char16_t* line : {u"    From 1 to 3", u"    From 4 to 9", u"Closing"})
            controls::list_add(item(1100), line);
        for (const char16_t* unit : {u"Degrees", u"Gons (Grads)", u"Quadrant"})
            controls::combo_add(item(1244), unit);
        controls::combo_set_selection(item(1244), 0);
        return true;
    }
    bool on_command(int id, int code, Hwnd) override
    {
        log("form " + std::to_string(id) + " " + std::to_string(code));
        if (id == ui::kIdOk || id == ui::kIdCancel)
            ui::end_dialog(hwnd(), id);
        return true;
    }
};

class AboutProc : public ui::DialogProc {
public:
    bool on_command(int id, int, Hwnd) override
    {
        if (id == ui::kIdOk || id == ui::kIdCancel)
            ui::end_dialog(hwnd(), id);
        return true;
    }
};

void on_command(Hwnd hwnd, int id)
{
    switch (id) {
    case kOpenForm: {
        FormProc proc;
        log("form ended " + std::to_string(ui::run_dialog("TEST_FORM", hwnd, proc)));
        return;
    }
    case kAskYesNoCancel:
        log("box "
            + std::to_string(
                controls::message_box(hwnd, u"Error", u"Not a coordinate file.", controls::kMbYesNoCancel)));
        return;
    case kTellOk:
        log("box " + std::to_string(controls::message_box(hwnd, u"Save pt", u"Pt saved.")));
        return;
    case kAskYesNo:
        log("box " + std::to_string(controls::message_box(hwnd, u"Warning", u"Overwrite?", controls::kMbYesNo)));
        return;
    case kWarnWithIcon:
        log("box "
            + std::to_string(controls::message_box(
                hwnd, u"Error", u"Not a coordinate file.", controls::kMbOk | controls::kMbIconError)));
        return;
    case kOpenAbout: {
        AboutProc proc;
        ui::run_dialog(103, hwnd, proc);
        return;
    }
    case 40018:
        ui::post_message(hwnd, ui::kMsgClose);
        return;
    default:
        log("main " + std::to_string(id));
        return;
    }
}

ui::LResult main_proc(Hwnd hwnd, uint32_t msg, ui::WParam wparam, ui::LParam lparam)
{
    switch (msg) {
    case ui::kMsgCreate:
        controls::create_menu_bar(hwnd, 500);
        return 0;
    case ui::kMsgCommand:
        on_command(hwnd, ui::loword(wparam));
        return 0;
    case ui::kMsgDestroy:
        log("destroyed");
        ui::post_quit_message(kProgramExitCode);
        return 0;
    default:
        return ui::default_window_proc(hwnd, msg, wparam, lparam);
    }
}

}  // namespace

int program_starts()
{
    return s_starts;
}

int test_program()
{
    ++s_starts;
    return testing_support::run_test_program(u"TestMain", main_proc, add_templates);
}

}  // namespace platform::driver::testing
