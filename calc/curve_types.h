#pragma once
// The six kinds of a map-check leg and of an area figure point, by the index stored in their job files.
// A curve is entered as the straight leg to its beginning (BC), the radial leg to its centre (C: the
// curve runs clockwise, CC: counter-clockwise) and the radial leg out to its end (EC), or to a point on
// it (POC) after which the curve continues about a centre entered again.

#include <cstdint>
#include <string_view>

namespace calc {

enum CurveType : int32_t {
    kCorner = 0,
    kBeginCurve = 1,     // "BC"
    kEndCurve = 2,       // "EC"
    kCentre = 3,         // "C", direction +1
    kCentreCounter = 4,  // "CC", direction -1
    kPointOnCurve = 5,   // "POC"
};
constexpr int kCurveTypeCount = 6;

// "Corner", "BC", "EC", "C", "CC", "POC"; "" for an index outside the table (a damaged file).
std::u16string_view curve_type_name(int32_t type);

inline bool is_known_curve_type(int32_t type)
{
    return type >= 0 && type < kCurveTypeCount;
}
// Straight legs: "Corner" and "BC".
inline bool is_straight(int32_t type)
{
    return type == kCorner || type == kBeginCurve;
}
// Legs that close an arc: "EC" and "POC".
inline bool ends_arc(int32_t type)
{
    return type == kEndCurve || type == kPointOnCurve;
}

}  // namespace calc
