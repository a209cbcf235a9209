#pragma once
// A pop-up that edits two texts of a calculation's settings (the map check's start N and E, the area's
// two factors): both shown as they are, each read on OK up to `max_chars` characters as typed.

#include <string>

#include "forms/form.h"

namespace calc {

struct TextPair {
    int first_id = 0;
    int second_id = 0;
    int max_chars = 0;
};

// Runs the pop-up; on OK both texts are replaced and the answer is true, on Cancel they stay.
bool run_text_pair(platform::ui::Hwnd owner, const forms::Declaration& declaration, const TextPair& fields,
    std::u16string* first, std::u16string* second);

}  // namespace calc
