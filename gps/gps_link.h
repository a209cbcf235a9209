#pragma once
// The receiver link: the program's only source of GPS data. It has no thread: a GPS dialog's one-second
// timer drives it. A position consumer's tick is
//
//     if (ReadGpsPort(port) != 0) PollGps(GpsMode::Position);
//     if (TakeFix()) GetFixGrid(&northing, &easting, &elevation, &zone);
//
// and a satellite consumer's is ReadGpsPort, then PollGps(GpsMode::Satellites), then the satellite table.
// All state is process-wide and lives for the whole run (ResetGpsLink gives tests a clean start).
//
// Sentences used: GGA, GLL and RMC from any talker (GP, GN, GL, GA, GB, ...) for the position, GPGSV for
// the satellites. Positions are on WGS84; grid coordinates are UTM by gps/utm.h (no false northing in the
// south). Latitudes north-positive, longitudes east-positive here.

#include "gps/nmea.h"
#include "platform/serial/serial.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gps {

enum class GpsMode { Satellites, Position };

// ---- Port ----------------------------------------------------------------------------------------------

constexpr size_t kMaxPortNameLength = 19;

// The port name, "COM3:" until replaced. SetGpsPortName keeps at most 19 characters; an empty name is
// allowed and cannot be opened.
const std::u16string& GetGpsPortName();
void SetGpsPortName(std::u16string_view name);

// Opens the port for reading and writing without sharing, or failing that for reading only with read
// sharing. nullptr (the invalid handle) when both fail or the name is empty. The device's own settings are
// used. The caller closes the handle with platform::serial::close.
platform::serial::Handle OpenGpsPort(std::u16string_view name);

// Appends what the port has received to the receive buffer, at most its free space (512 minus the fill),
// and returns the count; 0 when nothing arrived, the buffer is full, or the handle is invalid. The caller
// then skips PollGps for this tick.
uint32_t ReadGpsPort(platform::serial::Handle port);

// ---- Parsing and the fix -------------------------------------------------------------------------------

// Cuts every complete sentence out of the receive buffer and parses those of the mode (GPGSV for
// Satellites; GGA, GLL and RMC for Position); the rest are passed over. In Position mode the latest
// valid fix of the batch is latched (RMC or GLL with status 'A', GGA with fix quality 1 to 6) and the
// fix-available flag is set; without a valid fix in the batch the flag is still set when the latched fix
// is less than 3 seconds old (by the monotonic clock). The flag is cleared first, so a poll that finds no
// complete sentence leaves it clear.
void PollGps(GpsMode mode);

// True when the fix-available flag is set; the latched fix (position, altitude and time) then becomes the
// current fix again. The flag stays set.
bool TakeFix();

// False (outputs untouched) when the flag is clear. Otherwise projects the current fix on WGS84 into its
// own UTM zone: northing and easting in metres, elevation = the GGA antenna altitude in metres, zone
// 1..60; clears the flag and returns true.
bool GetFixGrid(double* northing, double* easting, double* elevation, int* zone);

// Seconds since midnight (UTC as the receiver sends it) of the current fix.
int32_t GetFixTime();

// Clears the fix-available flag.
void ResetFix();

// The current fix in decimal degrees (north- and east-positive) with its altitude in metres, as the
// sentences gave it: minute fractions beyond four digits and seconds beyond hundredths are cut off.
struct FixDegrees {
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
};
FixDegrees GetFixDegrees();

// ---- Satellites ----------------------------------------------------------------------------------------

constexpr int kSatelliteCapacity = 28;  // seven GSV messages of four

struct Satellite {
    int32_t prn = 0;
    int32_t snr100 = 0;     // signal-to-noise ratio in dB times 100; 0 when not tracked
    int32_t azimuth = 0;    // whole degrees from true north
    int32_t elevation = 0;  // whole degrees above the horizon
};

// Satellites in view by the last GPGSV message, at most kSatelliteCapacity. Entries 0 .. count - 1 are
// the ones to show.
int GetSatelliteCount();
// Entry `index` of the table; an empty entry outside 0 .. kSatelliteCapacity - 1.
Satellite GetSatellite(int index);

// ---- Sharing the port with a navigation display ---------------------------------------------------------

// While a navigation display is open it holds the port; a satellite view opened from it reads through
// this handle and does not close it.
void SetNavigationPort(platform::serial::Handle port);
void ClearNavigationPort();
bool IsNavigationOpen();
platform::serial::Handle GetNavigationPort();

// Back to the state of a fresh start: port name "COM3:", empty buffer, no fix, no satellites, no
// navigation port (open handles are not closed). For tests.
void ResetGpsLink();

}  // namespace gps
