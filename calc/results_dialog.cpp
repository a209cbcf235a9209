#include "calc/results_dialog.h"

#include "calc/calc_lists.h"
#include "calc/figure_drawing.h"
#include "calc/fit_lines.h"
#include "draw/graphics_plot.h"
#include "forms/form.h"
#include "resources/calc_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace res = resources;

namespace {

constexpr forms::Declaration kMapCheckResults {
    .dialog = res::kDialogMapCheckResults, .cancel_result = 2, .ok_result = 1};
constexpr forms::Declaration kAreaResults {.dialog = res::kDialogAreaResults, .cancel_result = 2, .ok_result = 1};

class ResultsDialog : public forms::Form {
public:
    ResultsDialog(ResultsKind kind, const std::vector<std::u16string>& lines, const FigurePlot& plot)
        : Form(kind == ResultsKind::MapCheck ? kMapCheckResults : kAreaResults)
        , m_list(kind == ResultsKind::MapCheck ? res::kListMapCheckResults : res::kListAreaResults)
        , m_display(kind == ResultsKind::MapCheck ? res::kButtonMapCheckDisplay : res::kButtonAreaDisplay)
        , m_lines(lines)
        , m_plot(plot)
    {
    }

private:
    bool on_open() override
    {
        const ui::Hwnd list = item(m_list);
        set_calc_list_font(list);
        fill_list(list, fit_lines(m_lines, calc_list_columns(list)));
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if (id != m_display)
            return false;
        if (code == ui::kBnClicked)
            display();
        return true;
    }

    // The plot window creates the drawing, has it filled and deletes it as it closes.
    void display()
    {
        const formats::Box& box = m_plot.extents;
        draw::run_graphics_plot(hwnd(),
            {m_plot.drawing, [this](int slot) { add_figure_to_drawing(slot, m_plot); }, box.min_first, box.min_second,
                box.max_first, box.max_second});
    }

    int m_list;
    int m_display;
    const std::vector<std::u16string>& m_lines;
    const FigurePlot& m_plot;
};

}  // namespace

void run_results(ui::Hwnd owner, ResultsKind kind, const std::vector<std::u16string>& lines, const FigurePlot& plot)
{
    ResultsDialog(kind, lines, plot).run(owner);
}

}  // namespace calc
