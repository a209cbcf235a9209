#include "calc/area_point_dialogs.h"

#include "calc/calc_lists.h"
#include "calc/curve_types.h"
#include "calc/slot_table.h"
#include "calc/text_pair_dialog.h"
#include "draw/point_plot.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/calc_resources.h"
#include "store/list_selection.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

constexpr forms::Declaration kPoint {.dialog = res::kDialogAreaPoint, .cancel_result = 2};
constexpr forms::Declaration kParams {.dialog = res::kDialogAreaParams, .cancel_result = 2};

class PointDialog : public forms::Popup {
public:
    PointDialog(AreaJob* job, int* current, bool adding, std::function<void()> added = {})
        : Popup(kPoint)
        , m_job(job)
        , m_current(current)
        , m_adding(adding)
        , m_added(std::move(added))
    {
    }

    bool changed() const { return m_changed; }

private:
    bool on_open() override
    {
        controls::edit_set_limit(item(res::kEditAreaPointNumber), res::kReadAreaPointNumber);
        const ui::Hwnd types = item(res::kComboAreaPointType);
        fill_curve_type_box(types);
        if (m_adding) {
            clear();
            return false;
        }
        const AreaEntry& entry = m_job->entries[size_t(*m_current)];
        forms::show_point_number(hwnd(), res::kEditAreaPointNumber, entry.number);
        controls::combo_set_selection(types, is_known_curve_type(entry.type) ? entry.type : kCorner);
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if (id == res::kButtonAreaShow) {
            if (code == ui::kBnClicked)
                show_plot();
            return true;
        }
        if (id != ui::kIdOk && id != res::kButtonAreaAnother)
            return false;
        if (id == res::kButtonAreaAnother && code != ui::kBnClicked)
            return true;
        if (!store())
            return true;
        if (id == ui::kIdOk || !m_adding)
            end(1);
        else
            clear();
        return true;
    }

    // A point picked in the plot (number 1 or more) fills the number field.
    void show_plot()
    {
        store::list_selection_clear();
        draw::run_point_plot(hwnd());
        if (const uint32_t picked = store::list_selection().number; picked >= 1)
            forms::show_point_number(hwnd(), res::kEditAreaPointNumber, picked);
    }

    void clear()
    {
        forms::show_text(hwnd(), res::kEditAreaPointNumber, u"");
        controls::combo_set_selection(item(res::kComboAreaPointType), kCorner);
        ui::set_focus(item(res::kEditAreaPointNumber));
    }

    bool store()
    {
        AreaEntry entry;
        entry.in_use = 1;
        entry.number = forms::read_point_number(hwnd(), res::kEditAreaPointNumber, res::kReadAreaPointNumber);
        const int type = controls::combo_selection(item(res::kComboAreaPointType));
        entry.type = type < 0 ? kCorner : type;
        if (!m_adding) {
            m_job->entries[size_t(*m_current)].number = entry.number;
            m_job->entries[size_t(*m_current)].type = entry.type;
            m_changed = true;
            return true;
        }
        const bool any = last_used_slot(m_job->entries) >= 0;
        const int at = any ? *m_current + 1 : *m_current;
        if (!slot_insert(m_job->entries, size_t(at), entry)) {
            controls::message_box(hwnd(), u"Area", u"The figure is full (250 points): the point was not added.");
            return false;
        }
        *m_current = at;
        m_changed = true;
        if (m_added)
            m_added();
        return true;
    }

    AreaJob* m_job;
    int* m_current;
    bool m_adding;
    std::function<void()> m_added;
    bool m_changed = false;
};

}  // namespace

bool run_area_add_point(ui::Hwnd owner, AreaJob* job, int* current, const std::function<void()>& added)
{
    PointDialog dialog(job, current, true, added);
    dialog.run(owner);
    return dialog.changed();
}

bool run_area_edit_point(ui::Hwnd owner, AreaJob* job, int current)
{
    PointDialog dialog(job, &current, false);
    dialog.run(owner);
    return dialog.changed();
}

bool run_area_params(ui::Hwnd owner, AreaSettings* settings)
{
    return run_text_pair(owner, kParams, {res::kEditAreaProjection, res::kEditAreaUnits, res::kReadAreaFactor},
        &settings->projection_text, &settings->units_text);
}

}  // namespace calc
