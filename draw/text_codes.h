#pragma once
// The control sequences of drawing text, applied as the text is widened from 8-bit (Windows-1252) to
// UTF-16 for output. Two percent signs and a letter: C -> U+00D8, D or d -> U+00B0 (degree), P or p ->
// U+00B1 (plus-minus), c -> U+00F8; two percent signs and any other character stay as they are. A single
// percent sign followed by any other character is dropped and the character kept. The text ends at its
// end (or a NUL): a percent sign there is dropped, two stay.

#include <string>
#include <string_view>

namespace draw {

std::u16string widen_drawing_text(std::string_view text);

}  // namespace draw
