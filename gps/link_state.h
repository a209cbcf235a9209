#pragma once
// Inside the receiver link: its process-wide state and the sentence handlers that write into it.

#include "gps/gps_link.h"
#include "gps/nmea.h"

#include <cstdint>
#include <string>

namespace gps::link {

// The fix as the sentence handlers leave it.
struct Fix {
    nmea::Angle latitude;
    nmea::Angle longitude;
    double altitude = 0.0;  // metres, GGA antenna altitude
    nmea::FixTime time;     // of the last sentence that carried one
    char status = 'V';      // of the last RMC or GLL: 'A' valid, 'V' void
    char quality = '0';     // of the last GGA: '0' no fix
};

struct LinkState {
    std::u16string port_name = u"COM3:";  // at most kMaxPortNameLength characters
    nmea::ReceiveBuffer buffer;           // bytes not yet cut into sentences
    Fix current;                          // written by the handlers
    Fix latched;                          // copy of `current` at the last valid fix
    bool has_latched = false;             // a valid fix has been seen since the start
    uint64_t latched_ms = 0;              // platform::clock::now_ms() at the latch
    bool fix_available = false;
    Satellite satellites[kSatelliteCapacity];
    int satellites_in_view = 0;  // as sent; readers bound it by the table size
    bool navigation_open = false;
    platform::serial::Handle navigation_port = nullptr;  // borrowed from the navigation display
};

LinkState& state();

enum class Handler { None, Gsv, Gll, Rmc, Gga };

// Runs the handler of the sentence if it belongs to the mode; returns which one ran.
Handler HandleSentence(const nmea::Sentence& sentence, GpsMode mode);

}  // namespace gps::link
