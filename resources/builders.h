#pragma once
// What every resources file builds its templates with: one call a control, in the program's look (tab
// stops on what a user acts on, borders on fields and lists), one call a dialog, and the set of dialog
// templates and menu bars a subsystem contributes.

#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"

namespace resources {

namespace ui = platform::ui;
namespace controls = platform::controls;

struct TemplateSet {
    std::vector<ui::DialogTemplate> dialogs;
    std::vector<controls::MenuBarTemplate> menu_bars;
};
// Adds them to the window manager and the controls (a template already known is replaced).
void install(const TemplateSet& set);

namespace build {

constexpr uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;

// A static text; `kind` is its alignment, or controls::kStaticIcon with the caption "#<icon resource>".
ui::ControlTemplate label(int id, std::u16string caption, ui::Rect r, uint32_t kind = controls::kStaticLeft);
// A single-line edit with a border.
ui::ControlTemplate edit(int id, ui::Rect r);
// A push button, or controls::kButtonDefPush and the other kinds.
ui::ControlTemplate button(int id, std::u16string caption, ui::Rect r, uint32_t kind = controls::kButtonPush);
// A bordered list box that scrolls; `kind` adds controls::kListNotify, kListFixedPitch.
ui::ControlTemplate list(int id, ui::Rect r, uint32_t kind = 0);
// A drop-down list; the rectangle's height is that of the open list.
ui::ControlTemplate drop_down(int id, ui::Rect r);

// A full-screen dialog lays its controls out in the 240 x 268 work area.
ui::DialogTemplate full_screen(std::string name, std::u16string title, std::vector<ui::ControlTemplate> controls);
// A pop-up is centred on the screen; its caption strip takes the top controls::kPopupCaptionHeight rows.
ui::DialogTemplate popup(
    std::string name, std::u16string title, int width, int height, std::vector<ui::ControlTemplate> controls);

}  // namespace build

}  // namespace resources
