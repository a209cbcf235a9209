#pragma once
// The three small prompts about a point, shared by every dialog that stores points:
//
//   OVERWRITE_PT  "Warning": the overwrite prompt text, "OK" (yes) or "Cancel" (no)
//   DELETE_PT     "Delete point?", "OK" (yes) or "Cancel" (no)
//   RENUMBER_PT   "Renumber Point": the renumber prompt text and "New Pt", "Renumber" (yes, with the new
//                 number) or "Skip" (no)
//
// The texts and the results are process-wide: a caller sets the text, runs the prompt, and reads the
// result afterwards. Each run starts with the result no; closing a prompt answers no. The run functions
// return the dialog result: the id of the button pressed (1, 2, 1215 or 1216), 1 when closed, -1 when the
// prompt could not be shown (the result then stays no). The ask functions set the text, run the prompt
// and answer with what was chosen; the process-wide results are written all the same.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"

namespace store {

// Initially "Point exists. Overwrite?".
void set_overwrite_prompt_text(std::u16string_view text);
const std::u16string& overwrite_prompt_text();
int run_overwrite_prompt(platform::ui::Hwnd owner);
bool overwrite_confirmed();

int run_delete_prompt(platform::ui::Hwnd owner);
bool delete_confirmed();

// Initially "Point exists. Overwrite?"; callers set their own (the ASCII import asks for a new number).
void set_renumber_prompt_text(std::u16string_view text);
const std::u16string& renumber_prompt_text();
int run_renumber_prompt(platform::ui::Hwnd owner);
bool renumber_chosen();
// The number typed under "New Pt" (at most 9 characters, read as a decimal integer: leading white space
// and a sign accepted, reading stops at the first non-digit, no digits give 0; a value outside
// 1 .. 4294967295 gives 0). Meaningful after "Renumber".
uint32_t renumber_new_number();

// True when "OK" was chosen.
bool ask_overwrite(platform::ui::Hwnd owner, std::u16string_view text);
bool ask_delete(platform::ui::Hwnd owner);
// After "Renumber", the number typed (0 when it is no point number); nothing after "Skip" or closing.
std::optional<uint32_t> ask_renumber(platform::ui::Hwnd owner, std::u16string_view text);

// Texts and results back to their first state (for tests).
void point_prompts_reset_for_tests();

}  // namespace store
