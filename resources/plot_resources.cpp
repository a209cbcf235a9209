#include "resources/plot_resources.h"

namespace resources {

namespace {

using controls::MenuBarTemplate;

MenuBarTemplate graphics_menu_bar()
{
    return {kMenuBarGraphics,
        {
            {u"All", kCmdGraphicsAll, {}},
            {u" + ", kCmdGraphicsZoomIn, {}},
            {u" - ", kCmdGraphicsZoomOut, {}},
            {u"Scroll", kCmdGraphicsScroll, {}},
            {u"OK", kCmdGraphicsOk, {}},
        }};
}

MenuBarTemplate point_graphics_menu_bar()
{
    return {kMenuBarPointGraphics,
        {
            {u"All", kCmdPointGraphicsAll, {}},
            {u" + ", kCmdPointGraphicsZoomIn, {}},
            {u" - ", kCmdPointGraphicsZoomOut, {}},
            {u"Scroll", kCmdPointGraphicsScroll, {}},
            {u"Clr COGO", kCmdPointGraphicsClearCogo, {}},
            {u"OK", kCmdPointGraphicsOk, {}},
        }};
}

}  // namespace

TemplateSet plot_templates()
{
    return {{build::full_screen(kDialogGraphics, u"Plot", {}), build::full_screen(kDialogPointGraphics, u"Points", {})},
        {graphics_menu_bar(), point_graphics_menu_bar()}};
}

void install_plot_resources()
{
    install(plot_templates());
}

}  // namespace resources
