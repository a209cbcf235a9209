#include "resources/calc_resources.h"

#include "resources/builders.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarButton;
using controls::MenuBarTemplate;

// Labels take ids from a range of their own.
constexpr int kLabelMapCheckFirst = 2100;
constexpr int kLabelAreaFirst = 2120;

MenuBarButton file_menu(int first_command)
{
    return {u"File", 0,
        {
            {u"New", first_command, {}},
            {u"Open", first_command + 1, {}},
            {u"Close", first_command + 2, {}},
            {u"Save", first_command + 3, {}},
            {u"Save As", first_command + 4, {}},
        }};
}

// Column headings, the leg list, the three buttons at the bottom.
ui::DialogTemplate map_check()
{
    return build::full_screen(kDialogMapCheck, u"Map Check",
        {
            // Over the columns of the lines in Courier 5 wide: 7, 12 and 12 characters, then the type.
            label(kLabelMapCheckFirst, u"Pt", {4, 2, 37, 18}, controls::kStaticRight),
            label(kLabelMapCheckFirst + 1, u"Azimuth", {42, 2, 102, 18}, controls::kStaticRight),
            label(kLabelMapCheckFirst + 2, u"Distance", {107, 2, 167, 18}, controls::kStaticRight),
            label(kLabelMapCheckFirst + 3, u"Type", {172, 2, 236, 18}),
            build::list(kListMapCheckLegs, {0, 20, 240, 238}, controls::kListNotify | controls::kListFixedPitch),
            button(kButtonMapCheckAdd, u"Add Leg", {4, 242, 78, 264}),
            button(kButtonMapCheckEdit, u"Edit", {84, 242, 156, 264}),
            button(kButtonMapCheckDelete, u"Delete", {162, 242, 236, 264}),
        });
}

ui::DialogTemplate map_check_start()
{
    return build::popup(kDialogMapCheckStart, u"Map Check Start", 200, 118,
        {
            label(kLabelMapCheckFirst + 4, u"N", {8, 30, 28, 48}),
            edit(kEditMapCheckStartN, {30, 28, 192, 50}),
            label(kLabelMapCheckFirst + 5, u"E", {8, 58, 28, 76}),
            edit(kEditMapCheckStartE, {30, 56, 192, 78}),
            button(ui::kIdOk, u"OK", {24, 88, 92, 110}),
            button(ui::kIdCancel, u"Cancel", {108, 88, 176, 110}),
        });
}

ui::DialogTemplate map_check_leg()
{
    return build::popup(kDialogMapCheckLeg, u"Map Check Leg", 220, 176,
        {
            label(kLabelMapCheckFirst + 6, u"To", {8, 30, 70, 48}),
            edit(kEditMapCheckLegTo, {72, 28, 212, 50}),
            label(kLabelMapCheckFirst + 7, u"Azimuth", {8, 58, 70, 76}),
            edit(kEditMapCheckLegAzimuth, {72, 56, 212, 78}),
            label(kLabelMapCheckFirst + 8, u"Distance", {8, 86, 70, 104}),
            edit(kEditMapCheckLegDistance, {72, 84, 212, 106}),
            label(kLabelMapCheckFirst + 9, u"Type", {8, 114, 70, 132}),
            build::drop_down(kComboMapCheckLegType, {72, 112, 212, 174}),
            button(ui::kIdOk, u"OK", {8, 146, 72, 168}),
            button(kButtonMapCheckAnother, u"Another", {78, 146, 142, 168}),
            button(ui::kIdCancel, u"Cancel", {148, 146, 212, 168}),
        });
}

// A results list and its two buttons.
ui::DialogTemplate results(const char* name, std::u16string title, int list, int display)
{
    return build::full_screen(name, std::move(title),
        {
            build::list(list, {0, 0, 240, 238}, controls::kListFixedPitch),
            button(display, u"Display", {24, 242, 104, 264}),
            button(ui::kIdOk, u"OK", {136, 242, 216, 264}),
        });
}

ui::DialogTemplate area()
{
    return build::full_screen(kDialogArea, u"Area Calculation",
        {
            // Over the columns of the lines in Courier 6 wide: 7 characters, then the type.
            label(kLabelAreaFirst, u"Pt.#", {2, 2, 44, 18}, controls::kStaticRight),
            label(kLabelAreaFirst + 1, u"Type", {50, 2, 120, 18}),
            build::list(kListAreaPoints, {0, 20, 240, 238}, controls::kListNotify | controls::kListFixedPitch),
            button(kButtonAreaAdd, u"Add Pt", {4, 242, 78, 264}),
            button(kButtonAreaEdit, u"Edit", {84, 242, 156, 264}),
            button(kButtonAreaDelete, u"Delete", {162, 242, 236, 264}),
        });
}

ui::DialogTemplate area_point()
{
    return build::popup(kDialogAreaPoint, u"Area Point", 220, 148,
        {
            label(kLabelAreaFirst + 2, u"Pt #", {8, 30, 56, 48}),
            edit(kEditAreaPointNumber, {60, 28, 212, 50}),
            label(kLabelAreaFirst + 3, u"Type", {8, 58, 56, 76}),
            build::drop_down(kComboAreaPointType, {60, 56, 212, 146}),
            button(ui::kIdOk, u"OK", {6, 118, 56, 140}),
            button(kButtonAreaAnother, u"Another", {60, 118, 112, 140}),
            button(kButtonAreaShow, u"Show", {116, 118, 162, 140}),
            button(ui::kIdCancel, u"Cancel", {166, 118, 214, 140}),
        });
}

ui::DialogTemplate area_params()
{
    return build::popup(kDialogAreaParams, u"Area Parameters", 210, 140,
        {
            label(kLabelAreaFirst + 4, u"Scale Factors", {8, 26, 200, 44}),
            label(kLabelAreaFirst + 5, u"Projection:", {8, 52, 88, 70}),
            edit(kEditAreaProjection, {90, 50, 202, 72}),
            label(kLabelAreaFirst + 6, u"Units:", {8, 80, 88, 98}),
            edit(kEditAreaUnits, {90, 78, 202, 100}),
            button(ui::kIdOk, u"OK", {28, 110, 96, 132}),
            button(ui::kIdCancel, u"Cancel", {114, 110, 182, 132}),
        });
}

MenuBarTemplate map_check_menu_bar()
{
    return {kMenuBarMapCheck,
        {
            file_menu(kCmdMapCheckNew),
            {u"Start Pt", kCmdMapCheckStart, {}},
            {u"Calc", kCmdMapCheckCalc, {}},
            {u"Exit", kCmdMapCheckExit, {}},
        }};
}

MenuBarTemplate area_menu_bar()
{
    return {kMenuBarArea,
        {
            file_menu(kCmdAreaNew),
            {u"Setup", kCmdAreaSetup, {}},
            {u"Calc", kCmdAreaCalc, {}},
            {u"Exit", kCmdAreaExit, {}},
        }};
}

}  // namespace

TemplateSet calc_templates()
{
    return {{map_check(), map_check_start(), map_check_leg(),
                results(kDialogMapCheckResults, u"Mapcheck Results", kListMapCheckResults, kButtonMapCheckDisplay),
                area(), area_point(), area_params(),
                results(kDialogAreaResults, u"Area Results", kListAreaResults, kButtonAreaDisplay)},
        {map_check_menu_bar(), area_menu_bar()}};
}

void install_calc_resources()
{
    install(calc_templates());
}

}  // namespace resources
