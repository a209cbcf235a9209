// Transform by parameters: the block shown in its fields, File (Open, Close, Save, Save As), Transform
// (forward, or inverse with the check box) and Exit.

#include "calc/job_menu.h"
#include "calc/transform.h"
#include "calc/transform_apply.h"
#include "calc/transform_dialogs.h"
#include "calc/transform_fields.h"
#include "calc/transform_job.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/transform_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

constexpr forms::Declaration kTransformParams {.dialog = res::kDialogTransformParams,
    .menu_bar = res::kMenuBarTransformParams,
    .menu_error = u"Transform",
    .cancel_command = res::kCmdTransformParamsExit,
    .cancel_result = 2};

const JobDocument& document()
{
    static const JobDocument doc {&kTransformParamsJob, [] { return transform_image(transform_parameters()); },
        [](const JobImage& image) { transform_parameters() = transform_from_image(image); },
        [] { transform_parameters() = TransformParameters {}; }};
    return doc;
}

class TransformParamsDialog : public forms::Form {
public:
    TransformParamsDialog()
        : Form(kTransformParams)
    {
    }

private:
    bool on_open() override
    {
        m_fields.show(hwnd(), transform_parameters());
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        switch (id) {
        case res::kCmdTransformParamsOpen:
            if (job_open(hwnd(), document()))
                m_fields.show(hwnd(), transform_parameters());
            return true;
        case res::kCmdTransformParamsClose:
            job_reset(document());
            m_fields.show(hwnd(), transform_parameters());
            return true;
        case res::kCmdTransformParamsSave:
        case res::kCmdTransformParamsSaveAs:
            if (read_fields())
                id == res::kCmdTransformParamsSave ? job_save(hwnd(), document()) : job_save_as(hwnd(), document());
            return true;
        case res::kCmdTransformParamsApply:
            apply();
            return true;
        case res::kCheckInverse:
            return true;
        default:
            return false;
        }
    }

    bool read_fields()
    {
        std::u16string why;
        if (m_fields.read(hwnd(), &transform_parameters(), &why))
            return true;
        controls::message_box(hwnd(), u"Transform", why);
        return false;
    }

    // Reads the fields, applies, says what was stored and closes; a refusal keeps the dialog open.
    void apply()
    {
        if (!read_fields())
            return;
        const bool inverse = controls::button_check(item(res::kCheckInverse)) == 1;
        const ApplyOutcome outcome = apply_transform(transform_parameters(), inverse);
        controls::message_box(hwnd(), u"Transform", describe(outcome));
        if (!outcome.refused)
            end(1);
    }

    TransformFields m_fields;
};

}  // namespace

void run_transform_by_parameters(ui::Hwnd owner)
{
    TransformParamsDialog().run(owner);
    job_leave(document());
}

}  // namespace calc
