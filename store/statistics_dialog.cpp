#include "store/statistics_dialog.h"

#include <string>

#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/point_dialog_resources.h"
#include "store/statistics_lines.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;

// "OK" and closing end it with 1, Escape with 2.
constexpr forms::Declaration kStatistics {.dialog = resources::kDialogStatistics,
    .cancel_result = ui::kIdCancel,
    .close_result = ui::kIdOk,
    .ok_result = ui::kIdOk};

class StatisticsDialog : public forms::Form {
public:
    explicit StatisticsDialog(std::u16string_view name)
        : Form(kStatistics)
        , m_name(name)
    {
    }

private:
    bool on_open() override
    {
        ui::Hwnd list = item(resources::kListStatistics);
        controls::list_reset(list);
        for (const std::u16string& line : statistics_lines(gather_statistics(m_name)))
            controls::list_add(list, line);
        return true;
    }

    std::u16string m_name;
};

}  // namespace

void run_statistics(ui::Hwnd owner, std::u16string_view last_chosen_name)
{
    StatisticsDialog(last_chosen_name).run(owner);
}

}  // namespace store
