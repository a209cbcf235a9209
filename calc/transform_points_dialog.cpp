// Transform by control points: the pair list with Add, Edit and Delete, Parameters (Calc, Show, Save),
// Transform and Exit; the pair input "Transform" and the view of the parameters.

#include <optional>

#include "calc/calc_lists.h"
#include "calc/job_menu.h"
#include "calc/similarity_fit.h"
#include "calc/transform_apply.h"
#include "calc/transform_dialogs.h"
#include "calc/transform_fields.h"
#include "calc/transform_job.h"
#include "draw/point_plot.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "formats/angle_format.h"
#include "formats/number_format.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/transform_resources.h"
#include "store/list_selection.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

// Set by a successful Calc; any change to the pairs and leaving the dialog clear it.
bool s_calculated = false;

const JobDocument& document()
{
    static const JobDocument doc {&kTransformPointsJob, [] { return transform_image(transform_parameters()); },
        [](const JobImage& image) { transform_parameters() = transform_from_image(image); },
        [] { transform_parameters() = TransformParameters {}; }};
    return doc;
}

// Source and target right-aligned in 7, the residuals in 6 each (left out while unset); " " for a free slot.
std::u16string pair_line(const ControlPair& p)
{
    if (!p.in_use)
        return u" ";
    std::u16string line = platform::text::wformat(u"%7lu%7lu", (unsigned long)p.source, (unsigned long)p.target);
    for (double r : {p.resid_n, p.resid_e})
        if (!is_unset(r))
            line += platform::text::wformat(u"%6s", formats::format_coordinate(r).c_str());
    return line;
}

// ---- The pair input --------------------------------------------------------------------------------

constexpr forms::Declaration kPairInput {.dialog = res::kDialogTransformPair, .cancel_result = 2};

class PairInput : public forms::Popup {
public:
    // Adds after `after` (-1: at the top), or with `editing` replaces that slot.
    PairInput(int after, std::optional<int> editing)
        : Popup(kPairInput)
        , m_after(after)
        , m_editing(editing)
    {
    }

    bool changed() const { return m_changed; }
    int last() const { return m_after; }

private:
    bool on_open() override
    {
        if (m_editing) {
            const ControlPair& p = control_pairs().at(*m_editing);
            forms::show_point_number(hwnd(), res::kEditPairSource, p.source);
            forms::show_point_number(hwnd(), res::kEditPairTarget, p.target);
        }
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if ((id == res::kEditPairSource || id == res::kEditPairTarget) && code == ui::kEnSetFocus) {
            m_focus = id;
            return true;
        }
        if (code != ui::kBnClicked)
            return false;
        switch (id) {
        case ui::kIdOk:
            if (store_pair())
                end(1);
            return true;
        case res::kButtonPairAnother:
            if (store_pair()) {
                forms::show_text(hwnd(), res::kEditPairSource, u"");
                forms::show_text(hwnd(), res::kEditPairTarget, u"");
                ui::set_focus(item(res::kEditPairSource));
            }
            return true;
        case res::kButtonPairShow:
            draw::run_point_plot(hwnd());
            if (store::list_selection().number >= 1)
                forms::show_point_number(hwnd(), m_focus, store::list_selection().number);
            return true;
        default:
            return false;
        }
    }

    bool store_pair()
    {
        const uint32_t source = forms::read_point_number(hwnd(), res::kEditPairSource, res::kReadPairNumber);
        const uint32_t target = forms::read_point_number(hwnd(), res::kEditPairTarget, res::kReadPairNumber);
        if (source == 0 || target == 0) {
            controls::message_box(hwnd(), u"Transform", u"Give the source and the target point numbers.");
            return false;
        }
        if (m_editing) {
            control_pairs().replace(*m_editing, source, target);
        } else if (!control_pairs().insert_after(m_after, source, target)) {
            controls::message_box(hwnd(), u"Transform", u"The pair table is full (50 pairs): no pair can be added.");
            return false;
        } else {
            ++m_after;
        }
        m_changed = true;
        return true;
    }

    int m_after;
    std::optional<int> m_editing;
    int m_focus = res::kEditPairSource;
    bool m_changed = false;
};

// ---- The parameters view ---------------------------------------------------------------------------

constexpr forms::Declaration kParametersView {
    .dialog = res::kDialogTransParameters, .cancel_result = 1, .close_result = 1, .ok_result = 1};

