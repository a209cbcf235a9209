#pragma once
// The value stored in a numeric field that has no value (an azimuth or distance not given, a coordinate not
// computed). It is compared by exact equality, never with a tolerance.

namespace formats {

constexpr double kUndefinedValue = -123.321;

inline bool is_undefined(double value)
{
    return value == kUndefinedValue;
}

}  // namespace formats
