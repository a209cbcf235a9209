#include "calc/traverse_record_dialogs.h"

#include "calc/slot_table.h"
#include "calc/traverse_table.h"
#include "forms/fields.h"
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

constexpr forms::Declaration kSetup {.dialog = res::kDialogTraverseSetup, .cancel_result = 2};
constexpr forms::Declaration kObservation {.dialog = res::kDialogTraverseObservation, .cancel_result = 2};
constexpr forms::Declaration kSettings {.dialog = res::kDialogTraverseSettings, .cancel_result = 2};

const std::u16string kCaption = u"Traverse";

bool s_setup_insert_before = false;
bool s_observation_insert_before = false;

[[maybe_unused]] const bool s_reset_registered = platform::register_reset(platform::ResetStage::Program, [] {
    s_setup_insert_before = false;
    s_observation_insert_before = false;
});

std::u16string number_text(uint32_t n)
{
    return n == 0 ? u"" : platform::text::wformat(u"%lu", (unsigned long)n);
}

// The editors' common part: the record's slot, adding or editing, the insert that refuses a full table.
class RecordEditor : public forms::Form {
public:
    RecordEditor(const forms::Declaration& declaration, TraverseJob* job, int slot, bool adding,
        std::function<void(size_t)> added)
        : Form(declaration)
        , m_job(job)
        , m_slot(slot)
        , m_adding(adding)
        , m_added(std::move(added))
    {
    }

    bool changed() const { return m_changed; }

protected:
    void limit(int id, int chars) { controls::edit_set_limit(item(id), chars); }
    bool checked(int id) const { return controls::button_check(item(id)) == 1; }
    void set_checked(int id, bool on) { controls::button_set_check(item(id), on ? 1 : 0); }

    // A distance field: its number, or a box naming the field and nothing.
    std::optional<double> distance(int id, const char16_t* name)
    {
        const std::optional<double> v = forms::read_distance(hwnd(), id, res::kReadTraverseDistance);
        if (!v)
            controls::message_box(hwnd(), kCaption, std::u16string(name) + u" does not read as a distance.");
        return v;
    }

    // Stores the record: over the slot when editing; when adding, inserted where the selection and Insert
    // Before say (the next one of Another after it). False when the table is full.
    bool put(const TraverseRecord& record, bool insert_before)
    {
        if (!m_adding) {
            m_job->records[size_t(m_slot)] = record;
            m_changed = true;
            return true;
        }
        if (!m_position)
            m_position = traverse_insert_position(*m_job, m_slot, insert_before);
        if (!slot_insert(m_job->records, *m_position, record)) {
            controls::message_box(
                hwnd(), kCaption, u"The traverse table is full (250 records): the record was not added.");
            return false;
        }
        if (m_added)
            m_added(*m_position);
        ++*m_position;
        m_changed = true;
        return true;
    }

    const TraverseRecord& record() const { return m_job->records[size_t(m_slot)]; }

    TraverseJob* m_job;
    int m_slot;
    bool m_adding;

private:
    std::function<void(size_t)> m_added;
    std::optional<size_t> m_position;
    bool m_changed = false;
};

class SetupEditor : public RecordEditor {
public:
    using RecordEditor::RecordEditor;

private:
    bool on_open() override
    {
        limit(res::kEditSetupAt, res::kReadTraversePoint);
        limit(res::kEditSetupHi, res::kReadTraverseDistance);
        limit(res::kEditSetupRefPoint, res::kReadTraversePoint);
        limit(res::kEditSetupRefAzimuth, res::kReadTraverseText);
        limit(res::kEditSetupHcr, res::kReadTraverseText);
        set_checked(res::kCheckSetupInsertBefore, s_setup_insert_before);
        if (m_adding) {
            const SetupProposal p = propose_setup(*m_job, m_slot);
            forms::show_text(hwnd(), res::kEditSetupAt, number_text(p.at));
            forms::show_text(hwnd(), res::kEditSetupRefPoint, number_text(p.reference));
            return true;
        }
        const TraverseRecord& r = record();
        forms::show_text(hwnd(), res::kEditSetupAt, number_text(r.at));
        forms::show_distance(hwnd(), res::kEditSetupHi, r.hi);
        if (r.reference_kind == kReferencePoint)
            forms::show_text(hwnd(), res::kEditSetupRefPoint, number_text(r.reference_point));
        else if (r.reference_kind == kReferenceAzimuth)
            forms::show_text(hwnd(), res::kEditSetupRefAzimuth, r.reference_azimuth);
        forms::show_text(hwnd(), res::kEditSetupHcr, r.backsight);
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        const std::optional<double> hi = distance(res::kEditSetupHi, u"HI");
        if (!hi)
            return true;
        TraverseRecord r;
        r.kind = kRecordSetup;
        r.at = forms::read_point_number(hwnd(), res::kEditSetupAt, res::kReadTraversePoint);
        r.hi = *hi;
        const uint32_t reference = forms::read_point_number(hwnd(), res::kEditSetupRefPoint, res::kReadTraversePoint);
        const std::u16string azimuth = forms::read_trimmed(hwnd(), res::kEditSetupRefAzimuth, res::kReadTraverseText);
        if (!forms::read_trimmed(hwnd(), res::kEditSetupRefPoint, res::kReadTraversePoint).empty()) {
            r.reference_kind = kReferencePoint;
            r.reference_point = reference;
        } else if (!azimuth.empty()) {
            r.reference_kind = kReferenceAzimuth;
            r.reference_azimuth = azimuth;
        }
        r.backsight = forms::read_text(hwnd(), res::kEditSetupHcr, res::kReadTraverseText);
        s_setup_insert_before = checked(res::kCheckSetupInsertBefore);
        if (put(r, s_setup_insert_before))
            end(1);
        return true;
    }
};

