#include "exchange/run_progress_dialog.h"

#include <chrono>

#include "exchange/progress_steps.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "resources/store_resources.h"

namespace exchange {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

constexpr int kTimerId = 1;
constexpr uint32_t kTimerPeriodMs = 1;
constexpr int kItemsPerSlice = 100;
constexpr auto kWorkPerTick = std::chrono::milliseconds(10);

constexpr forms::Declaration kProgress {.dialog = resources::kDialogIndexing, .close_result = ui::kIdCancel};

class ProgressDialog final : public forms::Popup {
public:
    explicit ProgressDialog(const ProgressWork& work)
        : Popup(kProgress)
        , m_work(work)
        , m_steps(work.step)
    {
    }

private:
    bool on_open() override
    {
        m_bar = ui::create_window(u"msctls_progress32", u"", ui::kStyleChild | ui::kStyleVisible, 20, 20, 160, 17,
            hwnd(), resources::kIndexingProgress);
        controls::progress_set_range(m_bar, 0, 100);
        controls::progress_set_step(m_bar, 5);
        forms::show_text(hwnd(), resources::kIndexingText, m_work.text);
        ui::set_timer(hwnd(), kTimerId, kTimerPeriodMs);
        return true;
    }

    bool on_timer(int id) override
    {
        if (id != kTimerId)
            return false;
        // A prompt of the run is open: its ticks wait for the answer.
        if (m_busy)
            return true;
        m_busy = true;
        const auto start = std::chrono::steady_clock::now();
        do {
            for (int steps = m_steps.add(m_work.advance(kItemsPerSlice)); steps > 0; --steps)
                controls::progress_step_it(m_bar);
        } while (!m_work.finished() && std::chrono::steady_clock::now() - start < kWorkPerTick);
        m_busy = false;
        if (m_work.finished()) {
            ui::kill_timer(hwnd(), kTimerId);
            end(ui::kIdOk);
        }
        return true;
    }

    const ProgressWork& m_work;
    ProgressSteps m_steps;
    ui::Hwnd m_bar = ui::kNoWindow;
    bool m_busy = false;
};

}  // namespace

bool run_progress_dialog(ui::Hwnd owner, const ProgressWork& work)
{
    ProgressDialog dialog(work);
    return dialog.run(owner) != -1;
}

}  // namespace exchange
