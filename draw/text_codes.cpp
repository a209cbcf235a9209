#include "draw/text_codes.h"

#include <algorithm>

#include "platform/text/text.h"

namespace draw {
namespace {

// The Windows-1252 byte a letter after two percent signs stands for, or 0.
char code_character(char letter)
{
    switch (letter) {
    case 'C':
        return char(0xD8);  // capital O with stroke
    case 'D':
    case 'd':
        return char(0xB0);  // degree sign
    case 'P':
    case 'p':
        return char(0xB1);  // plus-minus sign
    case 'c':
        return char(0xF8);  // small o with stroke
    default:
        return 0;
    }
}

}  // namespace

std::u16string widen_drawing_text(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        if (i + 1 == text.size())  // a lone percent sign at the end
            break;
        if (text[i + 1] != '%') {  // a percent sign before another character: the character alone
            out += text[i + 1];
            i += 2;
            continue;
        }
        if (i + 2 == text.size()) {  // two percent signs at the end stay
            out += "%%";
            break;
        }
        char c = code_character(text[i + 2]);
        if (c != 0)
            out += c;
        else
            out.append(text.substr(i, 3));
        i += 3;
    }
    return platform::text::from_ansi(out);
}

}  // namespace draw
