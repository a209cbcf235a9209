// The receiver link: the port, the receive buffer, the poll that turns sentences into a latched fix, and
// the fix handed to the GPS dialogs.

#include "gps/gps_link.h"

#include "gps/ellipsoid.h"
#include "gps/link_state.h"
#include "gps/utm.h"
#include "platform/clock/clock.h"
#include "platform/reset/reset.h"

#include <algorithm>

namespace gps {

namespace link {

namespace {
LinkState s_link;  // the one link of the process; user-interface thread only
}  // namespace

LinkState& state()
{
    return s_link;
}

}  // namespace link

namespace {

using link::state;

// A fix stays available this long after it was latched when later sentences bring none.
constexpr uint64_t kFixHoldMs = 3000;

// GGA fix quality: 1 GPS, 2 differential, 3 PPS, 4 RTK fixed, 5 RTK float, 6 dead reckoning. 0 is no
// fix; 7 (manual input) and 8 (simulator) are not positions the receiver measured.
bool is_measured_quality(char quality)
{
    return quality >= '1' && quality <= '6';
}

bool gives_valid_fix(link::Handler handler)
{
    const link::Fix& fix = state().current;
    switch (handler) {
    case link::Handler::Gll:
    case link::Handler::Rmc:
        return fix.status == 'A';
    case link::Handler::Gga:
        return is_measured_quality(fix.quality);
    default:
        return false;
    }
}

void latch_current_fix()
{
    link::LinkState& s = state();
    s.latched = s.current;
    s.latched_ms = platform::clock::now_ms();
    s.has_latched = true;
}

bool latched_fix_is_recent()
{
    const link::LinkState& s = state();
    return s.has_latched && platform::clock::now_ms() - s.latched_ms < kFixHoldMs;
}

}  // namespace

const std::u16string& GetGpsPortName()
{
    return state().port_name;
}

void SetGpsPortName(std::u16string_view name)
{
    state().port_name = std::u16string(name.substr(0, kMaxPortNameLength));
}

platform::serial::Handle OpenGpsPort(std::u16string_view name)
{
    namespace serial = platform::serial;
    if (name.empty())
        return nullptr;
    serial::Handle port = serial::open(name, serial::Access::ReadWrite, serial::kShareNone);
    if (port == nullptr)
        port = serial::open(name, serial::Access::Read, serial::kShareRead);
    return port;
}

uint32_t ReadGpsPort(platform::serial::Handle port)
{
    nmea::ReceiveBuffer& buffer = state().buffer;
    const uint32_t limit = static_cast<uint32_t>(buffer.free_space());
    if (port == nullptr || limit == 0)
        return 0;
    uint8_t chunk[nmea::kReceiveCapacity];
    uint32_t got = 0;
    while (got < limit) {
        const uint32_t n = platform::serial::read(port, chunk + got, limit - got);
        if (n == 0)
            break;
        got += n;
    }
    buffer.append(chunk, got);
    return got;
}

void PollGps(GpsMode mode)
{
    link::LinkState& s = state();
    s.fix_available = false;
    nmea::Sentence sentence;
    // Every complete sentence is taken, so the buffer never fills up with sentences waiting for later
    // ticks and the fix handed out is the newest one.
    while (nmea::ExtractSentence(&s.buffer, &sentence)) {
        s.current.quality = '0';
        const link::Handler handler = link::HandleSentence(sentence, mode);
        if (mode != GpsMode::Position)
            continue;
        if (gives_valid_fix(handler)) {
            latch_current_fix();
            s.fix_available = true;
        } else if (latched_fix_is_recent()) {
            s.fix_available = true;
        }
    }
}

bool TakeFix()
{
    link::LinkState& s = state();
    if (s.fix_available && s.has_latched) {
        s.current.latitude = s.latched.latitude;
        s.current.longitude = s.latched.longitude;
        s.current.altitude = s.latched.altitude;
        s.current.time = s.latched.time;
    }
    return s.fix_available;
}

bool GetFixGrid(double* northing, double* easting, double* elevation, int* zone)
{
    link::LinkState& s = state();
    if (!s.fix_available)
        return false;
    Ellipsoid wgs84;
    SelectEllipsoid(&wgs84, "WGS84");
    int fix_zone = 0;
    GeographicToGrid(wgs84, nmea::AngleToDegrees(s.current.latitude), nmea::AngleToDegrees(s.current.longitude),
        &fix_zone, northing, easting);
    *elevation = s.current.altitude;
    *zone = fix_zone;
    s.fix_available = false;
    return true;
}

int32_t GetFixTime()
{
    return state().current.time.seconds;
}

void ResetFix()
{
    state().fix_available = false;
}

FixDegrees GetFixDegrees()
{
    const link::Fix& fix = state().current;
    return {nmea::AngleToDegrees(fix.latitude), nmea::AngleToDegrees(fix.longitude), fix.altitude};
}

int GetSatelliteCount()
{
    return std::min(std::max(state().satellites_in_view, 0), kSatelliteCapacity);
}

Satellite GetSatellite(int index)
{
    if (index < 0 || index >= kSatelliteCapacity)
        return {};
    return state().satellites[index];
}

void SetNavigationPort(platform::serial::Handle port)
{
    state().navigation_open = true;
    state().navigation_port = port;
}

void ClearNavigationPort()
{
    state().navigation_open = false;
    state().navigation_port = nullptr;
}

bool IsNavigationOpen()
{
    return state().navigation_open;
}

platform::serial::Handle GetNavigationPort()
{
    return state().navigation_port;
}

void ResetGpsLink()
{
    state() = link::LinkState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, ResetGpsLink);

}  // namespace gps
