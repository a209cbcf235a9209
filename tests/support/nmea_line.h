#pragma once
// NMEA 0183 sentences for the tests of the receiver link and the serial devices.

#include <cstdio>
#include <string>

namespace testing_support {

// "$BODY*hh\r\n", hh the exclusive-or of the body's bytes in two upper-case hexadecimal digits.
inline std::string nmea_line(const std::string& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

}  // namespace testing_support
