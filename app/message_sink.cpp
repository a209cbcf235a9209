#include "app/message_sink.h"

#include "formats/messages.h"
#include "platform/controls/controls.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;

void install_message_sink()
{
    formats::set_message_sink([](const std::u16string& caption, const std::u16string& text) {
        controls::message_box(ui::active_window(), caption, text, controls::kMbOk);
    });
}

}  // namespace app
