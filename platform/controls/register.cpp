#include "platform/controls/controls.h"
#include "platform/controls/register.h"

namespace platform::controls {

void register_classes()
{
    // A name already taken is refused by the window manager, which makes a second call harmless.
    for (const ui::WindowClass& cls : {static_class(), edit_class(), button_class(), list_class(), combo_class(),
             combo_drop_class(), progress_class(), menu_bar_class(), popup_menu_class()})
        ui::register_class(cls);
}

}  // namespace platform::controls
