#include "resources/transform_resources.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarTemplate;

constexpr int kLabelTransformFirst = 2360;

// Two numbers side by side under a heading: "Source" From .. To.
void range_row(ui::DialogTemplate& t, int label_id, const char16_t* heading, int y, int from, int to)
{
    t.controls.push_back(label(label_id, heading, {4, y + 2, 62, y + 18}));
    t.controls.push_back(label(label_id + 1, u"From", {64, y + 2, 96, y + 18}));
    t.controls.push_back(edit(from, {98, y, 160, y + 20}));
    t.controls.push_back(label(label_id + 2, u"To", {164, y + 2, 180, y + 18}));
    t.controls.push_back(edit(to, {182, y, 236, y + 20}));
}

// The range rows, the rotation with its About point, the shifts and scales per axis, Inverse.
ui::DialogTemplate transform_params()
{
    ui::DialogTemplate t = build::full_screen(kDialogTransformParams, u"Transform by Parameters", {});
    int l = kLabelTransformFirst;
    range_row(t, l, u"Source", 4, kEditSourceFrom, kEditSourceTo);
    range_row(t, l + 3, u"Target", 28, kEditTargetFrom, kEditTargetTo);
    l += 6;
    t.controls.push_back(label(l++, u"Rotation", {4, 56, 70, 72}));
    t.controls.push_back(edit(kEditRotation, {72, 54, 236, 74}));
    t.controls.push_back(label(l++, u"About Pt", {4, 80, 70, 96}));
    t.controls.push_back(edit(kEditAboutNumber, {72, 78, 150, 98}));
    t.controls.push_back(label(l++, u"About N", {4, 104, 70, 120}));
    t.controls.push_back(edit(kEditAboutN, {72, 102, 236, 122}));
    t.controls.push_back(label(l++, u"About E", {4, 128, 70, 144}));
    t.controls.push_back(edit(kEditAboutE, {72, 126, 236, 146}));
    t.controls.push_back(label(l++, u"Shift", {26, 152, 126, 168}));
    t.controls.push_back(label(l++, u"Scale", {132, 152, 236, 168}));
    static const char16_t* const axes[] = {u"N", u"E", u"El"};
    for (int i = 0; i < 3; ++i) {
        const int y = 170 + 24 * i;
        t.controls.push_back(label(l++, axes[i], {4, y + 2, 24, y + 18}));
        t.controls.push_back(edit(kEditShiftN + i, {26, y, 126, y + 20}));
        t.controls.push_back(edit(kEditScaleN + i, {132, y, 236, y + 20}));
    }
    t.controls.push_back(button(kCheckInverse, u"Inverse", {4, 244, 120, 264}, controls::kButtonAutoCheckBox));
    return t;
}

MenuBarTemplate transform_params_menu_bar()
{
    return {kMenuBarTransformParams,
        {
            {u"File", 0,
                {
                    {u"Open", kCmdTransformParamsOpen, {}},
                    {u"Close", kCmdTransformParamsClose, {}},
                    {u"Save", kCmdTransformParamsSave, {}},
                    {u"Save As", kCmdTransformParamsSaveAs, {}},
                }},
            {u"Transform", kCmdTransformParamsApply, {}},
            {u"Exit", kCmdTransformParamsExit, {}},
        }};
}

// The pair list over its buttons, then the four point numbers.
ui::DialogTemplate transform_points()
{
    ui::DialogTemplate t = build::full_screen(kDialogTransformPoints, u"Transform by Control Pts",
        {
            label(kLabelTransformFirst + 20, u"Source Target  ResN  ResE", {4, 2, 236, 18}),
            build::list(kListControlPairs, {0, 20, 240, 168}, controls::kListNotify | controls::kListFixedPitch),
            button(kButtonPairAdd, u"Add", {4, 172, 76, 192}),
            button(kButtonPairEdit, u"Edit", {84, 172, 156, 192}),
            button(kButtonPairDelete, u"Delete", {164, 172, 236, 192}),
        });
    range_row(t, kLabelTransformFirst + 21, u"Source", 204, kEditSourceFrom, kEditSourceTo);
    range_row(t, kLabelTransformFirst + 24, u"Target", 230, kEditTargetFrom, kEditTargetTo);
    return t;
}

MenuBarTemplate transform_points_menu_bar()
{
    return {kMenuBarTransformPoints,
        {
            {u"Parameters", 0,
                {
                    {u"Calc", kCmdTransformPointsCalc, {}},
                    {u"Show", kCmdTransformPointsShow, {}},
                    {u"Save", kCmdTransformPointsSave, {}},
                }},
            {u"Transform", kCmdTransformPointsApply, {}},
            {u"Exit", kCmdTransformPointsExit, {}},
        }};
}

ui::DialogTemplate transform_pair()
{
    return build::popup(kDialogTransformPair, u"Transform", 220, 150,
        {
            label(kLabelTransformFirst + 30, u"Similar Points", {8, 26, 212, 42}),
            label(kLabelTransformFirst + 31, u"Source", {8, 50, 70, 66}),
            edit(kEditPairSource, {72, 48, 150, 68}),
            label(kLabelTransformFirst + 32, u"Target", {8, 76, 70, 92}),
            edit(kEditPairTarget, {72, 74, 150, 94}),
            button(kButtonPairShow, u"Show", {156, 60, 212, 82}),
            button(ui::kIdOk, u"OK", {8, 118, 70, 140}),
            button(kButtonPairAnother, u"Another", {78, 118, 142, 140}),
            button(ui::kIdCancel, u"Cancel", {150, 118, 212, 140}),
        });
}

// Nine values under their names, and OK.
ui::DialogTemplate trans_parameters()
{
    ui::DialogTemplate t = build::popup(kDialogTransParameters, u"Transformation Parameters", 230, 264, {});
    static const char16_t* const names[] = {
        u"Rotation", u"About N", u"About E", u"Shift N", u"Shift E", u"Shift El", u"Scale N", u"Scale E", u"Scale El"};
    for (int i = 0; i < 9; ++i) {
        const int y = 26 + 22 * i;
        t.controls.push_back(label(kLabelTransformFirst + 40 + i, names[i], {8, y, 80, y + 18}));
        t.controls.push_back(label(kStaticParameterValue + i, u"", {82, y, 222, y + 18}, controls::kStaticRight));
    }
    t.controls.push_back(button(ui::kIdOk, u"OK", {80, 230, 150, 254}));
    return t;
}

}  // namespace

TemplateSet transform_templates()
{
    return {{transform_params(), transform_points(), transform_pair(), trans_parameters()},
        {transform_params_menu_bar(), transform_points_menu_bar()}};
}

void install_transform_resources()
{
    install(transform_templates());
}

}  // namespace resources
