#pragma once
// The two keypads of the COGO form: CALC_DIST ("Calculate Distance") and CALC_AZ ("Calculate Azimuth"),
// centred pop-ups over the form. Each is handed the text of the field it helps to fill, keeps it as its
// stored expression, lets keys append to it (up to resources::kKeypadTextLength characters), and evaluates
// it with "Calculate" (cogo/distance_expression.h, cogo/azimuth_expression.h): the result shows in the
// distance format, or in the azimuth format of the angle mode; an expression with no value shows an
// empty result. The keypads keep nothing between openings.

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"

namespace cogo {

// The result text when the keypad was left with "OK" (empty when no result was shown); nothing after
// "Cancel", Escape or closing, when the field keeps its text.
std::optional<std::u16string> run_distance_keypad(platform::ui::Hwnd owner, std::u16string_view text);
std::optional<std::u16string> run_azimuth_keypad(platform::ui::Hwnd owner, std::u16string_view text);

}  // namespace cogo
