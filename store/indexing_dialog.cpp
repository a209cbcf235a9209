// The indexing dialog: a progress bar over an index build, advanced by a timer.

#include "store/indexing_dialog.h"

#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/store_resources.h"
#include "store/index_build.h"

namespace store {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

constexpr int kTimerId = 1;
constexpr uint32_t kTimerPeriodMs = 1;
constexpr int kRecordsPerTick = 100;

// Escape does nothing; closing ends it early. The timer and the bar go with the dialog's window.
constexpr forms::Declaration kIndexing {.dialog = resources::kDialogIndexing, .close_result = ui::kIdCancel};

class IndexingDialog final : public forms::Popup {
public:
    explicit IndexingDialog(IndexBuild& build)
        : Popup(kIndexing)
        , m_build(build)
    {
    }

private:
    bool on_open() override
    {
        m_bar = ui::create_window(u"msctls_progress32", u"", ui::kStyleChild | ui::kStyleVisible, 20, 20, 160, 17,
            hwnd(), resources::kIndexingProgress);
        controls::progress_set_range(m_bar, 0, 100);
        controls::progress_set_step(m_bar, 5);
        std::u16string text
            = m_build.kind() == IndexKind::Number ? u"Indexing point numbers ..." : u"Indexing point names ...";
        if (!m_build.reason().empty())
            text += u" " + m_build.reason();
        forms::show_text(hwnd(), resources::kIndexingText, text);
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
            ui::kill_timer(hwnd(), kTimerId);
            end(ui::kIdOk);
        }
        return true;
    }

    IndexBuild& m_build;
    ui::Hwnd m_bar = ui::kNoWindow;
};

}  // namespace

bool run_indexing_dialog(uint32_t owner, IndexBuild& build)
{
    IndexingDialog dialog(build);
    return dialog.run(ui::Hwnd(owner)) != -1;
}

}  // namespace store
