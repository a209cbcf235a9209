// The four sentences the link understands. Field numbers count from the first field after the identifier.
//
//   GPGSV  0 messages, 1 message number m, 2 satellites in view, then four groups of
//          {PRN, elevation, azimuth, SNR} in fields 3-18, into table entries 4(m-1) .. 4(m-1)+3
//   ..GLL  0 latitude, 1 N/S, 2 longitude, 3 E/W, 4 time, 5 status
//   ..RMC  0 time, 1 status, 2 latitude, 3 N/S, 4 longitude, 5 E/W
//   ..GGA  0 time, 1 latitude, 2 N/S, 3 longitude, 4 E/W, 5 fix quality, 8 antenna altitude

#include "gps/link_state.h"

#include <algorithm>

namespace gps::link {

namespace {

constexpr int kSatellitesPerMessage = 4;
constexpr int kMaxGsvMessages = kSatelliteCapacity / kSatellitesPerMessage;
constexpr int32_t kMaxSnr = 1000000;  // far above any real value; keeps SNR x 100 inside int32_t

bool is_upper_letter(char c)
{
    return c >= 'A' && c <= 'Z';
}

// "..GGA" and the like: a two-letter talker and the type.
bool is_type(std::string_view identifier, std::string_view type)
{
    return identifier.size() == 5 && is_upper_letter(identifier[0]) && is_upper_letter(identifier[1])
        && identifier.substr(2) == type;
}

void handle_gsv(const nmea::Fields& f)
{
    LinkState& s = state();
    const int32_t message = nmea::LeadingInt(f[1]);
    // A message number outside 1..7 would address entries the table does not have.
    if (message < 1 || message > kMaxGsvMessages)
        return;
    s.satellites_in_view = std::clamp(nmea::LeadingInt(f[2]), 0, kSatelliteCapacity);
    for (int g = 0; g < kSatellitesPerMessage; ++g) {
        Satellite& sat = s.satellites[kSatellitesPerMessage * (message - 1) + g];
        const int first = 3 + 4 * g;
        sat.prn = nmea::LeadingInt(f[first]);
        sat.elevation = nmea::LeadingInt(f[first + 1]);
        sat.azimuth = nmea::LeadingInt(f[first + 2]);
        sat.snr100 = std::clamp(nmea::LeadingInt(f[first + 3]), -kMaxSnr, kMaxSnr) * 100;
    }
}

void take_position(const nmea::Fields& f, int latitude_field)
{
    Fix& fix = state().current;
    fix.latitude = nmea::ParseLatitude(f[latitude_field], f[latitude_field + 1]);
    fix.longitude = nmea::ParseLongitude(f[latitude_field + 2], f[latitude_field + 3]);
}

void handle_gll(const nmea::Fields& f)
{
    take_position(f, 0);
    state().current.time = nmea::ParseTime(f[4]);
    state().current.status = f[5][0];
}

void handle_rmc(const nmea::Fields& f)
{
    state().current.time = nmea::ParseTime(f[0]);
    state().current.status = f[1][0];
    take_position(f, 2);
}

void handle_gga(const nmea::Fields& f)
{
    state().current.time = nmea::ParseTime(f[0]);
    take_position(f, 1);
    state().current.quality = f[5][0] == '\0' ? '0' : f[5][0];
    state().current.altitude = nmea::LeadingDouble(f[8]);
}

}  // namespace

Handler HandleSentence(const nmea::Sentence& sentence, GpsMode mode)
{
    const std::string_view id = nmea::SentenceIdentifier(sentence);
    Handler handler = Handler::None;
    if (mode == GpsMode::Satellites && id == "GPGSV")
        handler = Handler::Gsv;
    else if (mode == GpsMode::Position && is_type(id, "GLL"))
        handler = Handler::Gll;
    else if (mode == GpsMode::Position && is_type(id, "RMC"))
        handler = Handler::Rmc;
    else if (mode == GpsMode::Position && is_type(id, "GGA"))
        handler = Handler::Gga;
    if (handler == Handler::None)
        return handler;

    nmea::Fields fields;
    nmea::SplitFields(sentence, &fields);
    switch (handler) {
    case Handler::Gsv:
        handle_gsv(fields);
        break;
    case Handler::Gll:
        handle_gll(fields);
        break;
    case Handler::Rmc:
        handle_rmc(fields);
        break;
    case Handler::Gga:
        handle_gga(fields);
        break;
    case Handler::None:
        break;
    }
    return handler;
}

}  // namespace gps::link
