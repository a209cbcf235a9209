#include "calc/mapcheck_leg_dialogs.h"

#include "calc/calc_lists.h"
#include "calc/curve_types.h"
#include "calc/slot_table.h"
#include "calc/text_pair_dialog.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/calc_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

constexpr forms::Declaration kStart {.dialog = res::kDialogMapCheckStart, .cancel_result = 2};
constexpr forms::Declaration kLeg {.dialog = res::kDialogMapCheckLeg, .cancel_result = 2};

class LegDialog : public forms::Popup {
public:
    LegDialog(MapCheckJob* job, size_t at, bool adding, std::function<void(size_t)> added = {})
        : Popup(kLeg)
        , m_job(job)
        , m_at(at)
        , m_adding(adding)
        , m_added(std::move(added))
    {
    }

    bool changed() const { return m_changed; }

private:
    bool on_open() override
    {
        controls::edit_set_limit(item(res::kEditMapCheckLegTo), res::kReadMapCheckTo);
        controls::edit_set_limit(item(res::kEditMapCheckLegAzimuth), res::kReadMapCheckText);
        controls::edit_set_limit(item(res::kEditMapCheckLegDistance), res::kReadMapCheckText);
        const ui::Hwnd types = item(res::kComboMapCheckLegType);
        fill_curve_type_box(types);
        if (m_adding) {
            clear();
            return false;
        }
        const MapCheckEntry& entry = m_job->entries[m_at];
        forms::show_text(hwnd(), res::kEditMapCheckLegTo, platform::text::wformat(u"%ld", long(entry.to)));
        forms::show_text(hwnd(), res::kEditMapCheckLegAzimuth, entry.azimuth);
        forms::show_text(hwnd(), res::kEditMapCheckLegDistance, entry.distance);
        controls::combo_set_selection(types, is_known_curve_type(entry.type) ? entry.type : kCorner);
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if (id != ui::kIdOk && id != res::kButtonMapCheckAnother)
            return false;
        if (id == res::kButtonMapCheckAnother && code != ui::kBnClicked)
            return true;
        if (!store(typed()))
            return true;
        if (id == ui::kIdOk || !m_adding)
            end(1);
        else
            clear();
        return true;
    }

    // Empty fields, "Corner", the focus on To.
    void clear()
    {
        forms::show_text(hwnd(), res::kEditMapCheckLegTo, u"");
        forms::show_text(hwnd(), res::kEditMapCheckLegAzimuth, u"");
        forms::show_text(hwnd(), res::kEditMapCheckLegDistance, u"");
        controls::combo_set_selection(item(res::kComboMapCheckLegType), kCorner);
        ui::set_focus(item(res::kEditMapCheckLegTo));
    }

    MapCheckEntry typed() const
    {
        MapCheckEntry entry;
        entry.in_use = 1;
        entry.to = forms::read_point_number(hwnd(), res::kEditMapCheckLegTo, res::kReadMapCheckTo);
        entry.azimuth = forms::read_text(hwnd(), res::kEditMapCheckLegAzimuth, res::kReadMapCheckText);
        entry.distance = forms::read_text(hwnd(), res::kEditMapCheckLegDistance, res::kReadMapCheckText);
        const int type = controls::combo_selection(item(res::kComboMapCheckLegType));
        entry.type = type < 0 ? kCorner : type;
        return entry;
    }

    bool store(const MapCheckEntry& entry)
    {
        if (!m_adding) {
            m_job->entries[m_at] = entry;
            m_changed = true;
            return true;
        }
        if (!slot_insert(m_job->entries, m_at, entry)) {
            controls::message_box(hwnd(), u"Map Check", u"The leg table is full (250 legs): the leg was not added.");
            return false;
        }
        if (m_added)
            m_added(m_at);
        ++m_at;
        m_changed = true;
        return true;
    }

    MapCheckJob* m_job;
    size_t m_at;
    bool m_adding;
    std::function<void(size_t)> m_added;
    bool m_changed = false;
};

}  // namespace

bool run_map_check_start(ui::Hwnd owner, MapCheckSettings* settings)
{
    return run_text_pair(owner, kStart, {res::kEditMapCheckStartN, res::kEditMapCheckStartE, res::kReadMapCheckText},
        &settings->start_n_text, &settings->start_e_text);
}

bool run_map_check_add_leg(ui::Hwnd owner, MapCheckJob* job, size_t at, const std::function<void(size_t)>& added)
{
    LegDialog dialog(job, at, true, added);
    dialog.run(owner);
    return dialog.changed();
}

bool run_map_check_edit_leg(ui::Hwnd owner, MapCheckJob* job, size_t at)
{
    LegDialog dialog(job, at, false);
    dialog.run(owner);
    return dialog.changed();
}

}  // namespace calc
