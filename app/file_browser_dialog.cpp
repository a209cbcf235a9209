#include "app/file_browser_dialog.h"

#include "app/file_browser_model.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "resources/app_resources.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;
using namespace resources;

namespace {

struct BrowserState {
    std::u16string result;     // the path chosen with OK; empty after Cancel
    std::u16string last_name;  // last component of the latest choice
};
BrowserState s_browser;

constexpr forms::Declaration kBrowser {.dialog = kDialogPathnames,
    .menu_bar = kMenuBarPathnames,
    .menu_error = u"Area",
    .cancel_command = kCmdPathnamesCancel,
    .cancel_result = kCmdPathnamesCancel};

class FileBrowserDialog : public forms::Form {
public:
    FileBrowserDialog()
        : Form(kBrowser)
    {
    }

private:
    bool on_open() override
    {
        controls::edit_set_limit(item(kPathnamesPath), int(kMaxBrowserPath));
        controls::list_add(item(kPathnamesList), kMyDeviceEntry);
        m_model.start();
        show_model();
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd) override
    {
        switch (id) {
        case kCmdPathnamesOk:
            finish_ok();
            return true;
        case kPathnamesList:
            if (code == ui::kLbnSelChange)
                select_entry();
            return true;
        case kPathnamesBack:
            if (code == ui::kBnClicked) {
                m_model.back();
                show_model();
            }
            return true;
        default:
            return false;
        }
    }

    void select_entry()
    {
        const ui::Hwnd list = item(kPathnamesList);
        const int selected = controls::list_selection(list);
        if (selected < 0)
            return;
        m_model.select(controls::list_text(list, selected), path_text());
        if (!m_model.chosen_name().empty())
            s_browser.last_name = m_model.chosen_name();
        show_model();
    }

    void finish_ok()
    {
        s_browser.result = path_text();
        s_browser.last_name = last_component(s_browser.result);
        end(kCmdPathnamesOk);
    }

    std::u16string path_text() const { return forms::read_text(hwnd(), kPathnamesPath, int(kMaxBrowserPath)); }

    // Refills the list when the model listed a folder (reporting over-long paths as it goes) and shows
    // the path text.
    void show_model()
    {
        if (m_model.listing_serial() != m_shown_serial) {
            m_shown_serial = m_model.listing_serial();
            const ui::Hwnd list = item(kPathnamesList);
            controls::list_reset(list);
            for (const std::u16string& path : m_model.listing().over_long_paths)
                controls::message_box(hwnd(), u"MAX_PATH exceeded", path);
            for (const std::u16string& entry : m_model.listing().entries)
                controls::list_add(list, entry);
        }
        forms::show_text(hwnd(), kPathnamesPath, m_model.path_text());
    }

    FileBrowserModel m_model;
    int m_shown_serial = 0;
};

}  // namespace

// The result is emptied first: Cancel and closing leave it so.
void run_file_browser(ui::Hwnd owner)
{
    s_browser.result.clear();
    FileBrowserDialog().run(owner);
}

const std::u16string& file_browser_result()
{
    return s_browser.result;
}

const std::u16string& file_browser_last_name()
{
    return s_browser.last_name;
}

void file_browser_reset_for_tests()
{
    s_browser = BrowserState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, file_browser_reset_for_tests);

}  // namespace app
