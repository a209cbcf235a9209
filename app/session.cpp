#include "app/session.h"

namespace app {

void restore_session(const std::u16string& program_directory, platform::ui::Hwnd owner)
{
    // NOTE: The built-in settings stay in force and no coordinate file is reopened until the preferences
    // module reads Varno.prefs here.
}

void save_session(const std::u16string& program_directory)
{
    // NOTE: Nothing is written until the preferences module saves Varno.prefs here.
}

}  // namespace app
