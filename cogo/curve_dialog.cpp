#include "cogo/curve_dialog.h"

#include <cmath>
#include <optional>

#include "cogo/cogo_drawing.h"
#include "cogo/curve.h"
#include "draw/point_plot.h"
#include "formats/angle_format.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/cogo_resources.h"
#include "store/list_selection.h"
#include "store/point_edit_dialog.h"
#include "store/point_index.h"

namespace cogo {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

constexpr forms::Declaration kCurveDialog {.dialog = res::kDialogCurve,
    .menu_bar = res::kMenuBarCurve,
    .menu_error = u"Curve",
    .cancel_result = ui::kIdCancel};

// The element fields, in form order, with the element each shows.
struct ElementField {
    int id;
    double CurveElements::*value;
};
constexpr ElementField kElements[] = {
    {res::kEditCurveRadius, &CurveElements::radius},
    {res::kEditCurveArc, &CurveElements::arc},
    {res::kEditCurveTangent, &CurveElements::tangent},
    {res::kEditCurveChord, &CurveElements::chord},
    {res::kEditCurveMiddleOrdinate, &CurveElements::middle_ordinate},
    {res::kEditCurveExternal, &CurveElements::external},
};

int number_field(int row)
{
    return res::kEditCurveNumber + res::kCurveRowStep * row;
}
int north_field(int row)
{
    return res::kEditCurveNorth + res::kCurveRowStep * row;
}
int east_field(int row)
{
    return res::kEditCurveEast + res::kCurveRowStep * row;
}

// The row (0 .. 3) a number, north or east field belongs to; -1 for any other control.
int row_of(int id)
{
    for (int row = 0; row < 4; ++row)
        if (id == number_field(row) || id == north_field(row) || id == east_field(row))
            return row;
    return -1;
}

// An angle as the form shows it: gons in the gon mode, else degrees, minutes and seconds (a delta is an
// angle, not a direction, so no bearing).
std::u16string format_angle(double radians)
{
    if (formats::angle_mode() == formats::kAngleGons)
        return formats::format_gons(radians);
    return formats::format_dms(radians * formats::kDegreesPerRadian);
}

class CurveDialog : public forms::Form {
public:
    CurveDialog()
        : Form(kCurveDialog)
    {
    }

private:
    bool on_open() override
    {
        for (int row = 0; row < 4; ++row)
            controls::edit_set_limit(item(number_field(row)), res::kCogoNumberLength);
        show_labels();
        show_curve();
        m_focus = number_field(0);
        ui::set_focus(item(m_focus));
        return false;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (code == ui::kEnSetFocus) {
            m_focus = id;
            return true;
        }
        switch (id) {
        case res::kCmdCurveCalc:
            calc();
            return true;
        case res::kCmdCurveSavePoint:
            save_point();
            return true;
        case res::kCmdCurveShow:
            show_plot();
            return true;
        case res::kCmdCurveClear:
            clear_fields();
            return true;
        case res::kCmdCurveOk:
            end(ui::kIdOk);
            return true;
        case res::kButtonCurveLabel:
            toggle(&curve_of_the_run().row1_is_bc);
            return true;
        case res::kButtonCurveLabel + res::kCurveRowStep:
            toggle(&curve_of_the_run().row2_is_pi);
            return true;
        case res::kButtonCurveLabel + 2 * res::kCurveRowStep:
            toggle(&curve_of_the_run().row3_is_ec);
            return true;
        default:
            return false;
        }
    }

    void toggle(bool* label)
    {
        *label = !*label;
        show_labels();
    }

    void show_labels()
    {
        const Curve& c = curve_of_the_run();
        forms::show_text(hwnd(), res::kButtonCurveLabel, c.row1_is_bc ? u"BC" : u"PI");
        forms::show_text(hwnd(), res::kButtonCurveLabel + res::kCurveRowStep, c.row2_is_pi ? u"PI" : u"PC");
        forms::show_text(hwnd(), res::kButtonCurveLabel + 2 * res::kCurveRowStep, c.row3_is_ec ? u"EC" : u"PI");
    }

    // ---- Showing and reading ----------------------------------------------------------------------------

