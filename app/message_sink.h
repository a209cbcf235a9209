#pragma once
// Messages of the computation modules (formats::message) shown as an OK message box owned by the active
// window.

namespace app {

void install_message_sink();

}  // namespace app
