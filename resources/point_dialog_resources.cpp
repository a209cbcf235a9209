#include "resources/point_dialog_resources.h"

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"

namespace resources {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

using controls::MenuBarTemplate;
using ui::ControlTemplate;
using ui::Rect;

// Labels of the dialogs take ids from a range of their own.
constexpr int kLabelPointNumber = 1730;
constexpr int kLabelDeleteText = 1740;
constexpr int kLabelRenumberNumber = 1741;

constexpr uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;

ControlTemplate label(int id, std::u16string caption, Rect r) { return {id, u"static", std::move(caption), r, kChild}; }
ControlTemplate edit(int id, Rect r) { return {id, u"edit", u"", r, kChild | ui::kStyleTabStop | ui::kStyleBorder}; }
ControlTemplate button(int id, std::u16string caption, Rect r)
{
    return {id, u"button", std::move(caption), r, kChild | ui::kStyleTabStop};
}

// Labels left, the seven fields in a column beside them, the six buttons down the right.
ui::DialogTemplate point_edit()
{
    ui::DialogTemplate t;
    t.name = kDialogPointEdit;
    t.title = u"Edit Points";
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

ui::DialogTemplate prompt(const char* name, std::u16string title, Rect size)
{
    ui::DialogTemplate t;
    t.name = name;
    t.title = std::move(title);
    t.full_screen = false;
    t.rect = size;
    return t;
}

// Pop-ups: a caption bar of 20 rows on top (drawn by the prompt), the text, the buttons at the bottom.
ui::DialogTemplate overwrite_prompt()
{
    ui::DialogTemplate t = prompt(kDialogOverwritePoint, u"Warning", {0, 0, 200, 100});
    t.controls = {
        label(kStaticOverwriteText, u"", {8, 28, 192, 64}),
        button(ui::kIdOk, u"OK", {24, 70, 92, 92}),
        button(ui::kIdCancel, u"Cancel", {108, 70, 176, 92}),
    };
    return t;
}

ui::DialogTemplate delete_prompt()
{
    ui::DialogTemplate t = prompt(kDialogDeletePoint, u"Delete pt", {0, 0, 200, 90});
    t.controls = {
        label(kLabelDeleteText, u"Delete point?", {8, 28, 192, 50}),
        button(ui::kIdOk, u"OK", {24, 60, 92, 82}),
        button(ui::kIdCancel, u"Cancel", {108, 60, 176, 82}),
    };
    return t;
}

ui::DialogTemplate renumber_prompt()
{
    ui::DialogTemplate t = prompt(kDialogRenumberPoint, u"Renumber Point", {0, 0, 220, 128});
    t.controls = {
        label(kStaticRenumberText, u"", {8, 26, 212, 58}),
        label(kLabelRenumberNumber, u"New Pt", {8, 66, 64, 84}),
        edit(kEditRenumberNumber, {66, 64, 170, 86}),
        button(kButtonRenumber, u"Renumber", {16, 98, 104, 120}),
        button(kButtonRenumberSkip, u"Skip", {116, 98, 204, 120}),
    };
    return t;
}

// Go-To row on top, the column headers, the list, paging buttons at the bottom.
ui::DialogTemplate point_list()
{
    ui::DialogTemplate t;
    t.name = kDialogPointList;
    t.title = u"Point List";
    t.controls = {
        button(kButtonListGoToMode, u"Pt #", {2, 2, 46, 24}),
        edit(kEditListGoTo, {48, 2, 130, 24}),
        button(kButtonListGoTo, u"Go To", {132, 2, 182, 24}),
        button(kButtonListLeft, u"<<", {184, 2, 210, 24}),
        button(kButtonListRight, u">>", {212, 2, 238, 24}),
        button(kButtonListOrder, u"Pt <", {2, 28, 62, 46}),
        label(kStaticListHeader2, u"N", {66, 28, 130, 46}),
        label(kStaticListHeader3, u"E", {134, 28, 196, 46}),
        label(kStaticListHeader4, u"El", {200, 28, 238, 46}),
        {kListPoints, u"listbox", u"", {0, 48, 240, 242},
         kChild | ui::kStyleTabStop | ui::kStyleBorder | ui::kStyleVScroll | controls::kListFixedPitch},
        button(kButtonListUp, u"Up", {2, 244, 118, 266}),
        button(kButtonListDown, u"Down", {122, 244, 238, 266}),
    };
    return t;
}

ui::DialogTemplate statistics()
{
    ui::DialogTemplate t;
    t.name = kDialogStatistics;
    t.title = u"Statistics";
    t.controls = {
        {kListStatistics, u"listbox", u"", {0, 0, 240, 240},
         kChild | ui::kStyleTabStop | ui::kStyleBorder | ui::kStyleVScroll},
        button(ui::kIdOk, u"OK", {84, 244, 156, 266}),
    };
    return t;
}

MenuBarTemplate point_edit_menu_bar()
{
    return {kMenuBarPointEdit, {
        {u"Save", kCmdPointSave, {}},
        {u"Delete", kCmdPointDelete, {}},
        {u"Show", kCmdPointShow, {}},
        {u"Cancel", kCmdPointCancel, {}},
    }};
}

MenuBarTemplate point_list_menu_bar()
{
    return {kMenuBarPointList, {
        {u"Format", 0, {
            {u"Pt, N, E, El", kCmdListLayoutNumberCoords, {}},
            {u"Pt, Name, Code, Note", kCmdListLayoutNumberTexts, {}},
            {u"Name, Pt, N, E", kCmdListLayoutNameCoords, {}},
        }},
        {u" OK ", kCmdListOk, {}},
        {u"Cancel", kCmdListCancel, {}},
    }};
}

}  // namespace

void install_point_dialog_resources()
{
    for (const ui::DialogTemplate& t :
         {point_edit(), overwrite_prompt(), delete_prompt(), renumber_prompt(), point_list(), statistics()})
        ui::add_dialog_template(t);
    controls::add_menu_bar_template(point_edit_menu_bar());
    controls::add_menu_bar_template(point_list_menu_bar());
}

}  // namespace resources
