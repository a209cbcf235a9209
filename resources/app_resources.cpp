#include "resources/app_resources.h"

#include "resources/builders.h"
#include "resources/strings.h"

namespace resources {

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
    return {u"Coords", 0,
        {
            {u"Open", kCmdOpen, {}},
            {u"Close", kCmdCloseFile, {}},
            {u"Edit", kCmdEditPoints, {}},
            {u"Transform", 0,
                {
                    {u"By Parameters", kCmdTransformParams, {}},
                    {u"By Points", kCmdTransformPoints, {}},
                }},
            {u"ASCII", 0,
                {
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
    return {u"Calc", 0,
        {
            {u"COGO", kCmdCogo, {}},
            {u"Map Check", kCmdMapCheck, {}},
            {u"Area", kCmdArea, {}},
            {u"Traverse", kCmdTraverse, {}},
        }};
}

MenuBarButton gps_menu()
{
    return {u"GPS", 0,
        {
            {u"Satellites", kCmdGpsSatellites, {}},
            {u"Navigation", 0,
                {
                    {u"Compass View", kCmdNavCompass, {}},
                    {u"Plan View", kCmdNavPlan, {}},
                }},
            {u"Position", kCmdGpsPosition, {}},
            {u"Serial Port", kCmdGpsSerialPort, {}},
        }};
}

MenuBarTemplate main_menu_bar()
{
    return {kMenuBarMain,
        {
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
    ui::DialogTemplate t = build::full_screen("", u"About Varno",
        {
            build::label(kAboutIcon, u"#176", {104, 28, 136, 60}, controls::kStaticIcon),
            build::label(kAboutName, u"Varno", {0, 74, 240, 98}, controls::kStaticCenter),
            build::label(kAboutVersion, kAboutVersionText, {0, 106, 240, 122}, controls::kStaticCenter),
            build::label(kAboutDate, kAboutDateText, {0, 124, 240, 140}, controls::kStaticCenter),
            build::label(kAboutPurpose, u"Field-survey computations", {0, 160, 240, 176}, controls::kStaticCenter),
        });
    t.number = kDialogAbout;
    return t;
}

// Options fill the work area: one row a setting (what, "Decimals", its list), the lists on the right so
// that each opens downwards over the rows below it (a list's height is that of the open list), OK and
// Cancel along the bottom.
ui::DialogTemplate options_dialog()
{
    const auto label
        = [](int n, const char16_t* text, ui::Rect r) { return build::label(kOptionsLabelFirst + n, text, r); };
    return build::full_screen(kDialogOptions, u"Options",
        {
            label(0, u"Angles:", {8, 10, 96, 26}),
            label(1, u"Mode", {100, 10, 138, 26}),
            build::drop_down(kOptionsAngleMode, {140, 8, 236, 90}),
            label(2, u"Decimals", {100, 42, 168, 58}),
            build::drop_down(kOptionsAngleDecimals, {172, 40, 236, 190}),
            label(3, u"Coordinates:", {8, 74, 96, 90}),
            label(4, u"Decimals", {100, 74, 168, 90}),
            build::drop_down(kOptionsCoordDecimals, {172, 72, 236, 222}),
            label(5, u"Distance:", {8, 106, 96, 122}),
            label(6, u"Decimals", {100, 106, 168, 122}),
            build::drop_down(kOptionsDistDecimals, {172, 104, 236, 254}),
            label(7, u"Area:", {8, 138, 96, 154}),
            label(8, u"Decimals", {100, 138, 168, 154}),
            build::drop_down(kOptionsAreaDecimals, {172, 136, 236, 266}),
            build::button(ui::kIdOk, u"OK", {40, 236, 110, 260}, controls::kButtonDefPush),
            build::button(ui::kIdCancel, u"Cancel", {130, 236, 200, 260}),
        });
}

// The browser fills the work area: the path and "Back" on top, the entries below.
ui::DialogTemplate pathnames_dialog()
{
    return build::full_screen(kDialogPathnames, u"Files",
        {
            build::edit(kPathnamesPath, {2, 2, 184, 24}),
            build::button(kPathnamesBack, u"Back", {188, 2, 238, 24}),
            build::list(kPathnamesList, {0, 28, 240, 268}, controls::kListNotify),
        });
}

MenuBarTemplate pathnames_menu_bar()
{
    return {kMenuBarPathnames,
        {
            {u"OK", kCmdPathnamesOk, {}},
            {u"Cancel", kCmdPathnamesCancel, {}},
        }};
}

}  // namespace

TemplateSet app_templates()
{
    return {{about_box(), options_dialog(), pathnames_dialog()}, {main_menu_bar(), pathnames_menu_bar()}};
}

void install_app_resources()
{
    add_string(kStringTitle, u"Varno");
    add_string(kStringClassName, u"MV");
    ui::add_accelerator_table({kAcceleratorsMain,
        {
            {uint32_t('A'), ui::kModCtrl, kCmdAbout},
            {uint32_t('Q'), ui::kModCtrl, ui::kIdOk},
        }});
    install(app_templates());
}

}  // namespace resources
