#include "resources/cogo_resources.h"

#include "resources/builders.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarTemplate;
using ui::Rect;

// Labels of the dialogs take ids from a range of their own.
constexpr int kLabelCogoAzimuth1 = 1331;
constexpr int kLabelCogoNorth = 1332;
constexpr int kLabelCogoEast = 1333;
constexpr int kLabelCogoAzimuth2 = 1334;
constexpr int kLabelKeypadResult = 1440;
constexpr int kLabelCurveHeadings = 1580;  // "Points", "#", "North", "East": 1580 .. 1583
constexpr int kLabelCurveCentre = 1584;
constexpr int kLabelCurveElements = 1585;  // 1585 .. 1591

// ---- COGO_INPUT: nine rows in three groups (line 1, the point computed, line 2); the row's button or
// label on the left, its field, and the button that acts on it on the right.
constexpr int kCogoLeft = 2, kCogoFieldLeft = 62, kCogoFieldRight = 184, kCogoRight = 238;

int cogo_row_top(int row)
{
    return 4 + 28 * row + 6 * (row / 3);
}

// Columns of a row, left to right: the row's button, its field, the button that acts on the field; a
// label sits lower in the button's column, level with the field's text.
enum class Column { Left, Field, Right, Label };

Rect cogo_cell(int row, Column column)
{
    const int y = cogo_row_top(row);
    switch (column) {
    case Column::Left:
        return {kCogoLeft, y, kCogoFieldLeft - 2, y + 24};
    case Column::Field:
        return {kCogoFieldLeft, y, kCogoFieldRight, y + 24};
    case Column::Right:
        return {kCogoFieldRight + 4, y, kCogoRight, y + 24};
    default:
        return {kCogoLeft + 2, y + 4, kCogoFieldLeft - 2, y + 22};
    }
}

ui::DialogTemplate cogo_input()
{
    return build::full_screen(kDialogCogoInput, u"COGO",
        {
            button(kButtonCogoFrom1, u"From", cogo_cell(0, Column::Left)),
            edit(kEditCogoFrom1, cogo_cell(0, Column::Field)),
            label(kLabelCogoAzimuth1, u"Azimuth", cogo_cell(1, Column::Label)),
            edit(kEditCogoAzimuth1, cogo_cell(1, Column::Field)),
            button(kButtonCogoAzimuth1Keypad, u"?", cogo_cell(1, Column::Right)),
            button(kButtonCogoMode1, u"Distance", cogo_cell(2, Column::Left)),
            edit(kEditCogoDistance1, cogo_cell(2, Column::Field)),
            button(kButtonCogoDistance1Keypad, u"?", cogo_cell(2, Column::Right)),
            button(kButtonCogoTo, u"To", cogo_cell(3, Column::Left)),
            edit(kEditCogoTo, cogo_cell(3, Column::Field)),
            label(kLabelCogoNorth, u"N", cogo_cell(4, Column::Label)),
            edit(kEditCogoNorth, cogo_cell(4, Column::Field)),
            button(kButtonCogoSolution, u"A", cogo_cell(4, Column::Right)),
            label(kLabelCogoEast, u"E", cogo_cell(5, Column::Label)),
            edit(kEditCogoEast, cogo_cell(5, Column::Field)),
            button(kButtonCogoSavePoint, u"Save Pt", cogo_cell(5, Column::Right)),
            button(kButtonCogoFrom2, u"From", cogo_cell(6, Column::Left)),
            edit(kEditCogoFrom2, cogo_cell(6, Column::Field)),
            label(kLabelCogoAzimuth2, u"Azimuth", cogo_cell(7, Column::Label)),
            edit(kEditCogoAzimuth2, cogo_cell(7, Column::Field)),
            button(kButtonCogoAzimuth2Keypad, u"?", cogo_cell(7, Column::Right)),
            button(kButtonCogoMode2, u"Distance", cogo_cell(8, Column::Left)),
            edit(kEditCogoDistance2, cogo_cell(8, Column::Field)),
            button(kButtonCogoDistance2Keypad, u"?", cogo_cell(8, Column::Right)),
        });
}

// ---- The keypads: the expression and the result on top, then rows of keys in five columns.
constexpr int kKeyTop = 78, kKeyPitchX = 45, kKeyPitchY = 30, kKeyWidth = 42, kKeyHeight = 26;

// The key at column c of row r, `span` columns wide.
Rect key_at(int r, int c, int span = 1)
{
    const int x = 4 + kKeyPitchX * c, y = kKeyTop + kKeyPitchY * r;
    return {x, y, x + kKeyPitchX * (span - 1) + kKeyWidth, y + kKeyHeight};
}

std::vector<ui::ControlTemplate> keypad_top()
{
    ui::ControlTemplate result = edit(kEditKeypadResult, {58, 50, 226, 72});
    result.style |= controls::kEditReadOnly;
    return {
        edit(kEditKeypadExpression, {6, 24, 226, 46}),
        label(kLabelKeypadResult, u"Result:", {6, 54, 56, 70}),
        result,
    };
}

// The keys that append their captions, in rows, with their columns.
void add_keys(std::vector<ui::ControlTemplate>* out, const std::vector<std::vector<const char16_t*>>& rows)
{
    int id = kButtonKeypadFirstKey;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            out->push_back(button(id++, rows[r][c], key_at(int(r), int(c))));
}

