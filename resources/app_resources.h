#pragma once
// Resources of the application shell: the main window's strings, its menu bar and command ids, the
// accelerator table, the program icon, the about box, the options dialog and the file browser.

namespace resources {

// Strings.
constexpr int kStringTitle = 1;      // "Varno": the main window's title
constexpr int kStringClassName = 3;  // "MV": the main window's class

constexpr int kIconProgram = 176;     // the program icon (drawn by the icon static control)
constexpr int kMenuBarMain = 111;     // the main window's menu bar
constexpr int kAcceleratorsMain = 3;  // Ctrl+A -> About, Ctrl+Q -> command 1
constexpr int kDialogAbout = 103;     // the about box, known by number

// Commands of the main menu bar. The comment names the label path.
constexpr int kCmdOpen = 40004;             // Coords/Open
constexpr int kCmdCloseFile = 40005;        // Coords/Close
constexpr int kCmdEditPoints = 40017;       // Coords/Edit
constexpr int kCmdTransformParams = 40202;  // Coords/Transform/By Parameters
constexpr int kCmdTransformPoints = 40203;  // Coords/Transform/By Points
constexpr int kCmdAsciiImport = 40205;      // Coords/ASCII/Import
constexpr int kCmdAsciiExport = 40206;      // Coords/ASCII/Export
constexpr int kCmdStatistics = 40006;       // Coords/Statistics
constexpr int kCmdOptions = 40285;          // Coords/Options
constexpr int kCmdReindex = 40287;          // Coords/Reindex
constexpr int kCmdCogo = 40016;             // Calc/COGO
constexpr int kCmdMapCheck = 40032;         // Calc/Map Check
constexpr int kCmdArea = 40046;             // Calc/Area
constexpr int kCmdTraverse = 40181;         // Calc/Traverse
constexpr int kCmdGpsSatellites = 40257;    // GPS/Satellites
constexpr int kCmdNavCompass = 40276;       // GPS/Navigation/Compass View
constexpr int kCmdNavPlan = 40277;          // GPS/Navigation/Plan View
constexpr int kCmdGpsPosition = 40259;      // GPS/Position
constexpr int kCmdGpsSerialPort = 40278;    // GPS/Serial Port
constexpr int kCmdAbout = 40003;            // About (button)
constexpr int kCmdExit = 40018;             // Close (button): ends the program

// Controls of the about box (a range of its own).
constexpr int kAboutIcon = 1030;
constexpr int kAboutName = 1031;
constexpr int kAboutVersion = 1032;
constexpr int kAboutDate = 1033;
constexpr int kAboutPurpose = 1034;

// The options dialog VARNO_OPTIONS: five drop-down lists and their labels (the labels a range of their
// own), OK (1) and Cancel (2).
constexpr const char* kDialogOptions = "VARNO_OPTIONS";
constexpr int kOptionsAngleMode = 1244;      // "Degrees", "Gons (Grads)", "Quadrantal"
constexpr int kOptionsAngleDecimals = 1247;  // "0" .. "7" each
constexpr int kOptionsCoordDecimals = 1248;
constexpr int kOptionsDistDecimals = 1249;
constexpr int kOptionsAreaDecimals = 1250;
constexpr int kOptionsLabelFirst = 1960;  // 1960 .. 1968: the static labels

// The file browser PATHNAMES and its menu bar.
constexpr const char* kDialogPathnames = "PATHNAMES";
constexpr int kPathnamesList = 1001;  // entries of the current folder
constexpr int kPathnamesPath = 1002;  // the path being chosen (editable)
constexpr int kPathnamesBack = 1003;  // "Back": one folder up
constexpr int kMenuBarPathnames = 139;
constexpr int kCmdPathnamesOk = 40065;      // "OK"
constexpr int kCmdPathnamesCancel = 40066;  // "Cancel"

// The about box's texts, as shown.
extern const char16_t kAboutVersionText[];
extern const char16_t kAboutDateText[];

struct TemplateSet;
TemplateSet app_templates();
void install_app_resources();

}  // namespace resources
