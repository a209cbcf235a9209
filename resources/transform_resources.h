#pragma once
// Resources of the transformations: TRANSFORM_PARAMS (by parameters) with its menu bar 175,
// TRANSFORM_POINTS (by control points) with its menu bar 176, the pair input TRANSFORM_PAIR and the
// parameters view TRANS_PARAMETERS. Full-screen dialogs lay out within the 240 x 268 work area.

#include "resources/builders.h"

namespace resources {

// ---- By parameters -----------------------------------------------------------------------------------
constexpr const char* kDialogTransformParams = "TRANSFORM_PARAMS";
constexpr int kMenuBarTransformParams = 175;
constexpr int kCmdTransformParamsOpen = 40330;
constexpr int kCmdTransformParamsClose = 40331;
constexpr int kCmdTransformParamsSave = 40332;
constexpr int kCmdTransformParamsSaveAs = 40333;
constexpr int kCmdTransformParamsApply = 40334;  // "Transform"
constexpr int kCmdTransformParamsExit = 40335;

constexpr int kEditSourceFrom = 2300;
constexpr int kEditSourceTo = 2301;
constexpr int kEditTargetFrom = 2302;
constexpr int kEditTargetTo = 2303;
constexpr int kEditRotation = 2304;
constexpr int kEditAboutNumber = 2305;
constexpr int kEditAboutN = 2306;
constexpr int kEditAboutE = 2307;
constexpr int kEditShiftN = 2308;
constexpr int kEditShiftE = 2309;
constexpr int kEditShiftEl = 2310;
constexpr int kEditScaleN = 2311;
constexpr int kEditScaleE = 2312;
constexpr int kEditScaleEl = 2313;
constexpr int kCheckInverse = 2314;

// ---- By control points -------------------------------------------------------------------------------
constexpr const char* kDialogTransformPoints = "TRANSFORM_POINTS";
constexpr int kMenuBarTransformPoints = 176;
constexpr int kCmdTransformPointsCalc = 40340;
constexpr int kCmdTransformPointsShow = 40341;
constexpr int kCmdTransformPointsSave = 40342;
constexpr int kCmdTransformPointsApply = 40343;  // "Transform"
constexpr int kCmdTransformPointsExit = 40344;

constexpr int kListControlPairs = 2330;
constexpr int kButtonPairAdd = 2331;
constexpr int kButtonPairEdit = 2332;
constexpr int kButtonPairDelete = 2333;
// The four point numbers use the ids of the parameters dialog: kEditSourceFrom .. kEditTargetTo.

constexpr const char* kDialogTransformPair = "TRANSFORM_PAIR";
constexpr int kEditPairSource = 2340;
constexpr int kEditPairTarget = 2341;
constexpr int kButtonPairAnother = 2342;
constexpr int kButtonPairShow = 2343;
constexpr int kReadPairNumber = 7;

constexpr const char* kDialogTransParameters = "TRANS_PARAMETERS";
constexpr int kStaticParameterValue = 2350;  // rotation, About N, About E, shifts N E El, scales N E El

TemplateSet transform_templates();
void install_transform_resources();

}  // namespace resources
