#include "calc/traverse_results_dialog.h"

#include "calc/calc_lists.h"
#include "calc/figure_drawing.h"
#include "calc/fit_lines.h"
#include "calc/traverse_adjust.h"
#include "calc/traverse_results.h"
#include "calc/traverse_save.h"
#include "draw/graphics_plot.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/traverse_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

constexpr forms::Declaration kResults {.dialog = res::kDialogTraverseResults, .cancel_result = 2, .ok_result = 1};
constexpr forms::Declaration kAdjust {.dialog = res::kDialogTraverseAdjust, .cancel_result = 2};
constexpr forms::Declaration kSavePoints {.dialog = res::kDialogTraverseSavePoints, .cancel_result = 2};

AdjustMethod s_method = AdjustMethod::Compass;
bool s_overwrite = false;

[[maybe_unused]] const bool s_reset_registered = platform::register_reset(platform::ResetStage::Program, [] {
    s_method = AdjustMethod::Compass;
    s_overwrite = false;
});

class AdjustDialog : public forms::Popup {
public:
    AdjustDialog()
        : Popup(kAdjust)
    {
    }

    AdjustMethod method = s_method;

private:
    bool on_open() override
    {
        const ui::Hwnd combo = item(res::kComboTraverseMethod);
        for (const char16_t* name : {u"Compass Rule", u"Crandall Rule", u"Transit Rule"})
            controls::combo_add(combo, name);
        controls::combo_set_selection(combo, int(s_method));
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        const int chosen = controls::combo_selection(item(res::kComboTraverseMethod));
        method = chosen < 0 || chosen > 2 ? AdjustMethod::Compass : AdjustMethod(chosen);
        end(1);
        return true;
    }
};

class SavePointsDialog : public forms::Popup {
public:
    SavePointsDialog()
        : Popup(kSavePoints)
    {
    }

private:
    bool on_open() override
    {
        controls::button_set_check(item(res::kCheckTraverseOverwrite), s_overwrite ? 1 : 0);
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        s_overwrite = controls::button_check(item(res::kCheckTraverseOverwrite)) == 1;
        end(1);
        return true;
    }
};

class ResultsDialog : public forms::Form {
public:
    ResultsDialog(TraverseComputation* computation)
        : Form(kResults)
        , m_c(*computation)
    {
    }

private:
    bool on_open() override
    {
        set_calc_list_font(list());
        refresh();
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if (id != res::kButtonTraverseAdjust && id != res::kButtonTraverseSavePoints
            && id != res::kButtonTraverseDisplay)
            return false;
        if (code != ui::kBnClicked)
            return true;
        if (id == res::kButtonTraverseAdjust)
            adjust();
        else if (id == res::kButtonTraverseSavePoints)
            save_points();
        else
            display();
        return true;
    }

    ui::Hwnd list() const { return item(res::kListTraverseResults); }

    void refresh() { fill_list(list(), fit_lines(traverse_result_lines(m_c), calc_list_columns(list()))); }

    void adjust()
    {
        if (!m_c.closed || m_c.adjusted)
            return;
        AdjustDialog dialog;
        if (dialog.run(hwnd()) != 1)
            return;
        const AdjustOutcome outcome = adjust_traverse(&m_c, dialog.method);
        if (!outcome.adjusted) {
            if (!outcome.refusal.empty())
                controls::message_box(hwnd(), u"Adjust Traverse", outcome.refusal);
            return;
        }
        s_method = dialog.method;
        controls::list_reset(list());
        refresh();
    }

    void save_points()
    {
        if (SavePointsDialog().run(hwnd()) != 1)
            return;
        const int saved = save_traverse_points(m_c, s_overwrite);
        controls::message_box(hwnd(), u"Save Points", platform::text::wformat(u"%d points saved.", saved));
    }

    void display()
    {
        const FigurePlot plot = traverse_plot(m_c);
        const formats::Box& box = plot.extents;
        draw::run_graphics_plot(hwnd(),
            {plot.drawing, [&plot](int slot) { add_figure_to_drawing(slot, plot); }, box.min_first, box.min_second,
                box.max_first, box.max_second});
    }

    TraverseComputation& m_c;
};

}  // namespace

void run_traverse_results(ui::Hwnd owner, TraverseComputation* computation)
{
    ResultsDialog(computation).run(owner);
}

}  // namespace calc