class ParametersView : public forms::Popup {
public:
    ParametersView()
        : Popup(kParametersView)
    {
    }

private:
    bool on_open() override
    {
        const TransformParameters& p = transform_parameters();
        auto coordinate = [](double v) { return is_unset(v) ? std::u16string() : formats::format_coordinate(v); };
        auto shift = [](double v) { return v == 0 ? std::u16string() : formats::format_coordinate(v); };
        auto scale = [](double v) { return platform::text::wformat(u"%.4f", v); };
        const std::u16string values[]
            = {formats::format_azimuth(p.rotation), coordinate(p.about_n), coordinate(p.about_e), shift(p.shift_n),
                shift(p.shift_e), shift(p.shift_el), scale(p.scale_n), scale(p.scale_e), scale(p.scale_el)};
        for (int i = 0; i < 9; ++i)
            forms::show_text(hwnd(), res::kStaticParameterValue + i, values[i]);
        return true;
    }
};

// ---- The dialog ------------------------------------------------------------------------------------

constexpr forms::Declaration kTransformPoints {.dialog = res::kDialogTransformPoints,
    .menu_bar = res::kMenuBarTransformPoints,
    .menu_error = u"Transform",
    .cancel_command = res::kCmdTransformPointsExit,
    .cancel_result = 2};

class TransformPointsDialog : public forms::Form {
public:
    TransformPointsDialog()
        : Form(kTransformPoints)
    {
    }

private:
    bool on_open() override
    {
        set_calc_list_font(list());
        refresh();
        m_fields.show_numbers(hwnd(), transform_parameters());
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        switch (id) {
        case res::kCmdTransformPointsCalc:
            calculate();
            return true;
        case res::kCmdTransformPointsShow:
            ParametersView().run(hwnd());
            return true;
        case res::kCmdTransformPointsSave:
            m_fields.read_numbers(hwnd(), &transform_parameters());
            if (!s_calculated)
                controls::message_box(hwnd(), u"Save Transform", u"No parameters calculated.");
            else
                job_save_as(hwnd(), document());
            return true;
        case res::kCmdTransformPointsApply:
            apply();
            return true;
        case res::kButtonPairAdd:
        case res::kButtonPairEdit:
        case res::kButtonPairDelete:
            if (code == ui::kBnClicked)
                on_button(id);
            return true;
        default:
            return false;
        }
    }

    ui::Hwnd list() const { return item(res::kListControlPairs); }

    void refresh()
    {
        std::vector<std::u16string> lines;
        for (int i = 0; i < control_pairs().count(); ++i)
            lines.push_back(pair_line(control_pairs().at(i)));
        fill_list(list(), lines);
    }

    void on_button(int id)
    {
        const int line = controls::list_selection(list());
        const bool on_pair = line >= 0 && line < control_pairs().count();
        if (id == res::kButtonPairAdd) {
            if (control_pairs().count() >= kControlPairSlots) {
                controls::message_box(
                    hwnd(), u"Transform", u"The pair table is full (50 pairs): no pair can be added.");
                return;
            }
            PairInput input(on_pair ? line : control_pairs().count() - 1, std::nullopt);
            input.run(hwnd());
            if (input.changed()) {
                s_calculated = false;
                refresh();
                controls::list_set_selection(list(), input.last());
            }
            return;
        }
        if (!on_pair)
            return;
        if (id == res::kButtonPairEdit) {
            PairInput input(line, line);
            input.run(hwnd());
            if (!input.changed())
                return;
        } else {
            control_pairs().remove(line);
        }
        s_calculated = false;
        refresh();
    }

    void calculate()
    {
        const FitOutcome outcome = fit_similarity(control_pairs(), &transform_parameters());
        s_calculated = outcome.fitted;
        refresh();
        if (!outcome.fitted) {
            if (!outcome.refusal.empty())
                controls::message_box(hwnd(), u"Transform", outcome.refusal);
            return;
        }
        ParametersView().run(hwnd());
    }

    // Applies forward with calculated parameters and both From numbers given; stays in the dialog.
    void apply()
    {
        m_fields.read_numbers(hwnd(), &transform_parameters());
        const TransformParameters& p = transform_parameters();
        if (!s_calculated) {
            controls::message_box(hwnd(), u"Transform", u"No parameters calculated.");
            return;
        }
        if (p.source_from == 0 || p.target_from == 0) {
            controls::message_box(hwnd(), u"Transform", u"Give the source and the target From point numbers.");
            return;
        }
        controls::message_box(hwnd(), u"Transform", describe(apply_transform(p, false)));
    }

    TransformFields m_fields;
};

}  // namespace

// Exit, Escape and closing empty the pair table and forget the calculation and the path.
void run_transform_by_points(ui::Hwnd owner)
{
    TransformPointsDialog().run(owner);
    control_pairs().clear();
    s_calculated = false;
    job_leave(document());
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_calculated = false; });

}  // namespace calc
