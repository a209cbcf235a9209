#include "app/options_dialog.h"

#include "app/options_string.h"
#include "app/preferences.h"
#include "formats/display_settings.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/app_resources.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;
using namespace resources;

namespace {

constexpr int kDecimalLists[]
    = {kOptionsAngleDecimals, kOptionsCoordDecimals, kOptionsDistDecimals, kOptionsAreaDecimals};
constexpr int kGonsProposal = 6;

constexpr forms::Declaration kOptions {.dialog = kDialogOptions, .cancel_result = ui::kIdCancel};

class OptionsDialog : public forms::Form {
public:
    OptionsDialog()
        : Form(kOptions)
    {
    }

private:
    bool on_open() override
    {
        const ui::Hwnd modes = item(kOptionsAngleMode);
        for (const char16_t* mode : {u"Degrees", u"Gons (Grads)", u"Quadrantal"})
            controls::combo_add(modes, mode);
        for (int id : kDecimalLists) {
            for (int d = formats::kMinDecimals; d <= formats::kMaxDecimals; ++d)
                controls::combo_add(item(id), platform::text::wformat(u"%d", d));
        }
        controls::combo_set_selection(modes, formats::angle_mode());
        controls::combo_set_selection(item(kOptionsAngleDecimals), formats::angle_decimals());
        controls::combo_set_selection(item(kOptionsCoordDecimals), formats::coordinate_decimals());
        controls::combo_set_selection(item(kOptionsDistDecimals), formats::distance_decimals());
        controls::combo_set_selection(item(kOptionsAreaDecimals), formats::area_decimals());
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        switch (id) {
        case kOptionsAngleMode:
            if (code == ui::kCbnSelChange)
                propose_angle_decimals();
            return true;
        case ui::kIdOk:
            accept();
            end(ui::kIdOk);
            return true;
        default:
            return false;
        }
    }

    void propose_angle_decimals()
    {
        const int mode = controls::combo_selection(item(kOptionsAngleMode));
        controls::combo_set_selection(item(kOptionsAngleDecimals), mode == formats::kAngleGons ? kGonsProposal : 0);
    }

    // A list with no selection leaves its setting as it is.
    void accept()
    {
        if (int mode = controls::combo_selection(item(kOptionsAngleMode)); mode >= 0)
            formats::set_angle_mode(mode);
        if (int d = controls::combo_selection(item(kOptionsAngleDecimals)); d >= 0)
            formats::set_angle_decimals(d);
        if (int d = controls::combo_selection(item(kOptionsCoordDecimals)); d >= 0)
            formats::set_coordinate_decimals(d);
        if (int d = controls::combo_selection(item(kOptionsDistDecimals)); d >= 0)
            formats::set_distance_decimals(d);
        if (int d = controls::combo_selection(item(kOptionsAreaDecimals)); d >= 0)
            formats::set_area_decimals(d);
        set_preferences_options(&preferences(), build_options_string());
    }
};

}  // namespace

void run_options_dialog(ui::Hwnd owner)
{
    OptionsDialog().run(owner);
}

}  // namespace app