class ObservationEditor : public RecordEditor {
public:
    using RecordEditor::RecordEditor;

private:
    bool on_open() override
    {
        limit(res::kEditObservationTo, res::kReadTraversePoint);
        for (int id :
            {res::kEditObservationCode, res::kEditObservationNote, res::kEditObservationHcr, res::kEditObservationVcr})
            limit(id, res::kReadTraverseText);
        limit(res::kEditObservationSlope, res::kReadTraverseDistance);
        limit(res::kEditObservationHs, res::kReadTraverseDistance);
        set_checked(res::kCheckObservationInsertBefore, s_observation_insert_before);
        if (m_adding) {
            const ObservationProposal p = propose_observation(*m_job, m_slot);
            forms::show_text(hwnd(), res::kEditObservationTo, number_text(p.to));
            if (p.hs_known)
                forms::show_distance(hwnd(), res::kEditObservationHs, p.hs);
            return true;
        }
        const TraverseRecord& r = record();
        forms::show_text(hwnd(), res::kEditObservationTo, number_text(r.to));
        forms::show_text(hwnd(), res::kEditObservationCode, r.code);
        forms::show_text(hwnd(), res::kEditObservationNote, r.note);
        forms::show_text(hwnd(), res::kEditObservationHcr, r.hcr);
        forms::show_text(hwnd(), res::kEditObservationVcr, r.vcr);
        forms::show_distance(hwnd(), res::kEditObservationSlope, r.slope);
        forms::show_distance(hwnd(), res::kEditObservationHs, r.hs);
        set_checked(res::kCheckObservationSideShot, r.side_shot != 0);
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        if (id != ui::kIdOk && id != res::kButtonObservationAnother)
            return false;
        if (id == res::kButtonObservationAnother && code != ui::kBnClicked)
            return true;
        const std::optional<double> slope = distance(res::kEditObservationSlope, u"S. Dist.");
        if (!slope)
            return true;
        const std::optional<double> hs = distance(res::kEditObservationHs, u"HS");
        if (!hs)
            return true;
        TraverseRecord r;
        r.kind = kRecordObservation;
        r.to = forms::read_point_number(hwnd(), res::kEditObservationTo, res::kReadTraversePoint);
        r.code = forms::read_text(hwnd(), res::kEditObservationCode, res::kReadTraverseText);
        r.note = forms::read_text(hwnd(), res::kEditObservationNote, res::kReadTraverseText);
        r.hcr = forms::read_text(hwnd(), res::kEditObservationHcr, res::kReadTraverseText);
        r.vcr = forms::read_text(hwnd(), res::kEditObservationVcr, res::kReadTraverseText);
        r.slope = *slope;
        r.hs = *hs;
        r.side_shot = checked(res::kCheckObservationSideShot) ? 1 : 0;
        s_observation_insert_before = checked(res::kCheckObservationInsertBefore);
        if (!put(r, s_observation_insert_before))
            return true;
        if (id == ui::kIdOk || !m_adding) {
            end(1);
            return true;
        }
        // The next observation: the number after this one, HS and Side Shot as they were.
        forms::show_text(hwnd(), res::kEditObservationTo, number_text(r.to + 1));
        for (int field : {res::kEditObservationCode, res::kEditObservationNote, res::kEditObservationHcr,
                 res::kEditObservationVcr, res::kEditObservationSlope})
            forms::show_text(hwnd(), field, u"");
        ui::set_focus(item(res::kEditObservationHcr));
        return true;
    }
};

class SettingsDialog : public forms::Form {
public:
    SettingsDialog(TraverseSettings* settings)
        : Form(kSettings)
        , m_texts {&settings->surveyor, &settings->date, &settings->field_book, &settings->pages, &settings->instrument,
              &settings->distance_factor_text, &settings->distance_correction_text, &settings->vc_correction_text,
              &settings->projection_factor_text, &settings->units_factor_text}
    {
    }

private:
    static int chars(size_t i) { return i == 1 ? res::kReadTraverseDate : res::kReadTraverseText; }

    bool on_open() override
    {
        for (size_t i = 0; i < m_texts.size(); ++i) {
            controls::edit_set_limit(item(res::kEditTraverseSettingFirst + int(i)), chars(i));
            forms::show_text(hwnd(), res::kEditTraverseSettingFirst + int(i), *m_texts[i]);
        }
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        for (size_t i = 0; i < m_texts.size(); ++i)
            *m_texts[i] = forms::read_text(hwnd(), res::kEditTraverseSettingFirst + int(i), chars(i));
        end(1);
        return true;
    }

    std::array<std::u16string*, 10> m_texts;
};

}  // namespace

bool run_traverse_setup(
    ui::Hwnd owner, TraverseJob* job, int slot, bool adding, const std::function<void(size_t)>& added)
{
    SetupEditor editor(kSetup, job, slot, adding, added);
    editor.run(owner);
    return editor.changed();
}

bool run_traverse_observation(
    ui::Hwnd owner, TraverseJob* job, int slot, bool adding, const std::function<void(size_t)>& added)
{
    ObservationEditor editor(kObservation, job, slot, adding, added);
    editor.run(owner);
    return editor.changed();
}

bool run_traverse_settings(ui::Hwnd owner, TraverseSettings* settings)
{
    return SettingsDialog(settings).run(owner) == 1;
}

}  // namespace calc
