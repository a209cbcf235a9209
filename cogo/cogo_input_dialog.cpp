#include "cogo/cogo_input_dialog.h"

#include <cmath>
#include <optional>

#include "cogo/cogo_drawing.h"
#include "cogo/cogo_problem.h"
#include "cogo/curve_dialog.h"
#include "cogo/keypads.h"
#include "draw/point_plot.h"
#include "formats/angle_units.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "resources/cogo_resources.h"
#include "store/list_selection.h"
#include "store/point_edit_dialog.h"
#include "store/point_list_dialog.h"

namespace cogo {

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
namespace controls = platform::controls;
namespace res = resources;

constexpr forms::Declaration kCogoInput {.dialog = res::kDialogCogoInput,
    .menu_bar = res::kMenuBarCogoInput,
    .menu_error = u"COGO",
    .cancel_result = ui::kIdCancel};

constexpr int kFields[] = {res::kEditCogoFrom1, res::kEditCogoAzimuth1, res::kEditCogoDistance1, res::kEditCogoTo,
    res::kEditCogoNorth, res::kEditCogoEast, res::kEditCogoFrom2, res::kEditCogoAzimuth2, res::kEditCogoDistance2};

// The controls of one line: its point, azimuth and distance fields and its mode button.
struct LineControls {
    int from, azimuth, distance, mode;
};
constexpr LineControls kLine1 {
    res::kEditCogoFrom1, res::kEditCogoAzimuth1, res::kEditCogoDistance1, res::kButtonCogoMode1};
constexpr LineControls kLine2 {
    res::kEditCogoFrom2, res::kEditCogoAzimuth2, res::kEditCogoDistance2, res::kButtonCogoMode2};

const char16_t* mode_caption(int mode)
{
    switch (mode) {
    case kCogoLineOffsetLeft:
        return u"Offset L";
    case kCogoLineOffsetRight:
        return u"Offset R";
    default:
        return u"Distance";
    }
}

// How a computed value is shown.
enum class Shown { Azimuth, Distance, Coordinate };
struct ResultField {
    int id;
    Shown as;
    double CogoShown::*value;
    bool bold;
};

// The fields each kind of solution writes (the emphasised ones first get the bold font).
std::vector<ResultField> result_fields(int kind)
{
    const ResultField az1 {res::kEditCogoAzimuth1, Shown::Azimuth, &CogoShown::azimuth1, true};
    const ResultField d1 {res::kEditCogoDistance1, Shown::Distance, &CogoShown::distance1, true};
    const ResultField az2 {res::kEditCogoAzimuth2, Shown::Azimuth, &CogoShown::azimuth2, true};
    const ResultField d2 {res::kEditCogoDistance2, Shown::Distance, &CogoShown::distance2, true};
    const ResultField n {res::kEditCogoNorth, Shown::Coordinate, &CogoShown::northing, true};
    const ResultField e {res::kEditCogoEast, Shown::Coordinate, &CogoShown::easting, true};
    switch (kind) {
    case kCogoInverse:
        return {az1, d1};
    case kCogoForward:
        return {n, e};
    case kCogoAzimuthAzimuth:
        return {d1, d2, {n.id, n.as, n.value, false}, {e.id, e.as, e.value, false}};
    case kCogoDistanceDistance:
        return {az1, az2, n, e};
    case kCogoAzimuthDistance:
        return {d1, az2, n, e};
    case kCogoDistanceAzimuth:
        return {az1, d2, n, e};
    default:
        return {};
    }
}

class CogoInputDialog : public forms::Form {
public:
    CogoInputDialog()
        : Form(kCogoInput)
    {
    }

private:
    bool on_open() override
    {
        gdi::FontSpec bold;
        bold.height = 17;
        bold.weight = 700;
        m_bold = gdi::create_font(bold);
        for (int id : kFields)
            controls::edit_set_limit(item(id), is_number_field(id) ? res::kCogoNumberLength : res::kCogoValueLength);
        CogoProblem& p = cogo_problem();
        p.kind = kCogoNothing;
        p.count = 0;
        p.shown = 1;
        forms::show_text(hwnd(), res::kButtonCogoSolution, u"A");
        forms::show_text(hwnd(), kLine1.mode, mode_caption(p.mode1));
        forms::show_text(hwnd(), kLine2.mode, mode_caption(p.mode2));
        cogo_drawing_open();
        clear_fields();
        m_focus = res::kEditCogoFrom1;
        ui::set_focus(item(res::kEditCogoFrom1));
        return false;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (code == ui::kEnSetFocus) {
            m_focus = id;
            return true;
        }
        switch (id) {
        case res::kCmdCogoCalc:
            calc();
            return true;
        case res::kCmdCogoCurve:
            run_curve_calculator(hwnd());
            return true;
        case res::kCmdCogoShow:
            show_plot();
            return true;
        case res::kCmdCogoClear:
            clear_fields();
            return true;
        case res::kCmdCogoOk:
            publish_to_point();
            end(ui::kIdOk);
            return true;
        case res::kButtonCogoFrom1:
        case res::kButtonCogoFrom2:
        case res::kButtonCogoTo:
            pick_from_list(id);
            return true;
        case res::kButtonCogoMode1:
            next_mode(kLine1, &cogo_problem().mode1);
            return true;
        case res::kButtonCogoMode2:
            next_mode(kLine2, &cogo_problem().mode2);
            return true;
        case res::kButtonCogoSolution:
            other_solution();
            return true;
        case res::kButtonCogoSavePoint:
            save_point();
            return true;
        case res::kButtonCogoAzimuth1Keypad:
        case res::kButtonCogoAzimuth2Keypad:
        case res::kButtonCogoDistance1Keypad:
        case res::kButtonCogoDistance2Keypad:
            keypad(id);
            return true;
        default:
            return false;
        }
    }

