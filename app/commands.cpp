#include "app/commands.h"

#include "app/about_box.h"
#include "app/file_browser_dialog.h"
#include "app/open_commands.h"
#include "app/options_dialog.h"
#include "calc/area_dialog.h"
#include "calc/mapcheck_dialog.h"
#include "exchange/exchange_dialogs.h"
#include "resources/app_resources.h"
#include "store/coord_file.h"
#include "store/point_edit_dialog.h"
#include "store/statistics_dialog.h"

namespace app {

namespace ui = platform::ui;
using namespace resources;

bool command_needs_open_file(int command)
{
    switch (command) {
    case kCmdEditPoints:
    case kCmdTransformParams:
    case kCmdTransformPoints:
    case kCmdAsciiImport:
    case kCmdAsciiExport:
    case kCmdStatistics:
    case kCmdCogo:
    case kCmdArea:
    case kCmdTraverse:
        return true;
    default:
        return false;
    }
}

bool dispatch_command(ui::Hwnd main, int command)
{
    if (command_needs_open_file(command) && !store::coord_is_open())
        return true;
    switch (command) {
    case kCmdOpen:
        open_command(main);
        return true;
    case kCmdCloseFile:
        store::coord_close();
        return true;
    case kCmdReindex:
        reindex_command(main);
        return true;
    case kCmdEditPoints:
        store::run_point_edit(main);
        return true;
    case kCmdStatistics:
        store::run_statistics(main, file_browser_last_name());
        return true;
    case kCmdOptions:
        run_options_dialog(main);
        return true;
    case kCmdAbout:
        run_about_box(main);
        return true;
    case kCmdMapCheck:
        calc::run_map_check(main);
        return true;
    case kCmdArea:
        calc::run_area(main);
        return true;
    case kCmdAsciiImport:
        exchange::run_ascii_import(main);
        return true;
    case kCmdAsciiExport:
        exchange::run_ascii_export(main);
        return true;
    case kCmdExit:
        ui::send_message(main, ui::kMsgClose);
        return true;
    // The dialogs of the other calculations and the GPS each join the table with their
    // own module; until then their commands are accepted and open nothing.
    case kCmdTransformParams:
    case kCmdTransformPoints:
    case kCmdCogo:
    case kCmdTraverse:
    case kCmdGpsSatellites:
    case kCmdNavCompass:
    case kCmdNavPlan:
    case kCmdGpsPosition:
    case kCmdGpsSerialPort:
        return true;
    default:
        return false;
    }
}

}  // namespace app
