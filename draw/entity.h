#pragma once
// The records a drawing holds: entities (lines, circles, arcs, symbol references, text) in world
// coordinates and symbol blocks in symbol units. Strings are 8-bit (Windows-1252), NUL-terminated, in
// fixed-width fields: a longer name is cut to the field's width less one.
//
// World coordinates: x is the easting, y the northing, metres; z (elevation) is carried, never drawn.
// Orientations are stored counter-clockwise from east in degrees, in [0, 360) (orientation.h).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace draw {

struct Point3 {
    double x = 0, y = 0, z = 0;
};

// Minimum x, minimum y, maximum x, maximum y.
struct Box {
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
};

using ColorRef = uint32_t;  // a Windows COLORREF, 0x00BBGGRR

// Entity kinds.
constexpr int32_t kEntityLine = 2;
constexpr int32_t kEntityCircle = 5;
constexpr int32_t kEntityArc = 7;
constexpr int32_t kEntitySymbol = 8;
constexpr int32_t kEntityText = 9;

constexpr uint32_t kFlagHairline = 8;  // drawn with the thinnest pen

// Field widths, the terminating NUL included.
constexpr size_t kLayerField = 10;
constexpr size_t kLineTypeField = 22;
constexpr size_t kBlockNameField = 16;
constexpr size_t kFaceField = 16;

// Anchor codes of text: which point of the text lies at its position.
constexpr int32_t kAnchorUpperLeft = 0;
constexpr int32_t kAnchorUpperCentre = 1;
constexpr int32_t kAnchorUpperRight = 2;
constexpr int32_t kAnchorMiddleLeft = 3;  // 3 to 5: the off-screen text primitive only
constexpr int32_t kAnchorMiddleCentre = 4;
constexpr int32_t kAnchorMiddleRight = 5;
constexpr int32_t kAnchorLowerLeft = 6;
constexpr int32_t kAnchorLowerCentre = 7;
constexpr int32_t kAnchorLowerRight = 8;

struct LineGeometry {
    Point3 start, end;
};
struct CircleGeometry {
    Point3 centre;
    double radius;  // world units
};
// Runs clockwise (increasing azimuth) from start to end; its radius is |start - centre|.
struct ArcGeometry {
    Point3 centre, start, end;
};
// Scales > 0: world units per symbol unit; -s: s pixels per symbol unit. scale_z is always 1.0.
struct SymbolGeometry {
    char block[kBlockNameField];
    Point3 insertion;
    double scale_x, scale_y, scale_z;
    float orientation;  // the symbol's up axis, degrees counter-clockwise from east
};
// Heights and widths > 0 are world units, < 0 pixels. `text` points at the record's own copy.
struct TextGeometry {
    Point3 anchor;
    double offset_x, offset_y;  // world units, added to the anchor
    float height, width;
    int32_t anchor_code;
    float orientation;  // the baseline's direction, degrees counter-clockwise from east
    char face[kFaceField];
    const char* text;
};

// One entity. Move-only: the text of a text entity is owned by the record (the pointer in the geometry
// stays valid when the record moves).
struct Entity {
    char layer[kLayerField] = {};
    char line_type[kLineTypeField] = {};
    ColorRef colour = 0;
    int32_t width_code = 0;
    uint32_t flags = 0;
    int32_t kind = 0;
    union Geometry {
        LineGeometry line;
        CircleGeometry circle;
        ArcGeometry arc;
        SymbolGeometry symbol;
        TextGeometry text;
    } geometry = {};
    Box box;
    std::unique_ptr<char[]> owned_text;  // text entities only

    bool hairline() const { return (flags & kFlagHairline) != 0; }
};

// A named group of lines and circles, drawn wherever a symbol reference names it.
struct Block {
    char name[kBlockNameField] = {};
    std::vector<Entity> members;    // kinds 2 and 5 only, in symbol units about the base point, in order
    double base_x = 0, base_y = 0;  // always 0
    Box extents;                    // of the members' boxes
};

// Copies `s` into a field of `width` bytes: cut at its first NUL and to width - 1 characters, then NUL.
void copy_field(char* field, size_t width, std::string_view s);
// A field's text up to its NUL (at most width - 1 characters).
template <size_t N> std::string_view field_text(const char (&field)[N])
{
    size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return std::string_view(field, n);
}

}  // namespace draw
