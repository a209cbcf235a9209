#include "app/file_browser_dialog.h"

#include "app/file_browser_model.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "resources/app_resources.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;
using namespace resources;

namespace {

struct BrowserState {
    std::u16string result;        // the path chosen with OK; empty after Cancel
    std::u16string last_name;     // last component of the latest choice
};
BrowserState s_browser;

class FileBrowserDialog : public ui::DialogProc {
public:
    bool on_init() override
    {
        m_menu_bar = controls::create_menu_bar(hwnd(), kMenuBarPathnames);
        if (m_menu_bar == ui::kNoWindow)
            controls::message_box(hwnd(), u"Area", u"menu error");
        controls::edit_set_limit(item(kPathnamesPath), int(kMaxBrowserPath));
        controls::list_add(item(kPathnamesList), kMyDeviceEntry);
        m_model.start();
        show_model();
        return true;
    }

    bool on_command(int id, int code, ui::Hwnd) override
    {
        switch (id) {
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
        case kCmdPathnamesOk:
            finish_ok();
            return true;
        case kCmdPathnamesCancel:
        case ui::kIdCancel:
            s_browser.result.clear();
            ui::end_dialog(hwnd(), kCmdPathnamesCancel);
            return true;
        default:
            return false;
        }
    }

    void on_destroy() override
    {
        if (m_menu_bar != ui::kNoWindow)
            ui::destroy_window(m_menu_bar);
        m_menu_bar = ui::kNoWindow;
    }

private:
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
        ui::end_dialog(hwnd(), kCmdPathnamesOk);
    }

    std::u16string path_text() const { return controls::edit_text(item(kPathnamesPath), int(kMaxBrowserPath)); }

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
        ui::set_window_text(item(kPathnamesPath), m_model.path_text());
    }

    FileBrowserModel m_model;
    int m_shown_serial = 0;
    ui::Hwnd m_menu_bar = ui::kNoWindow;
};

}  // namespace

void run_file_browser(ui::Hwnd owner)
{
    FileBrowserDialog dialog;
    s_browser.result.clear();
    ui::run_dialog(kDialogPathnames, owner, dialog);
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
    s_browser = BrowserState{};
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered =
    platform::register_reset(platform::ResetStage::Program, file_browser_reset_for_tests);

}  // namespace

}  // namespace app
