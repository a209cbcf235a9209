#pragma once
// The window classes of the controls, one factory per file, gathered by register_classes().

#include "platform/ui/ui.h"

namespace platform::controls {

ui::WindowClass static_class();
ui::WindowClass edit_class();
ui::WindowClass button_class();
ui::WindowClass list_class();
ui::WindowClass combo_class();
ui::WindowClass combo_drop_class();
ui::WindowClass progress_class();
ui::WindowClass menu_bar_class();
ui::WindowClass popup_menu_class();

}  // namespace platform::controls
