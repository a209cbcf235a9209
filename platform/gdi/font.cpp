// Fonts: the handheld's font request (cell or character height, average width, escapement, weight) turned
// into a FreeType character size and transform, glyphs rendered in monochrome and cached per font.
// FreeType is initialised once, each font file opened once, and identical requests share one Font.

#include "platform/gdi/font_internal.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

namespace platform::gdi {

struct FaceEntry {
    FT_Face face = nullptr;
    // Design units of the face: em square, the cell above and below the baseline, average width.
    int units_per_em = 2048, ascent = 1901, descent = 483, average_width = 1038;
};

namespace {

constexpr int kDefaultCellHeight = 13;  // height 0 asks for the default font size
constexpr double kMaxEm = 4096;         // pixels; text scaled beyond this by a zoom is drawn at this size
constexpr size_t kKeptFonts = 64;       // unused fonts beyond this many are dropped from the registry

using MatchKey = std::tuple<std::u16string, bool, bool>;                // face, bold, italic
using FontKey = std::tuple<std::u16string, int, int, int, bool, bool>;  // face, height, width, escapement, ...

struct FontState {
    std::mutex mutex;
    FT_Library library = nullptr;  // initialised on first use, kept for the process
    bool library_failed = false;
    std::map<std::pair<std::string, int>, std::unique_ptr<FaceEntry>> faces;  // by file and index
    std::map<MatchKey, FaceFile> matches;
    std::map<FontKey, std::shared_ptr<const Font>> fonts;
    FontRef ui;
};

// Never destroyed: fonts may still be referenced by static objects while the process exits.
FontState& s_fonts()
{
    static FontState* state = new FontState;
    return *state;
}

std::u16string lowered(const std::u16string& s)
{
    std::u16string out = s;
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    return out;
}

void read_design_metrics(FaceEntry* e)
{
    FT_Face f = e->face;
    if (f->units_per_EM > 0)
        e->units_per_em = f->units_per_EM;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        e->ascent = os2->usWinAscent;
        e->descent = os2->usWinDescent;
    } else if (f->ascender - f->descender > 0) {
        e->ascent = f->ascender;
        e->descent = -f->descender;
    } else {
        e->ascent = e->units_per_em * 93 / 100;
        e->descent = e->units_per_em - e->ascent;
    }
    if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        e->average_width = os2->xAvgCharWidth;
    else
        e->average_width = e->units_per_em / 2;
}

FaceEntry* open_face(FontState& s, const FaceFile& file)
{
    auto key = std::make_pair(file.path, file.index);
    auto it = s.faces.find(key);
    if (it != s.faces.end())
        return it->second.get();
    if (!s.library && !s.library_failed)
        s.library_failed = FT_Init_FreeType(&s.library) != 0;
    if (s.library_failed)
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(s.library, file.path.c_str(), file.index, &face) != 0 || !FT_IS_SCALABLE(face)) {
        if (face)
            FT_Done_Face(face);
        return nullptr;
    }
    auto entry = std::make_unique<FaceEntry>();
    entry->face = face;
    read_design_metrics(entry.get());
    return s.faces.emplace(key, std::move(entry)).first->second.get();
}

// The face for a request, falling back to the UI face and finally to none (text then draws nothing).
FaceEntry* find_face(FontState& s, const FontSpec& spec, FaceFile* file)
{
    bool bold = spec.weight >= 600;
    for (const std::u16string& name : {spec.face, std::u16string(u"DejaVu Sans")}) {
        MatchKey key {lowered(name), bold, spec.italic};
        auto it = s.matches.find(key);
        if (it == s.matches.end()) {
            FaceFile found;
            if (!match_face(name, bold, spec.italic, &found))
                continue;
            it = s.matches.emplace(key, found).first;
        }
        if (FaceEntry* face = open_face(s, it->second)) {
            *file = it->second;
            return face;
        }
    }
    return nullptr;
}

FontRef make_font_locked(const FontSpec& spec)
{
    FontState& s = s_fonts();
    int escapement = ((spec.escapement % 3600) + 3600) % 3600;
    FontKey key {lowered(spec.face), spec.height, spec.width, escapement, spec.weight >= 600, spec.italic};
    auto it = s.fonts.find(key);
    if (it != s.fonts.end())
        return it->second;
    if (s.fonts.size() >= kKeptFonts)
        std::erase_if(s.fonts, [](const auto& entry) { return entry.second.use_count() == 1; });
    FaceFile file;
    FaceEntry* face = find_face(s, spec, &file);
    auto font = std::make_shared<const Font>(face, spec, file);
    s.fonts.emplace(key, font);
    return font;
}

FontRef ui_font_locked()
{
    FontState& s = s_fonts();
    if (!s.ui)
        s.ui = make_font_locked(FontSpec {kDefaultCellHeight, 0, 0, 400, false, u"DejaVu Sans"});
    return s.ui;
}

}  // namespace

