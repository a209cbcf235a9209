#include "forms/form.h"

#include "platform/controls/controls.h"

namespace forms {

namespace controls = platform::controls;

int Dialog::run(ui::Hwnd owner)
{
    if (m_declaration.dialog.empty())
        return ui::run_dialog(m_declaration.number, owner, *this);
    return ui::run_dialog(m_declaration.dialog, owner, *this);
}

bool Dialog::on_init()
{
    set_up();
    return on_open();
}

bool Dialog::on_command(int id, int code, ui::Hwnd control)
{
    const bool cancel = id == ui::kIdCancel || (id == m_declaration.cancel_command && id != 0);
    if (cancel && m_declaration.cancel_result) {
        end(*m_declaration.cancel_result);
        return true;
    }
    if (id == ui::kIdOk && m_declaration.ok_result) {
        end(*m_declaration.ok_result);
        return true;
    }
    return on_action(id, code, control);
}

bool Dialog::on_close()
{
    if (m_declaration.close_result)
        end(*m_declaration.close_result);
    else if (m_declaration.cancel_result)
        end(*m_declaration.cancel_result);
    return true;
}

void Form::set_up()
{
    ui::init_full_screen(hwnd(), declaration().done_button);
    if (declaration().menu_bar == 0)
        return;
    m_menu_bar = controls::create_menu_bar(hwnd(), declaration().menu_bar);
    if (m_menu_bar == ui::kNoWindow)
        controls::message_box(hwnd(), declaration().menu_error, u"menu error");
}

void Form::on_destroy()
{
    if (m_menu_bar != ui::kNoWindow)
        ui::destroy_window(m_menu_bar);
    m_menu_bar = ui::kNoWindow;
}

bool Popup::on_paint(platform::gdi::DC& dc)
{
    controls::paint_popup_frame(hwnd(), dc);
    return true;
}

}  // namespace forms
