#pragma once
// Graphics: 32-bit bitmaps, device contexts with pens, fonts and raster operations, lines, fills, text and
// block transfers, as the handheld's graphics device interface offers them. Coordinates are pixels of the
// device context (its origin is added, its clip rectangle bounds every pixel written).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

using Color = uint32_t;  // 0x00RRGGBB
constexpr Color rgb(int r, int g, int b)
{
    return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

struct Point {
    int x = 0, y = 0;
};
struct Size {
    int cx = 0, cy = 0;
};
// Right and bottom are exclusive, as on the handheld.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool empty() const { return right <= left || bottom <= top; }
};
Rect intersect(const Rect& a, const Rect& b);

// Pixels 0x00RRGGBB, row-major, `stride` pixels a row.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = kWhite);
    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_width; }
    Color pixel(int x, int y) const;        // 0 outside
    void set_pixel(int x, int y, Color c);  // ignored outside
    uint32_t* row(int y) { return m_pixels.data() + size_t(y) * m_width; }
    const uint32_t* row(int y) const { return m_pixels.data() + size_t(y) * m_width; }
    void fill(Color c);

private:
    int m_width = 0, m_height = 0;
    std::vector<uint32_t> m_pixels;
};

// ---- Pens, fonts, modes -------------------------------------------------------------------------------

enum class PenStyle { Solid, Dash, Null };
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // 0 and 1 both draw one pixel wide (wider pens are drawn one pixel wide too)
    Color color = kBlack;
};

// As the handheld's font request: height > 0 is the cell height, < 0 the character height, 0 a default;
// width 0 keeps the natural aspect; escapement in tenths of a degree counter-clockwise; weight 100..900
// (400 normal, 700 bold). The face is found through fontconfig ("Courier" -> a Courier-compatible
// monospace, "Arial" -> Liberation Sans, "Tahoma" and the UI face -> DejaVu Sans).
// Weights from 600 up are bold, lower ones regular; a family without a bold or italic member is emboldened
// or slanted by the renderer. Height 0 is a 13-pixel cell. Character sizes beyond 4096 pixels (text scaled
// by a deep zoom) are drawn at 4096. Identical requests share one Font and its cache of rendered glyphs,
// so creating a font for every output is cheap. A null FontRef stands for ui_font() wherever one is taken.
struct FontSpec {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    std::u16string face;
};
class Font;  // opaque, immutable once made
using FontRef = std::shared_ptr<const Font>;
FontRef create_font(const FontSpec& spec);  // never null: an unknown face falls back to the UI face
FontRef ui_font();                          // the default UI face, a 13-pixel cell (DejaVu Sans)
struct FontMetrics {
    int height = 0, ascent = 0, descent = 0, average_width = 0;
};
FontMetrics metrics(const FontRef& font);

// Text alignment flags, combined with |, the handheld's values.
constexpr unsigned kAlignLeft = 0, kAlignRight = 2, kAlignCenter = 6;
constexpr unsigned kAlignTop = 0, kAlignBottom = 8, kAlignBaseline = 24;
enum class BkMode { Transparent = 1, Opaque = 2 };
// Raster operations for pens.
constexpr int kRopXorPen = 7;
constexpr int kRopCopyPen = 13;

// ---- Device contexts ----------------------------------------------------------------------------------

// A target bitmap seen through an origin and a clip rectangle (a window's client area on the screen, or a
// whole memory bitmap). Holds the selected pen, font, colours, modes and the current position.
// A new DC has a solid black pen, no font (the UI font is used), black text on an opaque white background,
// left-top alignment and the copy-pen raster operation. Only lines use the raster operation; fills,
// pixels, text and block transfers always copy. Logical coordinates may be anything an int holds.
class DC {
public:
    // Draws into `target` (not owned; must outlive the DC) with (0,0) at `origin`, clipped to `clip`
    // (target coordinates).
    DC(Bitmap* target, Point origin, Rect clip);
    virtual ~DC() = default;

    Bitmap* target() { return m_target; }
    Point origin() const { return m_origin; }
    Rect clip() const { return m_clip; }

