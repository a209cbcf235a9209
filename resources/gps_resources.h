#pragma once
// Resources of the GPS dialogs: the port selection GPS_SERIALPORT and its question UNHIDE_GPSID, the
// satellite view GPS_SATS, the averaged position GPS_POINT with its menu bar 168, and the navigation
// display GPS_NAV_DISPLAY with its menu bar 169.

#include "resources/builders.h"

namespace resources {

// ---- GPS_SERIALPORT, UNHIDE_GPSID ---------------------------------------------------------------------
constexpr const char* kDialogGpsSerialPort = "GPS_SERIALPORT";
constexpr int kComboGpsPort = 1215;
constexpr const char* kDialogUnhideGpsId = "UNHIDE_GPSID";
constexpr int kButtonUnhideModify = 1216;

// ---- GPS_SATS ------------------------------------------------------------------------------------------
constexpr const char* kDialogGpsSats = "GPS_SATS";
constexpr int kStaticSatelliteCount = 1218;
// The plot's band of the client area: the sky plot and the bars with their numbers above the controls.
constexpr int kSkyPlotBottom = 190;

// ---- GPS_POINT -----------------------------------------------------------------------------------------
constexpr const char* kDialogGpsPoint = "GPS_POINT";
constexpr int kMenuBarGpsPoint = 168;
constexpr int kCmdGpsPointSave = 40264;
constexpr int kCmdGpsPointOk = 40265;
constexpr int kStaticGpsNorth = 1220;
constexpr int kStaticGpsLongitude = 1221;
constexpr int kStaticGpsLatitude = 1222;
constexpr int kStaticGpsEast = 1223;
constexpr int kStaticGpsElevation = 1224;
constexpr int kStaticGpsSamples = 1225;
constexpr int kStaticGpsStatus = 1226;
constexpr int kStaticGpsNorthDeviation = 1227;
constexpr int kStaticGpsEastDeviation = 1228;
constexpr int kStaticGpsElevationDeviation = 1229;

// ---- GPS_NAV_DISPLAY -----------------------------------------------------------------------------------
constexpr const char* kDialogGpsNav = "GPS_NAV_DISPLAY";
constexpr int kMenuBarGpsNav = 169;
constexpr int kCmdNavToPoint = 40266;
constexpr int kCmdNavSavePoint = 40269;
constexpr int kCmdNavSatStatus = 40274;
constexpr int kCmdNavOk = 1;
constexpr int kStaticNavLabels = 1230;
constexpr int kStaticNavArrival = 1231;
constexpr int kStaticNavTarget = 1232;
constexpr int kStaticNavHeading = 1233;
constexpr int kStaticNavSpeed = 1234;
constexpr int kStaticNavMap = 1235;  // the plan view's map band, rows 30 to 130 of the client area
constexpr int kLabelNavHeading = 1760;
constexpr int kLabelNavSpeed = 1761;

TemplateSet gps_templates();
void install_gps_resources();

}  // namespace resources