    static bool is_number_field(int id)
    {
        return id == res::kEditCogoFrom1 || id == res::kEditCogoFrom2 || id == res::kEditCogoTo;
    }

    void clear_fields()
    {
        for (int id : kFields)
            forms::show_text(hwnd(), id, u"");
    }

    // ---- Calc ---------------------------------------------------------------------------------------

    void calc()
    {
        CogoProblem& p = cogo_problem();
        forms::show_text(hwnd(), res::kButtonCogoSolution, u"A");
        p.shown = 1;
        p.from1 = forms::read_point_number(hwnd(), kLine1.from);
        p.from2 = forms::read_point_number(hwnd(), kLine2.from);
        p.to = forms::read_point_number(hwnd(), res::kEditCogoTo);
        cogo_clear_results(&p);
        read_line(kLine1, &p.azimuth1, &p.distance1);
        read_line(kLine2, &p.azimuth2, &p.distance2);
        read_typed_coordinate(res::kEditCogoNorth, &p.to_northing);
        read_typed_coordinate(res::kEditCogoEast, &p.to_easting);
        cogo_resolve_offset_lines(&p);
        const int kind = cogo_solve(&p);
        cogo_drawing_clear_temporary();
        if (kind == kCogoNothing)
            return;
        show_result(p);
        cogo_draw_result(p);
    }

    // The azimuth is shown again in the display format, so the field always holds its normal form; the
    // distance (an offset in the offset modes) is read as typed.
    void read_line(const LineControls& line, double* azimuth, double* distance)
    {
        if (std::optional<double> degrees = forms::read_angle(hwnd(), line.azimuth);
            degrees && std::isfinite(*degrees)) {
            *azimuth = formats::degrees_to_radians(*degrees);
            forms::show_azimuth(hwnd(), line.azimuth, *azimuth);
        }
        if (forms::read_trimmed(hwnd(), line.distance).empty())
            return;
        if (std::optional<double> d = forms::read_distance(hwnd(), line.distance))
            *distance = *d;
    }

    void read_typed_coordinate(int id, double* out)
    {
        if (forms::read_trimmed(hwnd(), id).empty())
            return;
        if (std::optional<double> v = forms::read_coordinate(hwnd(), id))
            *out = *v;
    }

    void show_result(const CogoProblem& p)
    {
        CogoShown s;
        s.northing = p.to_northing;
        s.easting = p.to_easting;
        s.azimuth1 = p.azimuth1;
        s.distance1 = p.distance1;
        s.azimuth2 = p.azimuth2;
        s.distance2 = p.distance2;
        show_fields(p.kind, s, true);
    }

