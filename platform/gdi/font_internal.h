#pragma once
// Inside the graphics library: fonts as sized, rotated FreeType faces with their rendered glyphs.
// Everything here is guarded by one mutex (font_lock()); text_out holds it for a whole call.

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::gdi {

struct FaceEntry;  // one opened FreeType face (font.cpp)

// One horizontal run of inked pixels of a rendered glyph, relative to the pen position (rows grow
// downward): pixels [x0, x1) of row y.
struct GlyphSpan {
    int32_t y, x0, x1;
};

struct Glyph {
    std::vector<GlyphSpan> spans;
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // box of the spans, relative to the pen
    int32_t advance = 0;                               // along the baseline, 26.6 pixels, unrotated
};

// Which file a face request resolved to, and whether bold or italic must be synthesised.
struct FaceFile {
    std::string path;
    int index = 0;
    bool embolden = false;
    bool slant = false;
};

// Resolves a face name with weight and slant through fontconfig (font_match.cpp). Never fails while
// any scalable font is installed; returns false only when fontconfig finds nothing at all.
bool match_face(const std::u16string& face, bool bold, bool italic, FaceFile* out);

class Font {
public:
    Font(FaceEntry* face, const FontSpec& spec, const FaceFile& file);
    const FontSpec& spec() const { return m_spec; }
    const FontMetrics& metrics() const { return m_metrics; }
    // Escapement as a unit vector, counter-clockwise from the x axis with y up.
    double cos_angle() const { return m_cos; }
    double sin_angle() const { return m_sin; }
    bool rotated() const { return m_rotated; }
    // The rendered glyph of a code point; REQUIRES font_lock() held.
    const Glyph& glyph(char32_t code_point) const;

private:
    Glyph render(char32_t code_point) const;

    FaceEntry* m_face;  // owned by the font registry, lives for the process
    FontSpec m_spec;
    FontMetrics m_metrics;
    long m_char_width = 0, m_char_height = 0;  // FreeType character size, 26.6 pixels
    bool m_embolden = false, m_slant = false, m_rotated = false;
    double m_cos = 1, m_sin = 0;
    mutable std::unique_ptr<Glyph> m_latin[256];  // code points below 256, the common case
    mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_other;
};

std::unique_lock<std::mutex> font_lock();
// The font a DC draws with: its selected one, or the UI font when none is.
const Font& font_or_default(const FontRef& font);

// Next code point of UTF-16 text; a lone surrogate stands for itself.
inline char32_t next_code_point(std::u16string_view s, size_t* i)
{
    char32_t c = s[(*i)++];
    if (c >= 0xD800 && c < 0xDC00 && *i < s.size()) {
        char32_t d = s[*i];
        if (d >= 0xDC00 && d < 0xE000) {
            ++*i;
            return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
        }
    }
    return c;
}

}  // namespace platform::gdi
