// The indexing dialog: a progress bar over an index build, advanced by a timer.

#include "store/indexing_dialog.h"

#include "platform/controls/controls.h"
#include "platform/ui/ui.h"
#include "resources/store_resources.h"
#include "store/index_build.h"

namespace store {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

constexpr int kTimerId = 1;
constexpr uint32_t kTimerPeriodMs = 1;
constexpr int kRecordsPerTick = 100;

class IndexingDialog final : public ui::DialogProc {
public:
    explicit IndexingDialog(IndexBuild& build)
        : m_build(build)
    {
    }

    bool on_init() override
    {
        m_bar = ui::create_window(u"msctls_progress32", u"", ui::kStyleChild | ui::kStyleVisible, 20, 20, 160, 17,
            hwnd(), resources::kIndexingProgress);
        controls::progress_set_range(m_bar, 0, 100);
        controls::progress_set_step(m_bar, 5);
        std::u16string text
            = m_build.kind() == IndexKind::Number ? u"Indexing point numbers ..." : u"Indexing point names ...";
        if (!m_build.reason().empty())
            text += u" " + m_build.reason();
        ui::set_item_text(hwnd(), resources::kIndexingText, text);
        ui::set_timer(hwnd(), kTimerId, kTimerPeriodMs);
        return true;
    }

    bool on_timer(int id) override
    {
        if (id != kTimerId)
            return false;
        for (int steps = m_build.advance(kRecordsPerTick); steps > 0; --steps)
            controls::progress_step_it(m_bar);
        if (m_build.finished()) {
            stop();
            ui::end_dialog(hwnd(), ui::kIdOk);
        }
        return true;
    }

    bool on_close() override
    {
        stop();
        ui::end_dialog(hwnd(), ui::kIdCancel);
        return true;
    }

    void on_destroy() override { stop(); }

private:
    void stop()
    {
        ui::kill_timer(hwnd(), kTimerId);
        if (m_bar != ui::kNoWindow && ui::is_window(m_bar))
            ui::destroy_window(m_bar);
        m_bar = ui::kNoWindow;
    }

    IndexBuild& m_build;
    ui::Hwnd m_bar = ui::kNoWindow;
};

}  // namespace

bool run_indexing_dialog(uint32_t owner, IndexBuild& build)
{
    if (!ui::find_dialog_template(resources::kDialogIndexing))
        return false;
    IndexingDialog dialog(build);
    return ui::run_dialog(resources::kDialogIndexing, ui::Hwnd(owner), dialog) != -1;
}

}  // namespace store
