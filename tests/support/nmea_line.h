#pragma once
// NMEA 0183 sentences for the tests of the receiver link and the serial devices.

#include <cstdio>
#include <string>

namespace testing_support {

// "$BODY*hh" and `ending`, hh the exclusive-or of the body's bytes in two hexadecimal digits (upper case
// unless asked for lower case, which receivers may send too).
inline std::string nmea_line(const std::string& body, const char* ending = "\r\n", bool lower_case = false)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, lower_case ? "*%02x" : "*%02X", sum);
    return "$" + body + tail + ending;
}

}  // namespace testing_support