    Pen select_pen(const Pen& pen);     // returns the previous pen
    FontRef select_font(FontRef font);  // returns the previous font (null: none was selected)
    Color set_text_color(Color c);
    Color set_bk_color(Color c);
    BkMode set_bk_mode(BkMode m);
    unsigned set_text_align(unsigned flags);
    // kRopCopyPen or kRopXorPen (any of the handheld's sixteen codes 1..16 works; others are ignored);
    // returns the previous one.
    int set_rop2(int rop);
    const Pen& pen() const { return m_pen; }
    const FontRef& font() const { return m_font; }
    int rop2() const { return m_rop2; }
    Color text_color() const { return m_text_color; }
    Color bk_color() const { return m_bk_color; }
    BkMode bk_mode() const { return m_bk_mode; }
    unsigned text_align() const { return m_align; }

    // Lines with Bresenham's algorithm, the last pixel left out. A dash pattern (18 on, 6 off) continues
    // across the segments of a polyline and restarts at move_to. Exclusive-or combines the pen colour
    // with each pixel bit by bit, so drawing twice restores the picture. A null pen draws nothing but
    // line_to still moves the current position.
    Point move_to(int x, int y);  // returns the previous position
    void line_to(int x, int y);
    void polyline(const Point* points, int count);  // neither uses nor changes the current position
    void set_pixel(int x, int y, Color c);          // ignored outside the clip
    Color pixel(int x, int y) const;                // 0 outside the clip

    void fill_rect(const Rect& r, Color c);   // solid fill, copy
    void frame_rect(const Rect& r, Color c);  // one-pixel outline inside r

    // Text at (x, y) anchored by the alignment flags, in the text colour; the background box filled in the
    // background colour when opaque. Rotated text (escapement) turns about the anchor. Surrogate pairs
    // are one character; a character the face lacks is drawn as its missing-glyph box.
    void text_out(int x, int y, std::u16string_view s);
    // Width = sum of the characters' advances, height = the font's cell height (also for empty text).
    // Unrotated: rotation does not change the extent.
    Size text_extent(std::u16string_view s) const;

    // Copies a w x h block from `src` at (sx, sy) to (x, y) here (source copy). Only pixels that come
    // from inside the source bitmap and land inside this clip move. `src` may be this DC (scrolling).
    void bit_blt(int x, int y, int w, int h, const DC& src, int sx, int sy);

protected:
    Bitmap* m_target;
    Point m_origin;
    Rect m_clip;
    Pen m_pen;
    FontRef m_font;
    Color m_text_color = kBlack, m_bk_color = kWhite;
    BkMode m_bk_mode = BkMode::Opaque;
    unsigned m_align = kAlignLeft | kAlignTop;
    int m_rop2 = kRopCopyPen;
    Point m_pos;
    int m_dash_phase = 0;  // pixels into the dash pattern, kept across line_to
};

// Keeps the drawing state of a DC for the length of a scope: on destruction the pen, font, raster
// operation, text and background colours, background mode and text alignment are back to what they were
// at construction, whatever was selected meanwhile. Painting code opens one per entity it draws, so an
// exclusive-or rubber band or a rotated font set for one never reaches the next. The current position is
// not kept (every shape begins with move_to). The DC is borrowed and must outlive the saver.
class DCSaver {
public:
    explicit DCSaver(DC& dc);
    ~DCSaver();
    DCSaver(const DCSaver&) = delete;
    DCSaver& operator=(const DCSaver&) = delete;

private:
    DC& m_dc;
    Pen m_pen;
    FontRef m_font;
    int m_rop2;
    Color m_text_color, m_bk_color;
    BkMode m_bk_mode;
    unsigned m_align;
};

// A memory device context that owns its bitmap (the handheld's compatible DC with a selected bitmap).
class MemoryDC : public DC {
public:
    MemoryDC(int width, int height, Color fill = kWhite);
    Bitmap& bitmap() { return *m_bitmap; }

private:
    std::unique_ptr<Bitmap> m_bitmap;
};

// ---- Files --------------------------------------------------------------------------------------------

// Writes the bitmap as an 8-bit RGB PNG to a host path. False on any failure.
bool write_png(const Bitmap& bitmap, const std::string& host_path);
// Reads any PNG as 8-bit RGB (tests compare screenshots with it). False, with *out untouched, on any
// failure, including pictures wider or taller than 16384 pixels.
bool read_png(const std::string& host_path, Bitmap* out);

}  // namespace platform::gdi
