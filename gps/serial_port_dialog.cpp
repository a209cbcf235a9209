#include "gps/serial_port_dialog.h"

#include "forms/form.h"
#include "gps/gps_link.h"
#include "gps/port_choices.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/gps_resources.h"

#include <string>
#include <vector>

namespace gps {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

constexpr forms::Declaration kUnhide {.dialog = res::kDialogUnhideGpsId, .cancel_result = ui::kIdCancel};

class UnhideDialog : public forms::Popup {
public:
    UnhideDialog()
        : Popup(kUnhide)
    {
    }

private:
    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != res::kButtonUnhideModify)
            return false;
        end(res::kButtonUnhideModify);
        return true;
    }
};

// The explanation when the interface is hidden, and the deletions when the user chooses Modify.
void offer_unhide(ui::Hwnd owner)
{
    const InterfaceHiding hiding = ReadInterfaceHiding();
    if (!hiding.hidden())
        return;
    if (UnhideDialog().run(owner) != res::kButtonUnhideModify)
        return;
    if (UnhideInterface(hiding) > 0)
        controls::message_box(owner, u"Info", u"You may now reboot the computer.");
}

constexpr forms::Declaration kSerialPort {
    .dialog = res::kDialogGpsSerialPort, .cancel_result = ui::kIdCancel, .close_result = ui::kIdCancel};

class SerialPortDialog : public forms::Popup {
public:
    explicit SerialPortDialog(std::vector<std::u16string> ports)
        : Popup(kSerialPort)
        , m_ports(std::move(ports))
    {
    }
    bool chosen() const { return m_chosen; }

private:
    bool on_open() override
    {
        const ui::Hwnd combo = item(res::kComboGpsPort);
        controls::combo_reset(combo);
        for (size_t i = 0; i < m_ports.size(); ++i) {
            controls::combo_add(combo, m_ports[i]);
            if (m_ports[i] == GetGpsPortName())
                controls::combo_set_selection(combo, static_cast<int>(i));
        }
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        const int selected = controls::combo_selection(item(res::kComboGpsPort));
        if (selected >= 0 && selected < static_cast<int>(m_ports.size())) {
            SetGpsPortName(m_ports[static_cast<size_t>(selected)]);
            m_chosen = true;
        }
        end(ui::kIdOk);
        return true;
    }

    std::vector<std::u16string> m_ports;
    bool m_chosen = false;
};

}  // namespace

bool run_serial_port_dialog(ui::Hwnd owner)
{
    // The list is made, and the hidden interface offered, before the dialog shows.
    std::vector<std::u16string> ports = NumberedPorts();
    offer_unhide(owner);
    if (const std::optional<DriverInterfacePort> driver = ReadDriverInterfacePort()) {
        if (driver->fills_buffer)
            controls::message_box(owner, u"ERROR: getGPSIDport(): len",
                platform::text::wformat(u"%d", static_cast<int>(driver->value_bytes)));
        ports.push_back(driver->name);
    }
    SerialPortDialog dialog(std::move(ports));
    dialog.run(owner);
    return dialog.chosen();
}

}  // namespace gps