    void show_curve()
    {
        const Curve& c = curve_of_the_run();
        for (int row = 0; row < 4; ++row) {
            const CurveRow& r = c.rows[row];
            forms::show_point_number(hwnd(), number_field(row), r.number);
            show_coordinate(north_field(row), r.northing);
            show_coordinate(east_field(row), r.easting);
        }
        for (const ElementField& f : kElements) {
            const double v = c.elements.*f.value;
            forms::show_text(hwnd(), f.id, v != 0 && std::isfinite(v) ? formats::format_distance(v) : std::u16string());
        }
        const double delta = c.elements.delta;
        forms::show_text(
            hwnd(), res::kEditCurveDelta, delta > 0 && std::isfinite(delta) ? format_angle(delta) : std::u16string());
    }

    void show_coordinate(int id, double value)
    {
        if (formats::is_undefined(value) || !std::isfinite(value))
            forms::show_text(hwnd(), id, u"");
        else
            forms::show_coordinate(hwnd(), id, value);
    }

    void clear_fields()
    {
        for (int row = 0; row < 4; ++row)
            for (int id : {number_field(row), north_field(row), east_field(row)})
                forms::show_text(hwnd(), id, u"");
        for (const ElementField& f : kElements)
            forms::show_text(hwnd(), f.id, u"");
        forms::show_text(hwnd(), res::kEditCurveDelta, u"");
    }

    // A stored number gives the row its point; a number not stored makes the row unknown; without a number
    // the typed N and E, each 0 (or empty, or no number) counting as missing.
    void read_row(int row, CurveRow* r)
    {
        r->number = forms::read_point_number(hwnd(), number_field(row));
        r->known = false;
        if (r->number != 0) {
            // A number that is not stored leaves no coordinates behind it that belong to another point.
            store::PointRecord p;
            r->known = store::point_read_by_number(r->number, &p) == 1;
            r->northing = r->known ? p.northing : formats::kUndefinedValue;
            r->easting = r->known ? p.easting : formats::kUndefinedValue;
            return;
        }
        const double n = forms::read_coordinate(hwnd(), north_field(row)).value_or(0);
        const double e = forms::read_coordinate(hwnd(), east_field(row)).value_or(0);
        r->northing = n != 0 ? n : formats::kUndefinedValue;
        r->easting = e != 0 ? e : formats::kUndefinedValue;
        r->known = n != 0 && e != 0;
    }

    void read_form(Curve* c)
    {
        for (int row = 0; row < 4; ++row)
            read_row(row, &c->rows[row]);
        for (const ElementField& f : kElements)
            if (std::optional<double> v = forms::read_distance(hwnd(), f.id))
                c->elements.*f.value = *v;
        const std::optional<double> degrees = forms::read_angle(hwnd(), res::kEditCurveDelta);
        c->elements.delta_given = degrees.has_value();
        c->elements.delta = degrees ? formats::degrees_to_radians(*degrees) : 0;
    }

    void calc()
    {
        Curve& c = curve_of_the_run();
        read_form(&c);
        const CurveSolution solution = solve_curve(&c);
        if (!solution.computed)
            return;
        show_labels();
        show_curve();
        if (solution.has_centre)
            cogo_draw_curve(solution.bc, solution.ec, solution.centre);
    }

    // ---- Save Pt and Show ---------------------------------------------------------------------------------

    void save_point()
    {
        const int row = row_of(m_focus);
        if (row < 0)
            return;
        if (std::optional<formats::Position> at = forms::read_position(hwnd(), north_field(row), east_field(row)))
            store::run_point_edit_with_point(hwnd(), forms::read_point_number(hwnd(), number_field(row)), at->e, at->n);
    }

    void show_plot()
    {
        draw::run_point_plot(hwnd());
        const int row = row_of(m_focus);
        const uint32_t picked = store::list_selection().number;
        if (picked >= 1 && row >= 0 && row < 3)
            forms::show_point_number(hwnd(), number_field(row), picked);
    }

    int m_focus = 0;  // the edit field that last gained the focus
};

}  // namespace

void run_curve_calculator(ui::Hwnd owner)
{
    CurveDialog().run(owner);
}

}  // namespace cogo
