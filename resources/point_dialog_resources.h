#pragma once
// Resources of the point dialogs: the point editor PT_EDIT with its menu bar 138, the prompts
// OVERWRITE_PT, DELETE_PT and RENUMBER_PT, the point list PT_LIST with its menu bar 160, and the
// statistics PT_STATISTICS. Full-screen dialogs lay out within the 240 x 268 work area; the prompts are
// centred pop-ups.

namespace resources {

// ---- The point editor --------------------------------------------------------------------------------
constexpr const char* kDialogPointEdit = "PT_EDIT";
constexpr int kMenuBarPointEdit = 138;
constexpr int kCmdPointSave = 40047;
constexpr int kCmdPointDelete = 40053;
constexpr int kCmdPointShow = 40139;
constexpr int kCmdPointCancel = 40141;

constexpr int kEditPointNumber = 1011;
constexpr int kEditPointName = 1012;
constexpr int kEditPointNorth = 1013;
constexpr int kEditPointEast = 1014;
constexpr int kEditPointElevation = 1015;
constexpr int kEditPointNote = 1016;
constexpr int kEditPointCode = 1017;
constexpr int kButtonPointGet = 1006;
constexpr int kButtonPointFirst = 1007;
constexpr int kButtonPointNext = 1008;
constexpr int kButtonPointPrevious = 1009;
constexpr int kButtonPointLast = 1010;
constexpr int kButtonPointList = 1199;

// How many characters of each field are read. The number field takes the ten digits of the highest point
// number, 4294967295, which it shows whole; the editor limits typing to as many. Coordinates are read
// whole: a point handed in from a calculation prints longer than any fixed count (a northing of seven
// digits with seven decimals is 15 characters), and a digit left unread would store another point.
constexpr int kReadPointNumber = 10;
constexpr int kReadPointName = 14;
constexpr int kReadPointCoordinate = 0x7FFFFFFF;
constexpr int kReadPointNote = 16;
constexpr int kReadPointCode = 12;

// ---- The prompts -------------------------------------------------------------------------------------
constexpr const char* kDialogOverwritePoint = "OVERWRITE_PT";
constexpr const char* kDialogDeletePoint = "DELETE_PT";
constexpr const char* kDialogRenumberPoint = "RENUMBER_PT";
constexpr int kStaticOverwriteText = 1214;
constexpr int kStaticRenumberText = 1217;
constexpr int kEditRenumberNumber = 1045;
constexpr int kButtonRenumber = 1215;
constexpr int kButtonRenumberSkip = 1216;
constexpr int kReadRenumberNumber = 9;

// ---- The point list ----------------------------------------------------------------------------------
constexpr const char* kDialogPointList = "PT_LIST";
constexpr int kMenuBarPointList = 160;
constexpr int kCmdListLayoutNumberCoords = 40223;  // Format/Pt, N, E, El
constexpr int kCmdListLayoutNumberTexts = 40224;   // Format/Pt, Name, Code, Note
constexpr int kCmdListLayoutNameCoords = 40225;    // Format/Name, Pt, N, E
constexpr int kCmdListOk = 40229;
constexpr int kCmdListCancel = 40231;

constexpr int kListPoints = 1190;
constexpr int kButtonListOrder = 1189;  // the first column's header: "Pt <", "Name >", ...
constexpr int kStaticListHeader2 = 1195;
constexpr int kStaticListHeader3 = 1196;
constexpr int kStaticListHeader4 = 1197;
constexpr int kButtonListGoToMode = 1188;  // "Pt #" or "Name"
constexpr int kButtonListGoTo = 1187;
constexpr int kEditListGoTo = 1045;
constexpr int kButtonListUp = 1191;
constexpr int kButtonListDown = 1192;
constexpr int kButtonListLeft = 1193;   // "<<"
constexpr int kButtonListRight = 1194;  // ">>"
constexpr int kReadListGoTo = 19;
constexpr int kListFontHeight = 17;

// ---- The statistics ----------------------------------------------------------------------------------
constexpr const char* kDialogStatistics = "PT_STATISTICS";
constexpr int kListStatistics = 1100;

struct TemplateSet;
TemplateSet point_dialog_templates();
void install_point_dialog_resources();

}  // namespace resources
