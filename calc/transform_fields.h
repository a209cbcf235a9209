#pragma once
// The parameter fields of the transformation dialogs, shown from the parameter block and read back into
// it. The dialogs show rounded texts (seconds of the rotation, millimetres of a shift), so a field whose
// text is still the one shown keeps the block's exact value: a fitted rotation is never cut to the
// shown seconds by reading it back.
//
// Shown: the rotation in the angle format, About N and E and the shifts in the coordinate format, the
// scales with nine decimals, point numbers as they are; a rotation or shift of 0, an unset About point and
// point numbers of 0 as empty fields.

#include <map>
#include <string>

#include "calc/transform_parameters.h"
#include "platform/ui/ui.h"

namespace calc {

class TransformFields {
public:
    // The four point numbers.
    void show_numbers(platform::ui::Hwnd dialog, const TransformParameters& p);
    void read_numbers(platform::ui::Hwnd dialog, TransformParameters* p) const;

    // Every field of the parameters dialog.
    void show(platform::ui::Hwnd dialog, const TransformParameters& p);
    // Reads every field into *p: the About point from its number when that point is stored, else from its
    // N and E (empty: unset). False, *p unchanged, with the reason in *why for a text that does not read.
    bool read(platform::ui::Hwnd dialog, TransformParameters* p, std::u16string* why) const;

private:
    void show_text(platform::ui::Hwnd dialog, int id, const std::u16string& text);
    bool unchanged(platform::ui::Hwnd dialog, int id) const;

    std::map<int, std::u16string> m_shown;  // control id -> text as shown
};

}  // namespace calc
