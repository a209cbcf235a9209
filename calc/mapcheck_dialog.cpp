#include "calc/mapcheck_dialog.h"

#include "calc/calc_lists.h"
#include "calc/curve_types.h"
#include "calc/figure_plot.h"
#include "calc/job_menu.h"
#include "calc/mapcheck_job.h"
#include "calc/mapcheck_leg_dialogs.h"
#include "calc/mapcheck_results.h"
#include "calc/results_dialog.h"
#include "calc/slot_table.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/calc_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

MapCheckJob s_job;

constexpr forms::Declaration kMapCheck {.dialog = res::kDialogMapCheck,
    .menu_bar = res::kMenuBarMapCheck,
    .menu_error = u"Map Check",
    .cancel_command = res::kCmdMapCheckExit,
    .cancel_result = 2};

std::u16string leg_line(const MapCheckEntry& entry)
{
    if (!entry.used())
        return u"";
    const std::u16string az = entry.azimuth, dist = entry.distance;
    return platform::text::wformat(u"%7lu %12s %12s %s", (unsigned long)entry.to, az.c_str(), dist.c_str(),
        std::u16string(curve_type_name(entry.type)).c_str());
}

const JobDocument& document()
{
    static const JobDocument doc {&kMapCheckJob, [] { return map_check_image(s_job); },
        [](const JobImage& image) { s_job = map_check_from_image(image); }, [] { reset_map_check(&s_job); }};
    return doc;
}

class MapCheckDialog : public forms::Form {
public:
    MapCheckDialog()
        : Form(kMapCheck)
    {
    }

private:
    bool on_open() override
    {
        set_calc_list_font(list(), res::kMapCheckLegColumns);
        refresh();
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        switch (id) {
        case res::kCmdMapCheckNew:
        case res::kCmdMapCheckClose:
            job_reset(document());
            controls::list_reset(list());
            refresh();
            return true;
        case res::kCmdMapCheckOpen:
            if (job_open(hwnd(), document()))
                controls::list_reset(list());
            refresh();
            return true;
        case res::kCmdMapCheckSave:
            job_save(hwnd(), document());
            refresh();
            return true;
        case res::kCmdMapCheckSaveAs:
            job_save_as(hwnd(), document());
            refresh();
            return true;
        case res::kCmdMapCheckStart:
            run_map_check_start(hwnd(), &s_job.settings);
            return true;
        case res::kCmdMapCheckCalc:
            calculate();
            return true;
        case res::kButtonMapCheckAdd:
        case res::kButtonMapCheckEdit:
        case res::kButtonMapCheckDelete:
            if (code == ui::kBnClicked)
                on_button(id);
            return true;
        default:
            return false;
        }
    }

    ui::Hwnd list() const { return item(res::kListMapCheckLegs); }
    int selected() const { return controls::list_selection(list()); }

    void refresh()
    {
        std::vector<std::u16string> lines;
        const int last = last_used_slot(s_job.entries);
        for (int i = 0; i <= last; ++i)
            lines.push_back(leg_line(s_job.entries[size_t(i)]));
        fill_list(list(), lines);
        ui::set_window_text(hwnd(), u"Mapcheck:   " + job_file_name(kMapCheckJob));
    }

    void on_button(int id)
    {
        const int line = selected();
        if (id == res::kButtonMapCheckAdd) {
            // After the selected line; with none, after the last leg (at the top of an empty list).
            const size_t at = line >= 0 ? size_t(line) + 1 : size_t(last_used_slot(s_job.entries) + 1);
            if (at >= size_t(kJobSlots) || s_job.entries[kJobSlots - 1].used()) {
                controls::message_box(hwnd(), u"Map Check", u"The leg table is full (250 legs): no leg can be added.");
                return;
            }
            run_map_check_add_leg(hwnd(), &s_job, at, [this](size_t added) {
                refresh();
                controls::list_set_selection(list(), int(added));
            });
            return;
        }
        if (line < 0 || !s_job.entries[size_t(line)].used())
            return;
        if (id == res::kButtonMapCheckEdit) {
            if (run_map_check_edit_leg(hwnd(), &s_job, size_t(line)))
                refresh();
            return;
        }
        slot_remove(s_job.entries, size_t(line));
        refresh();
    }

    void calculate()
    {
        const MapCheckOutcome outcome = compute_map_check(s_job);
        if (!outcome.result) {
            controls::message_box(hwnd(), u"Map Check", outcome.refusal);
            return;
        }
        s_job.settings.start_n = outcome.result->start.n;
        s_job.settings.start_e = outcome.result->start.e;
        run_results(
            hwnd(), ResultsKind::MapCheck, map_check_result_lines(*outcome.result), map_check_plot(*outcome.result));
    }
};

}  // namespace

// Exit and closing leave the job as it is for the next opening.
void run_map_check(ui::Hwnd owner)
{
    MapCheckDialog().run(owner);
    job_leave(document());
}

const MapCheckJob& map_check_job()
{
    return s_job;
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { reset_map_check(&s_job); });

}  // namespace calc
