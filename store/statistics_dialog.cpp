#include "store/statistics_dialog.h"

#include <string>

#include "platform/controls/controls.h"
#include "resources/point_dialog_resources.h"
#include "store/statistics_lines.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;

class StatisticsDialog : public ui::DialogProc {
public:
    explicit StatisticsDialog(std::u16string_view name) : m_name(name) {}

    bool on_init() override
    {
        ui::init_full_screen(hwnd(), false);
        ui::Hwnd list = item(resources::kListStatistics);
        controls::list_reset(list);
        for (const std::u16string& line : statistics_lines(gather_statistics(m_name)))
            controls::list_add(list, line);
        return true;
    }

    bool on_command(int id, int code, ui::Hwnd control) override
    {
        if (id != ui::kIdOk && id != ui::kIdCancel)
            return false;
        ui::end_dialog(hwnd(), id);
        return true;
    }

    bool on_close() override
    {
        ui::end_dialog(hwnd(), ui::kIdOk);
        return true;
    }

private:
    std::u16string m_name;
};

}  // namespace

void run_statistics(ui::Hwnd owner, std::u16string_view last_chosen_name)
{
    StatisticsDialog proc(last_chosen_name);
    ui::run_dialog(resources::kDialogStatistics, owner, proc);
}

}  // namespace store
