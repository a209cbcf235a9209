#include "app/about_box.h"

#include "resources/app_resources.h"

namespace app {

namespace ui = platform::ui;
namespace gdi = platform::gdi;

namespace {

class AboutBox : public ui::DialogProc {
public:
    bool on_init() override
    {
        ui::init_full_screen(hwnd(), true);
        ui::set_input_panel(false);
        gdi::FontSpec name_font;
        name_font.height = 20;
        name_font.weight = 700;
        ui::set_font(item(resources::kAboutName), gdi::create_font(name_font));
        return true;
    }

    bool on_command(int id, int code, ui::Hwnd control) override
    {
        if (id != ui::kIdOk)
            return false;
        ui::end_dialog(hwnd(), ui::kIdOk);
        return true;
    }
};

}  // namespace

int run_about_box(ui::Hwnd owner)
{
    AboutBox proc;
    return ui::run_dialog(resources::kDialogAbout, owner, proc);
}

}  // namespace app
