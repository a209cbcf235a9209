#pragma once
// Resources of the calculations: the map check MAPCHECK_MAIN with its menu bar 170, its start and leg
// pop-ups and its results; the area form AREA_MAIN with its menu bar 171, its point and parameter pop-ups
// and its results. Full-screen dialogs lay out within the 240 x 268 work area.

namespace resources {

// ---- Map check ---------------------------------------------------------------------------------------
constexpr const char* kDialogMapCheck = "MAPCHECK_MAIN";
constexpr int kMenuBarMapCheck = 170;
constexpr int kCmdMapCheckNew = 40300;
constexpr int kCmdMapCheckOpen = 40301;
constexpr int kCmdMapCheckClose = 40302;
constexpr int kCmdMapCheckSave = 40303;
constexpr int kCmdMapCheckSaveAs = 40304;
constexpr int kCmdMapCheckStart = 40305;  // "Start Pt"
constexpr int kCmdMapCheckCalc = 40306;
constexpr int kCmdMapCheckExit = 40307;

constexpr int kListMapCheckLegs = 2000;
constexpr int kButtonMapCheckAdd = 2001;  // "Add Leg"
constexpr int kButtonMapCheckEdit = 2002;
constexpr int kButtonMapCheckDelete = 2003;

constexpr const char* kDialogMapCheckStart = "MAPCHECK_START";
constexpr int kEditMapCheckStartN = 2010;
constexpr int kEditMapCheckStartE = 2011;

constexpr const char* kDialogMapCheckLeg = "MAPCHECK_LEG";
constexpr int kEditMapCheckLegTo = 2020;
constexpr int kEditMapCheckLegAzimuth = 2021;
constexpr int kEditMapCheckLegDistance = 2022;
constexpr int kComboMapCheckLegType = 2023;
constexpr int kButtonMapCheckAnother = 2024;

constexpr const char* kDialogMapCheckResults = "MAPCHECK_RESULTS";
constexpr int kListMapCheckResults = 2030;
constexpr int kButtonMapCheckDisplay = 2031;

constexpr int kReadMapCheckText = 18;  // azimuth, distance and start texts
constexpr int kReadMapCheckTo = 10;

// ---- Area --------------------------------------------------------------------------------------------
constexpr const char* kDialogArea = "AREA_MAIN";
constexpr int kMenuBarArea = 171;
constexpr int kCmdAreaNew = 40310;
constexpr int kCmdAreaOpen = 40311;
constexpr int kCmdAreaClose = 40312;
constexpr int kCmdAreaSave = 40313;
constexpr int kCmdAreaSaveAs = 40314;
constexpr int kCmdAreaSetup = 40315;
constexpr int kCmdAreaCalc = 40316;
constexpr int kCmdAreaExit = 40317;

constexpr int kListAreaPoints = 2050;
constexpr int kButtonAreaAdd = 2051;  // "Add Pt"
constexpr int kButtonAreaEdit = 2052;
constexpr int kButtonAreaDelete = 2053;

constexpr const char* kDialogAreaPoint = "AREA_POINT";
constexpr int kEditAreaPointNumber = 2060;
constexpr int kComboAreaPointType = 2061;
constexpr int kButtonAreaAnother = 2062;
constexpr int kButtonAreaShow = 2063;
constexpr int kReadAreaPointNumber = 7;

constexpr const char* kDialogAreaParams = "AREA_PARAMS";
constexpr int kEditAreaProjection = 2070;
constexpr int kEditAreaUnits = 2071;
constexpr int kReadAreaFactor = 18;

constexpr const char* kDialogAreaResults = "AREA_RESULTS";
constexpr int kListAreaResults = 2080;
constexpr int kButtonAreaDisplay = 2081;

// The lists of the calculations: Courier of this height, this wide where a list's lines fit, narrower
// where they need it (the map check's legs).
constexpr int kCalcListFontHeight = 16;
constexpr int kCalcListFontWidth = 6;
constexpr int kMapCheckLegColumns = 40;  // "%7lu %12s %12s %s" with "Corner"

struct TemplateSet;
TemplateSet calc_templates();
void install_calc_resources();

}  // namespace resources
