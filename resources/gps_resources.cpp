#include "resources/gps_resources.h"

namespace resources {

namespace {

using build::button;
using build::label;
using controls::MenuBarTemplate;

// Labels of the GPS dialogs take ids from a range of their own.
constexpr int kLabelGpsPort = 1750;
constexpr int kLabelUnhideText = 1751;
constexpr int kLabelGpsNorth = 1752;  // and the five after it

ui::DialogTemplate serial_port()
{
    return build::popup(kDialogGpsSerialPort, u"GPS Serial Port", 200, 170,
        {
            label(kLabelGpsPort, u"Port", {8, 32, 48, 50}),
            build::drop_down(kComboGpsPort, {52, 30, 190, 164}),
            button(ui::kIdOk, u"OK", {24, 138, 92, 160}, controls::kButtonDefPush),
            button(ui::kIdCancel, u"Cancel", {108, 138, 176, 160}),
        });
}

ui::DialogTemplate unhide_gpsid()
{
    return build::popup(kDialogUnhideGpsId, u"Unhide GPSID", 220, 150,
        {
            label(kLabelUnhideText, u"The GPSID interface is hidden. Modify exposes it by changing the registry.",
                {8, 26, 212, 106}),
            button(kButtonUnhideModify, u"Modify", {24, 118, 100, 140}),
            button(ui::kIdCancel, u"Cancel", {120, 118, 196, 140}),
        });
}

ui::DialogTemplate satellites()
{
    return build::full_screen(kDialogGpsSats, u"Satellites",
        {
            label(kStaticSatelliteCount, u"", {8, 200, 150, 218}),
            button(ui::kIdOk, u"OK", {164, 196, 232, 220}, controls::kButtonDefPush),
        });
}

// Three rows of mean and deviation, the count, the latitude and longitude, the status line.
ui::DialogTemplate averaged_point()
{
    ui::DialogTemplate t = build::full_screen(kDialogGpsPoint, u"GPS Point (Averaged):", {});
    static const char16_t* const names[] = {u"N", u"E", u"El"};
    static const int means[] = {kStaticGpsNorth, kStaticGpsEast, kStaticGpsElevation};
    static const int deviations[] = {kStaticGpsNorthDeviation, kStaticGpsEastDeviation, kStaticGpsElevationDeviation};
    for (int i = 0; i < 3; ++i) {
        const int y = 8 + 24 * i;
        t.controls.push_back(label(kLabelGpsNorth + i, names[i], {4, y, 24, y + 18}));
        t.controls.push_back(label(means[i], u"", {26, y, 140, y + 18}, controls::kStaticRight));
        t.controls.push_back(label(deviations[i], u"", {150, y, 236, y + 18}, controls::kStaticRight));
    }
    t.controls.push_back(label(kLabelGpsNorth + 3, u"Samples", {4, 80, 70, 98}));
    t.controls.push_back(label(kStaticGpsSamples, u"", {72, 80, 140, 98}, controls::kStaticRight));
    t.controls.push_back(label(kLabelGpsNorth + 4, u"Lat", {4, 108, 34, 126}));
    t.controls.push_back(label(kStaticGpsLatitude, u"", {36, 108, 236, 126}));
    t.controls.push_back(label(kLabelGpsNorth + 5, u"Lon", {4, 132, 34, 150}));
    t.controls.push_back(label(kStaticGpsLongitude, u"", {36, 132, 236, 150}));
    t.controls.push_back(label(kStaticGpsStatus, u"", {4, 160, 236, 178}));
    return t;
}

// The compass or the map lies between the top line and the three lines at the bottom.
ui::DialogTemplate navigation()
{
    return build::full_screen(kDialogGpsNav, u"GPS Navigation",
        {
            label(kLabelNavHeading, u"Heading", {2, 2, 56, 18}),
            label(kStaticNavHeading, u"", {58, 2, 124, 18}),
            label(kLabelNavSpeed, u"Speed", {126, 2, 170, 18}),
            label(kStaticNavSpeed, u"", {172, 2, 240, 18}),
            label(kStaticNavLabels, u"Info", {2, 166, 100, 184}),
            label(kStaticNavArrival, u"ETA", {104, 166, 238, 184}),
            label(kStaticNavTarget, u"Az/Dist", {2, 188, 238, 206}),
            label(kStaticNavMap, u"", {0, 30, 160, 130}),
        });
}

MenuBarTemplate point_menu_bar()
{
    return {kMenuBarGpsPoint,
        {
            {u"Save Pt", kCmdGpsPointSave, {}},
            {u"  OK  ", kCmdGpsPointOk, {}},
        }};
}

MenuBarTemplate navigation_menu_bar()
{
    return {kMenuBarGpsNav,
        {
            {u"To Pt.", kCmdNavToPoint, {}},
            {u"Save Pt.", kCmdNavSavePoint, {}},
            {u"Sat. Status", kCmdNavSatStatus, {}},
            {u"  OK  ", kCmdNavOk, {}},
        }};
}

}  // namespace

TemplateSet gps_templates()
{
    return {{serial_port(), unhide_gpsid(), satellites(), averaged_point(), navigation()},
        {point_menu_bar(), navigation_menu_bar()}};
}

void install_gps_resources()
{
    install(gps_templates());
}

}  // namespace resources
