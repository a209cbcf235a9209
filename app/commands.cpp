#include "app/commands.h"

#include "app/about_box.h"
#include "app/file_browser_dialog.h"
#include "app/open_commands.h"
#include "app/options_dialog.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/session.h"
#include "calc/area_dialog.h"
#include "calc/mapcheck_dialog.h"
#include "calc/transform_dialogs.h"
#include "calc/traverse_dialog.h"
#include "cogo/cogo_input_dialog.h"
#include "exchange/exchange_dialogs.h"
#include "gps/gps_link.h"
#include "gps/navigation_display.h"
#include "gps/position_dialog.h"
#include "gps/satellite_view.h"
#include "gps/serial_port_dialog.h"
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
    case kCmdCogo:
        cogo::run_cogo_input(main);
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
    case kCmdTransformParams:
        calc::run_transform_by_parameters(main);
        return true;
    case kCmdTransformPoints:
        calc::run_transform_by_points(main);
        return true;
    case kCmdGpsSerialPort:
        // Saved at once with the other preferences, so the choice survives the program ending badly.
        if (gps::run_serial_port_dialog(main)) {
            set_preferences_port_name(&preferences(), gps::GetGpsPortName());
            save_session(program_directory());
        }
        return true;
    case kCmdGpsSatellites:
        gps::run_satellite_view(main);
        return true;
    case kCmdGpsPosition:
        gps::run_position_dialog(main);
        return true;
    case kCmdNavCompass:
        gps::run_compass_view(main);
        return true;
    case kCmdNavPlan:
        gps::run_plan_view(main);
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
    case kCmdTraverse:
        calc::run_traverse(main);
        return true;
    default:
        return false;
    }
}

}  // namespace app
