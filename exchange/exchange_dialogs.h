#pragma once
// Coords > ASCII > Export and Import: the full-screen forms ASCII_EXPORT and ASCII_IMPORT over the
// configuration of the run (exchange/exchange_config.h), which both show and change.
//
//   Export   the seven field positions, "From Pt:", "To Pt:", "Decimals:", "Heading", "Append" and the
//            output file; menu Configuration (Load, Save, Save As), Export, Cancel.
//   Import   the seven field positions, "Existing points:" and the input file; menu Config. (Load, Save,
//            Save As), Import, Preview, Cancel.
//
// Export and Import run behind the progress dialog, then show what the run did and close the form.

#include "platform/ui/ui.h"

namespace exchange {

void run_ascii_export(platform::ui::Hwnd owner);
void run_ascii_import(platform::ui::Hwnd owner);

}  // namespace exchange