    void show_fields(int kind, const CogoShown& s, bool emphasise)
    {
        for (const ResultField& f : result_fields(kind)) {
            if (emphasise && f.bold)
                ui::set_font(item(f.id), m_bold);
            const double value = s.*f.value;
            switch (f.as) {
            case Shown::Azimuth:
                forms::show_azimuth(hwnd(), f.id, value);
                break;
            case Shown::Distance:
                forms::show_distance(hwnd(), f.id, value);
                break;
            case Shown::Coordinate:
                forms::show_coordinate(hwnd(), f.id, value);
                break;
            }
        }
    }

    void other_solution()
    {
        CogoShown s;
        if (!cogo_other_solution(&cogo_problem(), &s))
            return;
        show_fields(cogo_problem().kind, s, false);
        forms::show_text(hwnd(), res::kButtonCogoSolution, s.caption);
    }

    // ---- The buttons ----------------------------------------------------------------------------------

    void next_mode(const LineControls& line, int* mode)
    {
        *mode = (*mode + 1) % 3;
        forms::show_text(hwnd(), line.mode, mode_caption(*mode));
    }

    void show_point(int field, const store::PointRecord& p)
    {
        forms::show_point_number(hwnd(), field, p.number);
        if (field != res::kEditCogoTo)
            return;
        forms::show_coordinate(hwnd(), res::kEditCogoNorth, p.northing);
        forms::show_coordinate(hwnd(), res::kEditCogoEast, p.easting);
    }

    void pick_from_list(int button)
    {
        const int field = button == res::kButtonCogoFrom1 ? res::kEditCogoFrom1
            : button == res::kButtonCogoFrom2             ? res::kEditCogoFrom2
                                                          : res::kEditCogoTo;
        if (std::optional<store::PointRecord> picked = store::pick_point(hwnd()))
            show_point(field, *picked);
    }

    // A point picked in the plot goes to the point field that last had the focus.
    void show_plot()
    {
        draw::run_point_plot(hwnd());
        const store::PointRecord picked = store::list_selection();
        if (picked.number >= 1 && is_number_field(m_focus))
            show_point(m_focus, picked);
    }

    void keypad(int button)
    {
        const bool azimuth = button == res::kButtonCogoAzimuth1Keypad || button == res::kButtonCogoAzimuth2Keypad;
        const int field = button == res::kButtonCogoAzimuth1Keypad ? res::kEditCogoAzimuth1
            : button == res::kButtonCogoAzimuth2Keypad             ? res::kEditCogoAzimuth2
            : button == res::kButtonCogoDistance1Keypad            ? res::kEditCogoDistance1
                                                                   : res::kEditCogoDistance2;
        const std::u16string text = forms::read_text(hwnd(), field);
        const std::optional<std::u16string> answer
            = azimuth ? run_azimuth_keypad(hwnd(), text) : run_distance_keypad(hwnd(), text);
        if (answer)
            forms::show_text(hwnd(), field, *answer);
    }

    // Nothing to save while N or E is empty or no number.
    void save_point()
    {
        if (std::optional<formats::Position> at = forms::read_position(hwnd(), res::kEditCogoNorth, res::kEditCogoEast))
            store::run_point_edit_with_point(hwnd(), forms::read_point_number(hwnd(), res::kEditCogoTo), at->e, at->n);
    }

    void publish_to_point()
    {
        const std::optional<formats::Position> at
            = forms::read_position(hwnd(), res::kEditCogoNorth, res::kEditCogoEast);
        if (!at) {
            store::list_selection_set_point(0, 0, 0);
            return;
        }
        const uint32_t number = forms::read_point_number(hwnd(), res::kEditCogoTo);
        store::list_selection_set_point(number == 0 ? kUnnumberedPoint : number, at->e, at->n);
    }

    gdi::FontRef m_bold;                // the emphasis of computed fields, made once at opening
    int m_focus = res::kEditCogoFrom1;  // the edit field that last gained the focus
};

}  // namespace

void run_cogo_input(ui::Hwnd owner)
{
    CogoInputDialog form;
    form.run(owner);
    cogo_drawing_close();
}

}  // namespace cogo