ui::DialogTemplate distance_keypad()
{
    std::vector<ui::ControlTemplate> controls = keypad_top();
    add_keys(&controls,
        {{u"7", u"8", u"9", u"/"}, {u"4", u"5", u"6", u"x"}, {u"1", u"2", u"3", u"-"}, {u"0", u".", u"?", u"+"}});
    controls.push_back(button(kButtonKeypadSin, u"sin", key_at(0, 4)));
    controls.push_back(button(kButtonKeypadCos, u"cos", key_at(1, 4)));
    controls.push_back(button(kButtonKeypadCaret, u"^", key_at(2, 4)));
    controls.push_back(button(kButtonKeypadBack, u"Back", key_at(3, 4)));
    controls.push_back(button(kButtonKeypadClear, u"Clear", key_at(4, 0)));
    controls.push_back(button(kButtonKeypadCalculate, u"Calculate", key_at(4, 1, 2)));
    controls.push_back(button(ui::kIdOk, u"OK", key_at(4, 3)));
    controls.push_back(button(ui::kIdCancel, u"Cancel", key_at(4, 4)));
    return build::popup(kDialogDistanceKeypad, u"Calculate Distance", 232, kKeyTop + 5 * kKeyPitchY + 4, controls);
}

ui::DialogTemplate azimuth_keypad()
{
    std::vector<ui::ControlTemplate> controls = keypad_top();
    add_keys(&controls, {{u"7", u"8", u"9"}, {u"4", u"5", u"6"}, {u"1", u"2", u"3"}, {u"0", u".", u"?", u"-"}});
    controls.push_back(button(kButtonKeypadFirstKey + 13, u"+", key_at(4, 0)));
    controls.push_back(button(kButtonKeypadPlus90, u"+90", key_at(0, 3)));
    controls.push_back(button(kButtonKeypadMinus90, u"-90", key_at(1, 3)));
    controls.push_back(button(kButtonKeypadPlus180, u"+180", key_at(2, 3)));
    static const char16_t* const letters[] = {u"N", u"S", u"E", u"W"};
    for (int i = 0; i < 4; ++i)
        controls.push_back(button(kButtonKeypadNorth + i, letters[i], key_at(i, 4)));
    controls.push_back(button(kButtonKeypadBack, u"Back", key_at(4, 1)));
    controls.push_back(button(kButtonKeypadClear, u"Clear", key_at(4, 2)));
    controls.push_back(button(kButtonKeypadCalculate, u"Calculate", key_at(4, 3, 2)));
    controls.push_back(button(ui::kIdOk, u"OK", key_at(5, 0, 2)));
    controls.push_back(button(ui::kIdCancel, u"Cancel", key_at(5, 3, 2)));
    return build::popup(kDialogAzimuthKeypad, u"Calculate Azimuth", 232, kKeyTop + 6 * kKeyPitchY + 4, controls);
}

// ---- CALC_CURVE: the four rows under their headings, then the elements in two columns.
ui::DialogTemplate curve()
{
    ui::DialogTemplate t = build::full_screen(kDialogCurve, u"Curve",
        {
            label(kLabelCurveHeadings, u"Points", {2, 2, 44, 18}),
            label(kLabelCurveHeadings + 1, u"#", {48, 2, 88, 18}),
            label(kLabelCurveHeadings + 2, u"North", {92, 2, 162, 18}),
            label(kLabelCurveHeadings + 3, u"East", {166, 2, 238, 18}),
        });
    static const char16_t* const captions[] = {u"BC", u"PC", u"EC"};
    for (int r = 0; r < 4; ++r) {
        const int y = 20 + 26 * r, step = kCurveRowStep * r;
        if (r < 3)
            t.controls.push_back(button(kButtonCurveLabel + step, captions[r], {2, y, 44, y + 22}));
        else
            t.controls.push_back(label(kLabelCurveCentre, u"Ctr.", {4, y + 3, 44, y + 20}));
        t.controls.push_back(edit(kEditCurveNumber + step, {46, y, 88, y + 22}));
        t.controls.push_back(edit(kEditCurveNorth + step, {90, y, 163, y + 22}));
        t.controls.push_back(edit(kEditCurveEast + step, {165, y, 238, y + 22}));
    }
    static const char16_t* const elements[] = {u"Radius", u"Arc", u"Tang.", u"Chord", u"Mid. Ord.", u"Ext."};
    for (int i = 0; i < 6; ++i) {
        const int y = 132 + 28 * (i / 2), left = i % 2 == 0 ? 2 : 122;
        t.controls.push_back(label(kLabelCurveElements + i, elements[i], {left + 2, y + 3, left + 56, y + 20}));
        t.controls.push_back(edit(kEditCurveRadius + i, {left + 56, y, left + 116, y + 22}));
    }
    t.controls.push_back(label(kLabelCurveElements + 6, u"Delta angle", {4, 219, 76, 236}));
    t.controls.push_back(edit(kEditCurveDelta, {78, 216, 238, 238}));
    return t;
}

MenuBarTemplate cogo_input_menu_bar()
{
    return {kMenuBarCogoInput,
        {
            {u"Calc", kCmdCogoCalc, {}},
            {u"Curve", kCmdCogoCurve, {}},
            {u"Show", kCmdCogoShow, {}},
            {u"Clear", kCmdCogoClear, {}},
            {u" OK ", kCmdCogoOk, {}},
        }};
}

MenuBarTemplate curve_menu_bar()
{
    return {kMenuBarCurve,
        {
            {u"Calc", kCmdCurveCalc, {}},
            {u"Save Pt", kCmdCurveSavePoint, {}},
            {u"Show", kCmdCurveShow, {}},
            {u"Clear", kCmdCurveClear, {}},
            {u"OK", kCmdCurveOk, {}},
        }};
}

}  // namespace

TemplateSet cogo_templates()
{
    return {{cogo_input(), distance_keypad(), azimuth_keypad(), curve()}, {cogo_input_menu_bar(), curve_menu_bar()}};
}

void install_cogo_resources()
{
    install(cogo_templates());
}

}  // namespace resources
