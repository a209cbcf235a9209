#include "calc/traverse_dialog.h"

#include "calc/calc_lists.h"
#include "calc/job_menu.h"
#include "calc/slot_table.h"
#include "calc/traverse_compute.h"
#include "calc/traverse_job.h"
#include "calc/traverse_record_dialogs.h"
#include "calc/traverse_results_dialog.h"
#include "forms/form.h"
#include "formats/number_format.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/traverse_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

TraverseJob s_job;

constexpr forms::Declaration kTraverse {.dialog = res::kDialogTraverse,
    .menu_bar = res::kMenuBarTraverse,
    .menu_error = u"Traverse",
    .cancel_command = res::kCmdTraverseExit,
    .cancel_result = 2};

const JobDocument& document()
{
    static const JobDocument doc {&kTraverseJob, [] { return traverse_image(s_job); },
        [](const JobImage& image) { s_job = traverse_from_image(image); }, [] { reset_traverse(&s_job); }};
    return doc;
}

class TraverseDialog : public forms::Form {
public:
    TraverseDialog()
        : Form(kTraverse)
    {
    }

private:
    bool on_open() override
    {
        set_calc_list_font(list(), res::kTraverseListColumns);
        refresh();
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        switch (id) {
        case res::kCmdTraverseNew:
        case res::kCmdTraverseClose:
            job_reset(document());
            controls::list_reset(list());
            refresh();
            controls::list_set_selection(list(), 0);
            return true;
        case res::kCmdTraverseOpen:
            if (job_open(hwnd(), document()))
                controls::list_reset(list());
            refresh();
            return true;
        case res::kCmdTraverseSave:
            job_save(hwnd(), document());
            return true;
        case res::kCmdTraverseSaveAs:
            job_save_as(hwnd(), document());
            return true;
        case res::kCmdTraverseSetUp:
            run_traverse_settings(hwnd(), &s_job.settings);
            return true;
        case res::kCmdTraverseCalc:
            calculate();
            return true;
        case res::kButtonTraverseEdit:
        case res::kButtonTraverseAt:
        case res::kButtonTraverseTo:
        case res::kButtonTraverseDelete:
            if (code == ui::kBnClicked)
                on_button(id);
            return true;
        default:
            return false;
        }
    }

    ui::Hwnd list() const { return item(res::kListTraverse); }

    // One line a slot.
    void refresh()
    {
        std::vector<std::u16string> lines;
        for (const TraverseRecord& r : s_job.records)
            lines.push_back(traverse_list_line(r));
        fill_list(list(), lines);
    }

    void on_button(int id)
    {
        const int line = controls::list_selection(list());
        auto select = [this](size_t added) {
            refresh();
            controls::list_set_selection(list(), int(added));
        };
        const bool in_use = line >= 0 && s_job.records[size_t(line)].used();
        bool changed = false;
        switch (id) {
        case res::kButtonTraverseAt:
            changed = run_traverse_setup(hwnd(), &s_job, line, true, select);
            break;
        case res::kButtonTraverseTo:
            changed = run_traverse_observation(hwnd(), &s_job, line, true, select);
            break;
        case res::kButtonTraverseEdit:
            if (in_use && s_job.records[size_t(line)].is_setup())
                changed = run_traverse_setup(hwnd(), &s_job, line, false);
            else if (in_use && s_job.records[size_t(line)].is_observation())
                changed = run_traverse_observation(hwnd(), &s_job, line, false);
            break;
        default:
            if (in_use) {
                slot_remove(s_job.records, size_t(line));
                changed = true;
            }
        }
        if (changed && id != res::kButtonTraverseAt && id != res::kButtonTraverseTo) {
            refresh();
            controls::list_set_selection(list(), line);
        }
    }

    // Computes afresh; a stop is reported, and the results show what was reduced before it.
    void calculate()
    {
        TraverseComputation computation = compute_traverse(&s_job, traverse_stored_points());
        if (!computation.stop.empty())
            controls::message_box(hwnd(), u"Error", computation.stop);
        run_traverse_results(hwnd(), &computation);
    }
};

}  // namespace

std::u16string traverse_list_line(const TraverseRecord& r)
{
    using platform::text::wformat;
    if (r.is_setup())
        return wformat(u"At=%lu ", (unsigned long)r.at) + formats::format_distance(r.hi)
            + wformat(u" HCR=%s ", r.backsight.c_str());
    if (r.is_observation())
        return wformat(u"To=%lu %s", (unsigned long)r.to, r.side_shot != 0 ? u"SS " : u" ") + u"HCR=" + r.hcr + u" SD="
            + formats::format_distance(r.slope);
    return u"";
}

void run_traverse(ui::Hwnd owner)
{
    TraverseDialog().run(owner);
    job_leave(document());
}

const TraverseJob& traverse_job()
{
    return s_job;
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { reset_traverse(&s_job); });

}  // namespace calc
