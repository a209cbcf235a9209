#pragma once
// Resources of the COGO workspace: the COGO input form COGO_INPUT with its menu bar 145, its two keypads
// CALC_DIST and CALC_AZ (centred pop-ups), and the curve calculator CALC_CURVE with its menu bar 147.
// Full-screen dialogs lay out within the 240 x 268 work area.

namespace resources {

// ---- The COGO input form -----------------------------------------------------------------------------
constexpr const char* kDialogCogoInput = "COGO_INPUT";
constexpr int kMenuBarCogoInput = 145;
constexpr int kCmdCogoCalc = 40300;
constexpr int kCmdCogoCurve = 40301;
constexpr int kCmdCogoShow = 40302;
constexpr int kCmdCogoClear = 40303;
constexpr int kCmdCogoOk = 40304;

// The nine fields, top to bottom.
constexpr int kEditCogoFrom1 = 1301;
constexpr int kEditCogoAzimuth1 = 1302;
constexpr int kEditCogoDistance1 = 1303;
constexpr int kEditCogoTo = 1304;
constexpr int kEditCogoNorth = 1305;
constexpr int kEditCogoEast = 1306;
constexpr int kEditCogoFrom2 = 1307;
constexpr int kEditCogoAzimuth2 = 1308;
constexpr int kEditCogoDistance2 = 1309;

constexpr int kButtonCogoFrom1 = 1311;            // "From": the point list for row 1
constexpr int kButtonCogoAzimuth1Keypad = 1312;   // "?"
constexpr int kButtonCogoMode1 = 1313;            // "Distance", "Offset L", "Offset R"
constexpr int kButtonCogoDistance1Keypad = 1314;  // "?"
constexpr int kButtonCogoTo = 1315;               // "To"
constexpr int kButtonCogoSolution = 1316;         // "A" or "B"
constexpr int kButtonCogoSavePoint = 1317;        // "Save Pt"
constexpr int kButtonCogoFrom2 = 1318;
constexpr int kButtonCogoAzimuth2Keypad = 1319;
constexpr int kButtonCogoMode2 = 1320;
constexpr int kButtonCogoDistance2Keypad = 1321;

// What the form's fields hold: a point number has the ten digits of 4294967295; an azimuth, distance or
// coordinate field holds the longest text the program shows in it (a quadrant bearing with seven
// decimals of the seconds is 21 characters) with room to spare. Every field is read whole.
constexpr int kCogoNumberLength = 10;
constexpr int kCogoValueLength = 40;

// ---- The keypads -------------------------------------------------------------------------------------
constexpr const char* kDialogDistanceKeypad = "CALC_DIST";
constexpr const char* kDialogAzimuthKeypad = "CALC_AZ";
constexpr int kEditKeypadExpression = 1401;
constexpr int kEditKeypadResult = 1402;
constexpr int kButtonKeypadBack = 1403;
constexpr int kButtonKeypadClear = 1404;
constexpr int kButtonKeypadCalculate = 1405;
constexpr int kButtonKeypadSin = 1406;      // distance keypad
constexpr int kButtonKeypadCos = 1407;      // distance keypad
constexpr int kButtonKeypadCaret = 1408;    // "^": the result becomes the expression
constexpr int kButtonKeypadPlus90 = 1409;   // azimuth keypad: "+90" ("+100" in the gon mode)
constexpr int kButtonKeypadMinus90 = 1410;  // "-90" ("-100")
constexpr int kButtonKeypadPlus180 = 1411;  // "+180" ("+200")
constexpr int kButtonKeypadNorth = 1412;    // "N", "S", "E", "W": 1412 .. 1415
constexpr int kButtonKeypadWest = 1415;
// Keys that append their caption: 1420 and on, in the order of the keypad's rows.
constexpr int kButtonKeypadFirstKey = 1420;
constexpr int kButtonKeypadLastKey = 1435;

// The stored expression and the text a keypad hands back hold as much as a field of the form.
constexpr int kKeypadTextLength = kCogoValueLength;

// ---- The curve calculator ----------------------------------------------------------------------------
constexpr const char* kDialogCurve = "CALC_CURVE";
constexpr int kMenuBarCurve = 147;
constexpr int kCmdCurveCalc = 40310;
constexpr int kCmdCurveSavePoint = 40311;
constexpr int kCmdCurveShow = 40312;
constexpr int kCmdCurveClear = 40313;
constexpr int kCmdCurveOk = 40314;

// Row r (0 .. 3) has its number, north and east fields at these ids plus 10 r; rows 0 .. 2 a label button.
constexpr int kEditCurveNumber = 1501;
constexpr int kEditCurveNorth = 1502;
constexpr int kEditCurveEast = 1503;
constexpr int kButtonCurveLabel = 1504;
constexpr int kCurveRowStep = 10;
// The elements, in the order of the form.
constexpr int kEditCurveRadius = 1551;
constexpr int kEditCurveArc = 1552;
constexpr int kEditCurveTangent = 1553;
constexpr int kEditCurveChord = 1554;
constexpr int kEditCurveMiddleOrdinate = 1555;
constexpr int kEditCurveExternal = 1556;
constexpr int kEditCurveDelta = 1557;

struct TemplateSet;
TemplateSet cogo_templates();
void install_cogo_resources();

}  // namespace resources