Font::Font(FaceEntry* face, const FontSpec& spec, const FaceFile& file)
    : m_face(face)
    , m_spec(spec)
    , m_embolden(file.embolden)
    , m_slant(file.slant)
{
    FaceEntry design = face ? *face : FaceEntry {};
    double units = design.units_per_em;
    int height = spec.height == 0 ? kDefaultCellHeight : spec.height;
    // A positive height is the whole cell (ascent + descent), a negative one the em size.
    double em = height > 0 ? height * units / (design.ascent + design.descent) : -double(height);
    bool clamped = em > kMaxEm;
    em = std::clamp(em, 1.0, kMaxEm);
    double x_em
        = spec.width == 0 ? em : std::clamp(std::abs(double(spec.width)) * units / design.average_width, 1.0, kMaxEm);
    m_metrics.ascent = int(std::lround(design.ascent * em / units));
    m_metrics.descent
        = height > 0 && !clamped ? height - m_metrics.ascent : int(std::lround(design.descent * em / units));
    m_metrics.height = m_metrics.ascent + m_metrics.descent;
    m_metrics.average_width
        = spec.width != 0 ? std::abs(spec.width) : int(std::lround(design.average_width * x_em / units));
    m_char_height = std::lround(em * 64);
    m_char_width = std::lround(x_em * 64);
    int escapement = ((spec.escapement % 3600) + 3600) % 3600;
    m_rotated = escapement != 0;
    // Quarter turns are exact, so rotated text on the pixel grid does not drift.
    static constexpr double kQuarter[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    if (escapement % 900 == 0) {
        m_cos = kQuarter[escapement / 900][0];
        m_sin = kQuarter[escapement / 900][1];
    } else {
        double a = escapement / 10.0 * std::numbers::pi / 180.0;
        m_cos = std::cos(a);
        m_sin = std::sin(a);
    }
}

const Glyph& Font::glyph(char32_t code_point) const
{
    if (code_point < 256) {
        std::unique_ptr<Glyph>& slot = m_latin[code_point];
        if (!slot)
            slot = std::make_unique<Glyph>(render(code_point));
        return *slot;
    }
    std::unique_ptr<Glyph>& slot = m_other[code_point];
    if (!slot)
        slot = std::make_unique<Glyph>(render(code_point));
    return *slot;
}

namespace {

// Runs of set bits of FreeType's one-bit bitmap, shifted by the bitmap's position (y up to y down).
void collect_spans(const FT_GlyphSlot slot, Glyph* g)
{
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO || !bm.buffer)
        return;
    int pitch = std::abs(bm.pitch);
    for (unsigned r = 0; r < bm.rows; ++r) {
        const unsigned char* line = bm.buffer + size_t(bm.pitch >= 0 ? r : bm.rows - 1 - r) * pitch;
        int y = int(r) - slot->bitmap_top;
        for (unsigned c = 0; c < bm.width;) {
            auto bit = [&](unsigned k) { return (line[k >> 3] >> (7 - (k & 7))) & 1; };
            if (!bit(c)) {
                ++c;
                continue;
            }
            unsigned start = c;
            while (c < bm.width && bit(c))
                ++c;
            g->spans.push_back(GlyphSpan {y, slot->bitmap_left + int(start), slot->bitmap_left + int(c)});
        }
    }
    if (g->spans.empty())
        return;
    g->left = slot->bitmap_left;
    g->right = slot->bitmap_left + int(bm.width);
    g->top = -slot->bitmap_top;
    g->bottom = int(bm.rows) - slot->bitmap_top;
}

}  // namespace

Glyph Font::render(char32_t code_point) const
{
    Glyph g;
    g.advance = m_metrics.average_width * 64;
    if (!m_face)
        return g;
    FT_Face f = m_face->face;
    if (FT_Set_Char_Size(f, m_char_width, m_char_height, 72, 72) != 0)
        return g;
    // Rotation counter-clockwise with y up, after an optional slant for a face without an italic.
    double shear = m_slant ? 0.2 : 0.0;
    FT_Matrix m;
    m.xx = FT_Fixed(std::lround(m_cos * 65536));
    m.xy = FT_Fixed(std::lround((shear * m_cos - m_sin) * 65536));
    m.yx = FT_Fixed(std::lround(m_sin * 65536));
    m.yy = FT_Fixed(std::lround((shear * m_sin + m_cos) * 65536));
    FT_Set_Transform(f, (m_rotated || m_slant) ? &m : nullptr, nullptr);
    FT_UInt index = FT_Get_Char_Index(f, code_point);
    if (FT_Load_Glyph(f, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0)
        return g;
    if (m_embolden)
        FT_GlyphSlot_Embolden(f->glyph);
    g.advance = int32_t(f->glyph->metrics.horiAdvance);  // untransformed, hinted
    if (f->glyph->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(f->glyph, FT_RENDER_MODE_MONO) != 0)
        return g;
    collect_spans(f->glyph, &g);
    return g;
}

std::unique_lock<std::mutex> font_lock()
{
    return std::unique_lock<std::mutex>(s_fonts().mutex);
}

const Font& font_or_default(const FontRef& font)
{
    if (font)
        return *font;
    return *ui_font_locked();  // kept alive by the registry
}

FontRef create_font(const FontSpec& spec)
{
    auto lock = font_lock();
    return make_font_locked(spec);
}

FontRef ui_font()
{
    auto lock = font_lock();
    return ui_font_locked();
}

FontMetrics metrics(const FontRef& font)
{
    auto lock = font_lock();
    return font_or_default(font).metrics();
}

}  // namespace platform::gdi
