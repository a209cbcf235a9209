#include "resources/point_dialog_resources.h"

#include "resources/builders.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarTemplate;
using ui::Rect;

// Labels of the dialogs take ids from a range of their own.
constexpr int kLabelPointNumber = 1730;
constexpr int kLabelDeleteText = 1740;
constexpr int kLabelRenumberNumber = 1741;

// Labels left, the seven fields in a column beside them, the six buttons down the right.
ui::DialogTemplate point_edit()
{
    ui::DialogTemplate t = build::full_screen(kDialogPointEdit, u"Edit Points", {});
    static const char16_t* const labels[] = {u"Point", u"Name", u"N", u"E", u"El", u"Note", u"Code"};
    for (int i = 0; i < 7; ++i) {
        int y = 6 + 28 * i;
        t.controls.push_back(label(kLabelPointNumber + i, labels[i], {4, y + 2, 44, y + 20}));
        t.controls.push_back(edit(kEditPointNumber + i, {46, y, 160, y + 22}));
    }
    static const char16_t* const buttons[] = {u"Get", u"First", u"Next", u"Prev", u"Last"};
    for (int i = 0; i < 5; ++i) {
        int y = 6 + 28 * i;
        t.controls.push_back(button(kButtonPointGet + i, buttons[i], {168, y, 236, y + 22}));
    }
    t.controls.push_back(button(kButtonPointList, u"Pt#", {168, 146, 236, 168}));
    return t;
}

// Pop-ups: a caption bar of 20 rows on top (drawn by the prompt), the text, the buttons at the bottom.
ui::DialogTemplate ok_cancel_prompt(const char* name, std::u16string title, int height, ui::ControlTemplate text)
{
    const int y = height - 30;
    return build::popup(name, std::move(title), 200, height,
        {
            std::move(text),
            button(ui::kIdOk, u"OK", {24, y, 92, y + 22}),
            button(ui::kIdCancel, u"Cancel", {108, y, 176, y + 22}),
        });
}

ui::DialogTemplate renumber_prompt()
{
    return build::popup(kDialogRenumberPoint, u"Renumber Point", 220, 128,
        {
            label(kStaticRenumberText, u"", {8, 26, 212, 58}),
            label(kLabelRenumberNumber, u"New Pt", {8, 66, 64, 84}),
            edit(kEditRenumberNumber, {66, 64, 170, 86}),
            button(kButtonRenumber, u"Renumber", {16, 98, 104, 120}),
            button(kButtonRenumberSkip, u"Skip", {116, 98, 204, 120}),
        });
}

// Go-To row on top, the column headers, the list, paging buttons at the bottom.
ui::DialogTemplate point_list()
{
    return build::full_screen(kDialogPointList, u"Point List",
        {
            button(kButtonListGoToMode, u"Pt #", {2, 2, 46, 24}),
            edit(kEditListGoTo, {48, 2, 130, 24}),
            button(kButtonListGoTo, u"Go To", {132, 2, 182, 24}),
            button(kButtonListLeft, u"<<", {184, 2, 210, 24}),
            button(kButtonListRight, u">>", {212, 2, 238, 24}),
            button(kButtonListOrder, u"Pt <", {2, 28, 62, 46}),
            label(kStaticListHeader2, u"N", {66, 28, 130, 46}),
            label(kStaticListHeader3, u"E", {134, 28, 196, 46}),
            label(kStaticListHeader4, u"El", {200, 28, 238, 46}),
            build::list(kListPoints, {0, 48, 240, 242}, controls::kListFixedPitch),
            button(kButtonListUp, u"Up", {2, 244, 118, 266}),
            button(kButtonListDown, u"Down", {122, 244, 238, 266}),
        });
}

ui::DialogTemplate statistics()
{
    return build::full_screen(kDialogStatistics, u"Statistics",
        {
            build::list(kListStatistics, {0, 0, 240, 240}),
            button(ui::kIdOk, u"OK", {84, 244, 156, 266}),
        });
}

MenuBarTemplate point_edit_menu_bar()
{
    return {kMenuBarPointEdit,
        {
            {u"Save", kCmdPointSave, {}},
            {u"Delete", kCmdPointDelete, {}},
            {u"Show", kCmdPointShow, {}},
            {u"Cancel", kCmdPointCancel, {}},
        }};
}

MenuBarTemplate point_list_menu_bar()
{
    return {kMenuBarPointList,
        {
            {u"Format", 0,
                {
                    {u"Pt, N, E, El", kCmdListLayoutNumberCoords, {}},
                    {u"Pt, Name, Code, Note", kCmdListLayoutNumberTexts, {}},
                    {u"Name, Pt, N, E", kCmdListLayoutNameCoords, {}},
                }},
            {u" OK ", kCmdListOk, {}},
            {u"Cancel", kCmdListCancel, {}},
        }};
}

}  // namespace

TemplateSet point_dialog_templates()
{
    const ui::ControlTemplate overwrite_text = label(kStaticOverwriteText, u"", {8, 28, 192, 64});
    const ui::ControlTemplate delete_text = label(kLabelDeleteText, u"Delete point?", {8, 28, 192, 50});
    return {{point_edit(), ok_cancel_prompt(kDialogOverwritePoint, u"Warning", 100, overwrite_text),
                ok_cancel_prompt(kDialogDeletePoint, u"Delete pt", 90, delete_text), renumber_prompt(), point_list(),
                statistics()},
        {point_edit_menu_bar(), point_list_menu_bar()}};
}

void install_point_dialog_resources()
{
    install(point_dialog_templates());
}

}  // namespace resources
