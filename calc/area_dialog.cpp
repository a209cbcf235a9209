#include "calc/area_dialog.h"

#include "calc/area_job.h"
#include "calc/area_point_dialogs.h"
#include "calc/calc_lists.h"
#include "calc/curve_types.h"
#include "calc/figure_plot.h"
#include "calc/job_menu.h"
#include "calc/results_dialog.h"
#include "calc/slot_table.h"
#include "forms/form.h"
#include "formats/number_format.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/calc_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

struct AreaState {
    AreaJob job;
    int current = 0;  // the current entry
};
AreaState s_area;

constexpr forms::Declaration kArea {.dialog = res::kDialogArea,
    .menu_bar = res::kMenuBarArea,
    .menu_error = u"Area",
    .cancel_command = res::kCmdAreaExit,
    .cancel_result = 2};

void reset()
{
    reset_area(&s_area.job);
    s_area.current = 0;
}

const JobDocument& document()
{
    static const JobDocument doc {&kAreaJob, [] { return area_image(s_area.job); },
        [](const JobImage& image) {
            s_area.job = area_from_image(image);
            s_area.current = 0;
        },
        reset};
    return doc;
}

std::u16string point_line(const AreaEntry& entry)
{
    if (!entry.used())
        return u"";
    return platform::text::wformat(
        u"%7lu %s", (unsigned long)entry.number, std::u16string(curve_type_name(entry.type)).c_str());
}

class AreaDialog : public forms::Form {
public:
    AreaDialog()
        : Form(kArea)
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
        switch (id) {
        case res::kCmdAreaNew:
        case res::kCmdAreaClose:
            job_reset(document());
            controls::list_reset(list());
            refresh();
            return true;
        case res::kCmdAreaOpen:
            if (job_open(hwnd(), document()))
                controls::list_reset(list());
            refresh();
            return true;
        case res::kCmdAreaSave:
            job_save(hwnd(), document());
            return true;
        case res::kCmdAreaSaveAs:
            job_save_as(hwnd(), document());
            return true;
        case res::kCmdAreaSetup:
            run_area_params(hwnd(), &s_area.job.settings);
            return true;
        case res::kCmdAreaCalc:
            calculate();
            return true;
        case res::kButtonAreaAdd:
        case res::kButtonAreaEdit:
        case res::kButtonAreaDelete:
            if (code == ui::kBnClicked)
                on_button(id);
            return true;
        default:
            return false;
        }
    }

    ui::Hwnd list() const { return item(res::kListAreaPoints); }

    void refresh()
    {
        std::vector<std::u16string> lines;
        const int last = last_used_slot(s_area.job.entries);
        for (int i = 0; i <= last; ++i)
            lines.push_back(point_line(s_area.job.entries[size_t(i)]));
        fill_list(list(), lines);
    }

    void on_button(int id)
    {
        const int selected = controls::list_selection(list());
        if (selected >= 0)
            s_area.current = selected;
        if (id == res::kButtonAreaAdd) {
            if (s_area.job.entries[kJobSlots - 1].used()) {
                controls::message_box(hwnd(), u"Area", u"The figure is full (250 points): no point can be added.");
                return;
            }
            run_area_add_point(hwnd(), &s_area.job, &s_area.current, [this] {
                refresh();
                controls::list_set_selection(list(), s_area.current);
            });
            return;
        }
        if (!s_area.job.entries[size_t(s_area.current)].used())
            return;
        if (id == res::kButtonAreaEdit) {
            if (run_area_edit_point(hwnd(), &s_area.job, s_area.current))
                refresh();
            return;
        }
        slot_remove(s_area.job.entries, size_t(s_area.current));
        refresh();
    }

    void calculate()
    {
        const AreaOutcome outcome = compute_area(s_area.job, stored_points());
        if (!outcome.result) {
            controls::message_box(hwnd(), u"Area", outcome.refusal);
            return;
        }
        s_area.job.settings.projection = outcome.result->projection;
        s_area.job.settings.units = outcome.result->units;
        run_results(hwnd(), ResultsKind::Area, {u"Area = " + formats::format_area(outcome.result->area)},
            area_plot(*outcome.result));
    }
};

}  // namespace

void run_area(ui::Hwnd owner)
{
    reset();
    AreaDialog().run(owner);
    job_leave(document());
}

const AreaJob& area_job()
{
    return s_area.job;
}

int area_current_entry()
{
    return s_area.current;
}

[[maybe_unused]] static const bool s_reset_registered = platform::register_reset(platform::ResetStage::Program, reset);

}  // namespace calc
