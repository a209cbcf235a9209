// Finding a font file for a face name through fontconfig. The handheld's face names are mapped onto
// families that fontconfig resolves to metric-compatible faces: the Courier faces to a Courier-compatible
// monospace, Arial to Liberation Sans, the UI faces (Tahoma, MS Sans Serif, none) to DejaVu Sans.

#include "platform/gdi/font_internal.h"

#include <fontconfig/fontconfig.h>

#include <string>
#include <vector>

namespace platform::gdi {

namespace {

// ASCII letters lowered, other characters as UTF-8 (face names are short; surrogates are not expected).
std::string to_lower_utf8(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) {
            out += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::vector<std::string> families_for(const std::u16string& face)
{
    std::string name = to_lower_utf8(face);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name == "courier" || name == "courier new")
        return {name, "Nimbus Mono PS", "Liberation Mono", "Cousine", "monospace"};
    if (name == "arial")
        return {"Arial", "Liberation Sans", "Arimo", "sans-serif"};
    if (name.empty() || name == "tahoma" || name == "ms sans serif" || name == "system")
        return {"DejaVu Sans", "sans-serif"};
    return {name, "DejaVu Sans", "sans-serif"};
}

}  // namespace

bool match_face(const std::u16string& face, bool bold, bool italic, FaceFile* out)
{
    static const bool initialised = FcInit() == FcTrue;
    if (!initialised)
        return false;
    FcPattern* pattern = FcPatternCreate();
    for (const std::string& family : families_for(face))
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* file = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        out->path = reinterpret_cast<const char*>(file);
        out->index = index;
        // A family without a bold or italic member is made bold or slanted by the renderer.
        out->embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
        out->slant = italic && slant == FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return ok;
}

}  // namespace platform::gdi

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few hundred bytes while parsing its configuration (inside FcInit, once per process);
// that is not ours to mend, and it would fail every sanitised run that draws text. This is the only
// definition of the suppression list in the program: a module with other third-party leaks adds its line here.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
