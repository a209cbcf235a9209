#include "app/about_box.h"

#include "forms/form.h"
#include "resources/app_resources.h"

namespace app {

namespace ui = platform::ui;
namespace gdi = platform::gdi;

namespace {

// Only its "ok" ends it: Cancel, Escape and closing do nothing.
constexpr forms::Declaration kAbout {.number = resources::kDialogAbout, .ok_result = ui::kIdOk, .done_button = true};

class AboutBox : public forms::Form {
public:
    AboutBox()
        : Form(kAbout)
    {
    }

private:
    bool on_open() override
    {
        ui::set_input_panel(false);
        gdi::FontSpec name_font;
        name_font.height = 20;
        name_font.weight = 700;
        ui::set_font(item(resources::kAboutName), gdi::create_font(name_font));
        return true;
    }
};

}  // namespace

int run_about_box(ui::Hwnd owner)
{
    return AboutBox().run(owner);
}

}  // namespace app
