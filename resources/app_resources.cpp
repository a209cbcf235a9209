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
}

}  // namespace resources
