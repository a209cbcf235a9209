#include "resources/app_resources.h"

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"
#include "resources/strings.h"

namespace resources {

namespace ui = platform::ui;
namespace controls = platform::controls;

#define VARNO_WIDEN2(s) u##s
#define VARNO_WIDEN(s) VARNO_WIDEN2(s)
const char16_t kAboutVersionText[] = u"Version " VARNO_WIDEN(VARNO_VERSION);
const char16_t kAboutDateText[] = u"Released 8 December 2026";

namespace {

using controls::MenuBarButton;
using controls::MenuBarTemplate;
using controls::MenuItem;

MenuBarButton coords_menu()
{
    return {u"Coords", 0, {
        {u"Open", kCmdOpen, {}},
        {u"Close", kCmdCloseFile, {}},
        {u"Edit", kCmdEditPoints, {}},
        {u"Transform", 0, {
            {u"By Parameters", kCmdTransformParams, {}},
            {u"By Points", kCmdTransformPoints, {}},
        }},
        {u"ASCII", 0, {
            {u"Import", kCmdAsciiImport, {}},
            {u"Export", kCmdAsciiExport, {}},
        }},
        {u"Statistics", kCmdStatistics, {}},
        {u"Options", kCmdOptions, {}},
        {u"Reindex", kCmdReindex, {}},
    }};
}

MenuBarButton calc_menu()
{
    return {u"Calc", 0, {
        {u"COGO", kCmdCogo, {}},
        {u"Map Check", kCmdMapCheck, {}},
        {u"Area", kCmdArea, {}},
        {u"Traverse", kCmdTraverse, {}},
    }};
}

MenuBarButton gps_menu()
{
    return {u"GPS", 0, {
        {u"Satellites", kCmdGpsSatellites, {}},
        {u"Navigation", 0, {
            {u"Compass View", kCmdNavCompass, {}},
            {u"Plan View", kCmdNavPlan, {}},
        }},
        {u"Position", kCmdGpsPosition, {}},
        {u"Serial Port", kCmdGpsSerialPort, {}},
    }};
}

MenuBarTemplate main_menu_bar()
{
    return {kMenuBarMain, {
        coords_menu(),
        calc_menu(),
        gps_menu(),
        {u"About", kCmdAbout, {}},
        {u"Close", kCmdExit, {}},
    }};
}

// The about box fills the work area (240 x 268): the icon, the name, the version line, the release date
// and what the program is for, centred one under the other.
ui::DialogTemplate about_box()
{
    const uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;
    ui::DialogTemplate t;
    t.number = kDialogAbout;
    t.title = u"About Varno";
    t.full_screen = true;
    t.controls = {
        {kAboutIcon, u"static", u"#176", {104, 28, 136, 60}, kChild | controls::kStaticIcon},
        {kAboutName, u"static", u"Varno", {0, 74, 240, 98}, kChild | controls::kStaticCenter},
        {kAboutVersion, u"static", kAboutVersionText, {0, 106, 240, 122}, kChild | controls::kStaticCenter},
        {kAboutDate, u"static", kAboutDateText, {0, 124, 240, 140}, kChild | controls::kStaticCenter},
        {kAboutPurpose, u"static", u"Field-survey computations", {0, 160, 240, 176},
         kChild | controls::kStaticCenter},
    };
    return t;
}

// Options fill the work area: one row a setting (what, "Decimals", its list), the lists on the right so
// that each opens downwards over the rows below it (a list's height is that of the open list), OK and
// Cancel along the bottom.
ui::DialogTemplate options_dialog()
{
    const uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;
    const uint32_t kCombo = kChild | ui::kStyleTabStop | ui::kStyleVScroll | controls::kComboDropDownList;
    const auto label = [&](int n, const char16_t* text, ui::Rect r) {
        return ui::ControlTemplate{kOptionsLabelFirst + n, u"static", text, r, kChild};
    };
    ui::DialogTemplate t;
    t.name = kDialogOptions;
    t.title = u"Options";
    t.full_screen = true;
    t.controls = {
        label(0, u"Angles:", {8, 10, 96, 26}),
        label(1, u"Mode", {100, 10, 138, 26}),
        {kOptionsAngleMode, u"combobox", u"", {140, 8, 236, 90}, kCombo},
        label(2, u"Decimals", {100, 42, 168, 58}),
        {kOptionsAngleDecimals, u"combobox", u"", {172, 40, 236, 190}, kCombo},
        label(3, u"Coordinates:", {8, 74, 96, 90}),
        label(4, u"Decimals", {100, 74, 168, 90}),
        {kOptionsCoordDecimals, u"combobox", u"", {172, 72, 236, 222}, kCombo},
        label(5, u"Distance:", {8, 106, 96, 122}),
        label(6, u"Decimals", {100, 106, 168, 122}),
        {kOptionsDistDecimals, u"combobox", u"", {172, 104, 236, 254}, kCombo},
        label(7, u"Area:", {8, 138, 96, 154}),
        label(8, u"Decimals", {100, 138, 168, 154}),
        {kOptionsAreaDecimals, u"combobox", u"", {172, 136, 236, 266}, kCombo},
        {ui::kIdOk, u"button", u"OK", {40, 236, 110, 260}, kChild | ui::kStyleTabStop | controls::kButtonDefPush},
        {ui::kIdCancel, u"button", u"Cancel", {130, 236, 200, 260}, kChild | ui::kStyleTabStop},
    };
    return t;
}

// The browser fills the work area: the path and "Back" on top, the entries below.
ui::DialogTemplate pathnames_dialog()
{
    const uint32_t kChild = ui::kStyleVisible | ui::kStyleChild;
    ui::DialogTemplate t;
    t.name = kDialogPathnames;
    t.title = u"Files";
    t.full_screen = true;
    t.controls = {
        {kPathnamesPath, u"edit", u"", {2, 2, 184, 24}, kChild | ui::kStyleTabStop | ui::kStyleBorder},
        {kPathnamesBack, u"button", u"Back", {188, 2, 238, 24}, kChild | ui::kStyleTabStop},
        {kPathnamesList, u"listbox", u"", {0, 28, 240, 268},
         kChild | ui::kStyleTabStop | ui::kStyleBorder | ui::kStyleVScroll | controls::kListNotify},
    };
    return t;
}

MenuBarTemplate pathnames_menu_bar()
{
    return {kMenuBarPathnames, {
        {u"OK", kCmdPathnamesOk, {}},
        {u"Cancel", kCmdPathnamesCancel, {}},
    }};
}

}  // namespace

void install_app_resources()
{
    add_string(kStringTitle, u"Varno");
    add_string(kStringClassName, u"MV");
    controls::add_menu_bar_template(main_menu_bar());
    ui::add_accelerator_table({kAcceleratorsMain, {
        {uint32_t('A'), ui::kModCtrl, kCmdAbout},
        {uint32_t('Q'), ui::kModCtrl, ui::kIdOk},
    }});
    ui::add_dialog_template(about_box());
    ui::add_dialog_template(options_dialog());
    ui::add_dialog_template(pathnames_dialog());
    controls::add_menu_bar_template(pathnames_menu_bar());
}

}  // namespace resources
