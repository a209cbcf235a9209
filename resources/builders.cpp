#include "resources/builders.h"

namespace resources {

void install(const TemplateSet& set)
{
    for (const ui::DialogTemplate& t : set.dialogs)
        ui::add_dialog_template(t);
    for (const controls::MenuBarTemplate& bar : set.menu_bars)
        controls::add_menu_bar_template(bar);
}

namespace build {

ui::ControlTemplate label(int id, std::u16string caption, ui::Rect r, uint32_t kind)
{
    return {id, u"static", std::move(caption), r, kChild | kind};
}

ui::ControlTemplate edit(int id, ui::Rect r)
{
    return {id, u"edit", u"", r, kChild | ui::kStyleTabStop | ui::kStyleBorder};
}

ui::ControlTemplate button(int id, std::u16string caption, ui::Rect r, uint32_t kind)
{
    return {id, u"button", std::move(caption), r, kChild | ui::kStyleTabStop | kind};
}

ui::ControlTemplate list(int id, ui::Rect r, uint32_t kind)
{
    return {id, u"listbox", u"", r, kChild | ui::kStyleTabStop | ui::kStyleBorder | ui::kStyleVScroll | kind};
}

ui::ControlTemplate drop_down(int id, ui::Rect r)
{
    return {id, u"combobox", u"", r, kChild | ui::kStyleTabStop | ui::kStyleVScroll | controls::kComboDropDownList};
}

ui::DialogTemplate full_screen(std::string name, std::u16string title, std::vector<ui::ControlTemplate> controls)
{
    ui::DialogTemplate t;
    t.name = std::move(name);
    t.title = std::move(title);
    t.full_screen = true;
    t.controls = std::move(controls);
    return t;
}

ui::DialogTemplate popup(
    std::string name, std::u16string title, int width, int height, std::vector<ui::ControlTemplate> controls)
{
    ui::DialogTemplate t = full_screen(std::move(name), std::move(title), std::move(controls));
    t.full_screen = false;
    t.rect = {0, 0, width, height};
    return t;
}

}  // namespace build

}  // namespace resources
