#pragma once
// The dialog kit: what every dialog of the program would otherwise write for itself.
//
// A dialog declares once, beside its class, which template it runs, which menu bar it carries, the caption
// of the box that reports a menu bar it could not make, and what Cancel, Escape and closing end it with.
// Its class derives from Form (full screen, under the navigation bar, with its menu bar along the bottom)
// or from Popup (centred, drawing its own caption strip and frame as the message box does) and holds only
// what that dialog does: on_open fills its controls, on_action is its command switch.
//
//   constexpr forms::Declaration kPointList{.dialog = res::kDialogPointList, .menu_bar = res::kMenuBarPointList,
//                                           .menu_error = u"Pt list", .cancel_command = res::kCmdListCancel,
//                                           .cancel_result = 2};
//   class PointListDialog : public forms::Form { ... };
//   PointListDialog(kPointList).run(owner);
//
// Cancel is ui::kIdCancel (a Cancel button, or Escape, which the window manager turns into that command)
// and the declaration's cancel command; closing the dialog ends it with its close result, or as Cancel
// does when it declares none. A dialog that declares no cancel result hears Cancel and Escape in its own
// on_action, and ignores them unless it takes them there. Likewise a dialog whose OK only ends it declares
// its OK result, and one whose OK does more takes ui::kIdOk in on_action.

#include <optional>
#include <string_view>

#include "platform/ui/ui.h"

namespace forms {

namespace ui = platform::ui;

struct Declaration {
    std::string_view dialog = {};           // the template's name ("PT_EDIT")
    int number = 0;                         // or, with no name, the number of a template known by number
    int menu_bar = 0;                       // Form: the menu-bar resource; 0 for none
    std::u16string_view menu_error = {};    // caption of the "menu error" box when the bar cannot be made
    int cancel_command = 0;                 // a command of the menu bar that cancels; 0 for none
    std::optional<int> cancel_result = {};  // Cancel and Escape end with it; none: they reach on_action
    std::optional<int> close_result = {};   // closing ends with it; none: closing is Cancel
    std::optional<int> ok_result = {};      // ui::kIdOk ends with it; none: it reaches on_action
    bool done_button = false;               // Form: "ok" in the navigation bar, sending ui::kIdOk
};

class Dialog : public ui::DialogProc {
public:
    explicit Dialog(const Declaration& declaration)
        : m_declaration(declaration)
    {
    }

    // Runs the dialog modally over `owner` and returns what it ended with; -1 when it could not be shown
    // (its template is not installed, or a control of it cannot be made).
    int run(ui::Hwnd owner);

protected:
    // After the kit's set-up, as on_init: true gives the focus to the first tab stop, false keeps the
    // focus it set.
    virtual bool on_open() { return true; }
    // Every command but those the declaration ends the dialog with; true when it was handled.
    virtual bool on_action(int id, int code, ui::Hwnd control) { return false; }
    void end(int result) { ui::end_dialog(hwnd(), result); }
    const Declaration& declaration() const { return m_declaration; }

private:
    // What the kind of dialog does before on_open.
    virtual void set_up() { }

    bool on_init() final;
    bool on_command(int id, int code, ui::Hwnd control) final;
    bool on_close() final;

    Declaration m_declaration;
};

// A full-screen dialog with its menu bar.
class Form : public Dialog {
public:
    using Dialog::Dialog;
    ui::Hwnd menu_bar() const { return m_menu_bar; }

private:
    void set_up() override;
    void on_destroy() final;

    ui::Hwnd m_menu_bar = ui::kNoWindow;
};

// A centred pop-up that draws its caption strip and frame. A pop-up that paints more calls
// Popup::on_paint first.
class Popup : public Dialog {
public:
    using Dialog::Dialog;

protected:
    bool on_paint(platform::gdi::DC& dc) override;
};

}  // namespace forms
