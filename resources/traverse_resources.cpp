#include "resources/traverse_resources.h"

#include "resources/builders.h"

namespace resources {

namespace {

using build::button;
using build::edit;
using build::label;
using controls::MenuBarButton;
using controls::MenuBarTemplate;

// Labels take ids from a range of their own.
constexpr int kLabelTraverseFirst = 2260;

ui::ControlTemplate check(int id, std::u16string caption, ui::Rect r)
{
    return button(id, std::move(caption), r, controls::kButtonAutoCheckBox);
}

// A label and its field on row `row` of a form of 24-pixel rows.
void field(std::vector<ui::ControlTemplate>* controls, int label_id, std::u16string caption, int edit_id, int row,
    int label_width = 84)
{
    const int y = 4 + 24 * row;
    controls->push_back(label(label_id, std::move(caption), {4, y + 2, 4 + label_width, y + 20}));
    controls->push_back(edit(edit_id, {8 + label_width, y, 236, y + 22}));
}

ui::DialogTemplate traverse_main()
{
    return build::full_screen(kDialogTraverse, u"Field Traverse",
        {
            build::list(kListTraverse, {0, 0, 240, 238}, controls::kListNotify | controls::kListFixedPitch),
            button(kButtonTraverseEdit, u"Edit", {4, 242, 58, 264}),
            button(kButtonTraverseAt, u"At", {62, 242, 116, 264}),
            button(kButtonTraverseTo, u"To", {120, 242, 174, 264}),
            button(kButtonTraverseDelete, u"Delete", {178, 242, 236, 264}),
        });
}

ui::DialogTemplate traverse_setup()
{
    std::vector<ui::ControlTemplate> c;
    field(&c, kLabelTraverseFirst, u"At", kEditSetupAt, 0);
    field(&c, kLabelTraverseFirst + 1, u"HI", kEditSetupHi, 1);
    field(&c, kLabelTraverseFirst + 2, u"Ref. Pt", kEditSetupRefPoint, 2);
    c.push_back(label(kLabelTraverseFirst + 3, u"or", {92, 78, 236, 96}));
    field(&c, kLabelTraverseFirst + 4, u"Ref.Az.", kEditSetupRefAzimuth, 4);
    field(&c, kLabelTraverseFirst + 5, u"HCR", kEditSetupHcr, 5);
    c.push_back(check(kCheckSetupInsertBefore, u"Insert Before", {8, 152, 236, 172}));
    c.push_back(button(ui::kIdOk, u"OK", {24, 242, 104, 264}));
    c.push_back(button(ui::kIdCancel, u"Cancel", {136, 242, 216, 264}));
    return build::full_screen(kDialogTraverseSetup, u"Traverse Setup", std::move(c));
}

ui::DialogTemplate traverse_observation()
{
    std::vector<ui::ControlTemplate> c;
    const std::u16string captions[] = {u"To", u"Code", u"Note", u"HCR", u"VCR", u"S. Dist.", u"HS"};
    for (int i = 0; i < 7; ++i)
        field(&c, kLabelTraverseFirst + 6 + i, captions[i], kEditObservationTo + i, i);
    c.push_back(check(kCheckObservationSideShot, u"Side Shot", {8, 176, 236, 196}));
    c.push_back(check(kCheckObservationInsertBefore, u"Insert Before", {8, 200, 236, 220}));
    c.push_back(button(ui::kIdOk, u"OK", {4, 242, 78, 264}));
    c.push_back(button(kButtonObservationAnother, u"Another", {84, 242, 156, 264}));
    c.push_back(button(ui::kIdCancel, u"Cancel", {162, 242, 236, 264}));
    return build::full_screen(kDialogTraverseObservation, u"Traverse Observation", std::move(c));
}

ui::DialogTemplate traverse_settings()
{
    std::vector<ui::ControlTemplate> c;
    const std::u16string captions[] = {u"Surveyor", u"Date", u"Field Book", u"Pages", u"Instrument", u"Dist. Factor",
        u"Dist. Corr.", u"VC Corr.", u"Projection S.F.", u"Units Factor"};
    for (int i = 0; i < 10; ++i)
        field(&c, kLabelTraverseFirst + 13 + i, captions[i], kEditTraverseSettingFirst + i, i, 100);
    c.push_back(button(ui::kIdOk, u"OK", {24, 244, 104, 266}));
    c.push_back(button(ui::kIdCancel, u"Cancel", {136, 244, 216, 266}));
    return build::full_screen(kDialogTraverseSettings, u"Traverse Set Up", std::move(c));
}

ui::DialogTemplate traverse_results()
{
    return build::full_screen(kDialogTraverseResults, u"Traverse Results",
        {
            build::list(kListTraverseResults, {0, 0, 240, 238}, controls::kListFixedPitch),
            button(kButtonTraverseAdjust, u"Adjust", {2, 242, 58, 264}),
            button(kButtonTraverseSavePoints, u"Save Pts", {61, 242, 119, 264}),
            button(kButtonTraverseDisplay, u"Display", {122, 242, 180, 264}),
            button(ui::kIdOk, u"OK", {183, 242, 238, 264}),
        });
}

ui::DialogTemplate traverse_adjust()
{
    return build::popup(kDialogTraverseAdjust, u"Adjust Traverse", 210, 140,
        {
            label(kLabelTraverseFirst + 23, u"Adjustment method:", {8, 28, 200, 46}),
            build::drop_down(kComboTraverseMethod, {8, 50, 200, 130}),
            button(ui::kIdOk, u"OK", {28, 110, 96, 132}),
            button(ui::kIdCancel, u"Cancel", {114, 110, 182, 132}),
        });
}

ui::DialogTemplate traverse_save_points()
{
    return build::popup(kDialogTraverseSavePoints, u"Save Points", 200, 100,
        {
            check(kCheckTraverseOverwrite, u"Overwrite points", {12, 32, 190, 52}),
            button(ui::kIdOk, u"Save", {20, 68, 90, 90}),
            button(ui::kIdCancel, u"Cancel", {110, 68, 180, 90}),
        });
}

MenuBarTemplate traverse_menu_bar()
{
    return {kMenuBarTraverse,
        {
            {u"File", 0,
                {
                    {u"New", kCmdTraverseNew, {}},
                    {u"Open", kCmdTraverseOpen, {}},
                    {u"Close", kCmdTraverseClose, {}},
                    {u"Save", kCmdTraverseSave, {}},
                    {u"Save As", kCmdTraverseSaveAs, {}},
                }},
            {u"Set Up", kCmdTraverseSetUp, {}},
            {u"Calc", kCmdTraverseCalc, {}},
            {u"Exit", kCmdTraverseExit, {}},
        }};
}

}  // namespace

TemplateSet traverse_templates()
{
    return {{traverse_main(), traverse_setup(), traverse_observation(), traverse_settings(), traverse_results(),
                traverse_adjust(), traverse_save_points()},
        {traverse_menu_bar()}};
}

void install_traverse_resources()
{
    install(traverse_templates());
}

}  // namespace resources
