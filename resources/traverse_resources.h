#pragma once
// Resources of the field traverse: the main dialog TRAV_MAIN with its menu bar 172, the setup and
// observation editors, the settings, the results with its adjustment and save pop-ups. Full-screen
// dialogs lay out within the 240 x 268 work area.

namespace resources {

constexpr const char* kDialogTraverse = "TRAV_MAIN";
constexpr int kMenuBarTraverse = 172;
constexpr int kCmdTraverseNew = 40320;
constexpr int kCmdTraverseOpen = 40321;
constexpr int kCmdTraverseClose = 40322;
constexpr int kCmdTraverseSave = 40323;
constexpr int kCmdTraverseSaveAs = 40324;
constexpr int kCmdTraverseSetUp = 40325;  // "Set Up"
constexpr int kCmdTraverseCalc = 40326;
constexpr int kCmdTraverseExit = 40327;

constexpr int kListTraverse = 2200;
constexpr int kButtonTraverseEdit = 2201;
constexpr int kButtonTraverseAt = 2202;
constexpr int kButtonTraverseTo = 2203;
constexpr int kButtonTraverseDelete = 2204;

constexpr const char* kDialogTraverseSetup = "TRAV_SETUP";
constexpr int kEditSetupAt = 2210;
constexpr int kEditSetupHi = 2211;
constexpr int kEditSetupRefPoint = 2212;
constexpr int kEditSetupRefAzimuth = 2213;
constexpr int kEditSetupHcr = 2214;
constexpr int kCheckSetupInsertBefore = 2215;

constexpr const char* kDialogTraverseObservation = "TRAV_OBS";
constexpr int kEditObservationTo = 2220;
constexpr int kEditObservationCode = 2221;
constexpr int kEditObservationNote = 2222;
constexpr int kEditObservationHcr = 2223;
constexpr int kEditObservationVcr = 2224;
constexpr int kEditObservationSlope = 2225;
constexpr int kEditObservationHs = 2226;
constexpr int kCheckObservationSideShot = 2227;
constexpr int kCheckObservationInsertBefore = 2228;
constexpr int kButtonObservationAnother = 2229;

constexpr const char* kDialogTraverseSettings = "TRAV_SETTINGS";
constexpr int kEditTraverseSettingFirst = 2230;  // the ten texts in their order, 2230 to 2239

constexpr const char* kDialogTraverseResults = "TRAV_RESULTS";
constexpr int kListTraverseResults = 2240;
constexpr int kButtonTraverseAdjust = 2241;
constexpr int kButtonTraverseSavePoints = 2242;
constexpr int kButtonTraverseDisplay = 2243;

constexpr const char* kDialogTraverseAdjust = "TRAV_ADJUST";
constexpr int kComboTraverseMethod = 2250;

constexpr const char* kDialogTraverseSavePoints = "TRAV_SAVE";
constexpr int kCheckTraverseOverwrite = 2255;

constexpr int kReadTraversePoint = 7;  // point numbers: at most 7 digits
constexpr int kReadTraverseText = 19;  // angles, code, note and the settings
constexpr int kReadTraverseDate = 15;
constexpr int kReadTraverseDistance = 9;  // slope distance and HS
constexpr int kTraverseListColumns = 39;  // a field-book line in the list's Courier

struct TemplateSet;
TemplateSet traverse_templates();
void install_traverse_resources();

}  // namespace resources
