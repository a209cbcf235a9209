#include "resources/exchange_resources.h"

#include <algorithm>

#include "resources/builders.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarButton;
using controls::MenuBarTemplate;

constexpr int kLabelExchangeFirst = 2430;

// "Field" over the seven position boxes on the left, the file button and name at the bottom, and what
// belongs to the export or the import on the right.
ui::DialogTemplate exchange_form(
    const char* name, std::u16string title, std::u16string file_button, std::vector<ui::ControlTemplate> right)
{
    std::vector<ui::ControlTemplate> controls = {label(kLabelExchangeFirst, u"Field", {4, 2, 118, 18})};
    for (int k = 0; k < 7; ++k) {
        const int y = 20 + 24 * k;
        controls.push_back(
            label(kLabelExchangeFirst + 1 + k, std::u16string(1, char16_t(u'1' + k)), {4, y + 3, 16, y + 19}));
        // The open list reaches down to the bottom of the work area at most (it scrolls).
        controls.push_back(build::drop_down(kComboExchangeField1 + k, {18, y, 118, std::min(y + 150, 266)}));
    }
    controls.insert(controls.end(), right.begin(), right.end());
    controls.push_back(button(kButtonExchangeFile, std::move(file_button), {4, 196, 104, 218}));
    controls.push_back(edit(kEditExchangeFile, {4, 222, 236, 244}));
    return build::full_screen(name, std::move(title), std::move(controls));
}

ui::DialogTemplate ascii_export()
{
    return exchange_form(kDialogAsciiExport, u"ASCII Export", u"Output file",
        {
            label(kLabelExchangeFirst + 8, u"From Pt:", {124, 20, 236, 36}),
            edit(kEditExchangeFrom, {124, 38, 236, 60}),
            label(kLabelExchangeFirst + 9, u"To Pt:", {124, 64, 236, 80}),
            edit(kEditExchangeTo, {124, 82, 236, 104}),
            label(kLabelExchangeFirst + 10, u"Decimals:", {124, 108, 236, 124}),
            build::drop_down(kComboExchangeDecimals, {124, 126, 236, 266}),
            button(kCheckExchangeHeading, u"Heading", {124, 152, 236, 170}, controls::kButtonAutoCheckBox),
            button(kCheckExchangeAppend, u"Append", {124, 172, 236, 190}, controls::kButtonAutoCheckBox),
        });
}

ui::DialogTemplate ascii_import()
{
    return exchange_form(kDialogAsciiImport, u"ASCII Import", u"Input file",
        {
            label(kLabelExchangeFirst + 11, u"Existing points:", {124, 20, 236, 36}),
            build::drop_down(kComboExchangePolicy, {124, 38, 236, 128}),
        });
}

MenuBarButton config_menu(std::u16string caption)
{
    return {std::move(caption), 0,
        {
            {u"Load", kCmdExchangeLoad, {}},
            {u"Save", kCmdExchangeSave, {}},
            {u"Save As", kCmdExchangeSaveAs, {}},
        }};
}

MenuBarTemplate export_menu_bar()
{
    return {kMenuBarAsciiExport,
        {
            config_menu(u"Configuration"),
            {u"Export", kCmdAsciiExportRun, {}},
            {u"Cancel", kCmdExchangeCancel, {}},
        }};
}

MenuBarTemplate import_menu_bar()
{
    return {kMenuBarAsciiImport,
        {
            config_menu(u"Config."),
            {u"Import", kCmdAsciiImportRun, {}},
            {u"Preview", kCmdAsciiPreview, {}},
            {u"Cancel", kCmdExchangeCancel, {}},
        }};
}

}  // namespace

TemplateSet exchange_templates()
{
    return {{ascii_export(), ascii_import()}, {export_menu_bar(), import_menu_bar()}};
}

void install_exchange_resources()
{
    install(exchange_templates());
}

}  // namespace resources
